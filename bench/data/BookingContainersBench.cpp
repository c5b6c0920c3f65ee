// The booking views and the overlap check on a file of 1,000,000 bookings (200 resources, 10 years) of the
// program's schema, plain, encrypted and opened read-only (Mode=Read: the engine's read-only connection), each
// figure beside the engine's floor measured in the same process on the same file:
// - Week: one week of 20 resources loaded (one statement) and laid out in half-hour slots; Month: one month of
//   5 resources in month lanes. Floor: RawWeek / RawMonth, the same rows read by one statement prepared once,
//   its start range known beforehand. Goal: at most 5 ms and at most 3 x the floor, read-only too.
// - ConflictCheck: the overlap check of a booking's period, as a save asks it. Floor: RawConflictScan, the
//   bounded scan of the resource's bookings by one statement prepared once. Goal: at most 0.1 ms and at most
//   2 x the floor.
// - WeekWithoutTheStartRange: the week's statement bounded by the interval conditions alone, for comparison.
#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>

namespace {

using million_bookings::FirstDay;

enum Kind { kPlain, kEncrypted, kReadOnly };

TADOConnection& Database(Kind kind) {
    static TADOConnection connections[3];
    TADOConnection& connection = connections[kind];
    if (connection.Connected()) return connection;
    const bool encrypted = kind == kEncrypted;
    connection.ConnectionString =
        million_bookings::ConnectionString(million_bookings::DatabasePath(encrypted), encrypted, kind == kReadOnly);
    connection.LoginPrompt = false;
    connection.Open();
    if (kind == kReadOnly && !connection.Engine().IsReadOnly()) std::abort();
    return connection;
}

TResourceList Resources(int count, int step) {
    TResourceList list;
    for (int i = 0; i < count; ++i) {
        const int id = 1 + i * step;
        list.Add(million_bookings::ResourceName(id), id, QString());
    }
    return list;
}

const TDateTime kMonday = FirstDay() + 7 * 400;
const TDateTime kMonthFirst = EncodeDate(2026, 3, 1);
const TDateTime kMonthLast = EncodeDate(2026, 3, 31);

void Week(benchmark::State& state, Kind kind) {
    TResourceBookings bookings;
    bookings.SetConnection(&Database(kind));
    const TResourceList resources = Resources(20, 9);
    for (auto _ : state) {
        if (!bookings.LoadDays(resources, 30, kMonday, kMonday + 6, EncodeTime(8, 0, 0, 0), EncodeTime(18, 0, 0, 0)))
            state.SkipWithError("load failed");
    }
    int placed = 0;
    for (int r = 0; r < bookings.ResourceCount; ++r)
        for (int d = 0; d < bookings.GetResourceDays(r)->GetCount(); ++d)
            for (int k = 0; k < bookings.SlotTimes.Count(); ++k)
                if (const TBookingCell* cell = bookings.GetResourceDays(r)->GetDay(d)->GetCell(k);
                    cell && !cell->HeadCell)
                    placed += cell->Count();
    state.counters["in head cells"] = placed;
}

void Month(benchmark::State& state, Kind kind) {
    TResourceDateBookings bookings;
    bookings.SetConnection(&Database(kind));
    const TResourceList resources = Resources(5, 37);
    for (auto _ : state) {
        if (!bookings.LoadBookings(resources, 2, kMonthFirst, kMonthLast)) state.SkipWithError("load failed");
    }
    int rows = 0;
    for (int r = 0; r < bookings.ResourceCount; ++r)
        for (int d = 0; d < bookings.DateCaptions.Count(); ++d)
            if (const TMonthDateBookingCell* cell = bookings.GetResourceDates(r)->GetMonthCell(d))
                for (int lane = 0; lane < cell->GetRowCount(); ++lane) rows += cell->GetRow(lane) ? 1 : 0;
    state.counters["lane rows"] = rows;
}

// The rows a view reads, by the engine alone (million_bookings::ReadPeriodRows).
void RawPeriod(benchmark::State& state, Kind kind, const TResourceList& resources, TDateTime first, TDateTime last) {
    QList<int> ids;
    for (int i = 0; i < resources.GetCount(); ++i) ids << resources.GetItem(i)->ResourceId;
    const auto statement = million_bookings::PeriodRowsStatement(Database(kind).Engine().Native(), ids);
    int rows = 0;
    for (auto _ : state) rows = million_bookings::ReadPeriodRows(*statement, first, last);
    state.counters["rows"] = rows;
}

void RawWeek(benchmark::State& state, Kind kind) { RawPeriod(state, kind, Resources(20, 9), kMonday, kMonday + 6); }
void RawMonth(benchmark::State& state, Kind kind) { RawPeriod(state, kind, Resources(5, 37), kMonthFirst, kMonthLast); }

// A working day on resource 17 that overlaps bookings, checked for a booking of the file.
const TDateTime kCheckStart = kMonday + 1 + 8 / 24.0;
const TDateTime kCheckEnd = kMonday + 1 + 18 / 24.0;

void ConflictCheck(benchmark::State& state, Kind kind) {
    TADOConnection& connection = Database(kind);
    TBookingConflictResult result;
    for (auto _ : state) data::FindBookingConflicts(connection, 17, 1, kCheckStart, kCheckEnd, result);
    if (result.Status != kConflictFound) state.SkipWithError("no overlap found");
    state.counters["overlaps"] = result.Ids[0];
}

void RawConflictScan(benchmark::State& state, Kind kind) {
    const auto statement = Database(kind).Engine().Native().Prepare(
        QStringLiteral("SELECT BookingId, BookingStart, BookingEnd FROM Bookings WHERE ResourceId = ? "
                       "AND BookingStart >= ? AND BookingStart < ? AND BookingEnd > ? ORDER BY BookingStart, "
                       "BookingId"));
    int rows = 0;
    for (auto _ : state) {
        statement->Reset();
        statement->Bind(0, 17);
        statement->Bind(1, kCheckStart - 15);
        statement->Bind(2, kCheckEnd);
        statement->Bind(3, kCheckStart);
        rows = 0;
        while (statement->Step()) {
            benchmark::DoNotOptimize(statement->Value(1));
            ++rows;
        }
    }
    state.counters["overlaps"] = rows;
}

void WeekWithoutTheStartRange(benchmark::State& state) {
    TADOQuery query;
    query.SetConnection(&Database(kPlain));
    data::SetBookingPeriodStatement(query, {QStringLiteral("Select *")}, Resources(20, 9), kMonday, kMonday + 6,
                                    {FirstDay() - 30, FirstDay() + million_bookings::kDays + 30});
    for (auto _ : state) {
        query.Open();
        state.counters["rows"] = query.RecordCount();
        query.Close();
    }
}

}  // namespace

BENCHMARK_CAPTURE(Week, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawWeek, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Week, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawWeek, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Week, readonly, kReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawWeek, readonly, kReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Month, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawMonth, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Month, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawMonth, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Month, readonly, kReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawMonth, readonly, kReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConflictCheck, plain, kPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RawConflictScan, plain, kPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ConflictCheck, encrypted, kEncrypted)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RawConflictScan, encrypted, kEncrypted)->Unit(benchmark::kMicrosecond);
BENCHMARK(WeekWithoutTheStartRange)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    benchmark::Initialize(&argc, argv);
    // Both files made before any is open: the encrypted copy needs the plain one to itself.
    million_bookings::DatabasePath(true);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
