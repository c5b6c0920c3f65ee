// The booking window at the limits of the dates it takes.
#include "BookingFormFixture.h"

#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"

using namespace booking_form_test;

// Dates before the day-count origin are refused with a message; the origin itself and the last date the file holds
// are booked like any other.
TEST_F(BookingFormTest, AOneHourBookingOnTheFirstAndLastDates) {
    struct Case {
        TDateTime day;
        bool saved;
    };
    const Case cases[] = {{EncodeDate(100, 1, 1), false},
                          {EncodeDate(1899, 12, 29), false},
                          {EncodeDate(1899, 12, 30), true},
                          {EncodeDate(9999, 12, 31), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatDateTime(QStringLiteral("yyyy-mm-dd"), c.day).toStdString());
        other->Execute(QStringLiteral("DELETE FROM Bookings"));
        testing_env::Messages().Clear();
        const TDateTime start = c.day + EncodeTime(9, 0, 0, 0);
        const TDateTime end = c.day + EncodeTime(10, 0, 0, 0);
        OpenNew(start, end);
        form->OkButtonClick();
        EXPECT_EQ(form->isHidden(), c.saved);
        const sql::Database& file = data->ADOConnection.Engine().Native();
        if (c.saved) {
            EXPECT_TRUE(Shown().empty());
            EXPECT_EQ(file.QueryValue(QStringLiteral("SELECT count(*) FROM Bookings")).toInt(), 1);
            EXPECT_NEAR(file.QueryValue(QStringLiteral("SELECT BookingStart FROM Bookings")).toDouble(), start,
                        OneSecond);
            EXPECT_NEAR(file.QueryValue(QStringLiteral("SELECT BookingEnd FROM Bookings")).toDouble(), end, OneSecond);
        } else {
            EXPECT_EQ(Shown().size(), 1u);
            EXPECT_EQ(file.QueryValue(QStringLiteral("SELECT count(*) FROM Bookings")).toInt(), 0);
            form->CancelButtonClick();
        }
    }
}
