// The data-aware grid over a table of a real database file (40,000 and 100,000 rows): opening it, paging down
// 1,000 times and jumping to the end and back, each beside the same walk through the dataset alone. The grid
// reads the rows it shows as its painting does (each buffered record through the data link); the aim is a page
// that costs at most twice the dataset's reading of the same rows, and memory that does not grow with the table.
// Down keys through the grid's key table are measured beside the dataset's own steps.
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"

#include "support/TaskTable.h"

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <QFile>
#include <QImage>

namespace {

constexpr int kPages = 1000;
constexpr int kColumns = 3;

// The grid with the reading its painting does: every shown cell's text for each buffered record.
class BenchGrid : public TwwCustomDBGrid {
public:
    using TwwCustomDBGrid::TwwCustomDBGrid;
    qint64 ReadShownCells() {
        qint64 length = 0;
        TwwGridDataLink& link = DataLink();
        const int active = link.ActiveRecord();
        for (int record = 0; record < link.RecordCount(); ++record) {
            link.SetActiveRecord(record);
            for (int col = 0; col < GetFieldCount(); ++col) length += GetCellText(col).size();
        }
        link.SetActiveRecord(active);
        return length;
    }
};

qint64 ResidentKb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = statm.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLongLong() * sysconf(_SC_PAGESIZE) / 1024 : 0;
}

void OpenQuery(TADOQuery& query, int rows) {
    query.SetConnection(&TaskTable(rows));
    query.SQL.SetText(QStringLiteral("select * from Tasks"));
    query.Open();
}

// A grid of about 30 rows showing three columns, bound to an open query.
struct GridOverTable {
    TADOQuery query;
    TDataSource source;
    BenchGrid grid{nullptr};

    explicit GridOverTable(int rows) { ShowTaskGrid(grid, source, query, rows); }
};

// Reads the fields of count records from the current one on, as a plain walk does.
qint64 WalkRows(TDataSet& dataSet, int count) {
    qint64 length = 0;
    TField* fields[kColumns] = {&dataSet.FieldByName("TaskId"), &dataSet.FieldByName("Subject"),
                                &dataSet.FieldByName("PercentCompleted")};
    for (int i = 0; i < count && !dataSet.Eof(); ++i) {
        for (TField* field : fields) length += field->DisplayText().size();
        dataSet.Next();
    }
    return length;
}

void GridOpen(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    for (auto _ : state) {
        view.query.Close();
        view.query.Open();
        benchmark::DoNotOptimize(view.grid.ReadShownCells());
    }
}
BENCHMARK(GridOpen)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

void DataSetOpen(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query, int(state.range(0)));
    for (auto _ : state) {
        query.Close();
        query.Open();
        benchmark::DoNotOptimize(WalkRows(query, 30));
    }
}
BENCHMARK(DataSetOpen)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

// 1,000 pages down from the first record, each page's rows read as they are shown.
void GridPageDown(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    const int page = view.grid.VisibleRowCount();
    qint64 growth = 0;
    for (auto _ : state) {
        view.grid.WMVScroll(SB_TOP, 0);
        const qint64 before = ResidentKb();
        for (int i = 0; i < kPages; ++i) {
            view.grid.WMVScroll(SB_PAGEDOWN, 0);
            benchmark::DoNotOptimize(view.grid.ReadShownCells());
        }
        growth = std::max(growth, ResidentKb() - before);
    }
    state.counters["rows_per_page"] = page;
    state.counters["buffer"] = view.grid.DataLink().BufferCount();
    state.counters["rss_growth_kb"] = double(growth);
    state.counters["per_page"] =
        benchmark::Counter(double(kPages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(GridPageDown)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same rows walked through the dataset alone.
void DataSetPageDown(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    const int page = view.grid.VisibleRowCount();
    TADOQuery query;
    OpenQuery(query, int(state.range(0)));
    for (auto _ : state) {
        query.First();
        query.MoveBy(page);
        for (int i = 0; i < kPages; ++i) benchmark::DoNotOptimize(WalkRows(query, page));
    }
    state.counters["rows_per_page"] = page;
    state.counters["per_page"] =
        benchmark::Counter(double(kPages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(DataSetPageDown)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

// 100 pages down, each page painted whole (titles, indicator, texts, lines) into an image; its baseline is
// DataSetPageDown's per_page, the same rows read from the dataset alone.
constexpr int kPaintedPages = 100;

void GridPaintPageDown(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    QImage image(view.grid.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.grid.WMVScroll(SB_TOP, 0);
        for (int i = 0; i < kPaintedPages; ++i) {
            view.grid.WMVScroll(SB_PAGEDOWN, 0);
            view.grid.viewport()->render(&image);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["per_page"] = benchmark::Counter(
        double(kPaintedPages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(GridPaintPageDown)->Arg(100000)->Unit(benchmark::kMillisecond);

void GridEndAndBack(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    for (auto _ : state) {
        view.grid.WMVScroll(SB_BOTTOM, 0);
        benchmark::DoNotOptimize(view.grid.ReadShownCells());
        view.grid.WMVScroll(SB_TOP, 0);
        benchmark::DoNotOptimize(view.grid.ReadShownCells());
    }
}
BENCHMARK(GridEndAndBack)->Arg(40000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void DataSetEndAndBack(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    const int page = view.grid.VisibleRowCount();
    TADOQuery query;
    OpenQuery(query, int(state.range(0)));
    for (auto _ : state) {
        query.Last();
        query.MoveBy(1 - page);
        benchmark::DoNotOptimize(WalkRows(query, page));
        query.First();
        benchmark::DoNotOptimize(WalkRows(query, page));
    }
}
BENCHMARK(DataSetEndAndBack)->Arg(40000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// 1,000 Down keys through the grid's key table from the first record (each one move of the dataset and the
// grid following it), beside 1,000 steps of the dataset alone.
constexpr int kKeys = 1000;

void GridKeyDown(benchmark::State& state) {
    GridOverTable view(int(state.range(0)));
    view.grid.setFocus();
    for (auto _ : state) {
        view.query.First();
        for (int i = 0; i < kKeys; ++i) {
            Word key = VK_DOWN;
            view.grid.KeyDown(key, {});
        }
        benchmark::DoNotOptimize(view.query.RecNo());
    }
    state.counters["per_key"] =
        benchmark::Counter(double(kKeys), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(GridKeyDown)->Arg(100000)->Unit(benchmark::kMillisecond);

void DataSetNext(benchmark::State& state) {
    TADOQuery query;
    OpenQuery(query, int(state.range(0)));
    for (auto _ : state) {
        query.First();
        for (int i = 0; i < kKeys; ++i) query.Next();
        benchmark::DoNotOptimize(query.RecNo());
    }
    state.counters["per_key"] =
        benchmark::Counter(double(kKeys), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(DataSetNext)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
