// The time helpers of the views' time settings: minutes and times of day, the row size, start/end/initial times.
#pragma once

#include "platform/rtl/DateUtils.h"

// hours = minutes div 60, minutes = minutes mod 60, as a time of day.
TDateTime MinutesToTime(int minutes);
// hour * 60 + minute of the time of day.
int TimeToMinutes(TDateTime time);
// Whether the value's time part decodes to a valid time of day (false for values that are no date).
bool IsValidTime(TDateTime value);
// Minutes per row: 0 or less becomes 30, above 720 becomes 720; false when changed.
bool ClampMinutesIncrement(int& minutes);
// Repairs the start, end and initial times of a view (see the definition for the rules); false when a value
// was invalid or the initial time had to move.
bool NormalizeViewTimes(TDateTime& start, TDateTime& end, TDateTime& initial, int minutesPerRow, TDateTime defaultStart,
                        TDateTime defaultEnd, TDateTime defaultInitial);
