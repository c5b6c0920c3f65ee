// A custom field's type change on a file of 1,000,000 bookings (plain), beside the engine's floor on the same
// file in the same process:
// - AlterColumn: "ALTER TABLE Bookings ALTER COLUMN udf1Room TEXT(n)" as the custom fields dialog issues it, the
//   size going back and forth between 50 and 60, each an all-or-nothing rebuild of the table (rows, indexes,
//   counters) in one transaction.
// - DropColumn: "ALTER TABLE Bookings DROP COLUMN udf2Seats", the same rebuild without a value to convert (the
//   column is added back between the runs, untimed).
// - RawTableCopy: every row copied into a new table by the engine alone in one transaction ("CREATE TABLE ... AS
//   SELECT"), without indexes, and dropped again. RawTableCopy/WithIndexes, the floor: the same with the table's
//   indexes made again on the copy.
// Goal: AlterColumn and DropColumn at most 2 x the floor.
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

void DropColumn(benchmark::State& state) {
    sql::Connection& connection = Connection();
    for (auto _ : state) {
        state.PauseTiming();
        connection.Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf2Seats INTEGER"));
        state.ResumeTiming();
        connection.Execute(QStringLiteral("ALTER TABLE Bookings DROP COLUMN udf2Seats"));
    }
}

// The statements that make the Bookings indexes again on the copy.
QStringList CopyIndexStatements(const sql::Database& database) {
    QStringList statements;
    const auto indexes = database.Prepare(QStringLiteral(
        "SELECT sql FROM sqlite_master WHERE tbl_name = 'Bookings' AND type = 'index' AND sql NOT NULL"));
    const QRegularExpression target(QStringLiteral("INDEX (\\S+) ON \"?Bookings\"? "));
    while (indexes->Step()) {
        QString statement = indexes->Value(0).toString();
        statement.replace(target, QStringLiteral("INDEX \"copy %1\" ON BookingsCopy ").arg(statements.size()));
        statements << statement;
    }
    return statements;
}

void RawTableCopy(benchmark::State& state, bool withIndexes) {
    const sql::Database& database = Connection().Native();
    const QString indexes = withIndexes ? CopyIndexStatements(database).join(QStringLiteral("; ")) + u';' : QString();
    for (auto _ : state) {
        database.Exec(
            QStringLiteral("BEGIN; CREATE TABLE BookingsCopy AS SELECT * FROM Bookings; %1 COMMIT").arg(indexes));
        state.PauseTiming();
        database.Exec(QStringLiteral("DROP TABLE BookingsCopy"));
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(AlterColumn)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(DropColumn)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(RawTableCopy, WithoutIndexes, false)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(RawTableCopy, WithIndexes, true)->Unit(benchmark::kMillisecond)->Iterations(4);
