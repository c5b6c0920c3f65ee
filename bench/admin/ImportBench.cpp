// The booking import over the cached database of 1,000,000 bookings (bench/support/MillionBookings), plain file:
// TImportForm's run of 5,000 rows end to end (each row read, parsed, validated, stored staged, checked for overlaps
// and given its History row, one write transaction for the run), then taken out again; beside the raw floor of
// the same 5,000 Bookings and History inserts through prepared statements in one transaction. And the CSV reader
// over a 10 MB file beside a plain read of the same file in blocks. No speed target: the import should stay within
// a small multiple of its floor, the reader within a small multiple of the plain read.
#include "admin/CsvParser.h"
#include "admin/ImportData.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>

namespace {

constexpr int kImportRows = 5000;

// Free times after the file's ten years: one hour a day per row, spread over the resources.
TDateTime ImportStart(int row) {
    return million_bookings::FirstDay() + million_bookings::kDays + 30 + row / million_bookings::kResources +
           (9 + row % 8) / 24.0;
}

QString ImportFile() {
    const QString file = QDir::temp().filePath(QStringLiteral("tavorin-import-bench.csv"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write("ResourceName,Client,BookingStart,BookingEnd,Description\r\n");
    for (int row = 0; row < kImportRows; ++row) {
        const TDateTime start = ImportStart(row);
        const QString line = QStringLiteral("%1,Client %2,%3,%4,Imported row\r\n")
                                 .arg(million_bookings::ResourceName(1 + row % million_bookings::kResources))
                                 .arg(row)
                                 .arg(FormatDateTime(QStringLiteral("m/d/yyyy h:nn"), start),
                                      FormatDateTime(QStringLiteral("m/d/yyyy h:nn"), start + 1 / 48.0));
        out.write(line.toUtf8());
    }
    return file;
}

void ImportRows(benchmark::State& state) {
    TData& data = million_bookings::OpenedCopy(false);
    TSQLData sqlData(data);
    TImportForm form(data, sqlData);
    form.DataFilenameEdit->SetText(ImportFile());
    const QString log = QDir::temp().filePath(QStringLiteral("tavorin-import-bench-log.txt"));
    form.LogFilenameEdit->SetText(log);
    // What showing the window sets, with the file's date order.
    form.DateSettings = FormatSettings;
    form.DateSettings.DateSeparator = u'/';
    form.DateFormatComboBox->SetText(QStringLiteral("mm/dd/yyyy"));
    for (auto _ : state) {
        QFile::remove(log);
        form.StartButton->Click();
        state.PauseTiming();
        state.counters["imported"] = form.ImportedCount;
        state.counters["refused"] = form.ErrorCount + form.ConflictCount;
        form.CancelButton->Click();
        state.ResumeTiming();
    }
}

void RawImportInserts(benchmark::State& state) {
    sql::Connection& connection = million_bookings::OpenedCopy(false).ADOConnection.Engine();
    for (auto _ : state) {
        connection.BeginTransaction();
        auto booking = connection.Prepare(
            QStringLiteral("insert into Bookings (Trans, BookingId, ResourceId, BookingStart, BookingEnd, Client, "
                           "Description) values (-1, :i, :r, :s, :e, :c, :d)"));
        auto history = connection.Prepare(
            QStringLiteral("insert into History (Trans, BookingId, HistoryTimeStamp, HistoryCode, Userid) values (-1, "
                           ":b, :t, 4, :u)"));
        for (int row = 0; row < kImportRows; ++row) {
            booking->Reset();
            booking->Bind(0, 5000000 + row);
            booking->Bind(1, 1 + row % million_bookings::kResources);
            booking->Bind(2, ImportStart(row));
            booking->Bind(3, ImportStart(row) + 1 / 48.0);
            booking->Bind(4, QStringLiteral("Client %1").arg(row));
            booking->Bind(5, QStringLiteral("Imported row"));
            booking->Step();
            history->Reset();
            history->Bind(0, 5000000 + row);
            history->Bind(1, Now());
            history->Bind(2, QStringLiteral("bench"));
            history->Step();
        }
        connection.RollbackTransaction();
    }
}

// About 10 MB of booking lines with quoted fields.
QString TenMegabyteFile() {
    const QString file = QDir::temp().filePath(QStringLiteral("tavorin-reader-bench.csv"));
    if (QFile(file).size() >= 10'000'000) return file;
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    const QByteArray line = "Room 17,\"Lee, Ann\",3/5/2024 9:00,3/5/2024 10:00,7,\"say \"\"hi\"\"\",notes here\r\n";
    for (qint64 written = 0; written < 10'000'000; written += line.size()) out.write(line);
    return file;
}

void ReadCsvFile(benchmark::State& state) {
    const QString file = TenMegabyteFile();
    int records = 0;
    for (auto _ : state) {
        TwpsCsvParser parser;
        parser.OpenFile(file);
        records = 0;
        while (parser.ReadNextRecord()) ++records;
    }
    state.counters["records"] = records;
    state.SetBytesProcessed(state.iterations() * QFile(file).size());
}

void PlainFileRead(benchmark::State& state) {
    const QString file = TenMegabyteFile();
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        qint64 crs = 0;
        while (!in.atEnd()) crs += in.read(64 * 1024).count('\r');
        benchmark::DoNotOptimize(crs);
    }
    state.SetBytesProcessed(state.iterations() * QFile(file).size());
}

}  // namespace

BENCHMARK(ImportRows)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawImportInserts)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadCsvFile)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFileRead)->Unit(benchmark::kMillisecond);
