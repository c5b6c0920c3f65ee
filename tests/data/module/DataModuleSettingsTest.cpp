// The data module keeps the per-user settings through the program's version keys.
#include "data/module/DataModule.h"
#include "platform/registry/Registry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

TEST(DataModuleSettings, ReadsTheOlderKeyAndWritesTheCurrentOne) {
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0"), true));
        reg.WriteBool(QStringLiteral("DisplayAs24Hour"), true);
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0\\LDAP\\Company"), true));
        reg.WriteString(QStringLiteral("Name"), QStringLiteral("Company"));
        reg.WriteString(QStringLiteral("Hostname"), QStringLiteral("ldap.example.org"));
    }
    CreateVersionHistory();
    TData data;
    data.LoadUserSettings();
    EXPECT_TRUE(data.DisplayAs24Hour);
    EXPECT_EQ(data.EMailSettings.Port, 25);
    ASSERT_EQ(data.LDAPServerList.Count(), 1);
    EXPECT_EQ(data.LDAPServerList.Servers(0)->Hostname, QStringLiteral("ldap.example.org"));
    data.LDAPServerList.Add()->ServerName = QStringLiteral("Added");

    data.DatabaseFileName = QStringLiteral("/srv/bookings/main.tvd");
    data.SaveUserSettings();
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0")));
    EXPECT_EQ(reg.ReadString(QStringLiteral("MRUDatabase")), QStringLiteral("/srv/bookings/main.tvd"));
    EXPECT_TRUE(reg.ReadBool(QStringLiteral("DisplayAs24Hour")));
    TDvLDAPServerList saved;
    ASSERT_TRUE(saved.LoadFromRegistry(QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0\\LDAP")));
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.Servers(0)->ServerName, QStringLiteral("Added"));
    EXPECT_EQ(saved.Servers(1)->Hostname, QStringLiteral("ldap.example.org"));
}
