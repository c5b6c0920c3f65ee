// Laying bookings out one cell per date: booking cells for the multi-day view, lanes for the month view.
#pragma once

#include "data/layout/BookingRow.h"
#include "data/layout/DateBookings.h"

namespace data {

// The dates of the window a booking covers, as indexes from the window's first date.
struct DateSpan {
    int StartIdx = 0;
    int EndIdx = 0;
    bool StartsBefore = false;
    bool EndsAfter = false;
    // False for a booking that lies wholly before the window (one that ended at midnight starting it).
    bool Placed() const { return EndIdx >= StartIdx; }
};

// The span of a booking clamped to firstDate..lastDate (date parts); a booking that ends at 00:00 ends with
// the day before.
DateSpan DateSpanOf(const BookingRow& row, TDateTime firstDate, TDateTime lastDate);

// The multi-day layout: a head cell on the first date and one continuation cell on each later date.
void PlaceDateBooking(TDateListBookings& dates, const DateSpan& span, const BookingRow& row);

// The month layout: one row per date covered, all in the lowest lane free on every one of those dates.
void PlaceMonthBooking(TDateListBookings& dates, const DateSpan& span, const BookingRow& row);

}  // namespace data
