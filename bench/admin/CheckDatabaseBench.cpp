// The database check over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain file:
// "Check Only" end to end (the staged-row passes over Bookings and History, the booking pass in index order with
// each booking validated and compared with the one before, the booking id source, the log and the History row),
// beside the raw engine's walk of the same three ordered reads with every column the passes use read. No speed
// target: the check should stay within a small multiple of the raw walks.
#include "admin/CheckDatabaseForm.h"
#include "data/module/DataModule.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Edits.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>

namespace {

void CheckOnly(benchmark::State& state) {
    TData& data = million_bookings::OpenedCopy(false);
    TCheckDatabaseForm form(data);
    form.FormShow();
    const QString log = QDir::temp().filePath(QStringLiteral("tavorin-check-bench-log.txt"));
    form.CheckLogFileEdit->SetText(log);
    for (auto _ : state) {
        QFile::remove(log);
        form.CheckDatabaseRecords(false);
    }
    state.counters["bookings"] = form.CheckDatabaseCountEdit->Text().toDouble();
    state.counters["history"] = form.CheckDatabaseHistoryEdit->Text().toDouble();
    state.counters["errors"] = form.CheckDatabaseErrorsEdit->Text().toDouble();
    QFile::remove(log);
}

void RawOrderedWalks(benchmark::State& state) {
    const sql::Connection& connection = million_bookings::OpenedCopy(false).ADOConnection.Engine();
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const char* sql :
             {"SELECT BookingId, Trans FROM Bookings ORDER BY BookingId",
              "SELECT HistoryId, Trans FROM History ORDER BY HistoryId",
              "SELECT BookingId, Trans, ResourceId, BookingStart, BookingEnd, Client, Description FROM Bookings "
              "ORDER BY ResourceId, BookingStart, BookingId"}) {
            auto statement = connection.Prepare(QString::fromLatin1(sql));
            while (statement->Step()) {
                for (int i = 0; i < statement->ColumnCount(); ++i) benchmark::DoNotOptimize(statement->Value(i));
                ++rows;
            }
        }
    }
    state.counters["rows"] = rows;
}

}  // namespace

BENCHMARK(CheckOnly)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RawOrderedWalks)->Unit(benchmark::kMillisecond)->Iterations(1);
