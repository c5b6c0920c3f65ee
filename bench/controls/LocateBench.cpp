// Locating a value in a 100,000-row table: through the locate dialog's search (its First button, and the
// search routine it runs) against the engine's own indexed lookup of the same value, in the same run.
// Also searching on (Next) from the first record to one far down.
#include "controls/edit/WwLocate.h"
#include "controls/edit/WwLocateDlg.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ModalRunner.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kRows = 100000;
const QString kWanted = QStringLiteral("Client 73123");

TADOConnection& Fixture() {
    static QTemporaryDir dir;
    static TADOConnection connection;
    if (connection.Connected()) return connection;
    const QString path = QDir(dir.path()).filePath("locate.tvd");
    sql::Connection::CreateDatabase({path, {}});
    connection.ConnectionString = "Data Source=" + path;
    connection.LoginPrompt = false;
    connection.Open();
    connection.Execute(
        "CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, Client TEXT(30) NOT NULL, Notes MEMO)");
    connection.Execute("CREATE INDEX ClientIndex ON Bookings (Client)");
    sql::Connection& engine = connection.Engine();
    engine.BeginTransaction();
    const auto insert = engine.Prepare("INSERT INTO Bookings VALUES (:Id, :Client, 'n')");
    for (int i = 0; i < kRows; ++i) {
        insert->Reset();
        insert->Bind(0, i);
        insert->Bind(1, QStringLiteral("Client %1").arg(i));
        insert->Step();
    }
    engine.CommitTransaction();
    return connection;
}

struct OpenTable {
    TADOTable table;
    TDataSource source;
    OpenTable() {
        table.SetConnection(&Fixture());
        table.TableName = "Bookings";
        table.Open();
        source.SetDataSet(&table);
    }
};

// The raw engine: the index answers the row for the value.
void EngineIndexedLookup(benchmark::State& state) {
    const auto lookup = Fixture().Engine().Prepare("SELECT BookingId FROM Bookings WHERE Client = :Client");
    for (auto _ : state) {
        lookup->Reset();
        lookup->Bind(0, kWanted);
        if (!lookup->Step()) state.SkipWithError("not found");
        benchmark::DoNotOptimize(lookup->Value(0));
    }
}
BENCHMARK(EngineIndexedLookup)->Unit(benchmark::kMicrosecond);

// The dataset's own Locate, which the search asks.
void DataSetLocate(benchmark::State& state) {
    OpenTable open;
    for (auto _ : state) {
        open.table.First();
        if (!open.table.Locate("Client", kWanted, {loCaseInsensitive})) state.SkipWithError("not found");
    }
}
BENCHMARK(DataSetLocate)->Unit(benchmark::kMicrosecond);

// The search the dialog's First runs, by kind of match: 0 exact, 1 start.
void SearchFirst(benchmark::State& state) {
    OpenTable open;
    const auto matchType = static_cast<TwwLocateMatchType>(state.range(0));
    for (auto _ : state) {
        open.table.First();
        if (!SearchFieldValue(true, open.table, "Client", kWanted, matchType, false, false))
            state.SkipWithError("not found");
    }
}
BENCHMARK(SearchFirst)->Arg(mtExactMatch)->Arg(mtPartialMatchStart)->Unit(benchmark::kMicrosecond);

// The whole dialog: shown through the modal runner, the value typed, First pressed, closed on the match.
void DialogFirst(benchmark::State& state) {
    OpenTable open;
    ui::ScopedScriptedRunner runner;
    TwwLocateDialog dialog;
    dialog.SetDataSource(&open.source);
    dialog.SearchField = "Client";
    dialog.MatchType = mtExactMatch;
    for (auto _ : state) {
        open.table.First();
        runner->OnShown<TwwLocateDlg>("wwLocateDlg", [](TwwLocateDlg& window) {
            window.SearchValue->SetText(kWanted);
            window.FirstButton->click();
        });
        if (!dialog.Execute()) state.SkipWithError("not found");
    }
}
BENCHMARK(DialogFirst)->Unit(benchmark::kMillisecond);

// Next from the first record to the match far down, by kind of match: an exact or start match is asked of
// the engine (0, 1); a match anywhere in the text reads the records after the current one in turn (2).
void SearchNext(benchmark::State& state) {
    OpenTable open;
    const auto matchType = static_cast<TwwLocateMatchType>(state.range(0));
    for (auto _ : state) {
        open.table.First();
        if (!SearchFieldValue(false, open.table, "Client", kWanted, matchType, false, false))
            state.SkipWithError("not found");
    }
}
BENCHMARK(SearchNext)
    ->Arg(mtExactMatch)
    ->Arg(mtPartialMatchStart)
    ->Arg(mtPartialMatchAny)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
