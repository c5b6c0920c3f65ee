// The booking id counter: checked against booking, group and history ids, reseeded past the highest.
#include "data/support/DataFixture.h"

#include "data/module/BookingIdCounter.h"

#include <gtest/gtest.h>

using namespace data_test;

namespace {

int Draw(sql::Connection& connection) {
    connection.Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    return connection.LastCounterValue("NextBookingId").toInt();
}

}  // namespace

TEST(BookingIdCounter, FreshDatabaseNeedsNoReseed) {
    auto connection = CreateDatabase();
    int next = 0;
    int highest = 0;
    EXPECT_TRUE(data::CheckNextBookingId(*connection, next, highest));
    EXPECT_EQ(highest, 1000);
    EXPECT_EQ(next, 1000);
    // The check used its number up and left no row behind.
    const auto rows = connection->Prepare("select count(*) from NextBookingId");
    ASSERT_TRUE(rows->Step());
    EXPECT_EQ(rows->Value(0).toInt(), 0);
    EXPECT_EQ(Draw(*connection), 1001);
}

TEST(BookingIdCounter, HighestIdComesFromBookingsGroupsAndHistory) {
    const std::vector<std::pair<QString, int>> cases = {
        {InsertBooking(5000, "4000"), 5000},
        {InsertBooking(1100, "6000"), 6000},
        {"INSERT INTO History (BookingId, HistoryTimeStamp) VALUES (7000, 1)", 7000},
    };
    for (const auto& [insert, highestExpected] : cases) {
        SCOPED_TRACE(insert.toStdString());
        QFile::remove(DbPath());
        auto connection = CreateDatabase();
        connection->Execute(insert);
        data::ReseedNextBookingId(*connection, 1200);
        int next = 0;
        int highest = 0;
        EXPECT_FALSE(data::CheckNextBookingId(*connection, next, highest));
        EXPECT_EQ(next, 1200);
        EXPECT_EQ(highest, highestExpected);
    }
}

TEST(BookingIdCounter, RepairReseedsPastTheHighestIdOnItsOwnConnection) {
    {
        auto connection = CreateDatabase(DbPath(), QStringLiteral("Secret"));
        connection->Execute(InsertBooking(5000));
        data::ReseedNextBookingId(*connection, 1200);
    }
    data::RepairNextBookingId(DbPath(), QStringLiteral("Secret"));
    sql::Connection connection(Plain(DbPath(), QStringLiteral("Secret")));
    EXPECT_EQ(Draw(connection), 5001);

    // A healthy counter stays where it was, apart from the number the check used.
    data::RepairNextBookingId(DbPath(), QStringLiteral("Secret"));
    EXPECT_EQ(Draw(connection), 5003);
    EXPECT_THROW(data::RepairNextBookingId(DbPath(), QStringLiteral("wrong")), Exception);
}
