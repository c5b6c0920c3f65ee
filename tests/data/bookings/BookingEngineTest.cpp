// The booking engine's deletes of bookings and tasks and its group changes: their answers, and all-or-nothing under
// every fault.
#include "data/bookings/BookingEngine.h"
#include "data/support/BookingsFixture.h"
#include "support/DatabaseDump.h"
#include "support/FaultLoop.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

class BookingEngineTest : public BookingsTest {
protected:
    void SetUp() override {
        BookingsTest::SetUp();
        first = db->Book(1, At(5, 9), At(5, 10));
        second = db->Book(1, At(5, 11), At(5, 12));
    }

    int AddTask(int bookingId, const QString& owner) {
        db->connection.Execute(
            QStringLiteral("INSERT INTO Tasks (BookingId, Status, PercentCompleted, Priority, Subject, Owner) VALUES "
                           "(%1, 0, 0, 3, \"Chairs\", \"%2\")")
                .arg(bookingId)
                .arg(owner));
        return db->Stored(QStringLiteral("SELECT TaskId FROM Tasks WHERE BookingId = %1").arg(bookingId)).toInt();
    }
    QStringList Rows(const QString& jetSql) {
        QStringList rows;
        const auto statement = db->connection.Engine().Prepare(jetSql);
        while (statement->Step()) {
            QStringList values;
            for (int i = 0; i < statement->ColumnCount(); ++i) values << statement->Value(i).toString();
            rows << values.join(u'|');
        }
        return rows;
    }
    QStringList History() {
        return Rows(
            QStringLiteral("SELECT HistoryCode, BookingId, TaskId, GroupBookingId, Userid, Trans FROM History "
                           "ORDER BY HistoryId"));
    }
    QStringList Groups() { return Rows(QStringLiteral("SELECT BookingId, GroupBookingId FROM Bookings ORDER BY 1")); }

    data::BookingEngine Engine() { return data::BookingEngine(db->connection, QStringLiteral("jsmith")); }

    // The routine with each fault point failing in turn, on a fresh copy of the file each time: after every
    // failure the file is as before, and no task is left without its booking.
    void ExpectWholeOrNothing(const std::function<void(data::BookingEngine&)>& routine) {
        db.reset();
        const QString work = QDir(testing_env::TempDir()).filePath(QStringLiteral("work.tvd"));
        const QStringList before = testing_env::DumpDatabase(DatabasePath());
        const auto prepare = [&] {
            db.reset();
            QFile::remove(work);
            ASSERT_TRUE(QFile::copy(DatabasePath(), work));
            db = std::make_unique<BookingTables>(work);
        };
        const auto run = [&] {
            data::BookingEngine engine = Engine();
            routine(engine);
        };
        const auto dump = [&] {
            db.reset();
            return testing_env::DumpDatabase(work);
        };
        prepare();
        run();
        const QStringList after = dump();
        ASSERT_NE(after, before);
        int failures = 0;
        testing_env::LoopOverFaults(prepare, run, [&](int n) {
            SCOPED_TRACE(testing::Message() << "fault at point " << n);
            ++failures;
            db = std::make_unique<BookingTables>(work);
            EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM Tasks WHERE BookingId NOT IN (SELECT "
                                                "BookingId FROM Bookings)"))
                          .toInt(),
                      0);
            EXPECT_EQ(dump(), before);
        });
        EXPECT_GT(failures, 1);
        EXPECT_EQ(dump(), after);
    }

    int first = 0;
    int second = 0;
};

TEST_F(BookingEngineTest, ADeleteAnswersWhatBecameOfTheBookingAndWritesOnlyWhatHappened) {
    const int mine = AddTask(first, QStringLiteral("jsmith"));
    const int theirs = AddTask(second, QStringLiteral("other"));
    const auto onlyMine = [](const QString& owner) { return owner == QLatin1String("jsmith"); };
    data::BookingEngine engine = Engine();

    const data::DeleteOutcome refused = engine.DeleteBooking(second, onlyMine);
    EXPECT_EQ(refused.Result, data::DeleteResult::TaskRefused);
    EXPECT_EQ(refused.TaskId, theirs);
    EXPECT_TRUE(History().isEmpty());

    const data::DeleteOutcome deleted = engine.DeleteBooking(first, onlyMine);
    EXPECT_EQ(deleted.Result, data::DeleteResult::Deleted);
    EXPECT_EQ(deleted.TaskId, mine);
    EXPECT_EQ(History(),
              (QStringList{QStringLiteral("3|%1|||jsmith|0").arg(first), QStringLiteral("9||%1||jsmith|0").arg(mine)}));
    EXPECT_EQ(Groups(), QStringList{QStringLiteral("%1|").arg(second)});
    EXPECT_EQ(Rows(QStringLiteral("SELECT TaskId FROM Tasks")), QStringList{QString::number(theirs)});

    // Deleted meanwhile by another program: nothing more is written.
    const data::DeleteOutcome gone = engine.DeleteBooking(first, onlyMine);
    EXPECT_EQ(gone.Result, data::DeleteResult::Gone);
    EXPECT_EQ(History().size(), 2);

    // A task alone; its rights are its caller's to ask.
    EXPECT_EQ(engine.DeleteTask(theirs), data::DeleteResult::Deleted);
    EXPECT_EQ(engine.DeleteTask(theirs), data::DeleteResult::Gone);
    EXPECT_EQ(History().value(2), QStringLiteral("9||%1||jsmith|0").arg(theirs));
    EXPECT_EQ(History().size(), 3);
    EXPECT_TRUE(Rows(QStringLiteral("SELECT TaskId FROM Tasks")).isEmpty());
}

TEST_F(BookingEngineTest, AttachFindsTheGroupOfABookingOrOfANumberAndDetachLeavesIt) {
    const int third = db->Book(2, At(6, 9), At(6, 10));
    data::BookingEngine engine = Engine();
    // A booking without a group heads the one the other joins.
    EXPECT_EQ(engine.AttachToGroup(first, second), data::AttachResult::Attached);
    EXPECT_EQ(Groups(), (QStringList{QStringLiteral("%1|%2").arg(first).arg(second),
                                     QStringLiteral("%1|%1").arg(second), QStringLiteral("%1|").arg(third)}));
    // With its head gone the group's number is found among its members.
    db->connection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(second));
    EXPECT_EQ(engine.AttachToGroup(third, second), data::AttachResult::Attached);
    EXPECT_EQ(engine.AttachToGroup(third, 999), data::AttachResult::GroupNotFound);
    engine.DetachFromGroup(first);
    EXPECT_EQ(Groups(),
              (QStringList{QStringLiteral("%1|").arg(first), QStringLiteral("%1|%2").arg(third).arg(second)}));
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(BookingEngineTest, EveryFaultInADeleteLeavesTheBookingItsTaskAndNoHistory) {
    AddTask(first, QStringLiteral("jsmith"));
    ExpectWholeOrNothing([this](data::BookingEngine& engine) {
        EXPECT_EQ(engine.DeleteBooking(first, [](const QString&) { return true; }).Result, data::DeleteResult::Deleted);
    });
}

TEST_F(BookingEngineTest, EveryFaultInATaskDeleteLeavesTheTaskAndNoHistory) {
    const int task = AddTask(first, QStringLiteral("jsmith"));
    ExpectWholeOrNothing(
        [task](data::BookingEngine& engine) { EXPECT_EQ(engine.DeleteTask(task), data::DeleteResult::Deleted); });
}

TEST_F(BookingEngineTest, EveryFaultInAnAttachLeavesBothGroupsAsTheyWere) {
    ExpectWholeOrNothing([this](data::BookingEngine& engine) {
        EXPECT_EQ(engine.AttachToGroup(first, second), data::AttachResult::Attached);
    });
}

}  // namespace
