// Month arithmetic shared by the calendar's layout and its stepping.
#include "controls/edit/MonthCalendarTypes.h"

#include <algorithm>

namespace controls {

YearMonth AddMonths(YearMonth month, int months) {
    const int index = month.Year * 12 + (month.Month - 1) + months;
    return {index / 12, index % 12 + 1};
}

TDateTime SameDayIn(TDateTime date, YearMonth month) {
    int year = 0, oldMonth = 0, day = 0;
    DecodeDate(date, year, oldMonth, day);
    const TDateTime day0 = EncodeDate(month.Year, month.Month, std::min(day, DaysInAMonth(month.Year, month.Month)));
    return day0 + TimeOf(date);
}

}  // namespace controls
