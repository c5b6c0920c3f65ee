// Keeping a pair of search pickers in order.
#include "booking/FindDatePickers.h"

#include "controls/edit/DateTimePicker.h"
#include "platform/rtl/DateUtils.h"

namespace booking {

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

}  // namespace booking
