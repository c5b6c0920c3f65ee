// The time-slot layout: slots, cell states, time texts and the window of a day (30-minute slots from 08:00).
#include "data/layout/OverlapWatch.h"
#include "data/layout/TimeSlotLayout.h"
#include "data/support/LayoutFixtures.h"

#include <gtest/gtest.h>

using namespace layout_test;

namespace {

data::TimeSlotWindow Window(int days = 1, TDateTime endTime = EncodeTime(17, 0, 0, 0), bool use24Hour = false) {
    data::TimeSlotWindow window;
    window.DisplayAs24Hour = use24Hour;
    window.TimeFormat = use24Hour ? QStringLiteral("hh:mm") : QStringLiteral("h:mm am/pm");
    EXPECT_TRUE(data::MakeTimeSlotWindow(30, Day(1), Day(days), EncodeTime(8, 0, 0, 0), endTime, window));
    return window;
}

std::unique_ptr<TDayListBookings> LaySlots(const std::vector<data::BookingRow>& rows,
                                           const data::TimeSlotWindow& window = Window()) {
    auto days = std::make_unique<TDayListBookings>(window.DayCount(), window.SlotsPerDay);
    for (const auto& row : rows) data::PlaceTimeSlotBooking(*days, window, row);
    return days;
}

// The states of a day's slots, each as its number in hex, "." for an empty slot: "..56" is slots 2 and 3 in
// kStartsAndGoesOn and kEnds.
QString SlotStates(const TDayListBookings& days, int day = 0, int slots = 18) {
    QString text;
    for (int i = 0; i < slots; ++i) {
        const TBookingCell* cell = days.GetDay(day)->GetCell(i);
        text += cell ? QString::number(cell->State, 16) : QStringLiteral(".");
    }
    return text;
}

}  // namespace

TEST(TimeSlotLayout, OneSlotBookingAndItsTimeText) {
    const auto days = LaySlots({Booking(7, "9:00", "9:15")});
    EXPECT_EQ(SlotStates(*days), "..1...............");
    const TBookingCell* cell = days->GetDay(0)->GetCell(2);
    EXPECT_EQ(cell->BookingIds.GetItem(0), 7);
    EXPECT_EQ(cell->Clients[0], "client 7");
    EXPECT_EQ(cell->Descriptions[0], "booking 7");
    EXPECT_EQ(cell->TimeTexts[0], " until 9:15 am");
    EXPECT_FALSE(cell->Overlap);

    const auto days24 = LaySlots({Booking(7, "9:00", "9:15")}, Window(1, EncodeTime(17, 0, 0, 0), true));
    EXPECT_EQ(days24->GetDay(0)->GetCell(2)->TimeTexts[0], " until 09:15");
}

TEST(TimeSlotLayout, TimeTexts) {
    struct Case {
        const char* start;
        const char* end;
        int slot;
        const char* text;
    };
    const Case cases[] = {
        {"9:10", "10:00", 2, " at 9:10 am"},
        {"9:10", "9:20", 2, " at 9:10 am until 9:20 am"},
        {"9:00", "10:00", 2, ""},
        {"7:10", "9:20", 0, " until 9:20 am"},  // clipped at the window's start: no " at "
        {"16:10", "1 23:00", 16, " at 4:10 pm"},
    };
    for (const auto& c : cases) {
        const auto days = LaySlots({Booking(1, c.start, c.end)});
        EXPECT_EQ(days->GetDay(0)->GetCell(c.slot)->TimeTexts[0], c.text) << c.start << "-" << c.end;
    }
    // A day that is not the booking's last names the end's date where the window's end is not a slot boundary.
    const auto days = LaySlots({Booking(1, "16:10", "2 9:20")}, Window(2));
    EXPECT_EQ(days->GetDay(0)->GetCell(16)->TimeTexts[0], " at 4:10 pm");
    EXPECT_EQ(days->GetDay(1)->GetCell(0)->TimeTexts[0], " until 9:20 am");
    const auto offBoundary = LaySlots({Booking(1, "16:10", "2 9:20")}, Window(2, EncodeTime(17, 10, 0, 0)));
    EXPECT_EQ(offBoundary->GetDay(0)->GetCell(16)->TimeTexts[0], " at 4:10 pm until Jan 06 9:20 am");
}

TEST(TimeSlotLayout, ContinuationCellsPointAtTheirHead) {
    auto row = Booking(3, "9:00", "10:30");
    row.Reminder = QStringLiteral("call");
    const auto days = LaySlots({row});
    EXPECT_EQ(SlotStates(*days), "..526.............");
    const TBookingCell* head = days->GetDay(0)->GetCell(2);
    for (int slot : {3, 4}) {
        const TBookingCell* cell = days->GetDay(0)->GetCell(slot);
        EXPECT_EQ(cell->HeadCell, head);
        EXPECT_EQ(cell->ContinuationIndex, slot - 2);
        EXPECT_EQ(cell->BookingIds.GetItem(0), 3);
        EXPECT_EQ(cell->Clients[0], "");
        EXPECT_EQ(cell->Descriptions[0], "");
        EXPECT_TRUE(cell->AnyReminder);
    }
    EXPECT_EQ(head->HeadCell, nullptr);
    EXPECT_TRUE(head->HasReminder.GetItem(0));
}

TEST(TimeSlotLayout, BookingsMeetingInOneSlot) {
    struct Case {
        std::vector<data::BookingRow> rows;  // in the order they are placed
        const char* states;
        int slot;
        bool overlap;
    };
    const Case cases[] = {
        {{Booking(1, "9:00", "9:30"), Booking(2, "9:00", "10:00")}, "..86", 2, true},
        {{Booking(1, "9:00", "10:00"), Booking(2, "9:00", "9:30")}, "..e6", 2, false},
        {{Booking(1, "9:00", "9:15"), Booking(2, "9:10", "9:20")}, "..4.", 2, true},
        {{Booking(1, "9:00", "9:15"), Booking(2, "9:05", "9:20"), Booking(3, "9:10", "10:00")}, "..c6", 2, true},
        {{Booking(1, "8:00", "9:30"), Booking(2, "9:00", "9:15")}, "527.", 2, false},
        {{Booking(1, "8:00", "9:30"), Booking(2, "9:00", "10:00")}, "52a6", 2, false},
        {{Booking(1, "8:00", "9:30"), Booking(2, "9:00", "9:10"), Booking(3, "9:15", "9:20")}, "52b.", 2, true},
        {{Booking(1, "8:00", "9:30"), Booking(2, "9:00", "9:10"), Booking(3, "9:15", "10:00")}, "52d6", 2, true},
        {{Booking(1, "7:00", "8:30"), Booking(2, "8:00", "8:15")}, "7...", 0, false},
        {{Booking(1, "8:00", "10:00"), Booking(2, "8:30", "8:45")}, "5e26", 1, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const auto days = LaySlots(c.rows);
        EXPECT_EQ(SlotStates(*days, 0, 4), c.states) << "case " << n;
        EXPECT_EQ(days->GetDay(0)->GetCell(c.slot)->Overlap, c.overlap) << "case " << n;
        ++n;
    }
    // 09:00-10:00 read first: 5 and 6, which the second (above) turns into 14 and 6.
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "9:00", "10:00")}), 0, 4), "..56");
}

TEST(TimeSlotLayout, BookingsEndingOnASlotBoundaryDoNotMeet) {
    const auto days = LaySlots({Booking(1, "10:00", "11:00"), Booking(2, "11:00", "12:00")});
    EXPECT_EQ(SlotStates(*days), "....5656..........");
    EXPECT_EQ(days->GetDay(0)->GetCell(5)->Count(), 1);
}

TEST(TimeSlotLayout, ClippedAtTheWindowsEdges) {
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "7:00", "9:00")})), "36................");
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "16:00", "18:00")})), "................52");
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "16:30", "17:00")})), ".................1");
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "16:45", "18:00")})), ".................5");
    // Wholly before or after the day's window.
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "6:00", "8:00"), Booking(2, "17:00", "18:00")})), "..................");
}

TEST(TimeSlotLayout, MidnightRuleOverSeveralDays) {
    // 10:00 on day 1 to 00:00 on day 3 lies on days 1 and 2; day 2 runs to the window's end.
    const auto days = LaySlots({Booking(1, "10:00", "3 0:00")}, Window(3));
    EXPECT_EQ(SlotStates(*days, 0), "....52222222222222");
    EXPECT_EQ(SlotStates(*days, 1), "322222222222222222");
    EXPECT_EQ(SlotStates(*days, 2), "..................");

    // The later part of a booking: kResumes then its last slot kEnds, or a single slot in kEnds.
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "10:00", "2 9:00")}, Window(2)), 1), "36................");
    const auto shortPart = LaySlots({Booking(1, "10:00", "2 8:15")}, Window(2));
    EXPECT_EQ(SlotStates(*shortPart, 1), "6.................");
    EXPECT_EQ(shortPart->GetDay(1)->GetCell(0)->TimeTexts[0], " until 8:15 am");
    // Ends before the window's start on its last day.
    EXPECT_EQ(SlotStates(*LaySlots({Booking(1, "10:00", "2 7:00")}, Window(2)), 1), "..................");
}

TEST(TimeSlotLayout, WindowEndingAtMidnight) {
    const auto window = Window(2, 0);
    EXPECT_EQ(window.SlotsPerDay, 32);
    EXPECT_EQ(window.DayCount(), 1);  // the window runs to midnight ending its first date
    // 22:00 to 00:00 of the next day is a one-day booking that ends in the day's last slot.
    const auto days = LaySlots({Booking(1, "22:00", "2 0:00")}, window);
    EXPECT_EQ(days->GetDay(0)->GetCell(28)->State, data::kStartsAndGoesOn);
    EXPECT_EQ(days->GetDay(0)->GetCell(31)->State, data::kEnds);
}

TEST(TimeSlotLayout, BookingEndingAtMidnightStartingTheWindowIsNotPlaced) {
    const auto days = LaySlots({Booking(1, "0 22:00", "1 0:00")});
    EXPECT_EQ(SlotStates(*days), "..................");
}

TEST(TimeSlotLayout, WindowShapes) {
    data::TimeSlotWindow window;
    EXPECT_FALSE(data::MakeTimeSlotWindow(30, Day(1), Day(1), EncodeTime(9, 0, 0, 0), EncodeTime(9, 0, 0, 0), window));
    EXPECT_FALSE(data::MakeTimeSlotWindow(30, Day(2), Day(1), EncodeTime(8, 0, 0, 0), EncodeTime(17, 0, 0, 0), window));

    ASSERT_TRUE(
        data::MakeTimeSlotWindow(0, Day(1) + 0.7, Day(1), EncodeTime(8, 0, 0, 0), EncodeTime(10, 5, 0, 0), window));
    EXPECT_EQ(window.SlotMinutes, 1);
    EXPECT_EQ(window.FirstDate, Day(1));
    EXPECT_EQ(window.SlotsPerDay, 125);

    ASSERT_TRUE(data::MakeTimeSlotWindow(30, Day(1), Day(1), EncodeTime(8, 0, 0, 0), EncodeTime(17, 10, 0, 0), window));
    EXPECT_EQ(window.SlotsPerDay, 19);
    TDvDateTimeList times;
    data::FillSlotTimes(window, times);
    ASSERT_EQ(times.Count(), 19);
    EXPECT_EQ(times.GetItem(0), EncodeTime(8, 0, 0, 0));
    EXPECT_EQ(times.GetItem(18), EncodeTime(17, 0, 0, 0));
}

TEST(TimeSlotLayout, StagedRowsAndReminders) {
    auto staged = Booking(1, "9:00", "9:15");
    staged.Trans = true;
    auto blankReminder = Booking(2, "9:00", "9:30");
    blankReminder.Reminder = QStringLiteral("  ");
    const auto days = LaySlots({staged, blankReminder});
    const TBookingCell* cell = days->GetDay(0)->GetCell(2);
    EXPECT_FALSE(cell->AllStaged);  // one of the two is not staged
    EXPECT_FALSE(cell->AnyReminder);
    EXPECT_TRUE(cell->HasReminder.GetItem(1));
    EXPECT_TRUE(LaySlots({staged})->GetDay(0)->GetCell(2)->AllStaged);
}

TEST(TimeSlotLayout, OverlapWatchSkipsStagedRowsButCountsTheirEnd) {
    auto a = Booking(1, "9:00", "10:00");
    auto stagedB = Booking(2, "9:30", "11:00");
    stagedB.Trans = true;
    auto c = Booking(3, "10:30", "12:00");
    auto otherResource = Booking(4, "10:45", "11:00");
    otherResource.ResourceId = 2;
    data::OverlapWatch watch;
    EXPECT_FALSE(watch.Overlaps(a));
    EXPECT_FALSE(watch.Overlaps(stagedB));
    EXPECT_TRUE(watch.Overlaps(c));  // against the staged row's end
    EXPECT_FALSE(watch.Overlaps(otherResource));
}
