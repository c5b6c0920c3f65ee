// The address book's search over 100,000 cards, beside the same SELECT stepped on the raw engine: what the
// dataset layer costs on top of the engine for a whole result read into cards. Arguments: "" lists every card,
// "an" about a tenth of them.
#include "mail/core/AddressBook.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <memory>

namespace {

constexpr int kCards = 100000;

const std::array<const char*, 10> kFirstNames{"Ann",  "Bob",  "Carl", "Dora", "Eve",
                                              "Fred", "Gina", "Hugo", "Iris", "Jon"};
const std::array<const char*, 10> kLastNames{"Berg", "Cole", "Dahl", "Egan", "Ford",
                                             "Gray", "Hart", "Iles", "Jude", "Kerr"};

QString DatabasePath() {
    static QTemporaryDir dir;
    return QDir(dir.path()).filePath(QStringLiteral("book.tvd"));
}

void MakeDatabase() {
    static bool made = false;
    if (made) return;
    made = true;
    sql::Connection::CreateDatabase({DatabasePath(), {}});
    sql::Connection connection(sql::ConnectOptions{DatabasePath(), {}});
    connection.Execute(
        "CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, FirstName TEXT(20), "
        "LastName TEXT(30), Nickname TEXT(20), DisplayName TEXT(50), Company TEXT(30), Department TEXT(30), "
        "Title TEXT(30), Address1 TEXT(30), Address2 TEXT(30), City TEXT(30), Prov TEXT(30), Postcode TEXT(10), "
        "Country TEXT(30), Phone TEXT(20), Fax TEXT(20), Id AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY)");
    connection.BeginTransaction();
    const auto insert = connection.Prepare(
        "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName, LastName, DisplayName, Company, Phone) "
        "VALUES (:Mail, 46000, :First, :Last, :Display, 'Example', '555-0100')");
    for (int i = 0; i < kCards; ++i) {
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

QString FindStatement(const QString& text) {
    const QString pattern = u'"' + text + QStringLiteral("%\"");
    return QStringLiteral(
               "select * from [AddressBook] where ([AddressBook].DisplayName like %1) "
               "or ([AddressBook].EmailAddress like %1) or ([AddressBook].LastName like %1) "
               "or ([AddressBook].NickName like %1) order by DisplayName,EmailAddress,LastName,NickName")
        .arg(pattern);
}

void BM_AddressBookFind(benchmark::State& state, const char* text) {
    MakeDatabase();
    TADOConnection connection;
    connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(DatabasePath());
    connection.LoginPrompt = false;
    connection.Open();
    TAddressBook book;
    book.Connection = &connection;
    for (auto _ : state) state.counters["cards"] = book.Find(QString::fromLatin1(text), TAddressBook::kFindAll);
}
BENCHMARK_CAPTURE(BM_AddressBookFind, all, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AddressBookFind, an, "an")->Unit(benchmark::kMillisecond);

// Every column of every row read as the address book reads it, without datasets.
void BM_RawEngineSelect(benchmark::State& state, const char* text) {
    MakeDatabase();
    const sql::Connection connection(sql::ConnectOptions{DatabasePath(), {}});
    const auto select = connection.Prepare(FindStatement(QString::fromLatin1(text)));
    for (auto _ : state) {
        select->Reset();
        int rows = 0;
        for (; select->Step(); ++rows)
            for (int column = 0; column < 18; ++column) benchmark::DoNotOptimize(select->Value(column));
        state.counters["cards"] = rows;
    }
}
BENCHMARK_CAPTURE(BM_RawEngineSelect, all, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RawEngineSelect, an, "an")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
