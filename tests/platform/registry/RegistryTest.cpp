// TRegistry: typed values, paths, names without case, enumeration order, read-only roots and errors.
#include "platform/registry/Registry.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

QString StoreFile(const QString& root) {
    return QDir(testing_env::TempDir()).filePath(QStringLiteral("config/") + root + QStringLiteral(".conf"));
}

void WriteFile(const QString& fileName, const QByteArray& text) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return QStringLiteral("<no exception>");
}

QStringList KeyNames(TRegistry& reg) {
    QStringList names;
    reg.GetKeyNames(names);
    return names;
}

QStringList ValueNames(TRegistry& reg) {
    QStringList names;
    reg.GetValueNames(names);
    return names;
}

}  // namespace

TEST(Registry, TypedValuesRoundTripWithTheirKindsAndSizes) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), true));
        reg.WriteString(QStringLiteral("Text"), QStringLiteral("Zürich \"A\"\nB\\C"));
        reg.WriteExpandString(QStringLiteral("Path"), QStringLiteral("%HOME%\\x"));
        reg.WriteInteger(QStringLiteral("Number"), -5);
        reg.WriteBool(QStringLiteral("Flag"), true);
        reg.WriteFloat(QStringLiteral("Ratio"), 0.1);
        reg.WriteDateTime(QStringLiteral("When"), 46027.75);
        const char bytes[] = {0, 1, char(0xFF)};
        reg.WriteBinaryData(QStringLiteral("Blob"), bytes, 3);
    }
    // A new accessor reads what the file holds.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Test")));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Text")), QStringLiteral("Zürich \"A\"\nB\\C"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Path")), QStringLiteral("%HOME%\\x"));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Number")), -5);
    EXPECT_TRUE(reg.ReadBool(QStringLiteral("Flag")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Flag")), 1);
    EXPECT_EQ(reg.ReadFloat(QStringLiteral("Ratio")), 0.1);
    EXPECT_EQ(reg.ReadDateTime(QStringLiteral("When")), 46027.75);
    EXPECT_EQ(reg.ReadDate(QStringLiteral("When")), 46027.75);
    char buffer[8] = {};
    EXPECT_EQ(reg.ReadBinaryData(QStringLiteral("Blob"), buffer, 8), 3);
    EXPECT_EQ(QByteArray(buffer, 3), QByteArray("\x00\x01\xFF", 3));

    struct Case {
        const char* name;
        TRegDataType type;
        int size;
    };
    const Case cases[] = {{"Text", rdString, 2 * (14 + 1)},
                          {"Path", rdExpandString, 2 * (8 + 1)},
                          {"Number", rdInteger, 4},
                          {"Ratio", rdBinary, 8},
                          {"Blob", rdBinary, 3},
                          {"Missing", rdUnknown, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(reg.GetDataType(QString::fromLatin1(c.name)), c.type) << c.name;
        EXPECT_EQ(reg.GetDataSize(QString::fromLatin1(c.name)), c.size) << c.name;
    }
}

TEST(Registry, ReadsOfTheWrongKindOrSizeRaise) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), true));
    reg.WriteString(QStringLiteral("Text"), QStringLiteral("5"));
    reg.WriteInteger(QStringLiteral("Number"), 5);
    const char four[] = {1, 2, 3, 4};
    reg.WriteBinaryData(QStringLiteral("Four"), four, 4);
    reg.WriteBinaryData(QStringLiteral("Empty"), four, 0);

    const QString invalid = QStringLiteral("Invalid data type for '%1'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger(QStringLiteral("Text")); }), invalid.arg(QStringLiteral("Text")));
    EXPECT_EQ(ErrorOf([&] { reg.ReadBool(QStringLiteral("Four")); }), invalid.arg(QStringLiteral("Four")));
    EXPECT_EQ(ErrorOf([&] { reg.ReadString(QStringLiteral("Number")); }), invalid.arg(QStringLiteral("Number")));
    EXPECT_EQ(ErrorOf([&] { reg.ReadFloat(QStringLiteral("Four")); }), invalid.arg(QStringLiteral("Four")));
    EXPECT_EQ(ErrorOf([&] { reg.ReadDateTime(QStringLiteral("Number")); }), invalid.arg(QStringLiteral("Number")));
    char small[2];
    EXPECT_EQ(ErrorOf([&] { reg.ReadBinaryData(QStringLiteral("Four"), small, 2); }),
              invalid.arg(QStringLiteral("Four")));
    EXPECT_EQ(ErrorOf([&] { reg.ReadBinaryData(QStringLiteral("Text"), small, 2); }),
              invalid.arg(QStringLiteral("Text")));

    // Missing values: an empty string, a zero-size binary read, and a raise for the fixed-size kinds.
    EXPECT_EQ(reg.ReadString(QStringLiteral("Missing")), QString());
    EXPECT_EQ(reg.ReadString(QStringLiteral("Empty")), QString());
    EXPECT_EQ(reg.ReadBinaryData(QStringLiteral("Missing"), small, 2), 0);
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger(QStringLiteral("Missing")); }),
              QStringLiteral("Failed to get data for 'Missing'"));
    EXPECT_THROW(reg.ReadFloat(QStringLiteral("Missing")), ERegistryException);
}

TEST(Registry, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex"), true));
    reg.WriteInteger(QStringLiteral("RefreshMins"), 5);
    reg.WriteString(QStringLiteral("Other"), QStringLiteral("x"));
    reg.WriteInteger(QStringLiteral("REFRESHMINS"), 7);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("refreshmins")), 7);
    EXPECT_EQ(ValueNames(reg), (QStringList{QStringLiteral("RefreshMins"), QStringLiteral("Other")}));

    EXPECT_TRUE(reg.OpenKey(QStringLiteral("\\SOFTWARE\\dulvex"), false));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("Refreshmins")));
    EXPECT_TRUE(reg.OpenKey(QStringLiteral("\\software"), true));
    EXPECT_EQ(KeyNames(reg), QStringList{QStringLiteral("Dulvex")});
    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("missing")) == false);
}

TEST(Registry, ValuesEnumerateInCreationOrderAndSubkeysAlphabetically) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Order"), true));
    for (const char* name : {"Zeta", "alpha", "Mid"}) reg.WriteInteger(QString::fromLatin1(name), 1);
    for (const char* name : {"gamma", "Beta", "alpha", "Delta"}) ASSERT_TRUE(reg.CreateKey(QString::fromLatin1(name)));
    EXPECT_EQ(ValueNames(reg), (QStringList{QStringLiteral("Zeta"), QStringLiteral("alpha"), QStringLiteral("Mid")}));
    EXPECT_EQ(KeyNames(reg), (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("Delta"),
                                          QStringLiteral("gamma")}));
    // Deleting and re-creating a value moves it to the end.
    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("ZETA")));
    reg.WriteInteger(QStringLiteral("Zeta"), 2);
    EXPECT_EQ(ValueNames(reg), (QStringList{QStringLiteral("alpha"), QStringLiteral("Mid"), QStringLiteral("Zeta")}));
}

TEST(Registry, PathsAreRelativeToTheOpenKeyUnlessTheyStartWithABackslash) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(QStringLiteral("\\Software\\A"), false));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\A"), true));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\A"));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("B\\C"), true));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\A\\B\\C"));
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("\\Software\\A\\B")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("B")));  // relative to ...\B\C
    reg.WriteString(QStringLiteral("Deep"), QStringLiteral("v"));

    reg.CloseKey();
    EXPECT_EQ(reg.CurrentPath(), QString());
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("Software\\A\\B\\C")));  // without an open key: from the root
    EXPECT_THROW(reg.WriteString(QStringLiteral("Loose"), QStringLiteral("v")), ERegistryException);

    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software"), false));
    EXPECT_TRUE(reg.HasSubKeys());
    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("A")));  // with everything below it
    EXPECT_FALSE(reg.HasSubKeys());
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("\\Software\\A\\B\\C")));
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("A")));
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("\\")));
}

TEST(Registry, AStoreThatCannotBeReadIsNotReplacedByAWrite) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software"), true));
    // Something unreadable where the store file belongs (a folder: unreadable even for root).
    const QString file = StoreFile(QStringLiteral("HKEY_CURRENT_USER"));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    EXPECT_THROW(reg.WriteInteger(QStringLiteral("Lost"), 1), ERegistryException);
    EXPECT_TRUE(QFileInfo(file).isDir());
}

TEST(Registry, MoveKeyCopiesATreeToANewNameOnly) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Old\\Sub"), true));
    reg.WriteInteger(QStringLiteral("N"), 1);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Old"), false));
    reg.WriteString(QStringLiteral("S"), QStringLiteral("s"));
    reg.CloseKey();

    reg.MoveKey(QStringLiteral("Old"), QStringLiteral("New\\Copy"), false);
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\New\\Copy\\Sub")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("N")), 1);
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\New\\Copy")));
    EXPECT_EQ(reg.ReadString(QStringLiteral("S")), QStringLiteral("s"));
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("\\Old\\Sub")));

    // An existing target is left alone; with deleteOld the source goes.
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(QStringLiteral("\\Old"), false));
    writer.WriteString(QStringLiteral("S"), QStringLiteral("changed"));
    writer.MoveKey(QStringLiteral("\\Old"), QStringLiteral("\\New\\Copy"), false);
    EXPECT_EQ(reg.ReadString(QStringLiteral("S")), QStringLiteral("s"));
    writer.MoveKey(QStringLiteral("\\Old"), QStringLiteral("\\Moved"), true);
    EXPECT_FALSE(writer.KeyExists(QStringLiteral("\\Old")));
    EXPECT_TRUE(writer.KeyExists(QStringLiteral("\\Moved\\Sub")));
}

TEST(Registry, ReadOnlyAccessAndReadOnlyRootsRefuseWrites) {
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(QStringLiteral("\\Software\\Test"), true));
        writer.WriteInteger(QStringLiteral("N"), 1);
    }
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Missing")));
    EXPECT_EQ(reg.Access(), quint32(KEY_ALL_ACCESS));
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Test")));
    EXPECT_EQ(reg.Access(), quint32(KEY_READ));
    EXPECT_EQ(ErrorOf([&] { reg.WriteInteger(QStringLiteral("N"), 2); }), QStringLiteral("Failed to set data for 'N'"));
    EXPECT_FALSE(reg.DeleteValue(QStringLiteral("N")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("N")), 1);

    // HKEY_LOCAL_MACHINE is read from its own file when one is there, and never written.
    WriteFile(StoreFile(QStringLiteral("HKEY_LOCAL_MACHINE")), "[Software\\Vendor]\n\"InstallDir\"=\"/opt/x\"\n");
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(machine.OpenKey(QStringLiteral("\\Software\\New"), true));
    EXPECT_THROW(machine.CreateKey(QStringLiteral("\\Software\\New")), ERegistryException);
    ASSERT_TRUE(machine.OpenKey(QStringLiteral("\\Software\\Vendor"), false));
    EXPECT_EQ(machine.ReadString(QStringLiteral("InstallDir")), QStringLiteral("/opt/x"));
    EXPECT_THROW(machine.WriteString(QStringLiteral("InstallDir"), QStringLiteral("y")), ERegistryException);
    EXPECT_FALSE(machine.DeleteKey(QStringLiteral("\\Software\\Vendor")));

    TRegistry classes;
    classes.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(classes.KeyExists(QStringLiteral("\\Software")));
}

TEST(Registry, LivesInTheConfiguredFolderAndSeesChangesMadeByOthers) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Test"), true));
    reg.WriteInteger(QStringLiteral("N"), 1);
    const QString file = StoreFile(QStringLiteral("HKEY_CURRENT_USER"));
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files),
              (QStringList{QStringLiteral("HKEY_CURRENT_USER.conf"), QStringLiteral("HKEY_CURRENT_USER.conf.lock")}));

    // Another program replaces the file: the next read sees its content.
    WriteFile(file + QStringLiteral(".new"), "[Software\\Test]\n\"N\"=dword:42\n\"Added\"=\"yes\"\n");
    ASSERT_EQ(
        ::rename(QFile::encodeName(file + QStringLiteral(".new")).constData(), QFile::encodeName(file).constData()), 0);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("N")), 42);
    EXPECT_EQ(reg.ReadString(QStringLiteral("Added")), QStringLiteral("yes"));
    // ...and a write keeps what the other program wrote, in a file only its owner may read.
    reg.WriteInteger(QStringLiteral("Mine"), 3);
    EXPECT_FALSE(QFile::permissions(file) &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    TRegistry fresh;
    ASSERT_TRUE(fresh.OpenKeyReadOnly(QStringLiteral("\\Software\\Test")));
    EXPECT_EQ(ValueNames(fresh), (QStringList{QStringLiteral("N"), QStringLiteral("Added"), QStringLiteral("Mine")}));

    // The folder is read again when a test points the store elsewhere.
    const QString other = QDir(testing_env::TempDir()).filePath(QStringLiteral("other"));
    qputenv("TAVORIN_CONFIG_DIR", QFile::encodeName(other));
    TRegistry elsewhere;
    EXPECT_FALSE(elsewhere.KeyExists(QStringLiteral("\\Software\\Test")));
}
