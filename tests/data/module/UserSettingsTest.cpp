// Per-user settings through the version keys, and the time helpers of the views.
#include "data/layout/ViewTimes.h"
#include "data/module/UserSettings.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

const QString kKey7 = QStringLiteral("\\Software\\Test\\7.0");
const QString kKey6 = QStringLiteral("\\Software\\Test\\6.0");

TApplicationVersionHistory History() {
    TApplicationVersionHistory history;
    history.Keys() << kKey7 << kKey6;
    history.FindExistingKey();
    return history;
}

TDvRegistry OpenKey(const QString& key) {
    TDvRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_TRUE(reg.OpenKey(key, true));
    return reg;
}

}  // namespace

TEST(UserSettings, OnlyTheOlderKeyIsReadAndTheCurrentOneWrittenWithTheKindsAndDefaults) {
    {
        TDvRegistry reg = OpenKey(kKey6);
        reg.WriteInteger(QStringLiteral("CheckReminders"), 0);
        reg.WriteInteger(QStringLiteral("DisplayAs24Hour"), 1);
        reg.WriteString(QStringLiteral("AlwaysShowEndDate"), QStringLiteral("wrong kind"));
    }
    {
        TDvRegistry reg = OpenKey(kKey6 + QStringLiteral("\\Mail"));
        reg.WriteString(QStringLiteral("Host"), QStringLiteral("mail.example.org"));
        reg.WriteInteger(QStringLiteral("Port"), 2525);
        reg.WriteString(QStringLiteral("AuthType"), QStringLiteral("NONE"));
        reg.WriteInteger(QStringLiteral("AllowPlainTextPassword"), 1);
        reg.WriteInteger(QStringLiteral("UseMAPI"), 0);
        // Stored crossed: this one holds whether the own address book is listed.
        reg.WriteInteger(QStringLiteral("UseMAPIAB"), 0);
    }
    const TApplicationVersionHistory history = History();
    TUserSettings settings;
    settings.LoadUserSettings(history);
    EXPECT_FALSE(settings.CheckReminders);
    EXPECT_TRUE(settings.DisplayAs24Hour);
    EXPECT_FALSE(settings.AlwaysShowEndDate);
    EXPECT_FALSE(settings.UseMAPI);
    EXPECT_FALSE(settings.ShowInternalAddressBook);
    EXPECT_TRUE(settings.ShowMapiAddressBook);
    EXPECT_EQ(settings.EMailSettings.Host, QStringLiteral("mail.example.org"));
    EXPECT_EQ(settings.EMailSettings.Port, 2525);
    EXPECT_FALSE(settings.EMailSettings.AuthType);
    EXPECT_TRUE(settings.EMailSettings.AllowPlainTextPassword);

    settings.SaveUserSettings(history, QStringLiteral("/data/rooms.tvd"));
    TDvRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey7));
    EXPECT_EQ(reg.ReadString(QStringLiteral("MRUDatabase")), QStringLiteral("/data/rooms.tvd"));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("CheckReminders")), rdInteger);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("CheckReminders")), 0);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("AlwaysShowEndDate")), rdInteger);
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey7 + QStringLiteral("\\Mail")));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Port")), rdInteger);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Port")), 2525);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AuthType")), QStringLiteral("none"));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("AllowPlainTextPassword")), 1);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("BCCSender")), rdInteger);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Signature")), rdString);
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("Password")));
}

TEST(UserSettings, WithoutAnyKeyEveryValueHasItsDefaultAndTheFirstSaveWritesThem) {
    const TApplicationVersionHistory history = History();
    TUserSettings settings;
    settings.CheckReminders = false;
    settings.LoadUserSettings(history);
    EXPECT_TRUE(settings.CheckReminders);
    EXPECT_TRUE(settings.UseMAPI);
    EXPECT_EQ(settings.EMailSettings.Port, 25);
    EXPECT_TRUE(settings.EMailSettings.AuthType);
    EXPECT_FALSE(settings.EMailSettings.AllowPlainTextPassword);
    EXPECT_FALSE(settings.EMailSettings.ReturnReceipt);

    settings.SaveUserSettings(history, QString());
    TDvRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey7 + QStringLiteral("\\Mail")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Port")), 25);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AuthType")), QStringLiteral("default"));
}

TEST(UserSettings, AuthTypeIsNoneOnlyForTheWordNone) {
    const std::pair<QString, bool> cases[] = {{QStringLiteral("none"), false},
                                              {QStringLiteral("NoNe"), false},
                                              {QString(), true},
                                              {QStringLiteral("default"), true},
                                              {QStringLiteral("anything"), true}};
    for (const auto& [text, expected] : cases) {
        OpenKey(kKey7 + QStringLiteral("\\Mail")).WriteString(QStringLiteral("AuthType"), text);
        TUserSettings settings;
        settings.LoadUserSettings(History());
        EXPECT_EQ(settings.EMailSettings.AuthType, expected) << text.toStdString();
    }
}

TEST(UserSettings, SmtpIsConfiguredWithHostAndSenderAddress) {
    TUserSettings settings;
    settings.EMailSettings.Host = QStringLiteral("mail.example.org");
    settings.EMailSettings.SenderAddress = QStringLiteral("  ");
    EXPECT_FALSE(settings.IsSmtpConfigured());
    settings.EMailSettings.SenderAddress = QStringLiteral("desk@example.org");
    EXPECT_TRUE(settings.IsSmtpConfigured());
    EXPECT_TRUE(settings.SmtpConfigured);
}

TEST(ViewTimes, MinutesAndTimesOfDay) {
    EXPECT_NEAR(MinutesToTime(90), EncodeTime(1, 30, 0, 0), 1e-9);
    EXPECT_EQ(TimeToMinutes(EncodeTime(13, 45, 59, 0)), 825);
    EXPECT_TRUE(IsValidTime(EncodeTime(23, 59, 59, 999)));
    EXPECT_FALSE(IsValidTime(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsValidTime(1e300));
}

TEST(ViewTimes, ClampMinutesIncrement) {
    const std::pair<int, int> cases[] = {{0, 30}, {-5, 30}, {1440, 720}, {721, 720}, {720, 720}, {15, 15}};
    for (auto [in, out] : cases) {
        int minutes = in;
        EXPECT_EQ(ClampMinutesIncrement(minutes), in == out) << in;
        EXPECT_EQ(minutes, out) << in;
    }
}

TEST(ViewTimes, NormalizeViewTimesRepairsTheOrder) {
    auto t = [](int h, int m) { return EncodeTime(h, m, 0, 0); };
    struct Case {
        TDateTime s, e, i;
        int rowMinutes;
        TDateTime expectS, expectE, expectI;
        bool result;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {t(8, 0), t(17, 0), t(9, 0), 30, t(8, 0), t(17, 0), t(9, 0), true},
        {t(23, 30), t(23, 0), t(23, 0), 60, t(22, 30), t(23, 30), t(23, 0), true},
        {t(23, 30), t(23, 0), t(23, 30), 60, t(22, 30), t(23, 30), t(22, 30), false},
        {t(10, 0), t(9, 0), t(10, 0), 60, t(10, 0), t(11, 0), t(10, 0), true},
        {t(12, 0), t(12, 0), t(9, 0), 1000, 0.0, t(18, 0), t(9, 0), true},
        {nan, t(17, 0), t(20, 0), 30, t(7, 0), t(17, 0), t(7, 0), false},
    };
    for (const Case& c : cases) {
        TDateTime s = c.s, e = c.e, i = c.i;
        EXPECT_EQ(NormalizeViewTimes(s, e, i, c.rowMinutes, t(7, 0), t(18, 0), t(8, 0)), c.result);
        EXPECT_NEAR(s, c.expectS, 1e-9);
        EXPECT_NEAR(e, c.expectE, 1e-9);
        EXPECT_NEAR(i, c.expectI, 1e-9);
    }
}
