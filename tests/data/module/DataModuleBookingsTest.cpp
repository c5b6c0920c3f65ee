// The data module's booking services on an opened database: ids, validation, posting, conflicts, History rows.
#include "data/bookings/BookingRecord.h"
#include "data/support/BookingsFixture.h"
#include "platform/sql/Database.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

class DataModuleBookingsTest : public BookingsTest {
protected:
    TData data;

    void Open() {
        db.reset();
        ASSERT_TRUE(data.ConnectDatabase(DatabasePath(), {}));
        testing_env::Messages().Clear();
    }

    // Stages a new booking of Room 1 the way the booking window does; answers the operation's index.
    int StageBooking(TDateTime start, TDateTime end, const QString& client = QStringLiteral("Smith")) {
        const int index = data.BookingsTrans.AddOperation(kOpInsert);
        data.BookingsTable.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(1);
        data.BookingsTable.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(start);
        data.BookingsTable.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(end);
        data.BookingsTable.FieldByName(QStringLiteral("Client")).SetAsString(client);
        return index;
    }
};

TEST_F(DataModuleBookingsTest, ANewBookingIsValidatedPostedCheckedAndCommittedWithItsHistory) {
    Open();
    // The overlap check reads each resource's longest booking through the index the open makes.
    EXPECT_TRUE(data.ADOConnection.Engine()
                    .Native()
                    .QueryValue(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'tavorin_BookingLength'"))
                    .isValid());
    data.BookingsTrans.BeginTrans();
    data.HistoryTrans.BeginTrans();
    const int index = StageBooking(At(5, 9), At(5, 10));
    const qint32 id = data.BookingsTrans.WorkingIds[index];
    EXPECT_GE(id, 1000);
    EXPECT_EQ(data.ValidateBooking(), kBookingValid);
    EXPECT_EQ(data.PostBooking(), kPostDone);
    TBookingConflictResult result;
    data.CheckBookingConflicts(result);
    EXPECT_EQ(result.Status, kConflictNone);

    const std::unique_ptr<TBookingRecord> record = data.NewBookingRecord(data.BookingsTable);
    record->Load();
    data.AddHistory(id, -1, 1, QStringLiteral("me"), record->DescribeChanges(nullptr, data.ResourceShadowTable));
    EXPECT_TRUE(data.BookingsTrans.CommitTrans());
    EXPECT_TRUE(data.HistoryTrans.CommitTrans());

    TADOQuery history;
    history.SetConnection(&data.ADOConnection);
    history.SQL.SetText(QStringLiteral("SELECT * FROM History"));
    history.Open();
    ASSERT_EQ(history.RecordCount(), 1);
    EXPECT_EQ(history.FieldByName(QStringLiteral("BookingId")).AsInteger(), id);
    EXPECT_TRUE(history.FieldByName(QStringLiteral("GroupBookingId")).IsNull());
    EXPECT_FALSE(history.FieldByName(QStringLiteral("Trans")).AsBoolean());
    EXPECT_EQ(history.FieldByName(QStringLiteral("Description")).AsString(),
              QStringLiteral("Resource(Room 1) Date(Jan 05 2026) StartTime(9:00 am) EndTime(10:00 am) Client(Smith) "));

    // Each new row draws the next id.
    data.BookingsTable.Insert();
    EXPECT_EQ(data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger(), id + 1);
    data.BookingsTable.Cancel();
}

TEST_F(DataModuleBookingsTest, TheLastConflictFoundIsKeptUntilTheNextConflict) {
    const int first = db->Book(1, At(5, 9), At(5, 10));
    const int second = db->Book(1, At(5, 11), At(5, 12));
    Open();
    EXPECT_EQ(data.LastConflictId, 0);
    data.BookingsTrans.BeginTrans();
    const int index = StageBooking(At(5, 8), At(5, 11, 30));
    ASSERT_EQ(data.PostBooking(), kPostDone);
    TBookingConflictResult result;
    data.CheckBookingConflicts(result);
    EXPECT_EQ(result.Status, kConflictFound);
    EXPECT_EQ(result.Ids[0], 2);
    EXPECT_EQ(result.Ids[1], first);
    EXPECT_EQ(result.Ids[2], second);
    EXPECT_EQ(data.LastConflictId, second);
    data.BookingsTrans.UndoOperation(index);

    StageBooking(At(6, 8), At(6, 9));
    ASSERT_EQ(data.PostBooking(), kPostDone);
    data.CheckBookingConflicts(result);
    EXPECT_EQ(result.Status, kConflictNone);
    EXPECT_EQ(data.LastConflictId, second);
    data.BookingsTrans.RollbackTrans();
    const auto count = data.ADOConnection.Engine().Prepare(QStringLiteral("SELECT Count(*) FROM Bookings"));
    ASSERT_TRUE(count->Step());
    EXPECT_EQ(count->Value(0).toInt(), 2);
}

TEST_F(DataModuleBookingsTest, AFailedPostGivesEightAndKeepsTheRowForTheCaller) {
    Open();
    data.BookingsTable.Insert();
    EXPECT_EQ(data.ValidateBooking(), kBookingClientEmpty);
    EXPECT_EQ(data.PostBooking(), kPostFailed);
    EXPECT_EQ(data.BookingsTable.State(), dsInsert);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    data.BookingsTable.Cancel();
}

TEST_F(DataModuleBookingsTest, CustomColumnsAreFoundOnOpenTravelThroughAModifyAndGoOnClose) {
    db->connection.Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf2Code TEXT(10)"));
    const int booking = db->Book(1, At(5, 9), At(5, 10));
    Open();
    ASSERT_NE(data.Udf2Field, nullptr);
    EXPECT_EQ(data.Udf1Field, nullptr);
    EXPECT_EQ(data.Udf2Field->Caption, QStringLiteral("Code"));

    data.BookingsTrans.BeginTrans();
    ASSERT_TRUE(data.BookingsTable.Locate(QStringLiteral("BookingId"), booking));
    data.BookingsTrans.AddOperation(kOpModify);
    data.BookingsTable.FieldByName(QStringLiteral("udf2Code")).SetAsString(QStringLiteral("X7"));
    ASSERT_EQ(data.PostBooking(), kPostDone);
    EXPECT_TRUE(data.BookingsTrans.CommitTrans());
    ASSERT_TRUE(data.BookingsTable.Locate(QStringLiteral("BookingId"), booking));
    EXPECT_EQ(data.BookingsTable.FieldByName(QStringLiteral("udf2Code")).AsString(), QStringLiteral("X7"));

    data.DisconnectDatabase();
    EXPECT_EQ(data.Udf2Field, nullptr);
}

TEST_F(DataModuleBookingsTest, TaskHistoryGoesThroughThePreparedStatementAndIsNeverStaged) {
    Open();
    data.HistoryTrans.BeginTrans();
    data.AddTaskHistory(12, data::HistoryCode::TaskModified, QStringLiteral("me"), QStringLiteral("Status(Done) "));
    data.HistoryTrans.RollbackTrans();
    const auto row = data.ADOConnection.Engine().Prepare(
        QStringLiteral("SELECT HistoryCode, Userid, Description, HistoryTimeStamp FROM History WHERE TaskId = 12"));
    ASSERT_TRUE(row->Step());
    EXPECT_EQ(row->Value(0).toInt(), 8);
    EXPECT_EQ(row->Value(1).toString(), QStringLiteral("me"));
    EXPECT_EQ(row->Value(2).toString(), QStringLiteral("Status(Done) "));
    EXPECT_DOUBLE_EQ(row->Value(3).toDouble(), clock->Now());
}

}  // namespace
