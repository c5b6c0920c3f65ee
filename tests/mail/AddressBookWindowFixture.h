// The address book window over a real database file holding the AddressBook table, with a scripted modal
// runner, fake timers and, per test suite, a slapd directory on loopback.
#pragma once

#include "AddressBookTable.h"
#include "LdapTestServer.h"
#include "data/module/DataModule.h"
#include "mail/AddressBookForm.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TimerService.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>
#include <functional>
#include <memory>

namespace address_book_window_test {

// 11 December 2026, 14:30:15.
inline constexpr TDateTime kNow = 46367.0 + (14 * 3600 + 30 * 60 + 15) / 86400.0;

using testing_ldap::PersonLdif;

class AddressBookWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const QString ldif = PersonLdif(QStringLiteral("Ann"), QStringLiteral("Lee"),
                                        {{QStringLiteral("mail"), QStringLiteral("ann@corp.example")},
                                         {QStringLiteral("telephoneNumber"), QStringLiteral("555 0100")},
                                         {QStringLiteral("street"), QStringLiteral("1 Street Lane")},
                                         {QStringLiteral("postalAddress"), QStringLiteral("PO Box 7")},
                                         {QStringLiteral("o"), QStringLiteral("Corp")}}) +
                             PersonLdif(QStringLiteral("Bob"), QStringLiteral("Lee"),
                                        {{QStringLiteral("mail"), QStringLiteral("bob@corp.example")}});
        directory_ = std::make_unique<testing_ldap::LdapTestServer>(testing_ldap::LdapServerOptions{ldif});
    }
    static void TearDownTestSuite() { directory_.reset(); }

    AddressBookWindowTest() {
        CreateVersionHistory();
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("book.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(QString::fromLatin1(address_book_test::kAddressBookTable));
        data.AddressBook = std::make_unique<TAddressBook>();
        data.AddressBook->Connection = &connection;
    }

    // A card with the names, address and phone; Find's order is the display name's.
    void AddCard(const QString& first, const QString& last, const QString& email, const QString& phone = {},
                 const QString& company = {}) {
        TAddressBookCard card;
        card.FirstName = first;
        card.LastName = last;
        card.DisplayName = first + u' ' + last;
        card.EmailAddress = email;
        card.Phone = phone;
        card.Company = company;
        data.AddressBook->AddCard(card);
    }

    // A directory of the list pointing at the suite's slapd.
    TDvLDAPServer& AddDirectory(const QString& name) {
        TDvLDAPServer& server = *data.LDAPServerList.Add();
        server.ServerName = name;
        server.Hostname = QStringLiteral("127.0.0.1");
        server.Port = directory_->Port();
        server.Base = testing_ldap::kBase;
        return server;
    }

    // Shows the window modally and runs the action on it while it is shown; answers the modal result.
    int Run(const std::function<void(TAddressBookForm&)>& action) {
        runner->OnShown<TAddressBookForm>(QStringLiteral("AddressBookForm"), action);
        return window->ShowModal();
    }

    static std::vector<QString> Captions(const TListView& list);

    ui::ScopedFakeTimers timers{kNow};
    ui::ScopedScriptedRunner runner;
    TADOConnection connection;
    TData data;
    std::unique_ptr<TAddressBookForm> window = std::make_unique<TAddressBookForm>(data);
    static std::unique_ptr<testing_ldap::LdapTestServer> directory_;
};

}  // namespace address_book_window_test
