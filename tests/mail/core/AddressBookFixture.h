// A real database file with the AddressBook table as the program's schema leaves it, and an address book on it.
#pragma once

#include "mail/core/AddressBook.h"
#include "platform/db/ADOConnection.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/ServiceSlot.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

namespace address_book_test {

inline constexpr const char* kAddressBookTable =
    "CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, FirstName TEXT(20), "
    "LastName TEXT(30), Nickname TEXT(20), DisplayName TEXT(50), Company TEXT(30), Department TEXT(30), "
    "Title TEXT(30), Address1 TEXT(30), Address2 TEXT(30), City TEXT(30), Prov TEXT(30), Postcode TEXT(10), "
    "Country TEXT(30), Phone TEXT(20), Fax TEXT(20), Id AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY)";

class AddressBookTest : public ::testing::Test {
protected:
    // 11 December 2026, 14:30:15.
    static constexpr TDateTime kNow = 46367.0 + (14 * 3600 + 30 * 60 + 15) / 86400.0;

    void SetUp() override {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("book.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(QString::fromLatin1(kAddressBookTable));
        book.Connection = &connection;
    }

    // A card with a display name and address; the other texts empty.
    static TAddressBookCard Card(const QString& displayName, const QString& address) {
        TAddressBookCard card;
        card.DisplayName = displayName;
        card.EmailAddress = address;
        return card;
    }

    QStringList FoundDisplayNames(const QString& text) {
        book.Find(text, TAddressBook::kFindAll);
        QStringList names;
        for (int i = 0; i < book.Cards.Count(); ++i) names << book.Cards.Items(i)->DisplayName;
        return names;
    }

    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(kNow)};
    TADOConnection connection;
    TAddressBook book;
};

}  // namespace address_book_test
