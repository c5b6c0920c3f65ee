// Directory searches against a real slapd: filters, entries and their attributes, limits and failures.
#include "LdapTestServer.h"
#include "SmtpTestServer.h"
#include "mail/core/DvLDAPSearchFilter.h"
#include "mail/core/DvLDAPServer.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using testing_ldap::LdapTestServer;
using testing_ldap::LdifLine;

QString PersonLdif(const QString& givenName, const QString& surname, const QList<std::pair<QString, QString>>& more) {
    const QString cn = givenName + u' ' + surname;
    QString ldif = LdifLine(QStringLiteral("dn"), QStringLiteral("cn=%1,%2").arg(cn, testing_ldap::kBase)) +
                   QStringLiteral("objectClass: inetOrgPerson\n") + LdifLine(QStringLiteral("cn"), cn) +
                   LdifLine(QStringLiteral("givenName"), givenName) + LdifLine(QStringLiteral("sn"), surname);
    for (const auto& [attribute, value] : more) ldif += LdifLine(attribute, value);
    return ldif + u'\n';
}

QString DirectoryLdif() {
    QString ldif = PersonLdif(QStringLiteral("John"), QStringLiteral("Smith"),
                              {{QStringLiteral("mail"), QStringLiteral("old@example.org")},
                               {QStringLiteral("mail"), QStringLiteral("john.smith@example.org")},
                               {QStringLiteral("telephoneNumber"), QStringLiteral("+1 555 0100")},
                               {QStringLiteral("facsimileTelephoneNumber"), QStringLiteral("+1 555 0199")},
                               {QStringLiteral("O"), QStringLiteral("Smith & Co")},
                               {QStringLiteral("displayName"), QStringLiteral("Johnny")},
                               {QStringLiteral("l"), QStringLiteral("Springfield")},
                               {QStringLiteral("labeledURI"), QStringLiteral("http://example.org/john")}});
    ldif += PersonLdif(QStringLiteral("Mary Ann"), QStringLiteral("Smith"), {});
    ldif += PersonLdif(QStringLiteral("Zoë"), QStringLiteral("Ångström"),
                       {{QStringLiteral("title"), QStringLiteral("Ingénieure")}});
    for (int i = 0; i < 300; ++i)
        ldif += PersonLdif(QStringLiteral("Filler"), QStringLiteral("Person%1").arg(i, 3, 10, QLatin1Char('0')), {});
    return ldif;
}

class LdapSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<LdapTestServer>(testing_ldap::LdapServerOptions{DirectoryLdif()});
    }
    static void TearDownTestSuite() { server_.reset(); }

    static void PointAt(TDvLDAPServer& directory, int port) {
        directory.Hostname = QStringLiteral("127.0.0.1");
        directory.Port = port;
        directory.Base = testing_ldap::kBase;
    }

    void SetUp() override { PointAt(directory, server_->Port()); }

    TDvLDAPServer directory;
    static std::unique_ptr<LdapTestServer> server_;
};

std::unique_ptr<LdapTestServer> LdapSearchTest::server_;

TEST(LdapFilterTest, NameSearchesBuildPrefixFilters) {
    const std::pair<const char*, const char*> cases[] = {
        {"Smith", "(|(cn=Smith*)(|(givenname=Smith*)(sn=Smith*)))"},
        {"John Smith", "(&(givenname=John*)(sn=Smith*))"},
        {"Mary Ann Smith", "(&(givenname=Mary Ann*)(sn=Smith*))"},
        {"John  Smith", "(&(givenname=John *)(sn=Smith*))"},
        {"a*(b)", "(|(cn=a*(b)*)(|(givenname=a*(b)*)(sn=a*(b)*)))"},
    };
    for (const auto& [typed, filter] : cases)
        EXPECT_EQ(TDvLDAPServer::NameFilter(QString::fromUtf8(typed)), QString::fromUtf8(filter)) << typed;
    EXPECT_EQ(TDvLDAPSearchFilter().GetFilter(true), QString());
}

TEST(LdapFilterTest, ErrorTexts) {
    EXPECT_EQ(LDAPErrorText(3), QStringLiteral("Time limit exceeded"));
    EXPECT_EQ(LDAPErrorText(91), QStringLiteral("Could not connect to server"));
    EXPECT_EQ(LDAPErrorText(32), QStringLiteral("LDAP error 32"));
}

TEST_F(LdapSearchTest, FindsEntriesWithTheirAttributesInLowerCaseAndTheLastValue) {
    ASSERT_EQ(directory.SearchName(QStringLiteral(" John Smith ")), 0);
    ASSERT_EQ(directory.Entries.Count(), 1);
    const TDvLDAPEntry& entry = directory.Entries.Items(0);
    EXPECT_EQ(entry.cn, QStringLiteral("John Smith"));
    EXPECT_EQ(entry.givenname, QStringLiteral("John"));
    EXPECT_EQ(entry.sn, QStringLiteral("Smith"));
    EXPECT_EQ(entry.mail, QStringLiteral("john.smith@example.org"));
    EXPECT_EQ(entry.telephonenumber, QStringLiteral("+1 555 0100"));
    EXPECT_EQ(entry.facsimiletelephonenumber, QStringLiteral("+1 555 0199"));
    EXPECT_EQ(entry.o, QStringLiteral("Smith & Co"));
    EXPECT_EQ(entry.displayname, QStringLiteral("Johnny"));
    EXPECT_EQ(entry.l, QStringLiteral("Springfield"));
    EXPECT_EQ(entry.labeleduri, QStringLiteral("http://example.org/john"));
    EXPECT_EQ(entry.title, QString());
    EXPECT_FALSE(directory.SizeLimitReached);

    // A one-word text matches the common, given or surname.
    ASSERT_EQ(directory.SearchName(QStringLiteral("Smith")), 0);
    EXPECT_EQ(directory.Entries.Count(), 2);
    ASSERT_EQ(directory.SearchName(QStringLiteral("Mary Ann Smith")), 0);
    ASSERT_EQ(directory.Entries.Count(), 1);
    EXPECT_EQ(directory.Entries.Items(0).givenname, QStringLiteral("Mary Ann"));

    // Nothing found is result 0 with no entries.
    EXPECT_EQ(directory.SearchName(QStringLiteral("Nobody")), 0);
    EXPECT_EQ(directory.Entries.Count(), 0);
}

TEST_F(LdapSearchTest, NonAsciiValuesAndSearchTextsRoundTrip) {
    for (const QString& typed : {QStringLiteral("Zoë"), QStringLiteral("Ångström"), QStringLiteral("Zoë Ång")}) {
        ASSERT_EQ(directory.SearchName(typed), 0) << typed.toStdString();
        ASSERT_EQ(directory.Entries.Count(), 1) << typed.toStdString();
        EXPECT_EQ(directory.Entries.Items(0).cn, QStringLiteral("Zoë Ångström"));
        EXPECT_EQ(directory.Entries.Items(0).title, QStringLiteral("Ingénieure"));
    }
}

TEST_F(LdapSearchTest, ASearchBeyondTheSizeLimitKeepsTheEntriesThatCame) {
    directory.SizeLimit = 100;
    EXPECT_EQ(directory.SearchName(QStringLiteral("Filler")), 0);
    EXPECT_EQ(directory.Entries.Count(), 100);
    EXPECT_TRUE(directory.SizeLimitReached);
    EXPECT_FALSE(directory.TimeLimitReached);

    // The next search starts afresh.
    EXPECT_EQ(directory.SearchName(QStringLiteral("John")), 0);
    EXPECT_FALSE(directory.SizeLimitReached);
}

TEST_F(LdapSearchTest, ABlankTextAsksNothingAndKeepsTheEntries) {
    ASSERT_EQ(directory.SearchName(QStringLiteral("John")), 0);
    ASSERT_EQ(directory.Entries.Count(), 1);
    // Pointed at a closed port, any call would answer 91.
    PointAt(directory, testing_smtp::FreePort());
    EXPECT_EQ(directory.SearchName(QString()), 0);
    EXPECT_EQ(directory.SearchName(QStringLiteral(" \t ")), 0);
    EXPECT_EQ(directory.Entries.Count(), 1);
}

TEST_F(LdapSearchTest, AClosedPortCannotBeConnectedTo) {
    ASSERT_EQ(directory.SearchName(QStringLiteral("John")), 0);
    PointAt(directory, testing_smtp::FreePort());
    const qint32 code = directory.SearchName(QStringLiteral("John"));
    EXPECT_EQ(code, 91);
    EXPECT_EQ(LDAPErrorText(code), QStringLiteral("Could not connect to server"));
    EXPECT_EQ(directory.Entries.Count(), 0);
}

TEST(LdapRefusingServerTest, ARefusedAnonymousBindGivesTheServersCode) {
    testing_ldap::LdapServerOptions options;
    options.ldif = PersonLdif(QStringLiteral("John"), QStringLiteral("Smith"), {});
    options.refuseAnonymousBind = true;
    const LdapTestServer server(options);
    TDvLDAPServer directory;
    directory.Hostname = QStringLiteral("127.0.0.1");
    directory.Port = server.Port();
    directory.Base = testing_ldap::kBase;
    const qint32 code = directory.SearchName(QStringLiteral("John"));
    EXPECT_EQ(code, 48);  // inappropriate authentication
    EXPECT_EQ(LDAPErrorText(code), QStringLiteral("LDAP error 48"));
    EXPECT_EQ(directory.Entries.Count(), 0);
}

}  // namespace
