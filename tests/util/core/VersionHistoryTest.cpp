// The version keys: read from the newest existing key, write to the current one, never at the hive's root.
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

const QString kTavorin7 = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");
const QString kTavorin6 = QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0");

void MakeKeyWithValue(const QString& key, const QString& name, int value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteInteger(name, value);
}

int ReadSetting(const QString& name, int defaultValue) {
    TDvRegistry reg;
    if (!VersionHistory->OpenReadKey(reg)) return defaultValue;
    return reg.ReadIntegerDefault(name, defaultValue);
}

void WriteSetting(const QString& name, int value) {
    TDvRegistry reg;
    ASSERT_TRUE(VersionHistory->OpenWriteKey(reg));
    reg.WriteInteger(name, value);
}

}  // namespace

TEST(VersionHistory, TheNewestExistingKeyIsRead) {
    const QStringList keys{kTavorin7, kTavorin6, QStringLiteral("\\Software\\Dulvex\\Ranvel\\6.0"),
                           QStringLiteral("\\Software\\Dulvex\\Ranvel\\5.0")};
    CreateVersionHistory();
    EXPECT_EQ(VersionHistory->Keys(), keys);
    EXPECT_EQ(VersionHistory->GetCurrentKey(), kTavorin7);
    EXPECT_EQ(VersionHistory->ReadKey(), QString());

    // Each key alone is found; with several, the newest wins.
    for (qsizetype i = keys.size() - 1; i >= 0; --i) {
        MakeKeyWithValue(keys[i], QStringLiteral("Marker"), int(i));
        CreateVersionHistory();
        EXPECT_EQ(VersionHistory->ReadKey(), keys[i]);
        EXPECT_EQ(ReadSetting(QStringLiteral("Marker"), -1), int(i));
    }
}

TEST(VersionHistory, SettingsOfTheLastVersionAreReadAndWrittenToTheCurrentKey) {
    MakeKeyWithValue(kTavorin6, QStringLiteral("RefreshMins"), 10);
    MakeKeyWithValue(kTavorin6, QStringLiteral("OpenMostRecent"), 0);
    CreateVersionHistory();
    EXPECT_EQ(VersionHistory->ReadKey(), kTavorin6);

    // Start-up reads the old settings; the first write goes to the current key.
    const int refreshMins = ReadSetting(QStringLiteral("RefreshMins"), 5);
    EXPECT_EQ(refreshMins, 10);
    WriteSetting(QStringLiteral("RefreshMins"), refreshMins + 1);
    // From then on the current key is read, so what was written is what is read back.
    EXPECT_EQ(VersionHistory->ReadKey(), kTavorin7);
    EXPECT_EQ(ReadSetting(QStringLiteral("RefreshMins"), 5), 11);
    // Settings not written yet were carried over with the first write, not lost to their defaults.
    EXPECT_EQ(ReadSetting(QStringLiteral("OpenMostRecent"), 1), 0);
    // A later write does not copy again over what this version wrote.
    WriteSetting(QStringLiteral("OpenMostRecent"), 1);
    EXPECT_EQ(ReadSetting(QStringLiteral("RefreshMins"), 5), 11);

    TDvRegistry old;
    ASSERT_TRUE(old.OpenKeyReadOnly(kTavorin6));
    QStringList names;
    old.GetValueNames(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("RefreshMins"), QStringLiteral("OpenMostRecent")}));
    EXPECT_EQ(old.ReadInteger(QStringLiteral("RefreshMins")), 10);
    EXPECT_FALSE(old.HasSubKeys());
}

TEST(VersionHistory, WithoutAnyVersionKeyReadersGetDefaultsAndNothingTouchesTheRoot) {
    MakeKeyWithValue(QStringLiteral("\\Mail"), QStringLiteral("Port"), 99);  // must never be taken for a setting
    CreateVersionHistory();
    EXPECT_EQ(VersionHistory->ReadKey(), QString());
    TDvRegistry reg;
    EXPECT_FALSE(VersionHistory->OpenReadKey(reg, QStringLiteral("Mail")));
    EXPECT_EQ(reg.CurrentPath(), QString());
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("Port"), 25), 25);

    ASSERT_TRUE(VersionHistory->OpenWriteKey(reg, QStringLiteral("\\Mail\\")));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\Dulvex\\Tavorin\\7.0\\Mail"));

    // With no keys at all there is no current key, and writers open nothing.
    TApplicationVersionHistory empty;
    TDvRegistry writer;
    EXPECT_EQ(empty.GetCurrentKey(), QString());
    EXPECT_FALSE(empty.OpenWriteKey(writer));
    EXPECT_THROW(writer.WriteInteger(QStringLiteral("Stray"), 1), ERegistryException);
    writer.OpenKey(QStringLiteral("\\"), false);
    EXPECT_FALSE(writer.ValueExists(QStringLiteral("Stray")));
}
