// The overlap check: every overlapping booking of the resource, whatever its distance in start order.
#include "data/bookings/BookingConflicts.h"
#include "data/support/BookingsFixture.h"
#include "platform/rtl/DateTimeFormat.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

class BookingConflictsTest : public BookingsTest {
protected:
    // Books the period on the resource and checks it against the file.
    TBookingConflictResult Check(int resourceId, TDateTime start, TDateTime end) {
        const int id = db->Book(resourceId, start, end);
        TBookingConflictResult result;
        data::FindBookingConflicts(db->connection, resourceId, id, start, end, result);
        return result;
    }
    static std::vector<int> Ids(const TBookingConflictResult& r) {
        return std::vector<int>(r.Ids.begin() + 1, r.Ids.begin() + 1 + r.Ids[0]);
    }
};

TEST_F(BookingConflictsTest, TouchingBookingsDoNotConflictWithinAMillisecond) {
    const int nine = db->Book(1, At(5, 9), At(5, 10));
    EXPECT_EQ(Check(1, At(5, 10), At(5, 11)).Status, kConflictNone);
    EXPECT_EQ(Check(1, At(5, 8), At(5, 9) + OneMillisecond / 2).Status, kConflictNone);
    EXPECT_EQ(Check(2, At(5, 9, 30), At(5, 9, 45)).Status, kConflictNone);  // another resource

    const TBookingConflictResult covered = Check(1, At(5, 9, 30), At(5, 9, 45));
    EXPECT_EQ(covered.Status, kConflictFound);
    EXPECT_EQ(Ids(covered), std::vector<int>{nine});
    // Two milliseconds into the booking is an overlap.
    EXPECT_EQ(Check(1, At(5, 8), At(5, 9, 0, 0, 2)).Status, kConflictFound);
}

TEST_F(BookingConflictsTest, ALongBookingFarBackInStartOrderIsFound) {
    const int longOne = db->Book(1, At(5, 7), At(5, 18));
    for (int hour = 8; hour < 13; ++hour) db->Book(1, At(5, hour), At(5, hour, 30), QStringLiteral("Short"));
    const TBookingConflictResult result = Check(1, At(5, 16), At(5, 17));
    EXPECT_EQ(result.Status, kConflictFound);
    EXPECT_EQ(Ids(result), std::vector<int>{longOne});
}

TEST_F(BookingConflictsTest, EveryConflictCountsInStartOrderAndFiveAreListed) {
    std::vector<int> shorts;
    for (int hour = 14; hour >= 8; --hour) shorts.insert(shorts.begin(), db->Book(1, At(5, hour), At(5, hour, 30)));
    const TBookingConflictResult result = Check(1, At(5, 7), At(5, 20));
    EXPECT_EQ(result.Status, kConflictFound);
    EXPECT_EQ(Ids(result), std::vector<int>(shorts.begin(), shorts.begin() + 5));
}

TEST_F(BookingConflictsTest, StagedRowsOfOthersCountAndAMissingOwnRowGivesEight) {
    db->bookingsTrans.BeginTrans();
    db->bookingsTrans.AddOperation(kOpInsert);
    db->bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(1);
    db->bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(At(5, 9));
    db->bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(At(5, 10));
    db->bookings.FieldByName(QStringLiteral("Client")).SetAsString(QStringLiteral("Staged"));
    db->bookings.Post();
    const int staged = db->bookingsTrans.WorkingIds[0];

    // Another program on the same file sees the staged row.
    BookingTables other(DatabasePath());
    const int mine = other.Book(1, At(5, 9, 15), At(5, 9, 20));
    TBookingConflictResult result;
    data::FindBookingConflicts(other.connection, 1, mine, At(5, 9, 15), At(5, 9, 20), result);
    EXPECT_EQ(result.Status, kConflictFound);
    EXPECT_EQ(result.Ids[1], staged);

    data::FindBookingConflicts(other.connection, 1, 4242, At(5, 9), At(5, 10), result);
    EXPECT_EQ(result.Status, kConflictOwnRowMissing);
    EXPECT_EQ(result.Ids[0], 0);
}

TEST_F(BookingConflictsTest, TheRuleOnItsEdges) {
    const TDateTime s = At(5, 9), e = At(5, 10);
    struct Edge {
        TDateTime start, end;
        bool overlaps;
    } const edges[] = {
        {At(5, 9, 30), At(5, 11), true},                     // starts inside
        {At(5, 8), At(5, 9, 30), true},                      // ends inside
        {At(5, 8), At(5, 11), true},                         // covers
        {s, e, true},                                        // the same period
        {At(5, 10), At(5, 11), false},                       // starts at the end
        {At(5, 8), At(5, 9), false},                         // ends at the start
        {At(5, 10) - OneMillisecond / 2, At(5, 11), false},  // within a millisecond of the end
        {At(5, 10) - 2 * OneMillisecond, At(5, 11), true},
    };
    for (const Edge& edge : edges)
        EXPECT_EQ(data::BookingsOverlap(s, e, edge.start, edge.end), edge.overlaps)
            << FormatDateTime(QStringLiteral("hh:nn:ss.zzz"), edge.start).toStdString();
}

}  // namespace

namespace {

// A check that could not read is no check: it raises and shows nothing, whoever called it says what happened.
TEST_F(BookingConflictsTest, AFailedReadRaisesAndShowsNothing) {
    const int id = db->Book(1, At(5, 9), At(5, 10));
    db->connection.Execute(QStringLiteral("ALTER TABLE Bookings DROP COLUMN BookingEnd"));
    TBookingConflictResult result;
    EXPECT_THROW(data::FindBookingConflicts(db->connection, 1, id, At(5, 9), At(5, 10), result), EDatabaseError);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

}  // namespace
