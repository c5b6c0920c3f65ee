// The booking search over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain file:
// TFindForm's Find end to end (statement built, parameters bound, rows read and listed) for one client exactly
// (200 bookings) and for a client's text anywhere (about 2,200 bookings), beside the same statements stepped
// raw through the engine. No speed target: a text criterion reads every booking, and a search should take a
// fraction of a second on this file.
#include "booking/FindForm.h"
#include "data/module/DataModule.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>

namespace {

// The exact client and the text found anywhere ("client 123" is in client 123, 1230 to 1239 and 1123 ...).
const QString kTexts[] = {QStringLiteral("client 1234"), QStringLiteral("client 123")};
const char* const kMatches[] = {"Exact match", "Match anywhere"};

void FindForm(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    TFindForm form(nullptr, million_bookings::OpenedCopy(false));
    form.FieldEdits[0]->SetText(kTexts[kind]);
    form.MatchComboBoxes[0]->SetItemIndex(
        form.MatchComboBoxes[0]->Items().IndexOf(QString::fromLatin1(kMatches[kind])));
    for (auto _ : state) form.FindButton->Click();
    state.counters["rows"] = form.BookingList->ItemCount();
}

// Arg 0/1: the statement as the search builds it (the client's column under a unary plus); arg 2: the exact match
// without the plus, which SQLite 3.15 answers by walking Bookings through its (ResourceId, BookingStart) index.
void RawEngine(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0)) % 2;
    const bool plus = state.range(0) < 2;
    const sql::Connection& connection = million_bookings::OpenedCopy(false).ADOConnection.Engine();
    const auto statement = connection.Native().Prepare(
        QStringLiteral(
            "SELECT r.ResourceName, b.BookingId, b.BookingStart, b.BookingEnd, b.Client, b.Description, b.Notes, "
            "b.Reminder FROM Resources r, Bookings b WHERE r.ResourceId = b.ResourceId AND %1b.Client %2 ? "
            "ORDER BY b.BookingStart")
            .arg(plus && kind == 0 ? QStringLiteral("+") : QString(),
                 kind == 0 ? QStringLiteral("=") : QStringLiteral("LIKE")));
    int rows = 0;
    for (auto _ : state) {
        statement->Reset();
        statement->Bind(0, kind == 0 ? kTexts[0] : QLatin1Char('%') + kTexts[1] + QLatin1Char('%'));
        rows = 0;
        while (statement->Step()) {
            for (int col = 0; col < 8; ++col) benchmark::DoNotOptimize(statement->Value(col));
            ++rows;
        }
    }
    state.counters["rows"] = rows;
}

BENCHMARK(FindForm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawEngine)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
