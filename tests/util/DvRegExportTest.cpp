// Registry-export lines of a key tree: value kinds, quoting, order and recursion.
#include "util/DvRegExport.h"

#include <gtest/gtest.h>

namespace {

const QString kExportedKey = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");

TRegistry OpenFixtureKey(const QString& path) {
    TRegistry reg;
    EXPECT_TRUE(reg.OpenKey(path, true));
    return reg;
}

}  // namespace

TEST(DvRegExport, WritesEachKindOfValueAsTheExportTextHasIt) {
    TRegistry reg = OpenFixtureKey(kExportedKey);
    reg.WriteString(QStringLiteral("Folder"), QStringLiteral("C:\\A"));
    reg.WriteInteger(QStringLiteral("Colour"), 255);
    reg.WriteInteger(QStringLiteral("Negative"), -2);
    const unsigned char bytes[] = {0x00, 0x0A, 0xFF};
    reg.WriteBinaryData(QStringLiteral("Blob"), bytes, 3);
    reg.WriteBinaryData(QStringLiteral("Empty"), bytes, 0);
    reg.WriteExpandString(QStringLiteral("Path"), QStringLiteral("%HOME%"));
    reg.WriteString(QString(), QStringLiteral("default"));
    reg.WriteString(QStringLiteral("Say \"hi\""), QStringLiteral("a \"quoted\" word"));

    TDvRegExport exporter;
    exporter.Lines() << QStringLiteral("left over");
    EXPECT_TRUE(exporter.ExportKey(HKEY_CURRENT_USER, kExportedKey, false));
    EXPECT_EQ(exporter.Lines(), (QStringList{
                                    QStringLiteral("[HKEY_CURRENT_USER\\Software\\Dulvex\\Tavorin\\7.0]"),
                                    QStringLiteral("\"Folder\"=\"C:\\\\A\""),
                                    QStringLiteral("\"Colour\"=dword:000000FF"),
                                    QStringLiteral("\"Negative\"=dword:FFFFFFFE"),
                                    QStringLiteral("\"Blob\"=hex:00,0A,FF"),
                                    QStringLiteral("\"Empty\"=hex:"),
                                    QStringLiteral("\"Path\"=hex(2):unknown"),
                                    QStringLiteral("\"\"=\"default\""),
                                    QStringLiteral("\"Say \"hi\"\"=\"a \"quoted\" word\""),
                                }));
}

TEST(DvRegExport, RecursiveExportWritesSubkeysDepthFirstAfterAnEmptyLine) {
    OpenFixtureKey(kExportedKey).WriteInteger(QStringLiteral("Top"), 1);
    OpenFixtureKey(kExportedKey + QStringLiteral("\\Reports")).WriteString(QStringLiteral("R"), QStringLiteral("r"));
    OpenFixtureKey(kExportedKey + QStringLiteral("\\Reports\\Daily")).WriteInteger(QStringLiteral("D"), 2);
    OpenFixtureKey(kExportedKey + QStringLiteral("\\Mail")).WriteString(QStringLiteral("M"), QStringLiteral("m"));

    TDvRegExport exporter;
    EXPECT_TRUE(exporter.ExportKey(HKEY_CURRENT_USER, kExportedKey, true));
    const QString head = QStringLiteral("[HKEY_CURRENT_USER\\Software\\Dulvex\\Tavorin\\7.0");
    EXPECT_EQ(exporter.Lines(), (QStringList{
                                    head + u']',
                                    QStringLiteral("\"Top\"=dword:00000001"),
                                    QString(),
                                    head + QStringLiteral("\\Mail]"),
                                    QStringLiteral("\"M\"=\"m\""),
                                    QString(),
                                    head + QStringLiteral("\\Reports]"),
                                    QStringLiteral("\"R\"=\"r\""),
                                    QString(),
                                    head + QStringLiteral("\\Reports\\Daily]"),
                                    QStringLiteral("\"D\"=dword:00000002"),
                                }));

    // A key that is not there: success and no lines.
    EXPECT_TRUE(exporter.ExportKey(HKEY_CURRENT_USER, QStringLiteral("\\Software\\Missing"), true));
    EXPECT_TRUE(exporter.Lines().isEmpty());
}

TEST(DvRegExport, RootNamesAndTypePrefixes) {
    EXPECT_EQ(RegRootKeyName(HKEY_LOCAL_MACHINE), QStringLiteral("HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(RegRootKeyName(HKEY_CURRENT_USER), QStringLiteral("HKEY_CURRENT_USER"));
    EXPECT_EQ(RegRootKeyName(HKEY_CLASSES_ROOT), QStringLiteral("UNKNOWN"));
    EXPECT_EQ(RegValueTypePrefix(rdString), QString());
    EXPECT_EQ(RegValueTypePrefix(rdExpandString), QStringLiteral("hex(2):"));
    EXPECT_EQ(RegValueTypePrefix(rdInteger), QStringLiteral("dword:"));
    EXPECT_EQ(RegValueTypePrefix(rdBinary), QStringLiteral("hex:"));
    EXPECT_EQ(RegValueTypePrefix(rdUnknown), QStringLiteral("unknown"));

    TDvRegKeys keys;
    keys.Add(HKEY_CURRENT_USER, kExportedKey);
    keys.Add(HKEY_LOCAL_MACHINE, QStringLiteral("\\Software\\Other"));
    EXPECT_EQ(keys.GetCount(), 2);
    EXPECT_EQ(keys.RootKeys().GetItem(1), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(keys.KeyNames()[1], QStringLiteral("\\Software\\Other"));
}
