#include "support/AddressBookCards.h"

#include "platform/sql/Connection.h"

#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <map>

namespace address_book_cards {

namespace {

const std::array<const char*, 10> kFirstNames{"Ann",  "Bob",  "Carl", "Dora", "Eve",
                                              "Fred", "Gina", "Hugo", "Iris", "Jon"};
const std::array<const char*, 10> kLastNames{"Berg", "Cole", "Dahl", "Egan", "Ford",
                                             "Gray", "Hart", "Iles", "Jude", "Kerr"};

void MakeCardDatabase(const QString& path, int count) {
    sql::Connection::CreateDatabase({path, {}});
    sql::Connection connection(sql::ConnectOptions{path, {}});
    connection.Execute(
        "CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, FirstName TEXT(20), "
        "LastName TEXT(30), Nickname TEXT(20), DisplayName TEXT(50), Company TEXT(30), Department TEXT(30), "
        "Title TEXT(30), Address1 TEXT(30), Address2 TEXT(30), City TEXT(30), Prov TEXT(30), Postcode TEXT(10), "
        "Country TEXT(30), Phone TEXT(20), Fax TEXT(20), Id AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY)");
    connection.BeginTransaction();
    const auto insert = connection.Prepare(
        "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName, LastName, DisplayName, Company, Phone) "
        "VALUES (:Mail, 46000, :First, :Last, :Display, 'Example', '555-0100')");
    for (int i = 0; i < count; ++i) {
        const QString first = QLatin1String(kFirstNames.at(i % 10));
        const QString last = QLatin1String(kLastNames.at(i / 10 % 10));
        insert->Reset();
        insert->Bind(0, QStringLiteral("%1.%2%3@example.org").arg(first.toLower(), last.toLower()).arg(i));
        insert->Bind(1, first);
        insert->Bind(2, last);
        insert->Bind(3, QString(first + u' ' + last));
        insert->Step();
    }
    connection.CommitTransaction();
}

}  // namespace

QString Database(int count) {
    static QTemporaryDir dir;
    static std::map<int, QString> made;
    if (const auto found = made.find(count); found != made.end()) return found->second;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("book-%1.tvd").arg(count));
    MakeCardDatabase(path, count);
    return made[count] = path;
}

}  // namespace address_book_cards
