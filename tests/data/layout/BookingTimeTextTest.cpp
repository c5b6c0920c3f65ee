// Booking times and periods as text (US English settings).
#include "data/layout/BookingTimeText.h"

#include <gtest/gtest.h>

TEST(BookingTimeText, FormatBookingTime) {
    EXPECT_EQ(FormatBookingTime(false, 0), "midnight");
    EXPECT_EQ(FormatBookingTime(true, 0), "24:00");
    EXPECT_EQ(FormatBookingTime(false, EncodeTime(9, 15, 0, 0)), "9:15 am");
    EXPECT_EQ(FormatBookingTime(true, EncodeTime(9, 15, 0, 0)), "09:15");
    EXPECT_EQ(FormatBookingTime(false, EncodeTime(13, 5, 0, 0)), "1:05 pm");
    // A date at midnight is not the time 0.
    EXPECT_EQ(FormatBookingTime(false, EncodeDate(2026, 1, 5)), "12:00 am");
    EXPECT_EQ(FormatBookingTime(true, EncodeDate(2026, 1, 5)), "00:00");
}

TEST(BookingTimeText, FormatBookingSpan) {
    const QString h12 = QStringLiteral("h:mm am/pm");
    const TDateTime jan5 = EncodeDate(2026, 1, 5);
    const TDateTime nine = EncodeTime(9, 0, 0, 0);
    const TDateTime ten = EncodeTime(10, 30, 0, 0);
    struct Case {
        bool compact;
        TDateTime start;
        TDateTime end;
        const char* text;
    };
    const Case cases[] = {
        {true, jan5 + nine, jan5 + ten, "9:00 am to 10:30 am"},
        {false, jan5 + nine, jan5 + ten, "Jan 5 9:00 am to 10:30 am"},
        {true, jan5 + nine, jan5 + 1 + ten, "Jan 5 9:00 am to Jan 6 10:30 am"},
        {false, jan5 + nine, jan5 + 2, "Jan 5 9:00 am to Jan 7 12:00 am"},
        {false, jan5, jan5 + 2, "Jan 5 to Jan 6 All Day"},
        {true, jan5, jan5 + 1, "Jan 5 All Day"},
        {true, jan5, jan5, "12:00 am to 12:00 am"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatBookingSpan(h12, c.compact, c.start, c.end), c.text) << c.text;
    EXPECT_EQ(FormatBookingSpan("hh:mm", true, jan5 + nine, jan5 + ten), "09:00 to 10:30");
}
