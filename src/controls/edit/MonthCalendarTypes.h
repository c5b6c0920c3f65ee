// The month calendar's options, first-day-of-week values, events and the parts a point can hit.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/ui/EnumSet.h"

#include <QObject>
#include <functional>

enum TwwMonthOption { mdoDayState, mdoWeekNumbers, mdoNoToday, mdoNoTodayCircle, mdoMultiSelect };
using TwwMonthOptions = ui::SetOf<TwwMonthOption>;

enum TwwCalDayOfWeek {
    wwdowMonday,
    wwdowTuesday,
    wwdowWednesday,
    wwdowThursday,
    wwdowFriday,
    wwdowSaturday,
    wwdowSunday,
    wwdowLocaleDefault
};

// Asked for each day of each shown month while mdoDayState is on; an accepted day is drawn bold.
using TCalcBoldDayEvent =
    std::function<void(QObject* Sender, TDateTime ADate, int Month, int Day, int Year, bool& Accept)>;

namespace controls {

// What lies under a point of the calendar.
enum class CalendarHit {
    Nowhere,
    Background,
    TitleBackground,
    TitleMonth,
    TitleYear,
    PrevArrow,
    NextArrow,
    DayHeader,
    WeekNumber,
    Date,
    PrevMonthDate,
    NextMonthDate,
    TodayLine
};

struct CalendarHitInfo {
    CalendarHit Hit = CalendarHit::Nowhere;
    // The date under the point for the date hits; for the title hits the first of that title's month.
    TDateTime Date = 0;
    // The shown month the point lies in, or -1.
    int MonthIndex = -1;
};

struct YearMonth {
    int Year = 0;
    int Month = 0;
    bool operator==(const YearMonth&) const = default;
};

// The month a number of months after (or before, when negative) the given one.
YearMonth AddMonths(YearMonth month, int months);
// The same day in another month, the day limited to that month's length (time of day kept).
TDateTime SameDayIn(TDateTime date, YearMonth month);

}  // namespace controls
