// Deleting bookings: the question, the rows and History rows it removes and writes, groups and refusals.
#include "BookingCommandsFixture.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace booking_test;

namespace {

class BookingDeleteTest : public BookingCommandsTest {
protected:
    // The group question and the group list answer from these; each call is recorded.
    int groupAnswer = mrNo;
    QList<int> chosen;
    bool listCancelled = false;

    void SetUp() override {
        BookingCommandsTest::SetUp();
        commands->Hooks.ShowGroupForm = [this](const QString& caption, const QString& text) {
            calls.push_back(QStringLiteral("ShowGroupForm ") + caption + QStringLiteral(": ") + text);
            return groupAnswer;
        };
        commands->Hooks.GroupBookingForm = [this](int group, int booking, bool, QList<int>& ids, bool&) {
            calls.push_back(QStringLiteral("GroupBookingForm %1 %2").arg(group).arg(booking));
            ids = chosen;
            return !listCancelled;
        };
    }

    QStringList BookingIds() { return Rows(QStringLiteral("SELECT BookingId FROM Bookings ORDER BY BookingId")); }
};

TEST_F(BookingDeleteTest, TheQuestionNamesTheBookingClientAndTimes) {
    Add({1001});
    Add({1002, 1, QStringLiteral("NULL"), QStringLiteral("#1/5/2026 22:00#"), QStringLiteral("#1/6/2026 1:15#"),
         QStringLiteral("Jones")});
    const struct {
        int id;
        QString question;
    } cases[] = {
        {1001, "Delete booking 1001\r\rClient: Smith\rJan 5 2026 9:00 am - 10:30 am\r"},
        {1002, "Delete booking 1002\r\rClient: Jones\rJan 5 2026 10:00 pm - Jan 6 2026 1:15 am\r"},
    };
    for (const auto& c : cases) {
        Position(c.id);
        EXPECT_EQ(booking::DeleteBookingQuestion(data.BookingsTable), c.question);
    }
}

TEST_F(BookingDeleteTest, OkRemovesTheBookingAndItsTaskWithTheirHistoryRows) {
    Add({1001});
    Add({1002});
    const int taskId = AddTask(1001);
    Position(1001);
    EXPECT_TRUE(commands->DeleteBookings());
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    const rtl::MessageRequest& question = testing_env::Messages().Requests()[0];
    EXPECT_EQ(question.text, QStringLiteral("Delete booking 1001\r\rClient: Smith\rJan 5 2026 9:00 am - 10:30 am\r"));
    EXPECT_EQ(question.type, mtConfirmation);
    EXPECT_EQ(question.buttons, TMsgDlgButtons({mbOK, mbCancel}));

    EXPECT_EQ(BookingIds(), QStringList{"1002"});
    EXPECT_TRUE(Rows(QStringLiteral("SELECT TaskId FROM Tasks")).isEmpty());
    EXPECT_EQ(History(), QStringList({QStringLiteral("3|1001|<null>|<null>|jsmith|"),
                                      QStringLiteral("9|<null>|%1|<null>|jsmith|").arg(taskId)}));
    EXPECT_EQ(commands->LastAction, 3);
    EXPECT_TRUE(commands->Changed);
}

TEST_F(BookingDeleteTest, CancelKeepsEverything) {
    Add({1001});
    AddTask(1001);
    Position(1001);
    testing_env::Messages().QueueAnswer(mrCancel);
    EXPECT_FALSE(commands->DeleteBookings());
    EXPECT_EQ(BookingIds(), QStringList{"1001"});
    EXPECT_EQ(Rows(QStringLiteral("SELECT count(*) FROM Tasks")), QStringList{"1"});
    EXPECT_TRUE(History().isEmpty());
    EXPECT_EQ(commands->LastAction, 0);
    EXPECT_FALSE(commands->Changed);
}

TEST_F(BookingDeleteTest, NoToTheGroupQuestionDeletesOnlyTheCurrentBooking) {
    for (const int id : {1001, 1002, 1003}) Add({id, 1, QStringLiteral("1001")});
    Position(1002);
    groupAnswer = mrNo;
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_EQ(calls, std::vector<QString>{"ShowGroupForm Delete booking: This booking belongs to a group booking. Do "
                                          "you want to delete any of the group bookings?"});
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(BookingIds(), QStringList({"1001", "1003"}));
    EXPECT_EQ(History(), QStringList{"3|1002|<null>|<null>|jsmith|"});
}

TEST_F(BookingDeleteTest, YesLetsTheListChooseAndAnEmptyChoiceStillCountsAsADelete) {
    for (const int id : {1001, 1002, 1003, 1004}) Add({id, 1, QStringLiteral("1001")});
    Position(1002);
    groupAnswer = mrYes;
    chosen = {1003, 1001};
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_EQ(calls.back(), QStringLiteral("GroupBookingForm 1001 1002"));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(BookingIds(), QStringList({"1002", "1004"}));
    EXPECT_EQ(History(), QStringList({"3|1003|<null>|<null>|jsmith|", "3|1001|<null>|<null>|jsmith|"}));

    chosen.clear();
    commands->Changed = false;
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_EQ(BookingIds(), QStringList({"1002", "1004"}));
    EXPECT_EQ(commands->LastAction, 3);
    EXPECT_TRUE(commands->Changed);

    listCancelled = true;
    EXPECT_FALSE(commands->DeleteBookings());
    EXPECT_EQ(commands->LastAction, 0);
}

TEST_F(BookingDeleteTest, AGroupOfOneNeverShowsTheListAndTheListViewOfOneBookingNeverAsksAboutTheGroup) {
    Add({1001, 1, QStringLiteral("1001")});
    Add({1002, 1, QStringLiteral("1002")});
    Add({1003, 1, QStringLiteral("1002")});
    Position(1001);
    groupAnswer = mrYes;
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(Shown().front().startsWith(QStringLiteral("Delete booking 1001\r\rClient: Smith")));

    calls.clear();
    commands->SingleBookingMode = true;
    Position(1003);
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(BookingIds(), QStringList{"1002"});
}

TEST_F(BookingDeleteTest, RefusalsLeaveTheDataAsItWas) {
    Add({1001});
    Add({1002});
    Execute(QStringLiteral("UPDATE Bookings SET Trans = True WHERE BookingId = 1002"));

    Position(1002);
    EXPECT_FALSE(commands->DeleteBookings());
    EXPECT_EQ(Shown(), std::vector<QString>{"Booking Id 1002 is a transaction booking and can not be modified."});

    testing_env::Messages().Clear();
    data.UserId.clear();
    Position(1001);
    EXPECT_FALSE(commands->DeleteBookings());
    EXPECT_EQ(Shown(), std::vector<QString>{"User identification is blank. The booking cannot be updated."});

    testing_env::Messages().Clear();
    data.UserId = QStringLiteral("jsmith");
    Execute(QStringLiteral("UPDATE RanvelGlobal SET BookingOwnerOnlyModify = True"));
    Execute(QStringLiteral("UPDATE Bookings SET Owner = \"someone\" WHERE BookingId = 1001"));
    data.BookingsTable.Requery();
    Position(1001);
    EXPECT_FALSE(commands->DeleteBookings());
    EXPECT_EQ(Shown(), std::vector<QString>{"You are not allowed to delete this booking"});

    EXPECT_EQ(BookingIds(), QStringList({"1001", "1002"}));
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(BookingDeleteTest, ATaskTheUserMayNotDeleteKeepsItsBookingWhileTheOthersGo) {
    for (const int id : {1001, 1002}) Add({id, 1, QStringLiteral("1001")});
    const int taskId = AddTask(1001, QStringLiteral("someone"));
    Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskOwnerOnlyModify = True"));
    Position(1002);
    groupAnswer = mrYes;
    chosen = {1001, 1002};
    EXPECT_TRUE(commands->DeleteBookings());
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("Booking Id: 1001 not deleted. You do not have sufficient "
                                                           "authorization to delete its associated task id: .%1")
                                                .arg(taskId)});
    EXPECT_EQ(BookingIds(), QStringList{"1001"});
    EXPECT_EQ(History(), QStringList{"3|1002|<null>|<null>|jsmith|"});
}

}  // namespace

namespace {

// A booking goes with its History row, its task and the task's History row, or nothing goes, whichever statement
// or file operation fails.
TEST_F(BookingDeleteTest, ABookingIsDeletedWithItsTaskAndHistoryWholeOrNotAtAll) {
    Add({1001});
    AddTask(1001);
    ExpectWholeOrNothing([this] { Position(1001); }, [this] { commands->DeleteBookings(); });
}

}  // namespace
