// The grid's export and multi-selection over a table of 20,000 rows of a real database file, each beside the
// plain dataset doing the same reading: the export as delimited text and as HTML against one walk that joins
// the same three fields with commas, and a shift range over every record against one walk that takes each
// record's bookmark. The aim is an export within a few times the walk, and a range that grows with the
// records it marks only (never with marks times records).
#include "controls/grid/WwExportOptions.h"
#include "controls/grid/WwMultiSelect.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"

#include "support/TaskTable.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 20000;

struct GridOverTable {
    TADOQuery query;
    TDataSource source;
    TwwCustomDBGrid grid{nullptr};

    GridOverTable() { ShowTaskGrid(grid, source, query, kRows); }
};

void GridExport(benchmark::State& state) {
    GridOverTable view;
    TwwExportOptions exporter(&view.grid);
    exporter.ExportType = static_cast<TwwGridExportType>(state.range(0));
    exporter.Options = exporter.Options + TwwExportSaveOptions{esoBestColFit};
    for (auto _ : state) benchmark::DoNotOptimize(exporter.ExportText().size());
    state.SetLabel(state.range(0) == wwgetTxt ? "text" : "html");
}
BENCHMARK(GridExport)->Arg(wwgetTxt)->Arg(wwgetHTML)->Unit(benchmark::kMillisecond);

// The same fields read and joined by a walk of the dataset alone.
void DataSetJoinedWalk(benchmark::State& state) {
    GridOverTable view;
    TDataSet& query = view.query;
    TField* fields[] = {&query.FieldByName("TaskId"), &query.FieldByName("Subject"),
                        &query.FieldByName("PercentCompleted")};
    for (auto _ : state) {
        QString text;
        query.DisableControls();
        for (query.First(); !query.Eof(); query.Next()) {
            for (TField* field : fields) text += u'"' + field->DisplayText() + QStringLiteral("\",");
            text += QStringLiteral("\r\n");
        }
        query.EnableControls();
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(DataSetJoinedWalk)->Unit(benchmark::kMillisecond);

// A shift range from the last record up to the first: every record marked.
void GridSelectRange(benchmark::State& state) {
    GridOverTable view;
    controls::GridMultiSelection marks(view.grid);
    for (auto _ : state) {
        marks.SelectedList().clear();
        view.query.First();
        marks.SetAnchor(view.query.GetBookmark());
        view.query.Last();
        marks.SelectRangeToAnchor();
        benchmark::DoNotOptimize(marks.SelectedList().size());
    }
    state.counters["marks"] = double(marks.SelectedList().size());
}
BENCHMARK(GridSelectRange)->Unit(benchmark::kMillisecond);

void DataSetBookmarkWalk(benchmark::State& state) {
    GridOverTable view;
    TDataSet& query = view.query;
    for (auto _ : state) {
        std::vector<TBookmark> marks;
        query.DisableControls();
        for (query.First(); !query.Eof(); query.Next()) marks.push_back(query.GetBookmark());
        query.EnableControls();
        benchmark::DoNotOptimize(marks.size());
    }
}
BENCHMARK(DataSetBookmarkWalk)->Unit(benchmark::kMillisecond);

// Painting's row cache with every record marked, beside nothing (the cache of an empty list).
void GridRefreshMarkedRows(benchmark::State& state) {
    GridOverTable view;
    controls::GridMultiSelection marks(view.grid);
    view.query.Last();
    marks.SetAnchor(view.query.GetBookmark());
    view.query.First();
    if (state.range(0) != 0) marks.SelectRangeToAnchor();
    for (auto _ : state) marks.RefreshSelectedRows();
    state.counters["marks"] = double(marks.SelectedList().size());
}
BENCHMARK(GridRefreshMarkedRows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
