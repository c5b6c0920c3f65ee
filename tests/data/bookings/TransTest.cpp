// Staged change sets: staging, undo, commit and rollback, History rows, and changes other users make meanwhile.
#include "data/bookings/BookingConflicts.h"
#include "data/bookings/History.h"
#include "data/support/BookingsFixture.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

class TransTest : public BookingsTest {
protected:
    void SetUp() override {
        BookingsTest::SetUp();
        booking = db->Book(1, At(5, 9), At(5, 10));
    }

    // Stages a modification of the booking that moves its end, with its History row; answers the working id.
    int StageNewEnd(TDateTime end) {
        db->bookingsTrans.BeginTrans();
        db->historyTrans.BeginTrans();
        EXPECT_TRUE(db->bookings.Locate(QStringLiteral("BookingId"), booking));
        const int index = db->bookingsTrans.AddOperation(kOpModify);
        db->bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(end);
        db->bookings.Post();
        data::AddHistoryRow(db->historyTrans, booking, -1, 2, QStringLiteral("me"), QStringLiteral("EndTime(...) "));
        return db->bookingsTrans.WorkingIds[index];
    }

    int Count(const QString& where) {
        return db->Stored(QStringLiteral("SELECT Count(*) FROM Bookings WHERE ") + where).toInt();
    }
    TDateTime StoredEnd(int id) {
        return db->Stored(QStringLiteral("SELECT BookingEnd FROM Bookings WHERE BookingId = %1").arg(id)).toDouble();
    }

    int booking = 0;
};

TEST_F(TransTest, ModifyThenRollbackLeavesTheOriginalAndNoStagedRow) {
    const int working = StageNewEnd(At(5, 11));
    EXPECT_NE(working, booking);
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 1);
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Client FROM Bookings WHERE BookingId = %1").arg(working)).toString(),
              QStringLiteral("Smith"));
    qint32 found = 0;
    EXPECT_TRUE(db->bookingsTrans.FindWorkingId(booking, found));
    EXPECT_EQ(found, working);
    EXPECT_TRUE(db->bookingsTrans.FindOriginalId(working, found));
    EXPECT_EQ(found, booking);
    EXPECT_FALSE(db->bookingsTrans.FindOriginalId(booking, found));
    EXPECT_EQ(found, 0);

    db->bookingsTrans.RollbackTrans();
    db->historyTrans.RollbackTrans();
    EXPECT_FALSE(db->bookingsTrans.Active);
    EXPECT_TRUE(db->bookingsTrans.OpKinds.isEmpty());
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 0);
    EXPECT_EQ(Count(QStringLiteral("True")), 1);
    EXPECT_NEAR(StoredEnd(booking), At(5, 10), OneMillisecond);
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History")).toInt(), 0);
}

TEST_F(TransTest, ModifyThenCommitKeepsTheIdWithTheNewValuesAndClearsStagedHistory) {
    const int working = StageNewEnd(At(5, 11));
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")).toInt(), 1);

    EXPECT_TRUE(db->bookingsTrans.CommitTrans());
    db->historyTrans.CommitTrans();
    EXPECT_TRUE(db->bookingsTrans.CommitError.isEmpty());
    EXPECT_FALSE(db->bookingsTrans.Active);
    EXPECT_EQ(Count(QStringLiteral("True")), 1);
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(working)), 0);
    EXPECT_NEAR(StoredEnd(booking), At(5, 11), OneMillisecond);
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 0);
    // The table stays on the booking.
    EXPECT_EQ(db->bookings.FieldByName(QStringLiteral("BookingId")).AsInteger(), booking);
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")).toInt(), 0);
    EXPECT_EQ(
        db->Stored(QStringLiteral("SELECT Description FROM History WHERE BookingId = %1").arg(booking)).toString(),
        QStringLiteral("EndTime(...) "));
}

TEST_F(TransTest, InsertsCommitUnlessUndoneAndDeletesRemoveTheRow) {
    db->bookingsTrans.BeginTrans();
    const auto stageInsert = [this](int hour) {
        const int index = db->bookingsTrans.AddOperation(kOpInsert);
        EXPECT_EQ(db->bookings.State(), dsInsert);
        db->bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(2);
        db->bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(At(6, hour));
        db->bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(At(6, hour + 1));
        db->bookings.FieldByName(QStringLiteral("Client")).SetAsString(QStringLiteral("New"));
        db->bookings.Post();
        return index;
    };
    const int kept = stageInsert(9);
    const int undone = stageInsert(12);
    ASSERT_TRUE(db->bookings.Locate(QStringLiteral("BookingId"), booking));
    db->bookingsTrans.AddOperation(kOpDelete);
    EXPECT_EQ(db->bookingsTrans.OriginalIds[2], booking);
    EXPECT_EQ(db->bookingsTrans.WorkingIds[2], 0);
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(booking)), 1);  // a delete waits for the commit

    db->bookingsTrans.UndoOperation(undone);
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(db->bookingsTrans.WorkingIds[undone])), 0);
    EXPECT_TRUE(db->bookingsTrans.CommitTrans());
    EXPECT_EQ(Count(QStringLiteral("True")), 1);
    EXPECT_EQ(
        Count(QStringLiteral("BookingId = %1 AND Trans = False").arg(db->bookingsTrans.WorkingIds.value(kept, 0))), 0);
    EXPECT_EQ(Count(QStringLiteral("Client = \"New\" AND Trans = True")), 0);
    EXPECT_EQ(Count(QStringLiteral("Client = \"New\"")), 1);
}

TEST_F(TransTest, HistoryRowsOutsideAChangeSetAreWrittenAtOnce) {
    data::AddHistoryRow(db->historyTrans, -1, -1, 10, QStringLiteral("me"), QStringLiteral("Database Purged"));
    data::AddHistoryRow(db->historyTrans, booking, 55, 1, QStringLiteral("me"), QString());
    EXPECT_EQ(
        db->Stored(QStringLiteral("SELECT Count(*) FROM History WHERE BookingId IS NULL AND GroupBookingId IS NULL "
                                  "AND HistoryCode = 10 AND Trans = False"))
            .toInt(),
        1);
    EXPECT_EQ(
        db->Stored(QStringLiteral("SELECT GroupBookingId FROM History WHERE BookingId = %1").arg(booking)).toInt(), 55);
    EXPECT_DOUBLE_EQ(db->Stored(QStringLiteral("SELECT Max(HistoryTimeStamp) FROM History")).toDouble(), clock->Now());

    TADOQuery tasksHistory;
    tasksHistory.SetConnection(&db->connection);
    tasksHistory.SQL.SetText(
        QStringLiteral("INSERT INTO History\r\n(HistoryCode, Userid, TaskId, HistoryTimeStamp, "
                       "Description) VALUES\r\n(:TheHistoryCode, :TheUserid, :TheTaskId, "
                       ":TheHistoryTimeStamp, :TheDescription)"));
    data::AddTaskHistoryRow(tasksHistory, 31, 7, QStringLiteral("me"), QStringLiteral("Subject(x) "));
    EXPECT_EQ(
        db->Stored(QStringLiteral("SELECT Description FROM History WHERE TaskId = 31 AND HistoryCode = 7")).toString(),
        QStringLiteral("Subject(x) "));
}

TEST_F(TransTest, CommittingAModificationOfADeletedBookingRollsItBackAndEndsTheSet) {
    const int working = StageNewEnd(At(5, 11));
    BookingTables other(DatabasePath());
    other.connection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(booking));

    EXPECT_FALSE(db->bookingsTrans.CommitTrans());
    EXPECT_EQ(db->bookingsTrans.CommitError,
              QStringLiteral("Booking id %1 could not be updated because another user has deleted it. "
                             "Your changes to it have not been saved.")
                  .arg(booking));
    EXPECT_FALSE(db->bookingsTrans.Active);
    EXPECT_TRUE(db->bookingsTrans.OpKinds.isEmpty());
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(working)), 0);
    db->historyTrans.CommitTrans();
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History")).toInt(), 0);
}

TEST_F(TransTest, ADeleteOfARowAnotherUserDeletedMeanwhileIsDoneWithoutAQuestion) {
    db->bookingsTrans.BeginTrans();
    ASSERT_TRUE(db->bookings.Locate(QStringLiteral("BookingId"), booking));
    db->bookingsTrans.AddOperation(kOpDelete);
    // The other user deletes it between our finding the row and deleting it.
    BookingTables other(DatabasePath());
    db->bookings.BeforeDelete = [&](TDataSet&) {
        db->bookings.BeforeDelete = nullptr;
        other.connection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(booking));
    };
    EXPECT_TRUE(db->bookingsTrans.CommitTrans());
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(booking)), 0);
}

// The set asks nothing itself: the caller asks once its write transaction has ended, so that no lock is held while
// the question is on screen, and commits again or declines the booking.
TEST_F(TransTest, AnUpdateOfARowAnotherUserChangedRaisesTheRetryQuestionAndIsLeftOutWhenDeclined) {
    StageNewEnd(At(5, 11));
    BookingTables other(DatabasePath());
    other.connection.Execute(
        QStringLiteral("UPDATE Bookings SET Client = \"Theirs\" WHERE BookingId = %1").arg(booking));
    try {
        db->bookingsTrans.CommitTrans();
        ADD_FAILURE() << "the failed update was not raised";
    } catch (const ETransWriteError& e) {
        EXPECT_EQ(e.BookingId, booking);
        EXPECT_EQ(e.RetryQuestion(),
                  QStringLiteral("Booking id %1 could not be updated.\r\r"
                                 "Row cannot be located for updating. Some values may have been changed since it was "
                                 "last read.\r\rRetry update?")
                      .arg(booking));
    }
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    // Committed again, the update goes through: the failure read the row again.
    EXPECT_TRUE(db->bookingsTrans.CommitTrans());
    EXPECT_NEAR(StoredEnd(booking), At(5, 11), OneMillisecond);
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 0);

    db->historyTrans.CommitTrans();
    const int working = StageNewEnd(At(5, 12));
    other.connection.Execute(
        QStringLiteral("UPDATE Bookings SET Client = \"Again\" WHERE BookingId = %1").arg(booking));
    EXPECT_THROW(db->bookingsTrans.CommitTrans(), ETransWriteError);
    db->bookingsTrans.Decline(booking);
    EXPECT_FALSE(db->bookingsTrans.CommitTrans());
    EXPECT_EQ(
        db->bookingsTrans.CommitError,
        QStringLiteral("Booking id %1 could not be updated. Your changes to it have not been saved.").arg(booking));
    EXPECT_NEAR(StoredEnd(booking), At(5, 11), OneMillisecond);
    // Declined: the set has ended and nothing of the change is left staged for others to see.
    EXPECT_FALSE(db->bookingsTrans.Active);
    EXPECT_TRUE(db->bookingsTrans.OpKinds.isEmpty());
    EXPECT_EQ(Count(QStringLiteral("BookingId = %1").arg(working)), 0);
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 0);
    EXPECT_EQ(other.Stored(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")).toInt(), 0);
    db->historyTrans.CommitTrans();
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History")).toInt(), 1);
}

TEST_F(TransTest, BeginningAgainForgetsTheOperationsAndUndoingAHistoryRowOnlyWithdrawsIt) {
    StageNewEnd(At(5, 11));
    db->bookingsTrans.BeginTrans();
    EXPECT_TRUE(db->bookingsTrans.Active);
    EXPECT_TRUE(db->bookingsTrans.OpKinds.isEmpty());
    EXPECT_EQ(Count(QStringLiteral("Trans = True")), 1) << "the working row is the caller's to remove";

    db->historyTrans.UndoOperation(0);
    EXPECT_TRUE(db->historyTrans.Undone[0]);
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")).toInt(), 1);
    db->historyTrans.CommitTrans();
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM History WHERE Trans = True")).toInt(), 1);
}

}  // namespace

namespace {

// The moment inside a commit where the working row is gone: another program checking then must still find the
// period taken, or both programs would save overlapping bookings.
TEST_F(TransTest, ACheckDuringTheCommitOfAMoveStillFindsThePeriodTaken) {
    StageNewEnd(At(5, 11));
    BookingTables other(DatabasePath());
    other.bookingsTrans.BeginTrans();
    const int index = other.bookingsTrans.AddOperation(kOpInsert);
    other.bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(1);
    other.bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(At(5, 10, 30));
    other.bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(At(5, 12));
    other.bookings.FieldByName(QStringLiteral("Client")).SetAsString(QStringLiteral("Theirs"));
    other.bookings.Post();

    TBookingConflictResult theirs;
    db->bookings.AfterDelete = [&](TDataSet&) {
        data::FindBookingConflicts(other.connection, 1, other.bookingsTrans.WorkingIds[index], At(5, 10, 30), At(5, 12),
                                   theirs);
    };
    EXPECT_TRUE(db->bookingsTrans.CommitTrans());
    EXPECT_EQ(theirs.Status, kConflictFound);
}

}  // namespace
