// Typing a two-letter prefix into a dropped-down lookup combo over a 100,000-row lookup table (the keys, the
// search after the pause and the list following the found record), against the engine's own indexed prefix
// lookup of the first name with that prefix, in the same run. The aim: at most three times the engine's figure.
#include "controls/grid/Wwdblook.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/TimerService.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr int kRows = 100000;
const QString kPrefix = QStringLiteral("ro");

// Names "<two letters> <number>", the letter pairs spread evenly over the table.
QString NameOf(int i) {
    const int pair = i % 676;
    return QString(QChar(u'a' + pair / 26)).toUpper() + QChar(u'a' + pair % 26) + QStringLiteral(" %1").arg(i);
}

TADOConnection& Fixture() {
    static QTemporaryDir dir;
    static TADOConnection connection;
    if (connection.Connected()) return connection;
    const QString path = QDir(dir.path()).filePath("lookup.tvd");
    sql::Connection::CreateDatabase({path, {}});
    connection.ConnectionString = "Data Source=" + path;
    connection.LoginPrompt = false;
    connection.Open();
    connection.Execute(
        "CREATE TABLE Resources (ResourceId INTEGER NOT NULL PRIMARY KEY, ResourceName TEXT(25) NOT NULL)");
    connection.Execute("CREATE INDEX ResourceNameIndex ON Resources (ResourceName)");
    sql::Connection& engine = connection.Engine();
    engine.BeginTransaction();
    const auto insert = engine.Prepare("INSERT INTO Resources VALUES (:Id, :Name)");
    for (int i = 0; i < kRows; ++i) {
        insert->Reset();
        insert->Bind(0, i);
        insert->Bind(1, NameOf(i));
        insert->Step();
    }
    engine.CommitTransaction();
    return connection;
}

// The raw engine: the name index answers the first name at or after the prefix.
void EnginePrefixLookup(benchmark::State& state) {
    const auto lookup = Fixture().Engine().Prepare(
        "SELECT ResourceId, ResourceName FROM Resources WHERE ResourceName >= :Prefix ORDER BY ResourceName LIMIT 1");
    for (auto _ : state) {
        lookup->Reset();
        lookup->Bind(0, kPrefix);
        if (!lookup->Step() || !lookup->Value(1).toString().startsWith(kPrefix, Qt::CaseInsensitive))
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(lookup->Value(0));
    }
}
BENCHMARK(EnginePrefixLookup)->Unit(benchmark::kMicrosecond);

// The combo as the booking window sets it up, dropped down; each iteration types the two letters into an
// emptied text and lets the search delay pass. Arg 1 searches; arg 0 has the search switched off and so
// measures the keys alone.
void ComboTypesPrefix(benchmark::State& state) {
    ui::ScopedFakeTimers timers;
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Resources";
    table.IndexName = "ResourceNameIndex";
    QWidget window;
    window.resize(300, 300);
    auto* combo = new TwwDBLookupCombo(&window);
    combo->setGeometry(10, 10, 200, 25);
    combo->SetLookupTable(&table);
    combo->SetLookupField("ResourceName");
    combo->Style = csDropDownList;
    combo->SetOptions({loTitles});
    combo->OnBeforeDropDown = [&table](QObject*) { table.Open(); };
    if (state.range(0) == 0) combo->SeqSearchOptions = {};
    combo->Loaded();
    window.show();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    if (!combo->IsDroppedDown()) state.SkipWithError("the list did not drop down");
    for (auto _ : state) {
        combo->setText(QString());
        QTest::keyClicks(combo, kPrefix);
        timers.Advance(200);
        const bool searched = state.range(0) == 1;
        if (searched && (!combo->FoundFlag() || !combo->GetLookupValue().startsWith(kPrefix, Qt::CaseInsensitive)))
            state.SkipWithError("not found");
    }
}
BENCHMARK(ComboTypesPrefix)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The dataset's own Locate that the search asks, for the share of the keys and the list in the figure above.
void DataSetPrefixLocate(benchmark::State& state) {
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Resources";
    table.IndexName = "ResourceNameIndex";
    table.Open();
    for (auto _ : state) {
        table.First();
        if (!table.Locate("ResourceName", kPrefix, {loCaseInsensitive, loPartialKey})) state.SkipWithError("not found");
    }
}
BENCHMARK(DataSetPrefixLocate)->Unit(benchmark::kMicrosecond);

}  // namespace
