// A custom field's type change on a file of 1,000,000 bookings (plain), beside the engine's floor on the same
// file in the same process:
// - AlterColumn: "ALTER TABLE Bookings ALTER COLUMN udf1Room TEXT(n)" as the custom fields dialog issues it, the
//   size going back and forth between 50 and 60, each an all-or-nothing rebuild of the table (rows, indexes,
//   counters) in one transaction.
// - RawTableCopy: the floor: every row copied into a new table by the engine alone in one transaction ("CREATE
//   TABLE ... AS SELECT"), without indexes, and dropped again.
// Goal: AlterColumn at most 5 x the floor.
#include "platform/rtl/FormatSettings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A copy of the cached file of this run's own, with the custom column the changes work on.
sql::Connection& Connection() {
    static QTemporaryDir dir;
    static std::unique_ptr<sql::Connection> connection;
    if (connection) return *connection;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("fields.tvd"));
    if (!QFile::copy(million_bookings::DatabasePath(false), path)) std::abort();
    connection = std::make_unique<sql::Connection>(million_bookings::ConnectionString(path, false));
    connection->Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf1Room TEXT(50)"));
    connection->Native().Exec(QStringLiteral("UPDATE Bookings SET udf1Room = 'Room ' || (BookingId % 100)"));
    return *connection;
}

void AlterColumn(benchmark::State& state) {
    sql::Connection& connection = Connection();
    int size = 50;
    for (auto _ : state) {
        size = size == 50 ? 60 : 50;
        connection.Execute(QStringLiteral("ALTER TABLE Bookings ALTER COLUMN udf1Room TEXT(%1)").arg(size));
    }
}

void RawTableCopy(benchmark::State& state) {
    const sql::Database& database = Connection().Native();
    for (auto _ : state) {
        database.Exec(QStringLiteral("BEGIN; CREATE TABLE BookingsCopy AS SELECT * FROM Bookings; COMMIT"));
        state.PauseTiming();
        database.Exec(QStringLiteral("DROP TABLE BookingsCopy"));
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(AlterColumn)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(RawTableCopy)->Unit(benchmark::kMillisecond)->Iterations(4);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
