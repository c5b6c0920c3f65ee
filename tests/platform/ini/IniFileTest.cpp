// TIniFile: reading without case, typed values, and writes that keep the rest of the file as it was.
#include "platform/ini/IniFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

QString IniPath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("tavorin.ini")); }

void WriteFile(const QByteArray& text) {
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadFile() {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(IniFile, ReadsSectionsAndKeysWithoutCase) {
    WriteFile(
        "; installation settings\r\n"
        "[Restrictions]\r\n"
        "  DisableFileNew = 1  \r\n"
        "Quoted=\" padded \"\r\n"
        "Hex=0x1F\r\n"
        "Dollar=$10\r\n"
        "Bad=12abc\r\n"
        "\r\n"
        "[Other]\r\n"
        "Key=second section\r\n"
        "[restrictions]\r\n"
        "Late=ignored, the first section of a name counts\r\n");
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString(QStringLiteral("RESTRICTIONS"), QStringLiteral("disablefilenew"), QString()),
              QStringLiteral("1"));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Restrictions"), QStringLiteral("DisableFileNew"), false));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Restrictions"), QStringLiteral("Quoted"), QString()),
              QStringLiteral(" padded "));

    struct Case {
        const char* key;
        int expected;
    };
    for (const Case& c : {Case{"Hex", 31}, Case{"Dollar", 16}, Case{"Bad", -1}, Case{"Missing", -1}})
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Restrictions"), QString::fromLatin1(c.key), -1), c.expected) << c.key;
    EXPECT_EQ(ini.ReadString(QStringLiteral("Restrictions"), QStringLiteral("Late"), QStringLiteral("d")),
              QStringLiteral("d"));

    QStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list, (QStringList{QStringLiteral("Restrictions"), QStringLiteral("Other")}));
    ini.ReadSection(QStringLiteral("other"), list);
    EXPECT_EQ(list, QStringList{QStringLiteral("Key")});
    ini.ReadSectionValues(QStringLiteral("Other"), list);
    EXPECT_EQ(list, QStringList{QStringLiteral("Key=second section")});
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("other"), QStringLiteral("KEY")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Other"), QStringLiteral("Missing")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Nowhere")));
}

TEST(IniFile, WritesKeepCommentsOrderAndLineEnds) {
    WriteFile("; keep me\r\n[A]\r\nOne=1\r\n\r\n[B]\r\nTwo=2\r\n");
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("a"), QStringLiteral("ONE"), 10);  // replaced in place, spelling kept
    ini.WriteString(QStringLiteral("A"), QStringLiteral("Three"), QStringLiteral("3"));
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("Flag"), true);
    EXPECT_EQ(ReadFile(), QByteArray("; keep me\r\n[A]\r\nOne=10\r\nThree=3\r\n\r\n[B]\r\nTwo=2\r\n[C]\r\nFlag=1\r\n"));

    ini.DeleteKey(QStringLiteral("A"), QStringLiteral("three"));
    ini.EraseSection(QStringLiteral("b"));
    EXPECT_EQ(ReadFile(), QByteArray("; keep me\r\n[A]\r\nOne=10\r\n\r\n[C]\r\nFlag=1\r\n"));
    ini.UpdateFile();
}

TEST(IniFile, NewFilesGetLineFeedsAndUnwritableFilesRaise) {
    TIniFile ini(IniPath());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Restrictions")));
    ini.WriteString(QStringLiteral("Restrictions"), QStringLiteral("DisableFileNew"), QStringLiteral("0"));
    EXPECT_EQ(ReadFile(), QByteArray("[Restrictions]\nDisableFileNew=0\n"));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("restrictions")));

    const QString missingFolder = QDir(testing_env::TempDir()).filePath(QStringLiteral("no/such/dir/x.ini"));
    TIniFile unwritable(missingFolder);
    try {
        unwritable.WriteInteger(QStringLiteral("S"), QStringLiteral("K"), 1);
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to ") + missingFolder);
    }
}
