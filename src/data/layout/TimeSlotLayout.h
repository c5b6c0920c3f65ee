// Laying bookings out into the time slots of the dates of a window (the day and week grids' layout).
#pragma once

#include "data/layout/BookingRow.h"
#include "data/layout/DayBookings.h"
#include "util/core/DvLists.h"

#include <QString>

namespace data {

struct TimeSlotWindow {
    // Date parts; an EndTime of 00:00 has already moved LastDate back a day (the window ends at its midnight).
    TDateTime FirstDate = 0;
    TDateTime LastDate = 0;
    // Time parts; an EndTime of 00:00 is midnight at the end of the day.
    TDateTime StartTime = 0;
    TDateTime EndTime = 0;
    int SlotMinutes = 1;
    int SlotsPerDay = 0;
    bool DisplayAs24Hour = false;
    // The format of start times in the cells' time texts.
    QString TimeFormat;

    int DayCount() const { return DayNumber(LastDate) - DayNumber(FirstDate) + 1; }
};

// The window of dates firstDate..lastDate from startTime to endTime each day in slots of slotMinutes (below 1
// taken as 1); false when the window is empty (its first moment not before its last).
bool MakeTimeSlotWindow(int slotMinutes, TDateTime firstDate, TDateTime lastDate, TDateTime startTime,
                        TDateTime endTime, TimeSlotWindow& window);

// The start time of every slot of a day.
void FillSlotTimes(const TimeSlotWindow& window, TDvDateTimeList& slotTimes);

// Lays one booking over the days of one resource (days built for the window). Rows must come in start order
// for the cell states to read as documented; a booking that lies outside the window's dates (such as one
// that ended at midnight starting the first date) is not placed.
void PlaceTimeSlotBooking(TDayListBookings& days, const TimeSlotWindow& window, const BookingRow& row);

}  // namespace data
