// The directory list in the per-user registry: the values' kinds, one subkey per name, loads that stop early.
#include "mail/core/DvLDAPServerList.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

namespace {

const QString kLdapKey = QStringLiteral("\\Software\\Tavorin\\Test\\LDAP");

TDvLDAPServer* AddServer(TDvLDAPServerList& list, const QString& name, const QString& host) {
    TDvLDAPServer* server = list.Add();
    server->ServerName = name;
    server->Hostname = host;
    return server;
}

TEST(LdapRegistryTest, ASavedServerReadsBackWithItsNumbersAsDwords) {
    TDvLDAPServerList saved;
    TDvLDAPServer* server = AddServer(saved, QStringLiteral("Company"), QStringLiteral("ldap.example.org"));
    server->Base = QStringLiteral("dc=example,dc=org");
    server->Port = 3389;
    server->Bind = QStringLiteral("cn=reader");
    server->SSL = true;
    server->SizeLimit = 25;
    ASSERT_TRUE(saved.SaveToRegistry(kLdapKey));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kLdapKey + QStringLiteral("\\Company")));
    QStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(names, (QStringList{"Name", "Hostname", "Base", "Port", "Bind", "SSL", "SizeLimit"}));
    for (const char* dword : {"Port", "SSL", "SizeLimit"}) EXPECT_EQ(reg.GetDataType(dword), rdInteger) << dword;
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Bind")), rdString);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("SSL")), 1);

    TDvLDAPServerList loaded;
    AddServer(loaded, QStringLiteral("Kept"), QStringLiteral("kept.example.org"));
    ASSERT_TRUE(loaded.LoadFromRegistry(kLdapKey));
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Servers(0)->ServerName, QStringLiteral("Kept"));
    const TDvLDAPServer& back = *loaded.Servers(1);
    EXPECT_EQ(back.ServerName, QStringLiteral("Company"));
    EXPECT_EQ(back.Hostname, QStringLiteral("ldap.example.org"));
    EXPECT_EQ(back.Base, QStringLiteral("dc=example,dc=org"));
    EXPECT_EQ(back.Port, 3389);
    EXPECT_EQ(back.Bind, QStringLiteral("cn=reader"));
    EXPECT_TRUE(back.SSL);
    EXPECT_EQ(back.SizeLimit, 25);
}

TEST(LdapRegistryTest, ServersOfOneNameShareASubkeyAndClearingRemovesDeletedServers) {
    TDvLDAPServerList list;
    AddServer(list, QStringLiteral("Old"), QStringLiteral("old.example.org"));
    ASSERT_TRUE(list.SaveToRegistry(kLdapKey));
    list.Delete(0);
    AddServer(list, QStringLiteral("Twin"), QStringLiteral("first.example.org"));
    AddServer(list, QStringLiteral("Twin"), QStringLiteral("second.example.org"));
    EXPECT_EQ(list.IndexOf(list.Servers(1)), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    ASSERT_TRUE(list.ClearRegistry(kLdapKey));
    ASSERT_TRUE(list.SaveToRegistry(kLdapKey));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kLdapKey));
    QStringList subkeys;
    reg.GetKeyNames(subkeys);
    EXPECT_EQ(subkeys, QStringList{QStringLiteral("Twin")});
    TDvLDAPServerList loaded;
    ASSERT_TRUE(loaded.LoadFromRegistry(kLdapKey));
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Servers(0)->Hostname, QStringLiteral("second.example.org"));
}

TEST(LdapRegistryTest, AMissingOrMistypedValueStopsThatServersLoad) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kLdapKey + QStringLiteral("\\Mistyped"), true));
        reg.WriteString(QStringLiteral("Name"), QStringLiteral("Mistyped"));
        reg.WriteString(QStringLiteral("Hostname"), QStringLiteral("m.example.org"));
        reg.WriteString(QStringLiteral("Port"), QStringLiteral("636"));
        reg.WriteString(QStringLiteral("Bind"), QStringLiteral("cn=x"));
        reg.WriteBool(QStringLiteral("SSL"), true);
        reg.WriteInteger(QStringLiteral("SizeLimit"), 7);
        ASSERT_TRUE(reg.OpenKey(kLdapKey + QStringLiteral("\\NoPort"), true));
        reg.WriteString(QStringLiteral("Name"), QStringLiteral("NoPort"));
        reg.WriteInteger(QStringLiteral("SizeLimit"), 7);
    }
    TDvLDAPServerList loaded;
    ASSERT_TRUE(loaded.LoadFromRegistry(kLdapKey));
    ASSERT_EQ(loaded.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TDvLDAPServer& server = *loaded.Servers(i);
        EXPECT_EQ(server.Port, 389) << i;
        EXPECT_EQ(server.Bind, QString()) << i;
        EXPECT_FALSE(server.SSL) << i;
        EXPECT_EQ(server.SizeLimit, 100) << i;
    }
    EXPECT_EQ(loaded.Servers(0)->Hostname, QStringLiteral("m.example.org"));
    EXPECT_EQ(loaded.Servers(1)->ServerName, QStringLiteral("NoPort"));
}

}  // namespace
