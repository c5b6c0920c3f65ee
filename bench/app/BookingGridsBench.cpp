// The grids over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain and
// encrypted: a week of 20 resources and a month of 5 resources loaded, laid out into the day, week and month
// grids and painted into an image of a typical window (1280 x 800), end to end per iteration. Goal: one frame
// (16 ms) each on the plain file. Beside them the containers' load alone on the same file, and the floor of both:
// RawWeek / RawMonth, the same rows read by the engine alone (million_bookings::ReadPeriodRows). Then the week grid
// shown on screen (offscreen), repainted after a one-row scroll beside the same scroll repainting it whole.
#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/module/DataModule.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>

namespace {

QList<int> MillionResourceIds(int count, int step) {
    QList<int> ids;
    for (int i = 0; i < count; ++i) ids << 1 + i * step;
    return ids;
}

TResourceList MillionResources(int count, int step) {
    TResourceList list;
    for (int i = 0; i < count; ++i) {
        const int id = 1 + i * step;
        list.Add(million_bookings::ResourceName(id), id, QString());
    }
    return list;
}

const QSize kWindow(1280, 800);

// Paints the grid's client area as a paint event would.
void Paint(TCustomGrid& grid, QImage& image) {
    image.fill(Qt::white);
    grid.viewport()->render(&image);
}

TDateTime MillionMonday() { return million_bookings::FirstDay() + 7 * 300; }

void WeekGridLoad(benchmark::State& state, bool encrypted) {
    TResourceBookings bookings;
    bookings.SetConnection(&million_bookings::OpenedCopy(encrypted).ADOConnection);
    const TResourceList resources = MillionResources(20, 9);
    for (auto _ : state) {
        if (!bookings.LoadDays(resources, 30, MillionMonday(), MillionMonday() + 6, EncodeTime(8, 0, 0, 0),
                               EncodeTime(18, 0, 0, 0)))
            state.SkipWithError("load failed");
    }
}

// The week view's path: the week of 20 resources loaded once, shown as the week grid of the first resource
// and the day grid of all 20 on the week's first day (the day view loads its day alone; this is the larger).
void WeekGridPaint(benchmark::State& state, bool encrypted) {
    TResourceBookings bookings;
    bookings.SetConnection(&million_bookings::OpenedCopy(encrypted).ADOConnection);
    const TResourceList resources = MillionResources(20, 9);
    QWidget window;
    window.resize(kWindow);
    TWeekGrid week(&window);
    TDayGrid day(&window);
    for (TTimeIntervalBookingGrid* grid :
         {static_cast<TTimeIntervalBookingGrid*>(&week), static_cast<TTimeIntervalBookingGrid*>(&day)}) {
        grid->setGeometry(QRect(QPoint(0, 0), kWindow));
        grid->AutoColumnSize = true;
    }
    week.SetDate(MillionMonday());
    window.show();
    QImage image(kWindow, QImage::Format_RGB32);
    int cells = 0;
    for (auto _ : state) {
        if (!bookings.LoadDays(resources, 30, MillionMonday(), MillionMonday() + 6, EncodeTime(8, 0, 0, 0),
                               EncodeTime(18, 0, 0, 0)))
            state.SkipWithError("load failed");
        week.LoadWeekBookings(bookings, 0);
        Paint(week, image);
        day.LoadDayBookings(bookings);
        Paint(day, image);
        cells = 0;
        for (int col = 1; col < day.ColCount(); ++col)
            for (int row = 1; row < day.RowCount(); ++row) cells += day.GetCell(col, row) ? 1 : 0;
    }
    state.counters["day cells"] = cells;
    if (const QString shot = qEnvironmentVariable("TAVORIN_BENCH_SHOT"); !shot.isEmpty())
        image.save(shot + QStringLiteral("-day.png"));
}

// The week grid of one resource in 15-minute rows from 8:00 to 18:00 (more than the window shows), loaded
// once and shown; each iteration scrolls it by one row (down and back up in turn) and repaints it through the
// window's backing store, as the screen would: the rows kept moved and only what changed drawn, or, beside it,
// the whole grid drawn again. The grid shows no scroll bar: the bar's own repaint, the same for both, costs more
// than either under the Fusion style (about 3 ms at this height) and would hide the grid's part.
void WeekGridScroll(benchmark::State& state, bool wholeRepaint) {
    TResourceBookings bookings;
    bookings.SetConnection(&million_bookings::OpenedCopy(false).ADOConnection);
    if (!bookings.LoadDays(MillionResources(20, 9), 15, MillionMonday(), MillionMonday() + 6, EncodeTime(8, 0, 0, 0),
                           EncodeTime(18, 0, 0, 0))) {
        state.SkipWithError("load failed");
        return;
    }
    QWidget window;
    window.resize(kWindow);
    TWeekGrid week(&window);
    week.setGeometry(QRect(QPoint(0, 0), kWindow));
    week.AutoColumnSize = true;
    week.SetDate(MillionMonday());
    week.LoadWeekBookings(bookings, 0);
    week.SetScrollBars(ssNone);
    window.show();
    QApplication::processEvents();
    std::int64_t drawn = 0;
    week.OnDrawCell = [&drawn](QObject*, int, int, const TRect&, TGridDrawState) { ++drawn; };
    drawn = 0;
    for (auto _ : state) {
        week.SetTopRow(week.TopRow() == 1 ? 2 : 1);
        if (wholeRepaint) week.InvalidateGrid();
        QApplication::processEvents();
    }
    state.counters["cells drawn"] = benchmark::Counter(double(drawn), benchmark::Counter::kAvgIterations);
    if (week.RowCount() - 1 <= week.VisibleRowCount()) state.SkipWithError("the grid does not scroll");
}

void MonthGridLoad(benchmark::State& state, bool encrypted) {
    TResourceDateBookings bookings;
    bookings.SetConnection(&million_bookings::OpenedCopy(encrypted).ADOConnection);
    const TResourceList resources = MillionResources(5, 37);
    TMonthGridInfo info;
    info.ComputeMonthLayout(EncodeDate(2026, 3, 1));
    for (auto _ : state) {
        if (!bookings.LoadBookings(resources, 2, info.FirstShownDate, info.LastShownDate))
            state.SkipWithError("load failed");
    }
}

void MonthGridPaint(benchmark::State& state, bool encrypted) {
    TResourceDateBookings bookings;
    bookings.SetConnection(&million_bookings::OpenedCopy(encrypted).ADOConnection);
    const TResourceList resources = MillionResources(5, 37);
    QWidget window;
    window.resize(kWindow);
    TTavorinMonthGrid grid(&window);
    grid.setGeometry(QRect(QPoint(0, 0), kWindow));
    grid.LineSpacing = 1;
    grid.Margin = 4;
    window.show();
    QImage image(kWindow, QImage::Format_RGB32);
    int lines = 0;
    for (auto _ : state) {
        grid.ShowMonth(EncodeDate(2026, 3, 1));
        if (!bookings.LoadBookings(resources, 2, grid.Info.FirstShownDate, grid.Info.LastShownDate))
            state.SkipWithError("load failed");
        grid.LoadMonthBookings(bookings);
        Paint(grid, image);
        lines = 0;
        for (int row = 1; row < grid.RowCount(); ++row)
            for (int col = 0; col < 7; ++col)
                for (int line = 1; line < grid.GetCellInfo(col, row)->LineCount(); ++line)
                    lines += grid.GetCellInfo(col, row)->GetLine(line) ? 1 : 0;
    }
    state.counters["lines"] = lines;
    if (const QString shot = qEnvironmentVariable("TAVORIN_BENCH_SHOT"); !shot.isEmpty())
        image.save(shot + QStringLiteral("-month.png"));
}

void RawRows(benchmark::State& state, bool encrypted, const QList<int>& ids, TDateTime first, TDateTime last) {
    const auto statement = million_bookings::PeriodRowsStatement(
        million_bookings::OpenedCopy(encrypted).ADOConnection.Engine().Native(), ids);
    int rows = 0;
    for (auto _ : state) rows = million_bookings::ReadPeriodRows(*statement, first, last);
    state.counters["rows"] = rows;
}

void RawWeek(benchmark::State& state, bool encrypted) {
    RawRows(state, encrypted, MillionResourceIds(20, 9), MillionMonday(), MillionMonday() + 6);
}

void RawMonth(benchmark::State& state, bool encrypted) {
    TMonthGridInfo info;
    info.ComputeMonthLayout(EncodeDate(2026, 3, 1));
    RawRows(state, encrypted, MillionResourceIds(5, 37), info.FirstShownDate, info.LastShownDate);
}

}  // namespace

BENCHMARK_CAPTURE(WeekGridLoad, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WeekGridPaint, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawWeek, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonthGridLoad, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonthGridPaint, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawMonth, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WeekGridScroll, whole_repaint, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WeekGridScroll, one_row, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WeekGridLoad, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WeekGridPaint, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawWeek, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonthGridLoad, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonthGridPaint, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawMonth, encrypted, true)->Unit(benchmark::kMillisecond);
