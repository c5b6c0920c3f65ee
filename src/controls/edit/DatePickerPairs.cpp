// Keeping a pair of date or time pickers in order.
#include "controls/edit/DatePickerPairs.h"

#include "controls/edit/DateTimePicker.h"
#include "platform/rtl/DateUtils.h"

namespace controls {

QString UsDateText(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return QStringLiteral("%1/%2/%3").arg(month).arg(day).arg(year);
}

void KeepDatesInOrder(TwwDBDateTimePicker& first, TwwDBDateTimePicker& last, bool firstChanged) {
    const TDateTime from = DateOf(first.Date()), to = DateOf(last.Date());
    if (from <= to) return;
    if (firstChanged) last.SetDate(from);
    else first.SetDate(to);
}

void KeepTimesInOrder(TwwDBDateTimePicker& first, TwwDBDateTimePicker& last, bool firstChanged) {
    const TDateTime from = TimeOf(first.Time()), to = TimeOf(last.Time());
    if (from <= to) return;
    if (firstChanged) last.SetTime(from);
    else first.SetTime(to);
}

}  // namespace controls
