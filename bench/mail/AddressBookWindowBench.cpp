// The address book window's search of its own source over 10,000 cards: Find, the list refilled with one row a
// card, the first row selected and its card shown, beside Find alone on the same file. Arguments: "" lists every
// card, "an" about a tenth of them.
#include "data/module/DataModule.h"
#include "mail/AddressBookForm.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ListView.h"
#include "support/AddressBookCards.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 10000;

void OpenBook(TData& data, TADOConnection& connection) {
    connection.ConnectionString =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(address_book_cards::Database(kCards));
    connection.LoginPrompt = false;
    connection.Open();
    data.AddressBook = std::make_unique<TAddressBook>();
    data.AddressBook->Connection = &connection;
}

void BM_WindowSearchOwnSource(benchmark::State& state, const char* text) {
    TADOConnection connection;
    TData data;
    OpenBook(data, connection);
    TAddressBookForm window(data);
    window.RefillSources();
    window.AddressBookListView->Item(0).SetSelected(true);
    window.SearchEdit->SetText(QString::fromLatin1(text));
    for (auto _ : state) window.SearchSource();
    state.counters["rows"] = window.CardListView->ItemCount();
}
BENCHMARK_CAPTURE(BM_WindowSearchOwnSource, all, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowSearchOwnSource, an, "an")->Unit(benchmark::kMillisecond);

void BM_FindAlone(benchmark::State& state, const char* text) {
    TADOConnection connection;
    TData data;
    OpenBook(data, connection);
    for (auto _ : state)
        state.counters["cards"] = data.AddressBook->Find(QString::fromLatin1(text), TAddressBook::kFindAll);
}
BENCHMARK_CAPTURE(BM_FindAlone, all, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindAlone, an, "an")->Unit(benchmark::kMillisecond);

}  // namespace
