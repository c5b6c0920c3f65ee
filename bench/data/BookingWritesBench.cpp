// Saving and opening on a file of 1,000,000 bookings (200 resources, 10 years), plain and encrypted, each
// figure beside the engine's floor measured in the same process on the same file:
// - SaveOne: one new booking through the data module as the booking window saves it (id, validation, staged
//   row, overlap check, History row, both commits) in one write transaction; SaveOneInSteps: the same without
//   it, each step reaching the disk on its own. Floor: RawInsertOne, a one-row insert transaction.
//   Goal: SaveOne at most 5 x the floor, and flat as the table grows (SaveOneOnAnEmptyFile: the same save on
//   a file of the same resources without bookings).
// - Batch/N: N new bookings through the bulk path (validation, overlap checks, History rows, one transaction).
//   Floor: RawInsertBatch/N, N rows inserted in one transaction. Goal: at most 5 x the floor.
// - Open: the file opened through the data module. Floor: RawOpen, a connection opened and one read made.
//   Goal: at most 200 ms.
// The bookings written go to a copy of the cached file, after its last day, so they never overlap.
#include "data/bookings/BookingRecord.h"
#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "support/MillionBookings.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString Password(bool encrypted) { return encrypted ? million_bookings::Password() : QString(); }

// A copy of the cached file per kind, made once per run and opened once by the data module, so that what an
// open adds to a file is there before anything is measured.
QString WorkingCopy(bool encrypted) {
    static QTemporaryDir dir;
    const QString path =
        QDir(dir.path()).filePath(encrypted ? QStringLiteral("encrypted.tvd") : QStringLiteral("plain.tvd"));
    if (QFile::exists(path)) return path;
    if (!QFile::copy(million_bookings::DatabasePath(encrypted), path)) std::abort();
    TData first;
    if (!first.ConnectDatabase(path, Password(encrypted))) std::abort();
    return path;
}

TData& OpenData(bool encrypted) {
    static TData modules[2];
    TData& data = modules[encrypted];
    if (!data.ADOConnection.Connected() && !data.ConnectDatabase(WorkingCopy(encrypted), Password(encrypted)))
        std::abort();
    return data;
}

// A new file of the same resources without bookings: where a save's time must stay as the table grows.
TData& OpenEmptyData() {
    static QTemporaryDir dir;
    static TData data;
    if (data.ADOConnection.Connected()) return data;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("empty.tvd"));
    if (!data.CreateDatabase(path, true)) std::abort();
    {
        sql::Connection connection(million_bookings::ConnectionString(path, false));
        for (int id = 1; id <= million_bookings::kResources; ++id)
            connection.Execute(QStringLiteral("INSERT INTO Resources (ResourceId, ResourceName, MaxBookDays) "
                                              "VALUES (%1, \"%2\", 0)")
                                   .arg(id)
                                   .arg(million_bookings::ResourceName(id)));
    }
    if (!data.ConnectDatabase(path, {})) std::abort();
    return data;
}

// The next free hour after the file's last day, on the next resource in turn.
struct Slot {
    int resourceId;
    TDateTime start;
};

Slot NextSlot() {
    static int next = 0;
    const int n = next++;
    return {1 + n % million_bookings::kResources,
            million_bookings::FirstDay() + million_bookings::kDays + 30 + n / million_bookings::kResources / 24.0};
}

void SaveOneBooking(TData& data, bool oneTransaction, benchmark::State& state) {
    const Slot slot = NextSlot();
    std::unique_ptr<data::WriteTransaction> save = oneTransaction ? data.BeginBookingSave() : nullptr;
    data.BookingsTrans.BeginTrans();
    data.HistoryTrans.BeginTrans();
    const int index = data.BookingsTrans.AddOperation(kOpInsert);
    TADOTable& table = data.BookingsTable;
    table.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(slot.resourceId);
    table.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(slot.start);
    table.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(slot.start + 0.5 / 24);
    table.FieldByName(QStringLiteral("Client")).SetAsString(QStringLiteral("Bench client"));
    if (data.ValidateBooking() != kBookingValid || data.PostBooking() != kPostDone)
        return state.SkipWithError("not saved");
    TBookingConflictResult result;
    data.CheckBookingConflicts(result);
    if (result.Status != kConflictNone) return state.SkipWithError("conflict");
    const std::unique_ptr<TBookingRecord> record = data.NewBookingRecord(table);
    record->Load();
    data.AddHistory(data.BookingsTrans.WorkingIds[index], -1, 1, data.CurrentUserId(),
                    record->DescribeChanges(nullptr, data.ResourceShadowTable));
    if (!data.BookingsTrans.CommitTrans() || !data.HistoryTrans.CommitTrans()) state.SkipWithError("commit");
    if (save) save->Commit();
}

void SaveOne(benchmark::State& state, bool encrypted) {
    TData& data = OpenData(encrypted);
    for (auto _ : state) SaveOneBooking(data, true, state);
}

void SaveOneOnAnEmptyFile(benchmark::State& state) {
    TData& data = OpenEmptyData();
    for (auto _ : state) SaveOneBooking(data, true, state);
}

void SaveOneInSteps(benchmark::State& state, bool encrypted) {
    TData& data = OpenData(encrypted);
    for (auto _ : state) SaveOneBooking(data, false, state);
}

// Raw rows after every booking the data module writes, with ids no counter gives out.
std::unique_ptr<sql::Statement> RawInsert(TData& data) {
    return data.ADOConnection.Engine().Native().Prepare(QStringLiteral(
        "INSERT INTO Bookings (BookingId, ResourceId, Client, BookingStart, BookingEnd) VALUES (?, ?, ?, ?, ?)"));
}

void StepRawInsert(sql::Statement& insert) {
    static int next = 0;
    const Slot slot = NextSlot();
    insert.Reset();
    insert.Bind(0, 2000000000 - next++);
    insert.Bind(1, slot.resourceId);
    insert.Bind(2, QStringLiteral("Bench client"));
    insert.Bind(3, slot.start);
    insert.Bind(4, slot.start + 0.5 / 24);
    insert.Step();
}

void RawInsertOne(benchmark::State& state, bool encrypted) {
    TData& data = OpenData(encrypted);
    const auto insert = RawInsert(data);
    const sql::Database& native = data.ADOConnection.Engine().Native();
    for (auto _ : state) {
        native.Exec(QStringLiteral("BEGIN IMMEDIATE"));
        StepRawInsert(*insert);
        native.Exec(QStringLiteral("COMMIT"));
    }
}

void Batch(benchmark::State& state, bool encrypted) {
    TData& data = OpenData(encrypted);
    const int count = static_cast<int>(state.range(0));
    TBookingRecord record(data.BookingsTable, data.Udf1Field.get(), data.Udf2Field.get());
    record.Client = QStringLiteral("Bench client");
    record.Owner = data.CurrentUserId();
    for (auto _ : state) {
        const auto batch = data.BeginBookingBatch();
        for (int i = 0; i < count; ++i) {
            const Slot slot = NextSlot();
            record.ResourceId = slot.resourceId;
            record.StartDate = record.EndDate = DateOf(slot.start);
            record.StartTime = TimeOf(slot.start);
            record.EndTime = TimeOf(slot.start) + 0.5 / 24;
            if (batch->Add(record).BookingId == 0) return state.SkipWithError("not saved");
        }
        batch->Commit();
    }
    state.counters["per booking"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void RawInsertBatch(benchmark::State& state, bool encrypted) {
    TData& data = OpenData(encrypted);
    const auto insert = RawInsert(data);
    const sql::Database& native = data.ADOConnection.Engine().Native();
    for (auto _ : state) {
        native.Exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (int i = 0; i < state.range(0); ++i) StepRawInsert(*insert);
        native.Exec(QStringLiteral("COMMIT"));
    }
}

void Open(benchmark::State& state, bool encrypted) {
    const QString path = WorkingCopy(encrypted);
    TData data;
    for (auto _ : state) {
        if (!data.ConnectDatabase(path, Password(encrypted))) return state.SkipWithError("open failed");
        state.PauseTiming();
        data.DisconnectDatabase();
        state.ResumeTiming();
    }
}

void RawOpen(benchmark::State& state, bool encrypted) {
    const QString path = WorkingCopy(encrypted);
    for (auto _ : state) {
        sql::Connection connection(data::NormalConnectionString(path, Password(encrypted)));
        benchmark::DoNotOptimize(connection.Native().QueryValue(QStringLiteral("SELECT count(*) FROM sqlite_master")));
    }
}

}  // namespace

BENCHMARK_CAPTURE(Open, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawOpen, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawOpen, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveOne, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveOne, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveOneOnAnEmptyFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveOneInSteps, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveOneInSteps, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawInsertOne, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawInsertOne, encrypted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Batch, plain, false)->Unit(benchmark::kMillisecond)->Arg(10000);
BENCHMARK_CAPTURE(Batch, encrypted, true)->Unit(benchmark::kMillisecond)->Arg(10000);
BENCHMARK_CAPTURE(RawInsertBatch, plain, false)->Unit(benchmark::kMillisecond)->Arg(10000);
BENCHMARK_CAPTURE(RawInsertBatch, encrypted, true)->Unit(benchmark::kMillisecond)->Arg(10000);
