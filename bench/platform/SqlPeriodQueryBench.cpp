// The engine on a week of bookings for 20 resources: the interval conditions as the time grid writes them
// against the phrasing that lets the (ResourceId, BookingStart) index bound BookingStart on both sides.
// 200,000 bookings over 200 resources and about 3 years, plain file; compare the two timings.
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int kResources = 200;
constexpr int kBookings = 200000;
constexpr double kFirstDay = 45000;
constexpr double kWindowStart = 45500;  // the week asked for
constexpr double kWindowEnd = kWindowStart + 7;

sql::Connection& Fixture() {
    static QTemporaryDir dir;
    static std::unique_ptr<sql::Connection> connection;
    if (connection) return *connection;
    const QString path = QDir(dir.path()).filePath("bench.tvd");
    sql::Connection::CreateDatabase({path, {}});
    connection = std::make_unique<sql::Connection>(sql::ConnectOptions{path, {}});
    connection->Execute(
        "CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, ResourceId INTEGER NOT NULL, "
        "BookingStart DATETIME NOT NULL, BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL)");
    connection->Execute("CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)");
    connection->BeginTransaction();
    const auto insert = connection->Prepare("INSERT INTO Bookings VALUES (:Id, :Resource, :Start, :End, 'c')");
    for (int i = 0; i < kBookings; ++i) {
        // One booking a day per resource, starting between 08:00 and 17:00.
        const double start = kFirstDay + i / kResources + (8 + i % 10) / 24.0;
        insert->Reset();
        insert->Bind(0, i);
        insert->Bind(1, i % kResources);
        insert->Bind(2, start);
        insert->Bind(3, start + (1 + i % 8) / 24.0);
        insert->Step();
    }
    connection->CommitTransaction();
    return *connection;
}

QString ResourceList() {
    QStringList ids;
    for (int r = 0; r < 20; ++r) ids << QString::number(r * 7);
    return ids.join(",");
}

void Run(benchmark::State& state, const QString& sql) {
    const auto statement = Fixture().Prepare(sql);
    for (auto _ : state) {
        statement->Reset();
        int rows = 0;
        while (statement->Step()) ++rows;
        benchmark::DoNotOptimize(rows);
        state.counters["rows"] = rows;
    }
}

void AsTheGridWritesIt(benchmark::State& state) {
    Run(state, QStringLiteral("select * from Bookings where ((BookingStart >= %1 and BookingStart < %2) "
                              "or (BookingEnd >= %1 and BookingEnd < %2) or (BookingStart <= %1 and BookingEnd >= %2)) "
                              "and ResourceId in (%3) order by ResourceId, BookingStart")
                   .arg(kWindowStart)
                   .arg(kWindowEnd)
                   .arg(ResourceList()));
}

void BoundedOnBothSides(benchmark::State& state) {
    const double longest = 8 / 24.0;  // the longest booking among the resources
    Run(state, QStringLiteral("select * from Bookings where BookingStart < %2 and BookingEnd >= %1 "
                              "and BookingStart >= %4 and ResourceId in (%3) order by ResourceId, BookingStart")
                   .arg(kWindowStart)
                   .arg(kWindowEnd)
                   .arg(ResourceList())
                   .arg(kWindowStart - longest));
}

BENCHMARK(AsTheGridWritesIt)->Unit(benchmark::kMillisecond);
BENCHMARK(BoundedOnBothSides)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
