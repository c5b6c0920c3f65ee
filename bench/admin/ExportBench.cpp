// The booking export over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain file:
// TExportForm's ExportBookings end to end (a resource's bookings at a time, every value rendered, quoted and
// written to a CSV file), beside the raw ordered SELECT of the same rows stepped through the engine with every
// value read. No speed target: the export should stay within a small multiple of the raw walk.
#include "admin/ExportData.h"
#include "data/module/DataModule.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Edits.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>

namespace {

void ExportBookings(benchmark::State& state) {
    TData& data = million_bookings::OpenedCopy(false);
    TExportForm form(data, million_bookings::FirstDay());
    const QString file = QDir::temp().filePath(QStringLiteral("tavorin-export-bench.csv"));
    form.FilenameEdit->SetText(file);
    for (auto _ : state) {
        QFile::remove(file);
        form.Running = true;
        form.ExportBookings();
    }
    state.counters["rows"] = form.Count();
    state.counters["MB"] = double(QFile(file).size()) / 1e6;
    QFile::remove(file);
}

void RawOrderedWalk(benchmark::State& state) {
    const sql::Connection& connection = million_bookings::OpenedCopy(false).ADOConnection.Engine();
    int rows = 0;
    for (auto _ : state) {
        auto statement = connection.Prepare(
            QStringLiteral("select [Resources].ResourceName, [Bookings].* from [Resources], [Bookings] where "
                           "[Resources].ResourceId = [Bookings].ResourceId order by [Resources].ResourceName, "
                           "[Bookings].BookingStart"));
        rows = 0;
        while (statement->Step()) {
            for (int i = 0; i < statement->ColumnCount(); ++i) benchmark::DoNotOptimize(statement->Value(i));
            ++rows;
        }
    }
    state.counters["rows"] = rows;
}

}  // namespace

BENCHMARK(ExportBookings)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RawOrderedWalk)->Unit(benchmark::kMillisecond)->Iterations(1);
