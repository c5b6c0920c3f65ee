// Booking times and periods as text, for cell texts and the grids' hints.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>

// The time format of the user's 12/24-hour setting: "hh:mm" or "h:mm am/pm".
QString TimeFormatFor(bool Use24Hour);

// "hh:mm" or "h:mm am/pm"; a Time of exactly 0 (a time of day, not a date at midnight) is "24:00" or "midnight".
QString FormatBookingTime(bool Use24Hour, TDateTime Time);

// "9:00 am to 10:00 am" (Compact, one date), "Jan 5 9:00 am to 10:00 am", "Jan 5 9:00 am to Jan 6 10:00 am",
// or for a span from midnight to midnight "Jan 5 All Day" / "Jan 5 to Jan 6 All Day".
QString FormatBookingSpan(const QString& TimeFormat, bool Compact, TDateTime StartDateTime, TDateTime EndDateTime);
