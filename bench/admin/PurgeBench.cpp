// The purge and the compaction over a copy of the cached database of 1,000,000 bookings (bench/support/
// MillionBookings), plain file. Purge: the bookings ending in the first year (about a tenth) deleted through
// admin::PurgeBookings (a page of rows at a time, each page one transaction, every deleted row rendered into the
// log text), beside one raw DELETE of the same rows through the engine. Compaction: TData::CompactDatabase of the
// whole file beside a plain copy of it. No speed target: each should stay within a small multiple of its raw figure.
#include "admin/Purge.h"
#include "data/module/DataModule.h"
#include "platform/sql/Connection.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>

namespace {

const QString kWork = QDir::temp().filePath(QStringLiteral("tavorin-purge-bench.tvd"));

TDateTime LastPurgedDay() { return million_bookings::FirstDay() + 365; }

// A fresh copy of the cached file, made outside the measured time.
void FreshCopy(benchmark::State& state) {
    state.PauseTiming();
    QFile::remove(kWork);
    QFile::copy(million_bookings::DatabasePath(false), kWork);
    state.ResumeTiming();
}

void PurgeBookings(benchmark::State& state) {
    int purged = 0;
    qint64 logBytes = 0;
    for (auto _ : state) {
        FreshCopy(state);
        state.PauseTiming();
        TData data;
        data.ConnectDatabase(kWork, {});
        state.ResumeTiming();
        admin::PurgeMonitor monitor;
        monitor.log = [&logBytes](const QString& lines) { logBytes += lines.size(); };
        purged = admin::PurgeBookings(data.ADOConnection, LastPurgedDay(), monitor).purged;
    }
    state.counters["purged"] = purged;
    state.counters["logMB"] = double(logBytes) / 1e6;
}

void RawDelete(benchmark::State& state) {
    int deleted = 0;
    for (auto _ : state) {
        FreshCopy(state);
        sql::Connection connection(million_bookings::ConnectionString(kWork, false));
        deleted = connection.Execute(
            QStringLiteral("delete from Bookings where BookingEnd < %1").arg(static_cast<int>(LastPurgedDay()) + 1));
    }
    state.counters["deleted"] = deleted;
}

void CompactDatabase(benchmark::State& state) {
    for (auto _ : state) {
        FreshCopy(state);
        QString backup;
        TData data;
        benchmark::DoNotOptimize(data.CompactDatabase(kWork, {}, backup, false, {}));
    }
    state.counters["MB"] = double(QFile(kWork).size()) / 1e6;
}

void PlainCopy(benchmark::State& state) {
    const QString copy = kWork + QStringLiteral(".copy");
    for (auto _ : state) {
        FreshCopy(state);
        QFile::remove(copy);
        QFile::copy(kWork, copy);
    }
    QFile::remove(copy);
    QFile::remove(kWork);
}

}  // namespace

BENCHMARK(PurgeBookings)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RawDelete)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CompactDatabase)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(1);
