// The date layouts: date cells of the multi-day view and month lanes (window of days 1 to 3 unless noted).
#include "data/layout/DateLayout.h"
#include "data/support/LayoutFixtures.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace layout_test;

namespace {

std::unique_ptr<TDateListBookings> Lay(quint8 mode, const std::vector<data::BookingRow>& rows, int lastDay = 3) {
    auto dates = std::make_unique<TDateListBookings>(mode);
    dates->SetCount(lastDay);
    for (const auto& row : rows) {
        const data::DateSpan span = data::DateSpanOf(row, Day(1), Day(lastDay));
        if (mode == 2) data::PlaceMonthBooking(*dates, span, row);
        else data::PlaceDateBooking(*dates, span, row);
    }
    return dates;
}

// The states of the dates' cells, each as its number in hex, "." for an empty date.
QString States(const TDateListBookings& dates) {
    QString text;
    for (int i = 0; i < dates.GetCount(); ++i)
        text += dates.GetCell(i) ? QString::number(dates.GetCell(i)->State, 16) : QStringLiteral(".");
    return text;
}

// The lane of the booking on each date, "." where it is absent.
QString Lanes(const TDateListBookings& dates, int bookingId) {
    QString text;
    for (int i = 0; i < dates.GetCount(); ++i) {
        QString lane = QStringLiteral(".");
        const TMonthDateBookingCell* cell = dates.GetMonthCell(i);
        for (int r = 0; cell && r < cell->GetRowCount(); ++r)
            if (cell->GetRow(r) && cell->GetRow(r)->BookingId == bookingId) lane = QString::number(r);
        text += lane;
    }
    return text;
}

}  // namespace

TEST(DateLayout, BookingEndingAtMidnightCoversTheDatesBefore) {
    const auto dates = Lay(0, {Booking(1, "10:00", "3 0:00")});
    EXPECT_EQ(States(*dates), "52.");
    const TBookingCell* head = dates->GetCell(0);
    EXPECT_FALSE(head->StartsAtDayStart);
    EXPECT_TRUE(head->EndsAtDayEnd);
    EXPECT_FALSE(head->IsLastCell);
    const TBookingCell* second = dates->GetCell(1);
    EXPECT_TRUE(second->EndsAtDayEnd);
    EXPECT_TRUE(second->IsLastCell);
    EXPECT_EQ(second->HeadCell, head);
    EXPECT_EQ(second->ContinuationIndex, 1);
    EXPECT_EQ(second->Descriptions[0], "");

    const auto month = Lay(2, {Booking(1, "10:00", "3 0:00")});
    EXPECT_EQ(Lanes(*month, 1), "00.");
    const TMonthDateBookingCellRow* row = month->GetMonthCell(1)->GetRow(0);
    EXPECT_EQ(row->FirstIndex, 0);
    EXPECT_EQ(row->LastIndex, 1);
    EXPECT_EQ(row->Client, "client 1");
    EXPECT_FALSE(row->AllDay);
    EXPECT_NE(row, month->GetMonthCell(0)->GetRow(0));  // each date holds its own row
}

TEST(DateLayout, AllDayBookingOfOneDate) {
    const auto dates = Lay(0, {Booking(1, "1 0:00", "2 0:00")});
    EXPECT_EQ(States(*dates), "1..");
    EXPECT_TRUE(dates->GetCell(0)->StartsAtDayStart);
    EXPECT_TRUE(dates->GetCell(0)->EndsAtDayEnd);
    EXPECT_TRUE(dates->GetCell(0)->IsLastCell);
    const auto month = Lay(2, {Booking(1, "1 0:00", "2 0:00")});
    EXPECT_TRUE(month->GetMonthCell(0)->GetRow(0)->AllDay);
    EXPECT_EQ(month->GetMonthCell(0)->GetRow(0)->LastIndex, 0);
}

TEST(DateLayout, BookingAroundTheWholeWindow) {
    EXPECT_EQ(States(*Lay(0, {Booking(1, "0 10:00", "5 9:00")})), "326");
    EXPECT_EQ(States(*Lay(0, {Booking(1, "0 10:00", "5 0:00")})), "322");
    const auto dates = Lay(0, {Booking(1, "0 10:00", "5 9:00")});
    EXPECT_TRUE(dates->GetCell(2)->EndsAtDayEnd);
    EXPECT_TRUE(dates->GetCell(2)->IsLastCell);

    const auto month = Lay(2, {Booking(1, "0 10:00", "5 9:00")});
    EXPECT_EQ(Lanes(*month, 1), "000");
    const TMonthDateBookingCellRow* row = month->GetMonthCell(2)->GetRow(0);
    EXPECT_TRUE(row->StartsBefore);
    EXPECT_TRUE(row->EndsAfter);
    EXPECT_EQ(row->FirstIndex, 0);
    EXPECT_EQ(row->LastIndex, 2);
}

TEST(DateLayout, BookingEndingAtMidnightStartingTheWindowIsPlacedNowhere) {
    EXPECT_EQ(States(*Lay(0, {Booking(1, "0 9:00", "1 0:00")})), "...");
    EXPECT_EQ(Lanes(*Lay(2, {Booking(1, "0 9:00", "1 0:00")}), 1), "...");
}

TEST(DateLayout, BookingOnTheLastDateRunningPastItStartsAsAOneDateBookingThatGoesOn) {
    const auto dates = Lay(0, {Booking(1, "3 9:00", "4 9:00")});
    EXPECT_EQ(States(*dates), "..1");
    EXPECT_TRUE(dates->GetCell(2)->EndsAtDayEnd);
    EXPECT_TRUE(dates->GetCell(2)->IsLastCell);
    // Meeting another booking on that date it still counts as going on.
    EXPECT_EQ(States(*Lay(0, {Booking(1, "3 8:00", "3 8:30"), Booking(2, "3 9:00", "4 9:00")})), "..8");
}

TEST(DateLayout, BookingsMeetingOnOneDate) {
    struct Case {
        std::vector<data::BookingRow> rows;
        const char* states;
        int date;
        bool overlap;
    };
    const Case cases[] = {
        {{Booking(1, "9:00", "10:00"), Booking(2, "11:00", "12:00")}, "4..", 0, true},
        {{Booking(1, "9:00", "10:00"), Booking(2, "11:00", "2 12:00")}, "86.", 0, true},
        {{Booking(1, "9:00", "2 10:00"), Booking(2, "2 11:00", "2 12:00")}, "57.", 1, false},
        {{Booking(1, "9:00", "2 10:00"), Booking(2, "2 11:00", "3 12:00")}, "5a6", 1, false},
        {{Booking(1, "9:00", "2 10:00"), Booking(2, "2 11:00", "2 12:00"), Booking(3, "2 13:00", "3 9:00")},
         "596",
         1,
         true},
        {{Booking(1, "9:00", "2 10:00"), Booking(2, "2 11:00", "2 12:00"), Booking(3, "2 13:00", "2 14:00")},
         "5b.",
         1,
         true},
        {{Booking(1, "9:00", "3 10:00"), Booking(2, "2 11:00", "2 12:00")}, "5e6", 1, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const auto dates = Lay(0, c.rows);
        EXPECT_EQ(States(*dates), c.states) << "case " << n;
        EXPECT_EQ(dates->GetCell(c.date)->Overlap, c.overlap) << "case " << n;
        ++n;
    }
    // A head that ends within its date learns only from a later booking's end whether it reaches midnight.
    const auto dates = Lay(0, {Booking(1, "9:00", "10:00"), Booking(2, "11:00", "2 12:00")});
    EXPECT_FALSE(dates->GetCell(0)->EndsAtDayEnd);
    EXPECT_EQ(dates->GetCell(0)->Count(), 2);
    EXPECT_TRUE(Lay(0, {Booking(1, "9:00", "10:00"), Booking(2, "11:00", "3 0:00")})->GetCell(0)->EndsAtDayEnd);
}

TEST(DateLayout, MonthLanes) {
    const auto month = Lay(2, {Booking(1, "9:00", "10:00"), Booking(2, "11:00", "3 12:00"),
                               Booking(3, "2 9:00", "2 10:00"), Booking(4, "3 9:00", "3 10:00")});
    EXPECT_EQ(Lanes(*month, 1), "0..");
    EXPECT_EQ(Lanes(*month, 2), "111");  // keeps one lane although lane 0 is free on dates 2 and 3
    EXPECT_EQ(Lanes(*month, 3), ".0.");
    EXPECT_EQ(Lanes(*month, 4), "..0");
    EXPECT_EQ(month->GetMonthCell(1)->GetRowCount(), 2);

    // A free lane below a used one is a nil entry.
    const auto gap =
        Lay(2, {Booking(1, "9:00", "2 10:00"), Booking(2, "2 9:00", "3 10:00"), Booking(3, "3 11:00", "3 12:00")});
    EXPECT_EQ(Lanes(*gap, 2), ".11");
    EXPECT_EQ(Lanes(*gap, 3), "..0");
    EXPECT_EQ(gap->GetMonthCell(2)->GetRowCount(), 2);
    EXPECT_EQ(gap->GetMonthCell(2)->GetRow(5), nullptr);
}

TEST(DateLayout, StagedAndReminderFlags) {
    auto staged = Booking(1, "9:00", "2 10:00");
    staged.Trans = true;
    staged.Reminder = QStringLiteral(" \t");
    const auto dates = Lay(0, {staged});
    EXPECT_TRUE(dates->GetCell(0)->AllStaged);
    EXPECT_TRUE(dates->GetCell(1)->AllStaged);
    EXPECT_TRUE(dates->GetCell(1)->HasReminder.GetItem(0));
    EXPECT_FALSE(dates->GetCell(1)->AnyReminder);

    const auto month = Lay(2, {staged});
    EXPECT_TRUE(month->GetMonthCell(0)->GetRow(0)->Staged);
    EXPECT_FALSE(month->GetMonthCell(0)->GetRow(0)->HasReminder);
}

TEST(DateLayout, ListsAndLanes) {
    TDateListBookings dates(0);
    dates.SetCount(3);
    dates.SetCell(2, std::make_unique<TBookingCell>());
    dates.SetCount(2);
    EXPECT_EQ(dates.GetCount(), 2);
    EXPECT_EQ(dates.GetCell(2), nullptr);
    EXPECT_THROW(dates.SetCell(2, std::make_unique<TBookingCell>()), EListError);

    TMonthDateBookingCell cell;
    cell.NeedRow(2).BookingId = 9;
    EXPECT_EQ(cell.GetRowCount(), 3);
    EXPECT_EQ(cell.GetRow(0), nullptr);
    EXPECT_EQ(cell.GetRow(2)->BookingId, 9);
    EXPECT_EQ(&cell.NeedRow(2), cell.GetRow(2));
}
