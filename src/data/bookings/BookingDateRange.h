// The days a booking may take, and the validation code of a booking outside them.
#pragma once

#include "platform/rtl/DateUtils.h"

// Before the day-count origin a date and time is stored as minus the day plus the time, so that stored values no
// longer run in time order and every period query and overlap check would go wrong; after the last day the file
// takes no date at all.
inline constexpr TDateTime kFirstBookingDay = 0;               // 30 December 1899
inline constexpr TDateTime kDayAfterLastBookingDay = 2958466;  // 1 January 10000

// ValidateBookingValues's answer, beside the codes of Bookings.h, for a booking that starts or ends outside them.
inline constexpr int kBookingOutsideDateRange = 11;
