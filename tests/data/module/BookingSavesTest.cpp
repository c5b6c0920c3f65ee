// Saving bookings fast: one write transaction per save, the bulk path, ids drawn ahead, and what a crash leaves.
#include "data/bookings/BookingRecord.h"
#include "data/module/BookingIdCounter.h"
#include "data/support/BookingsFixture.h"
#include "data/support/SchemaFixtures.h"
#include "support/CrashChild.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>
#include <set>

using namespace bookings_test;

namespace {

enum class SavePath { InSteps, OneTransaction, Batch };

// What a new booking is saved with.
struct NewBooking {
    int resourceId;
    TDateTime start;
    TDateTime end;
    QString client = QStringLiteral("Smith");
};

// The record the bulk path is given for a booking.
std::unique_ptr<TBookingRecord> RecordOf(TData& data, const NewBooking& booking) {
    auto record = data.NewBookingRecord(data.BookingsTable);
    record->ResourceId = booking.resourceId;
    record->Owner = data.CurrentUserId();
    record->StartDate = DateOf(booking.start);
    record->StartTime = TimeOf(booking.start);
    record->EndDate = DateOf(booking.end);
    record->EndTime = TimeOf(booking.end);
    record->Client = booking.client;
    return record;
}

// A new booking saved as the booking window saves it: staged with every field of the edited record, validated,
// posted, checked, described in History and committed, in one write transaction or step by step. Answers the
// id, or 0 when it was not kept.
int SaveThroughChangeSets(TData& data, const NewBooking& booking, bool oneTransaction) {
    std::unique_ptr<data::WriteTransaction> save = oneTransaction ? data.BeginBookingSave() : nullptr;
    data.BookingsTrans.BeginTrans();
    data.HistoryTrans.BeginTrans();
    const int index = data.BookingsTrans.AddOperation(kOpInsert);
    TADOTable& table = data.BookingsTable;
    RecordOf(data, booking)->Save(false);
    const int id = data.BookingsTrans.WorkingIds[index];
    bool kept = data.ValidateBooking() == kBookingValid && data.PostBooking() == kPostDone;
    if (kept) {
        TBookingConflictResult result;
        data.CheckBookingConflicts(result);
        kept = result.Status == kConflictNone;
    }
    if (kept) {
        const std::unique_ptr<TBookingRecord> record = data.NewBookingRecord(table);
        record->Load();
        data.AddHistory(id, -1, 1, data.CurrentUserId(), record->DescribeChanges(nullptr, data.ResourceShadowTable));
    } else {
        if (table.State() == dsInsert) table.Cancel();
        data.BookingsTrans.UndoOperation(index);
    }
    data.BookingsTrans.CommitTrans();
    data.HistoryTrans.CommitTrans();
    if (save) save->Commit();
    return kept ? id : 0;
}

class BookingSavesTest : public BookingsTest {
protected:
    TData data;

    void Open(const QString& path = DatabasePath()) {
        db.reset();
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        testing_env::Messages().Clear();
    }

    QStringList Rows(const QString& jetSql) { return data_test::RowTexts(data.ADOConnection.Engine(), jetSql); }
};

// A new file holding the bookings saved by one path, and the module that saved them.
std::unique_ptr<TData> SavedInNewFile(SavePath path, const std::vector<NewBooking>& bookings) {
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("path%1.tvd").arg(int(path)));
    CreateBookingDatabase(file);
    auto module = std::make_unique<TData>();
    EXPECT_TRUE(module->ConnectDatabase(file, {}));
    if (path == SavePath::Batch) {
        const auto batch = module->BeginBookingBatch();
        for (const NewBooking& booking : bookings) EXPECT_NE(batch->Add(*RecordOf(*module, booking)).BookingId, 0);
        batch->Commit();
    } else {
        for (const NewBooking& booking : bookings)
            EXPECT_NE(SaveThroughChangeSets(*module, booking, path == SavePath::OneTransaction), 0);
    }
    return module;
}

TEST_F(BookingSavesTest, EverySavePathStoresTheSameRowsAndHistory) {
    const std::vector<NewBooking> bookings = {
        {1, At(5, 9), At(5, 10)}, {2, At(5, 9), At(6, 12)}, {1, At(5, 10), At(5, 11)}};
    QStringList stored[3];
    for (const SavePath path : {SavePath::InSteps, SavePath::OneTransaction, SavePath::Batch}) {
        SCOPED_TRACE(static_cast<int>(path));
        const std::unique_ptr<TData> module = SavedInNewFile(path, bookings);
        sql::Connection& engine = module->ADOConnection.Engine();
        stored[int(path)] = data_test::RowTexts(engine, QStringLiteral("SELECT * FROM Bookings ORDER BY BookingId")) +
                            data_test::RowTexts(engine, QStringLiteral("SELECT * FROM History ORDER BY HistoryId"));
        EXPECT_EQ(engine.Native().QueryValue(QStringLiteral("SELECT count(*) FROM tavorin_StagedOwner")).toInt(), 0);
    }
    ASSERT_EQ(stored[0].size(), 6);
    EXPECT_TRUE(stored[0][3].contains(QStringLiteral("Resource(Room 1) Date(Jan 05 2026)")));
    EXPECT_EQ(stored[1], stored[0]);
    EXPECT_EQ(stored[2], stored[0]);
}

// The reminders of a day are the bookings whose Reminder is not null: a booking saved without one is not among
// them, whichever way it was saved.
TEST_F(BookingSavesTest, EverySavePathStoresEmptyOptionalTextsAsNoValue) {
    for (const SavePath path : {SavePath::InSteps, SavePath::OneTransaction, SavePath::Batch}) {
        SCOPED_TRACE(static_cast<int>(path));
        const std::unique_ptr<TData> module = SavedInNewFile(path, {{1, At(5, 9), At(5, 10)}});
        EXPECT_EQ(
            data_test::RowTexts(module->ADOConnection.Engine(),
                                QStringLiteral("SELECT BookingId FROM Bookings WHERE Email IS NULL AND Phone IS NULL "
                                               "AND Address IS NULL AND Description IS NULL AND Notes IS NULL AND "
                                               "Reminder IS NULL"))
                .size(),
            1);
    }
}

TEST_F(BookingSavesTest, ABatchKeepsTheBookingsThatPassAndTellsWhyTheOthersDoNot) {
    const int existing = db->Book(1, At(5, 9), At(5, 10));
    Open();
    const auto batch = data.BeginBookingBatch();
    const data::BatchOutcome first = batch->Add(*RecordOf(data, {1, At(5, 11), At(5, 12)}));
    EXPECT_EQ(first.Conflicts.Status, kConflictNone);
    ASSERT_NE(first.BookingId, 0);
    // Against a stored booking, and against one of the batch itself.
    const data::BatchOutcome overlapsStored = batch->Add(*RecordOf(data, {1, At(5, 9, 30), At(5, 9, 45)}));
    EXPECT_EQ(overlapsStored.BookingId, 0);
    EXPECT_EQ(overlapsStored.Conflicts.Status, kConflictFound);
    EXPECT_EQ(overlapsStored.Conflicts.Ids[1], existing);
    const data::BatchOutcome overlapsBatch = batch->Add(*RecordOf(data, {1, At(5, 11, 30), At(5, 12, 30)}));
    EXPECT_EQ(overlapsBatch.Conflicts.Ids[0], 1);
    EXPECT_EQ(overlapsBatch.Conflicts.Ids[1], first.BookingId);
    const data::BatchOutcome noClient = batch->Add(*RecordOf(data, {1, At(6, 9), At(6, 10), QString()}));
    EXPECT_EQ(noClient.Validation, kBookingClientEmpty);
    EXPECT_EQ(noClient.Conflicts.Status, 0);
    EXPECT_EQ(batch->Add(*RecordOf(data, {99, At(6, 9), At(6, 10)})).Validation, kBookingResourceNotFound);
    batch->Commit();
    EXPECT_EQ(Rows(QStringLiteral("SELECT BookingId FROM Bookings ORDER BY BookingId")),
              QStringList({QString::number(existing), QString::number(first.BookingId)}));
    EXPECT_EQ(Rows(QStringLiteral("SELECT BookingId, HistoryCode, Trans FROM History")),
              QStringList{QStringLiteral("%1|1|0").arg(first.BookingId)});
}

TEST_F(BookingSavesTest, ABatchOrASaveNotCommittedLeavesNothing) {
    Open();
    {
        const auto batch = data.BeginBookingBatch();
        EXPECT_NE(batch->Add(*RecordOf(data, {1, At(5, 11), At(5, 12)})).BookingId, 0);
    }
    {
        const auto save = data.BeginBookingSave();
        data.BookingsTrans.BeginTrans();
        data.BookingsTrans.AddOperation(kOpInsert);
        data.BookingsTable.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(1);
        data.BookingsTable.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(At(5, 9));
        data.BookingsTable.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(At(5, 10));
        data.BookingsTable.FieldByName(QStringLiteral("Client")).SetAsString(QStringLiteral("Smith"));
        ASSERT_EQ(data.PostBooking(), kPostDone);
        data.BookingsTrans.CommitTrans();
    }
    EXPECT_TRUE(Rows(QStringLiteral("SELECT BookingId FROM Bookings")).isEmpty());
    EXPECT_TRUE(Rows(QStringLiteral("SELECT HistoryId FROM History")).isEmpty());
}

TEST_F(BookingSavesTest, TheBookingTablesHoldOnlyTheRowsInHand) {
    const int first = db->Book(1, At(5, 9), At(5, 10));
    const int second = db->Book(2, At(5, 9), At(5, 10));
    Open();
    EXPECT_EQ(data.BookingsTable.RecordCount(), 0);
    ASSERT_TRUE(data.BookingsTable.Locate(QStringLiteral("BookingId"), second));
    ASSERT_TRUE(data.BookingsTable.Locate(QStringLiteral("BookingId"), first));
    EXPECT_EQ(data.BookingsTable.RecordCount(), 2);
    EXPECT_EQ(data.BookingsTable.FieldByName(QStringLiteral("ResourceId")).AsInteger(), 1);
    EXPECT_FALSE(data.BookingsTable.Locate(QStringLiteral("BookingId"), 999999));
    data.BookingsTable.Requery();
    EXPECT_EQ(data.BookingsTable.RecordCount(), 0);
}

// Two programs on one file, drawing ids in turn, one of them also in bulk: no id is given twice, and the
// counter goes on after every id either was given.
TEST_F(BookingSavesTest, TwoInstancesOnOneFileNeverGetTheSameId) {
    Open();
    TData other;
    ASSERT_TRUE(other.ConnectDatabase(DatabasePath(), {}));
    std::set<int> ids;
    int drawn = 0;
    const auto draw = [&](TData& module) {
        module.BookingsTable.Insert();
        ids.insert(static_cast<int>(module.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger()));
        module.BookingsTable.Cancel();
        ++drawn;
    };
    for (int i = 0; i < 40; ++i) {
        draw(data);
        draw(other);
    }
    const auto batch = other.BeginBookingBatch();
    for (int i = 0; i < 100; ++i, ++drawn)
        ids.insert(
            batch->Add(*RecordOf(other, {1 + i % 2, At(7, 0) + i / 24.0, At(7, 0) + (i + 0.5) / 24.0})).BookingId);
    batch->Commit();
    draw(data);
    EXPECT_EQ(static_cast<int>(ids.size()), drawn);
    int next = 0, highest = 0;
    EXPECT_TRUE(data::CheckNextBookingId(data.ADOConnection.Engine(), next, highest));
    EXPECT_GT(next, *ids.rbegin());
}

// Two programs on one file saving new bookings in turn, each save path taking its turn: every booking gets the
// counter's next number, so the ids follow the order in which the bookings were made.
TEST_F(BookingSavesTest, TwoProgramsSavingInTurnGetConsecutiveIds) {
    Open();
    TData other;
    ASSERT_TRUE(other.ConnectDatabase(DatabasePath(), {}));
    std::vector<int> ids;
    for (int i = 0; i < 6; ++i) {
        TData& module = i % 2 == 0 ? data : other;
        const NewBooking booking{1, At(5, 8 + i), At(5, 8 + i, 30)};
        const auto path = static_cast<SavePath>(i % 3);
        if (path == SavePath::Batch) {
            const auto batch = module.BeginBookingBatch();
            ids.push_back(batch->Add(*RecordOf(module, booking)).BookingId);
            batch->Commit();
        } else {
            ids.push_back(SaveThroughChangeSets(module, booking, path == SavePath::OneTransaction));
        }
    }
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], ids[0] + static_cast<int>(i)) << i;
    EXPECT_EQ(Rows(QStringLiteral("SELECT count(*) FROM Bookings")), QStringList{QStringLiteral("6")});
}

// What a save left in the file: each booking with its History row and nothing staged, or nothing; answers
// how many bookings there are.
int ExpectWholeSaves(const QString& file, const std::string& where) {
    const sql::Connection connection(ConnectionStringFor(file));
    const QStringList bookings =
        data_test::RowTexts(connection, QStringLiteral("SELECT BookingId, Trans FROM Bookings ORDER BY BookingId"));
    EXPECT_EQ(
        data_test::RowTexts(connection, QStringLiteral("SELECT BookingId, Trans FROM History ORDER BY BookingId")),
        bookings)
        << where;
    for (const QString& row : bookings) EXPECT_TRUE(row.endsWith(QStringLiteral("|0"))) << where;
    return static_cast<int>(bookings.size());
}

// One booking saved in one transaction, then two in bulk; true when all three were kept.
bool SaveABookingAndABatch(TData& data) {
    bool kept = SaveThroughChangeSets(data, {1, At(5, 9), At(5, 10)}, true) != 0;
    const auto batch = data.BeginBookingBatch();
    kept = batch->Add(*RecordOf(data, {2, At(5, 9), At(5, 10)})).BookingId != 0 && kept;
    kept = batch->Add(*RecordOf(data, {2, At(5, 11), At(5, 12)})).BookingId != 0 && kept;
    batch->Commit();
    return kept;
}

// A disk error at any point of the saves leaves each of them whole or absent.
TEST_F(BookingSavesTest, ADiskErrorAnywhereInTheSavesLeavesEachWholeOrAbsent) {
    db.reset();
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("faults.tvd"));
    std::unique_ptr<TData> module;
    testing_env::LoopOverFaults(
        [&] {
            module.reset();
            QFile::remove(file);
            ASSERT_TRUE(QFile::copy(DatabasePath(), file));
            module = std::make_unique<TData>();
            ASSERT_TRUE(module->ConnectDatabase(file, {}));
        },
        [&] { SaveABookingAndABatch(*module); },
        [&](int n) {
            module.reset();
            // A save the error refused cleanly is absent, which may leave the others.
            EXPECT_LE(ExpectWholeSaves(file, "fault " + std::to_string(n)), 3);
            testing_env::Messages().Clear();
        });
    module.reset();
    EXPECT_EQ(ExpectWholeSaves(file, "no fault"), 3);
}

// The child: one booking saved in one transaction on the file the parent names, then one in bulk.
TEST(BookingSaveChild, DISABLED_SavesABookingAndABatch) {
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(qEnvironmentVariable("TAVORIN_CHILD_FILE"), {}));
    EXPECT_TRUE(SaveABookingAndABatch(data));
}

// Killed before any begin, savepoint or commit of the saves: each save is there whole with its History row,
// or not at all, nothing staged is left once the file is opened again, and no id is given out twice.
TEST_F(BookingSavesTest, ASaveKilledAtAnyPointLeavesTheOldOrTheNewState) {
    db.reset();
    const QString original = DatabasePath();
    bool finished = false;
    int kills = 0;
    for (int pass = 1; pass < 60 && !finished; ++pass) {
        const std::string where = "native-exec:" + std::to_string(pass);
        const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("killed%1.tvd").arg(pass));
        ASSERT_TRUE(QFile::copy(original, file));
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("TAVORIN_CHILD_FILE"), file);
        environment.insert(QStringLiteral("TAVORIN_KILL_AT"), QStringLiteral("native-exec:%1").arg(pass));
        const testing_env::ChildResult result =
            testing_env::RunChildTest(QStringLiteral("BookingSaveChild.DISABLED_SavesABookingAndABatch"), environment);
        finished = !result.killed;
        kills += result.killed ? 1 : 0;
        if (finished) {
            ASSERT_EQ(result.exitCode, 0) << where;
        }
        TData reopened;
        ASSERT_TRUE(reopened.ConnectDatabase(file, {})) << where;
        // The first save alone, or it and the whole batch.
        const int count = ExpectWholeSaves(file, where);
        EXPECT_TRUE(count == 0 || count == 1 || count == 3) << where;
        const QStringList bookings =
            data_test::RowTexts(reopened.ADOConnection.Engine(), QStringLiteral("SELECT BookingId FROM Bookings"));
        reopened.BookingsTable.Insert();
        const int next = static_cast<int>(reopened.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger());
        reopened.BookingsTable.Cancel();
        for (const QString& row : bookings) EXPECT_GT(next, row.toInt()) << where;
    }
    EXPECT_TRUE(finished);
    // Every begin and commit of the id runs and of both saves was a place to die.
    EXPECT_GE(kills, 8);
}

}  // namespace
