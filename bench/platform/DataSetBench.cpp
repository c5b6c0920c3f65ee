// Datasets over a 100,000-row Bookings-like table: opening it (in stored and in index order), walking every
// row, filtering it and locating, against the aim that opening a week of bookings stays well under 100 ms.
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/sql/Connection.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kBookings = 100000;

TADOConnection& Fixture() {
    static QTemporaryDir dir;
    static TADOConnection connection;
    if (connection.Connected()) return connection;
    const QString path = QDir(dir.path()).filePath("bench.tvd");
    sql::Connection::CreateDatabase({path, {}});
    connection.ConnectionString = "Data Source=" + path;
    connection.Open();
    connection.Execute(
        "CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, ResourceId INTEGER NOT NULL, "
        "BookingStart DATETIME NOT NULL, BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL, "
        "Notes MEMO)");
    connection.Execute("CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)");
    sql::Connection& engine = connection.Engine();
    engine.BeginTransaction();
    const auto insert = engine.Prepare("INSERT INTO Bookings VALUES (:Id, :Resource, :Start, :End, :Client, 'n')");
    for (int i = 0; i < kBookings; ++i) {
        const double start = 45000 + i / 200 + (8 + i % 10) / 24.0;
        insert->Reset();
        insert->Bind(0, i);
        insert->Bind(1, i % 200);
        insert->Bind(2, start);
        insert->Bind(3, start + 1 / 24.0);
        insert->Bind(4, QStringLiteral("Client %1").arg(i));
        insert->Step();
    }
    engine.CommitTransaction();
    return connection;
}

void OpenTable(benchmark::State& state) {
    TADOConnection& connection = Fixture();
    for (auto _ : state) {
        TADOTable table;
        table.SetConnection(&connection);
        table.TableName = "Bookings";
        table.Open();
        benchmark::DoNotOptimize(table.RecordCount());
    }
}
BENCHMARK(OpenTable)->Unit(benchmark::kMillisecond);

// The data module's way: the whole table in the order of an index.
void OpenTableInIndexOrder(benchmark::State& state) {
    TADOConnection& connection = Fixture();
    for (auto _ : state) {
        TADOTable table;
        table.SetConnection(&connection);
        table.TableName = "Bookings";
        table.IndexName = "StartDateTime";
        table.Open();
        benchmark::DoNotOptimize(table.FieldByName("Client").AsString());
    }
}
BENCHMARK(OpenTableInIndexOrder)->Unit(benchmark::kMillisecond);

void WalkTable(benchmark::State& state) {
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Bookings";
    table.Open();
    for (auto _ : state) {
        qint64 sum = 0;
        for (table.First(); !table.Eof(); table.Next()) sum += table.FieldByName("ResourceId").AsInteger();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(WalkTable)->Unit(benchmark::kMillisecond);

// Filtering every row of the table through a filter text with two terms.
void FilterTable(benchmark::State& state) {
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Bookings";
    table.Open();
    table.SetFilter("ResourceId = 7 OR Client = 'Client 99'");
    for (auto _ : state) {
        table.SetFiltered(true);
        benchmark::DoNotOptimize(table.RecordCount());
        table.SetFiltered(false);
    }
}
BENCHMARK(FilterTable)->Unit(benchmark::kMillisecond);

void LocateByKey(benchmark::State& state) {
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Bookings";
    table.Open();
    int key = 0;
    for (auto _ : state) {
        key = (key + 7919) % kBookings;
        benchmark::DoNotOptimize(table.Locate("BookingId", key));
    }
}
BENCHMARK(LocateByKey)->Unit(benchmark::kMillisecond);

// A client name's start, without case, in index order: the engine reads the column (it has no index).
void LocateClientPrefixInIndexOrder(benchmark::State& state) {
    TADOTable table;
    table.SetConnection(&Fixture());
    table.TableName = "Bookings";
    table.IndexName = "StartDateTime";
    table.Open();
    int key = 0;
    for (auto _ : state) {
        key = (key + 7919) % kBookings;
        benchmark::DoNotOptimize(
            table.Locate("Client", QStringLiteral("client %1").arg(key), {loCaseInsensitive, loPartialKey}));
    }
}
BENCHMARK(LocateClientPrefixInIndexOrder)->Unit(benchmark::kMillisecond);

// A week of 20 resources, phrased so the index bounds BookingStart.
void OpenWeekQuery(benchmark::State& state) {
    TADOQuery query;
    query.SetConnection(&Fixture());
    query.SQL.SetText(
        "select * from Bookings where ResourceId in (1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20) "
        "and BookingStart < 45307 and BookingEnd >= 45300 and BookingStart >= 45299 "
        "order by ResourceId, BookingStart");
    for (auto _ : state) {
        query.Close();
        query.Open();
        benchmark::DoNotOptimize(query.RecordCount());
    }
}
BENCHMARK(OpenWeekQuery)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
