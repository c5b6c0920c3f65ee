// Loading the containers from a database file: the statement, its rows, resources matched by name, failures.
#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/support/BookingDatabaseFixture.h"
#include "data/support/LayoutFixtures.h"
#include "data/support/ScriptedDataWindows.h"
#include "platform/rtl/Exceptions.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

using namespace layout_test;
using data_test::ScriptedDataWindows;

namespace {

class BookingLoad : public ::testing::Test {
protected:
    TADOConnection connection;

    void SetUp() override {
        booking_db::Create(connection, QDir(testing_env::TempDir()).filePath(QStringLiteral("bookings.tvd")));
        booking_db::AddResource(connection, 1, QStringLiteral("Room A"));
        booking_db::AddResource(connection, 2, QStringLiteral("Room B"));
        booking_db::AddResource(connection, 3, QStringLiteral("Van"));
    }

    void Add(std::initializer_list<booking_db::BookingValues> bookings) {
        booking_db::BookingWriter writer(connection);
        for (const auto& b : bookings) writer.Add(b);
    }

    static TResourceList List(std::initializer_list<std::pair<int, const char*>> resources) {
        TResourceList list;
        for (const auto& [id, name] : resources) list.Add(QString::fromUtf8(name), id, QString());
        return list;
    }

    bool LoadWeek(TResourceBookings& bookings, const TResourceList& resources, int lastDay = 3) {
        bookings.SetConnection(&connection);
        return bookings.LoadDays(resources, 30, Day(1), Day(lastDay), EncodeTime(8, 0, 0, 0), EncodeTime(17, 0, 0, 0));
    }
};

}  // namespace

TEST_F(BookingLoad, TimeSlotsOfTheChosenResourcesSortedByName) {
    Add({{1, 1, At("9:00"), At("9:15")}, {2, 3, At("10:00"), At("3 0:00")}, {3, 2, At("9:00"), At("10:00")}});
    TResourceBookings bookings;
    ASSERT_TRUE(LoadWeek(bookings, List({{3, "Van"}, {1, "Room A"}})));
    EXPECT_EQ(bookings.ResourceCount, 2);
    EXPECT_EQ(bookings.Resources.GetItem(0)->ResourceName, "Room A");
    EXPECT_EQ(bookings.SlotTimes.Count(), 18);
    EXPECT_EQ(bookings.FirstDate, Day(1));
    EXPECT_EQ(bookings.LastDate, Day(3));
    EXPECT_FALSE(bookings.HasOverlaps);

    const TBookingCell* roomA = bookings.GetResourceDays(0)->GetDay(0)->GetCell(2);
    ASSERT_NE(roomA, nullptr);
    EXPECT_EQ(roomA->State, data::kStartsAndEnds);
    EXPECT_EQ(roomA->Descriptions[0], "booking 1");  // the booking's description, not the resource's
    EXPECT_EQ(roomA->TimeTexts[0], " until 9:15 am");
    const TDayListBookings* van = bookings.GetResourceDays(1);
    EXPECT_EQ(van->GetDay(0)->GetCell(4)->State, data::kStartsAndGoesOn);
    EXPECT_EQ(van->GetDay(1)->GetCell(0)->State, data::kResumes);
    EXPECT_EQ(van->GetDay(2)->GetCell(0), nullptr);
    EXPECT_EQ(van->GetDay(1)->GetCell(17)->State, data::kContinues);
}

TEST_F(BookingLoad, OverlapsOfNonStagedBookingsAndStagedRows) {
    Add({{1, 1, At("9:00"), At("10:00")}, {2, 1, At("9:30"), At("10:30"), true}});
    TResourceBookings bookings;
    ASSERT_TRUE(LoadWeek(bookings, List({{1, "Room A"}})));
    EXPECT_FALSE(bookings.HasOverlaps);
    const TBookingCell* staged = bookings.GetResourceDays(0)->GetDay(0)->GetCell(3);
    EXPECT_EQ(staged->BookingIds.GetItem(1), 2);
    EXPECT_FALSE(staged->AllStaged);
    EXPECT_TRUE(bookings.GetResourceDays(0)->GetDay(0)->GetCell(4)->AllStaged);

    Add({{3, 1, At("10:00"), At("11:00")}});  // starts before the staged row ends
    ASSERT_TRUE(LoadWeek(bookings, List({{1, "Room A"}})));
    EXPECT_TRUE(bookings.HasOverlaps);
}

TEST_F(BookingLoad, RowsOfAResourceRenamedMeanwhileArePassedOver) {
    Add({{1, 1, At("9:00"), At("10:00")}, {2, 3, At("9:00"), At("10:00")}});
    TResourceBookings bookings;
    ASSERT_TRUE(LoadWeek(bookings, List({{1, "Old name"}, {3, "Van"}})));
    EXPECT_EQ(bookings.GetResourceDays(0)->GetDay(0)->GetCell(2), nullptr);  // "Old name"
    EXPECT_NE(bookings.GetResourceDays(1)->GetDay(0)->GetCell(2), nullptr);

    TResourceDateBookings dates;
    dates.SetConnection(&connection);
    ASSERT_TRUE(dates.LoadBookings(List({{1, "Old name"}}), 2, Day(1), Day(3)));
    EXPECT_EQ(dates.GetResourceDates(0)->GetMonthCell(0), nullptr);
}

TEST_F(BookingLoad, FailuresLeaveNoDays) {
    ScriptedDataWindows windows;
    Add({{1, 1, At("9:00"), At("10:00")}});
    TResourceBookings bookings;
    ASSERT_TRUE(LoadWeek(bookings, List({{1, "Room A"}})));
    bookings.SetConnection(&connection);
    EXPECT_FALSE(bookings.LoadDay(List({{1, "Room A"}}), 30, Day(1), EncodeTime(9, 0, 0, 0), EncodeTime(9, 0, 0, 0)));
    EXPECT_EQ(bookings.ResourceCount, 0);
    EXPECT_THROW(bookings.GetResourceDays(0), EListError);

    EXPECT_TRUE(windows.Runs.empty());  // an empty window is no error

    // An empty resource list makes the statement invalid: the time-slot container reports it.
    EXPECT_FALSE(LoadWeek(bookings, TResourceList()));
    EXPECT_EQ(bookings.ResourceCount, 0);
    ASSERT_EQ(windows.ExceptionLogs.size(), 1u);
    const data::ExceptionLogReport& report = windows.ExceptionLogs[0];
    EXPECT_EQ(report.Caption, QStringLiteral("Log Exception"));
    EXPECT_EQ(report.MessageLines.first(), QStringLiteral("An illegal exception occurred while retrieving bookings"));
    EXPECT_EQ(report.LogLines.last(), "Generated by " + QCoreApplication::applicationFilePath());
    EXPECT_EQ(report.ExceptionInfoLines, (QStringList{"Retrieving bookings", "Reference Point 4"}));
    TResourceDateBookings dates;
    dates.SetConnection(&connection);
    EXPECT_FALSE(dates.LoadBookings(TResourceList(), 0, Day(1), Day(3)));

    EXPECT_EQ(windows.Runs.size(), 1u);  // the date container shows nothing

    TResourceBookings unconnected;
    EXPECT_FALSE(
        unconnected.LoadDay(List({{1, "Room A"}}), 30, Day(1), EncodeTime(8, 0, 0, 0), EncodeTime(9, 0, 0, 0)));
    EXPECT_EQ(windows.Runs.size(), 2u);
}

TEST_F(BookingLoad, TheStatementAsWritten) {
    TResourceBookings bookings;
    ASSERT_TRUE(LoadWeek(bookings, List({{3, "Van"}, {1, "Room A"}}), 12));
    const QStringList text = bookings.Query.SQL.ToStringList();
    EXPECT_EQ(
        text,
        QStringList({"Select BookingId, Trans, Bookings.ResourceId, Client, ",
                     "   Bookings.Description, BookingStart, BookingEnd, Reminder, ResourceName",
                     "from [Resources], [Bookings]", "where [Resources].ResourceId = [Bookings].ResourceId",
                     "   and ((([Bookings].BookingStart >= :FirstDate) and ([Bookings].BookingStart < :NextDate))",
                     "       or (([Bookings].BookingEnd >= :FirstDate) and ([Bookings].BookingEnd < :NextDate))",
                     "       or (([Bookings].BookingStart <= :FirstDate) and ([Bookings].BookingEnd >= :LastDate)))",
                     "   and (", "      [Bookings].ResourceId = :Resource1", "      or",
                     "      [Bookings].ResourceId = :Resource2", "   )",
                     "   and ([Bookings].BookingStart >= :StartFrom) and ([Bookings].BookingStart < :StartBefore)",
                     "order by [Resources].ResourceName, [Bookings].BookingStart"}));
    auto values = [&] {
        QVariantList list;
        for (int i = 0; i < bookings.Query.Parameters.Count(); ++i) list << bookings.Query.Parameters[i]->Value();
        return list;
    };
    EXPECT_EQ(values(), (QVariantList{Day(1), Day(13), Day(12), 1, 3, Day(1), Day(13)}));

    // Other dates and resources, as many of them: the same text, so the connection's compiled statement serves.
    ASSERT_TRUE(bookings.LoadDays(List({{2, "Room B"}, {4, "Truck"}}), 30, Day(4), Day(5), EncodeTime(8, 0, 0, 0),
                                  EncodeTime(18, 0, 0, 0)));
    EXPECT_EQ(bookings.Query.SQL.ToStringList(), text);
    EXPECT_EQ(values(), (QVariantList{Day(4), Day(6), Day(5), 2, 4, Day(4), Day(6)}));
}

TEST_F(BookingLoad, TheStartRangeKeepsExactlyTheRowsOfThePeriod) {
    // Bookings of every length, a few running backwards, some on day boundaries.
    QRandomGenerator random(7);
    connection.BeginTrans();
    booking_db::BookingWriter writer(connection);
    for (int id = 1; id <= 600; ++id) {
        const TDateTime start = Day(1) + random.bounded(40) + random.bounded(48) / 48.0;
        const int kind = random.bounded(10);
        const TDateTime length = kind == 0   ? -random.bounded(1, 4)
                                 : kind == 1 ? random.bounded(1, 20)
                                             : random.bounded(1, 16) / 24.0;
        writer.Add({id, 1 + random.bounded(3), start, start + length});
    }
    connection.CommitTrans();
    const TResourceList resources = List({{1, "Room A"}, {2, "Room B"}, {3, "Van"}});
    auto idsOf = [&](const data::StartRange& range, TDateTime first, TDateTime last) {
        TADOQuery query;
        query.SetConnection(&connection);
        data::SetBookingPeriodStatement(query, {QStringLiteral("Select *")}, resources, first, last, range);
        query.Open();
        QStringList ids;
        for (query.First(); !query.Eof(); query.Next())
            ids << query.FieldByName("Bookings.ResourceId").AsString() + ":" +
                       query.FieldByName("BookingStart").AsString();
        return ids;
    };
    for (bool indexed : {false, true}) {
        if (indexed) data::EnsureBookingIndexes(connection);
        for (int first = 0; first < 44; first += 3) {
            for (int days : {1, 7, 30}) {
                const data::StartRange range =
                    data::BookingStartRange(connection, resources, Day(first), Day(first + days - 1));
                const QStringList bounded = idsOf(range, Day(first), Day(first + days - 1));
                EXPECT_EQ(bounded, idsOf({Day(-3000), Day(3000)}, Day(first), Day(first + days - 1)))
                    << first << " " << days;
            }
        }
    }
}

TEST_F(BookingLoad, DateCellsAndMonthLanes) {
    Add({{1, 3, At("9:00"), At("10:00")},
         {2, 3, At("11:00"), At("3 12:00"), true, "call"},
         {3, 1, At("2 9:00"), At("2 10:00")}});
    TResourceDateBookings dates;
    dates.SetConnection(&connection);
    ASSERT_TRUE(dates.LoadBookings(List({{3, "Van"}, {1, "Room A"}}), 2, Day(1), Day(3)));
    EXPECT_EQ(dates.ResourceCount, 2);
    EXPECT_EQ(dates.Resources.GetItem(0)->ResourceName, "Van");  // the caller's order
    EXPECT_EQ(dates.DateCaptions.ToStringList(), QStringList({"Jan 05", "Jan 06", "Jan 07"}));
    const TDateListBookings* van = dates.GetResourceDates(0);
    EXPECT_EQ(van->GetMonthCell(0)->GetRow(0)->BookingId, 1);
    const TMonthDateBookingCellRow* staged = van->GetMonthCell(2)->GetRow(1);
    ASSERT_NE(staged, nullptr);
    EXPECT_EQ(staged->BookingId, 2);
    EXPECT_TRUE(staged->Staged);
    EXPECT_TRUE(staged->HasReminder);
    EXPECT_EQ(staged->ResourceName, "Van");
    EXPECT_EQ(staged->Description, "booking 2");
    EXPECT_EQ(dates.GetResourceDates(1)->GetMonthCell(1)->GetRow(0)->BookingId, 3);

    ASSERT_TRUE(dates.LoadBookings(List({{3, "Van"}}), 0, Day(1), Day(3)));
    EXPECT_EQ(dates.GetResourceDates(0)->GetCell(0)->State, data::kStartsAndEndsWithOneGoingOn);
    EXPECT_TRUE(dates.GetResourceDates(0)->GetCell(2)->AllStaged);
    EXPECT_FALSE(dates.HasOverlaps);
}
