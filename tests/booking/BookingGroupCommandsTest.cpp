// Attaching a booking to a group and detaching it: the group ids written, the checks of the entered id, no History.
#include "BookingCommandsFixture.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace booking_test;

namespace {

class BookingGroupCommandsTest : public BookingCommandsTest {
protected:
    int membershipChanges = 0;
    int saveAnswer = mrOk;

    void SetUp() override {
        BookingCommandsTest::SetUp();
        commands->Hooks.GroupMembershipChanged = [this] { ++membershipChanges; };
        commands->Hooks.SaveBeforeProceeding = [this](bool onlyExisting) {
            calls.push_back(QStringLiteral("SaveBeforeProceeding %1").arg(onlyExisting));
            return saveAnswer;
        };
        Add({1001});
        Add({2001});
        Add({3001, 1, QStringLiteral("3000")});
        Add({3002, 1, QStringLiteral("3000")});
    }

    // Attaches the current booking with the text typed into the input box.
    void AttachWith(const QString& typed) {
        testing_env::Messages().QueueAnswer(mrOk, typed);
        commands->AttachItemClick();
    }
};

TEST_F(BookingGroupCommandsTest, AttachingToAnUngroupedBookingMakesItTheHeadOfANewGroup) {
    Position(1001);
    AttachWith(QStringLiteral(" 2001 "));
    EXPECT_EQ(calls, std::vector<QString>{"SaveBeforeProceeding 0"});
    const rtl::MessageRequest& input = testing_env::Messages().Requests().at(0);
    EXPECT_EQ(input.kind, rtl::MessageRequest::Kind::Input);
    EXPECT_EQ(input.caption, QStringLiteral("Attach to Group Booking"));
    EXPECT_EQ(input.text, QStringLiteral("Enter Group Booking Id"));
    EXPECT_EQ(input.value, QString());
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(GroupIds(), QStringList({"1001|2001", "2001|2001", "3001|3000", "3002|3000"}));
    EXPECT_TRUE(History().isEmpty());
    EXPECT_EQ(membershipChanges, 1);
    EXPECT_EQ(data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger(), 1001);
    EXPECT_EQ(data.BookingsTable.FieldByName(QStringLiteral("GroupBookingId")).AsInteger(), 2001);
}

TEST_F(BookingGroupCommandsTest, AttachingByAGroupOrAMemberJoinsThatGroup) {
    for (const QString& typed : {QStringLiteral("3000"), QStringLiteral("3002")}) {
        Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = NULL WHERE BookingId = 1001"));
        data.BookingsTable.Requery();
        Position(1001);
        AttachWith(typed);
        EXPECT_EQ(GroupIds(), QStringList({"1001|3000", "2001|<null>", "3001|3000", "3002|3000"}))
            << typed.toStdString();
    }
}

TEST_F(BookingGroupCommandsTest, AnEnteredIdThatIsNoBookingOrGroupChangesNothing) {
    Position(1001);
    const QStringList before = GroupIds();
    AttachWith(QStringLiteral("77"));
    EXPECT_EQ(Shown().back(), QStringLiteral("Group Booking Id 77 does not exist."));
    EXPECT_EQ(GroupIds(), before);
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(BookingGroupCommandsTest, TypedTextIsCheckedAndNeverReachesAStatement) {
    const struct {
        QString typed;
        QString message;
    } cases[] = {
        {"   ", "Group Booking Id must not be blank."},
        {"abc", "\"abc\" is not an integer."},
        {"2001 or 1=1", "\"2001 or 1=1\" is not an integer."},
        {"2001; DELETE FROM Bookings", "\"2001; DELETE FROM Bookings\" is not an integer."},
        {"0", "Group Booking Id must be greater than 0."},
        {"-4", "Group Booking Id must be greater than 0."},
    };
    Position(1001);
    const QStringList before = GroupIds();
    for (const auto& c : cases) {
        testing_env::Messages().Clear();
        AttachWith(c.typed);
        EXPECT_EQ(Shown().back(), c.message) << c.typed.toStdString();
    }
    EXPECT_EQ(GroupIds(), before);
    EXPECT_EQ(membershipChanges, 0);
}

TEST_F(BookingGroupCommandsTest, AGroupedBookingIsAskedBeforeItMovesAndCancelsStopEarly) {
    Position(3001);
    testing_env::Messages().QueueAnswer(mrNo);
    commands->AttachItemClick();
    EXPECT_EQ(Shown(), std::vector<QString>{"This booking already belongs to Group Booking Id 3000. Do you want to "
                                            "remove it from existing group booking and attach to another?"});

    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrYes);
    AttachWith(QStringLiteral("2001"));
    EXPECT_EQ(GroupIds(), QStringList({"1001|<null>", "2001|2001", "3001|2001", "3002|3000"}));

    saveAnswer = mrCancel;
    testing_env::Messages().Clear();
    Position(1001);
    commands->AttachItemClick();
    commands->DetachItemClick();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(GroupIds(), QStringList({"1001|<null>", "2001|2001", "3001|2001", "3002|3000"}));
}

TEST_F(BookingGroupCommandsTest, DetachClearsTheGroupWithoutAHistoryRow) {
    Position(3002);
    testing_env::Messages().QueueAnswer(mrYes);
    commands->DetachItemClick();
    EXPECT_EQ(Shown(), std::vector<QString>{"Are you sure you want to detatch this booking from Group Booking 3000"});
    EXPECT_EQ(GroupIds(), QStringList({"1001|<null>", "2001|<null>", "3001|3000", "3002|<null>"}));
    EXPECT_TRUE(History().isEmpty());
    EXPECT_EQ(membershipChanges, 1);

    Position(3001);
    testing_env::Messages().QueueAnswer(mrNo);
    commands->DetachItemClick();
    EXPECT_EQ(GroupIds().at(2), QStringLiteral("3001|3000"));
}

TEST_F(BookingGroupCommandsTest, ABookingThatVanishedMeanwhileIsReported) {
    Position(1001);
    commands->Hooks.SaveBeforeProceeding = [this](bool) {
        Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = 1001"));
        return mrOk;
    };
    testing_env::Messages().QueueAnswer(mrYes);
    commands->DetachItemClick();
    EXPECT_EQ(Shown().back(), QStringLiteral("Error - BookingId 1001 no longer exists."));
    EXPECT_EQ(GroupIds(), QStringList({"2001|<null>", "3001|3000", "3002|3000"}));
}

}  // namespace

namespace {

// Attaching to an ungrouped booking writes both group ids or neither, whichever statement fails.
TEST_F(BookingGroupCommandsTest, AttachingWritesBothGroupIdsOrNeither) {
    ExpectWholeOrNothing(
        [this] {
            Position(1001);
            testing_env::Messages().Clear();
            testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("2001"));
        },
        [this] { commands->AttachItemClick(); });
}

}  // namespace
