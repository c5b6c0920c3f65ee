// One booking as the containers lay it out: the columns of a row read by the period query.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>

namespace data {

struct BookingRow {
    int BookingId = 0;
    int ResourceId = 0;
    QString ResourceName;
    // A staged row (column Trans) that another change set has not committed yet.
    bool Trans = false;
    QString Client;
    QString Description;
    TDateTime BookingStart = 0;
    TDateTime BookingEnd = 0;
    QString Reminder;
};

// Milliseconds since midnight and the day number of a value, rounded to the millisecond as the date routines do.
inline int MsOfDay(TDateTime value) { return DateTimeToTimeStamp(value).Time; }
inline int DayNumber(TDateTime value) { return DateTimeToTimeStamp(value).Date - DateDelta; }

}  // namespace data
