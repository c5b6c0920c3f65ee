// The booking window over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain file:
// opening a stored booking as the main window does (located in the data module's Bookings table, the window made
// ready and shown) and saving a changed client (validation, the conflict check, the staged change sets with
// their History row, both commits), beside the engine reading the same row and writing the same change raw.
// Goal: both well under the 100 ms a click may take before it feels slow.
#include "booking/BookingForm.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// The other bookings of the booking's resource that overlap it, bounded below as the program's conflict check
// bounds them: by the resource's longest booking, read through the length index.
const QString kOverlaps = QStringLiteral(
    "SELECT b.BookingId FROM Bookings o, Bookings b WHERE o.BookingId = ?1 AND b.ResourceId = o.ResourceId "
    "AND b.BookingStart >= o.BookingStart - (SELECT BookingEnd - BookingStart FROM Bookings WHERE ResourceId = "
    "o.ResourceId ORDER BY BookingEnd - BookingStart DESC LIMIT 1) AND b.BookingStart < o.BookingEnd "
    "AND b.BookingEnd > o.BookingStart AND b.BookingId <> ?1");

// Bookings spread over the file, so that no run reads the same pages twice in a row, and none overlapping
// another (the generated file has some), so that every save goes through.
int BookingIdOf(int iteration) {
    static const std::vector<int> ids = [] {
        const auto overlaps = million_bookings::OpenedCopy(false).ADOConnection.Engine().Native().Prepare(kOverlaps);
        std::vector<int> free;
        for (int i = 0; free.size() < 2000; ++i) {
            const int id = 1 + (i * 7919) % million_bookings::BookingCount();
            overlaps->Reset();
            overlaps->Bind(0, id);
            if (!overlaps->Step()) free.push_back(id);
        }
        return free;
    }();
    return ids[iteration % ids.size()];
}

void OpenBooking(benchmark::State& state) {
    TData& data = million_bookings::OpenedCopy(false);
    TSQLData sqlData(data);
    TBookingForm form(nullptr, data, sqlData);
    int iteration = 0;
    BookingIdOf(0);  // the bookings chosen before the clock runs
    for (auto _ : state) {
        if (!form.LocateBooking(BookingIdOf(iteration++))) {
            state.SkipWithError("booking not found");
            break;
        }
        form.Show();
        state.PauseTiming();
        form.Hide();
        state.ResumeTiming();
    }
}

// A client no save has written before, in every iteration of every run and repetition, so that each save
// changes its booking.
QString NewClient() {
    static int saves = 0;
    return QStringLiteral("changed %1").arg(++saves);
}

void SaveChangedClient(benchmark::State& state) {
    TData& data = million_bookings::OpenedCopy(false);
    TSQLData sqlData(data);
    TBookingForm form(nullptr, data, sqlData);
    int iteration = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int id = BookingIdOf(iteration++);
        if (!form.LocateBooking(id)) {
            state.SkipWithError("booking not found");
            break;
        }
        form.Show();
        const QString client = NewClient();
        data.BookingsTable.Edit();
        data.BookingsTable.FieldByName(QStringLiteral("Client")).SetValue(client);
        state.ResumeTiming();
        form.UpdateItemClick();
        state.PauseTiming();
        const QString stored =
            million_bookings::OpenedCopy(false)
                .ADOConnection.Engine()
                .Native()
                .QueryValue(QStringLiteral("SELECT Client FROM Bookings WHERE BookingId = %1").arg(id))
                .toString();
        if (stored != client) {
            static std::string message;
            message = "not saved: " + stored.toStdString();
            state.SkipWithError(message.c_str());
            break;
        }
        form.Hide();
        state.ResumeTiming();
    }
}

// The row read by its id, every column, as the window's table reads it.
void RawEngineRead(benchmark::State& state) {
    const sql::Database& database = million_bookings::OpenedCopy(false).ADOConnection.Engine().Native();
    const auto statement = database.Prepare(QStringLiteral("SELECT * FROM Bookings WHERE BookingId = ?"));
    int iteration = 0;
    for (auto _ : state) {
        statement->Reset();
        statement->Bind(0, BookingIdOf(iteration++));
        while (statement->Step())
            for (int col = 0; col < statement->ColumnCount(); ++col) benchmark::DoNotOptimize(statement->Value(col));
    }
}

// The same change written raw: the overlap query of the resource, the update and a History row, in one
// transaction.
void RawEngineSave(benchmark::State& state) {
    const sql::Database& database = million_bookings::OpenedCopy(false).ADOConnection.Engine().Native();
    const auto conflicts = database.Prepare(kOverlaps);
    const auto update = database.Prepare(QStringLiteral("UPDATE Bookings SET Client = ?2 WHERE BookingId = ?1"));
    const auto history = database.Prepare(
        QStringLiteral("INSERT INTO History (HistoryCode, Userid, BookingId, HistoryTimeStamp, Description) "
                       "VALUES (2, 'bench', ?1, 46000, 'Client changed')"));
    int iteration = 0;
    for (auto _ : state) {
        const int id = BookingIdOf(iteration++);
        database.Exec(QStringLiteral("BEGIN IMMEDIATE"));
        conflicts->Reset();
        conflicts->Bind(0, id);
        while (conflicts->Step()) benchmark::DoNotOptimize(conflicts->Value(0));
        update->Reset();
        update->Bind(0, id);
        update->Bind(1, NewClient());
        update->Step();
        history->Reset();
        history->Bind(0, id);
        history->Step();
        database.Exec(QStringLiteral("COMMIT"));
    }
}

BENCHMARK(OpenBooking)->Unit(benchmark::kMillisecond);
BENCHMARK(RawEngineRead)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveChangedClient)->Unit(benchmark::kMillisecond);
BENCHMARK(RawEngineSave)->Unit(benchmark::kMillisecond);

}  // namespace
