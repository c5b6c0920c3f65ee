// The address book's search over 100,000 cards, beside the same SELECT stepped on the raw engine: what the
// dataset layer costs on top of the engine for a whole result read into cards. Arguments: "" lists every card,
// "an" about a tenth of them.
#include "mail/core/AddressBook.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "support/AddressBookCards.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kCards = 100000;

QString FindStatement(const QString& text) {
    const QString pattern = u'"' + text + QStringLiteral("%\"");
    return QStringLiteral(
               "select * from [AddressBook] where ([AddressBook].DisplayName like %1) "
               "or ([AddressBook].EmailAddress like %1) or ([AddressBook].LastName like %1) "
               "or ([AddressBook].NickName like %1) order by DisplayName,EmailAddress,LastName,NickName")
        .arg(pattern);
}

void BM_AddressBookFind(benchmark::State& state, const char* text) {
    TADOConnection connection;
    connection.ConnectionString =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(address_book_cards::Database(kCards));
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
    const sql::Connection connection(sql::ConnectOptions{address_book_cards::Database(kCards), {}});
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
