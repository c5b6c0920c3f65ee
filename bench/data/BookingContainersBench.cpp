// The booking containers on a large file: one week of 20 resources in time slots and one month of 5 resources
// in month lanes, each loaded (one statement) and laid out per iteration. 1,000,000 bookings over 200
// resources and 10 years, plain file, built once in a temporary folder. Goal: under 50 ms each.
#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/FormatSettings.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int kResources = 200;
constexpr int kBookings = 1000000;
constexpr int kDays = 3650;
const TDateTime kFirstDay = EncodeDate(2020, 1, 6);  // a Monday

TADOConnection& Database() {
    static QTemporaryDir dir;
    static TADOConnection connection;
    if (connection.Connected()) return connection;
    booking_db::Create(connection, QDir(dir.path()).filePath(QStringLiteral("bench.tvd")));
    connection.BeginTrans();
    for (int r = 1; r <= kResources; ++r)
        booking_db::AddResource(connection, r, QStringLiteral("Resource %1").arg(r, 3, 10, QLatin1Char('0')));
    booking_db::BookingWriter writer(connection);
    QRandomGenerator random(11);
    for (int id = 1; id <= kBookings; ++id) {
        // Most bookings last 30 minutes to 4 hours within office hours; one in a hundred runs over several days.
        const TDateTime start = kFirstDay + random.bounded(kDays) + (16 + random.bounded(20)) / 48.0;
        const TDateTime length = random.bounded(100) == 0 ? random.bounded(1, 15) : random.bounded(1, 9) / 48.0;
        writer.Add({id, 1 + random.bounded(kResources), start, start + length, random.bounded(50) == 0});
    }
    connection.CommitTrans();
    data::EnsureBookingLengthIndex(connection);
    return connection;
}

TResourceList Resources(int count, int step) {
    TResourceList list;
    for (int i = 0; i < count; ++i) {
        const int id = 1 + i * step;
        list.Add(QStringLiteral("Resource %1").arg(id, 3, 10, QLatin1Char('0')), id, QString());
    }
    return list;
}

void WeekOf20Resources(benchmark::State& state) {
    TResourceBookings bookings;
    bookings.SetConnection(&Database());
    const TResourceList resources = Resources(20, 9);
    const TDateTime monday = kFirstDay + 7 * 400;
    for (auto _ : state) {
        if (!bookings.LoadDays(resources, 30, monday, monday + 6, EncodeTime(8, 0, 0, 0), EncodeTime(18, 0, 0, 0)))
            state.SkipWithError("load failed");
    }
    int bookingsPlaced = 0;
    for (int r = 0; r < bookings.ResourceCount; ++r)
        for (int d = 0; d < bookings.GetResourceDays(r)->GetCount(); ++d)
            for (int k = 0; k < bookings.SlotTimes.Count(); ++k)
                if (const TBookingCell* cell = bookings.GetResourceDays(r)->GetDay(d)->GetCell(k);
                    cell && !cell->HeadCell)
                    bookingsPlaced += cell->Count();
    state.counters["in head cells"] = bookingsPlaced;
}

// For comparison: the week's statement without the start range, as the interval conditions alone bound it.
void WeekOf20ResourcesWithoutTheStartRange(benchmark::State& state) {
    TADOQuery query;
    query.SetConnection(&Database());
    const TResourceList resources = Resources(20, 9);
    const TDateTime monday = kFirstDay + 7 * 400;
    query.SQL.Add(QStringLiteral("Select *"));
    query.SQL.Add(QStringLiteral("from [Resources], [Bookings]"));
    data::AddBookingPeriodLines(query.SQL, resources, monday, monday + 6, {kFirstDay - 30, kFirstDay + kDays + 30});
    for (auto _ : state) {
        query.Open();
        state.counters["rows"] = query.RecordCount();
        query.Close();
    }
}

void MonthOf5Resources(benchmark::State& state) {
    TResourceDateBookings bookings;
    bookings.SetConnection(&Database());
    const TResourceList resources = Resources(5, 37);
    const TDateTime first = EncodeDate(2026, 3, 1);
    for (auto _ : state) {
        if (!bookings.LoadBookings(resources, 2, first, EncodeDate(2026, 3, 31))) state.SkipWithError("load failed");
    }
    int rows = 0;
    for (int r = 0; r < bookings.ResourceCount; ++r)
        for (int d = 0; d < bookings.DateCaptions.Count(); ++d)
            if (const TMonthDateBookingCell* cell = bookings.GetResourceDates(r)->GetMonthCell(d))
                for (int lane = 0; lane < cell->GetRowCount(); ++lane) rows += cell->GetRow(lane) ? 1 : 0;
    state.counters["lane rows"] = rows;
}

BENCHMARK(WeekOf20Resources)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthOf5Resources)->Unit(benchmark::kMillisecond);
BENCHMARK(WeekOf20ResourcesWithoutTheStartRange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    benchmark::Initialize(&argc, argv);
    Database();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
