// Pairs of date pickers that a change of one keeps in order, and the dates the queries over them write.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>

class TwwDBDateTimePicker;

namespace controls {

// A date as queries write it it between # signs: month/day/year with a literal slash whatever the
// locale, no leading zeros ("3/7/2004").
QString UsDateText(TDateTime date);

// When the changed picker would put the first date after the last, the other picker moves to the same date.
void KeepDatesInOrder(TwwDBDateTimePicker& first, TwwDBDateTimePicker& last, bool firstChanged);
// The same for the time parts of two time pickers.
void KeepTimesInOrder(TwwDBDateTimePicker& first, TwwDBDateTimePicker& last, bool firstChanged);

}  // namespace controls
