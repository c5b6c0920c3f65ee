// Encoding, decoding and arithmetic of TDateTime values.
#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>

namespace {

// Julian day of 30 December 1899, day 0.
constexpr qint64 kJulianDayOfEpoch = 2415019;

// Milliseconds of the value counted from day 0 at midnight, rounded to the nearest millisecond.
// Negative values hold the date in the whole part and the time, positive, in the fraction.
qint64 TotalMilliseconds(TDateTime value) {
    const double day = std::trunc(value);
    const double fraction = std::fabs(value - day);
    qint64 ms = std::llround(fraction * MSecsPerDay);
    return static_cast<qint64>(day) * 86400000LL + (value < 0 ? -ms : ms);
}

void SplitDayAndTime(TDateTime value, qint64& day, int& msOfDay) {
    const double whole = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
    day = static_cast<qint64>(whole);
    if (ms >= 86400000) {  // rounding reached the next midnight
        ms -= 86400000;
        day += value < 0 ? -1 : 1;
    }
    msOfDay = static_cast<int>(ms);
}

TDateTime Compose(qint64 day, int msOfDay) {
    const double time = msOfDay / MSecsPerDay;
    return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
    result = static_cast<double>(QDate(year, month, day).toJulianDay() - kJulianDayOfEpoch);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || millisecond < 0 ||
        millisecond >= 1000)
        return false;
    result = (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return result;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const TDateTime date = EncodeDate(year, month, day);
    const TDateTime time = EncodeTime(hour, minute, second, millisecond);
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    QDate(QDate::fromJulianDay(d + kJulianDayOfEpoch)).getDate(&year, &month, &day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    millisecond = ms % 1000;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
}

TDateTime DateOf(TDateTime value) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    return static_cast<double>(d);
}

TDateTime TimeOf(TDateTime value) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    return ms / MSecsPerDay;
}

namespace {

// The parts of a date or a time of day, for the routines that answer one of them.
struct DateParts {
    int year, month, day;
};
DateParts DatePartsOf(TDateTime value) {
    DateParts parts{};
    DecodeDate(value, parts.year, parts.month, parts.day);
    return parts;
}

struct TimeParts {
    int hour, minute, second, millisecond;
};
TimeParts TimePartsOf(TDateTime value) {
    TimeParts parts{};
    DecodeTime(value, parts.hour, parts.minute, parts.second, parts.millisecond);
    return parts;
}

}  // namespace

int YearOf(TDateTime value) { return DatePartsOf(value).year; }
int MonthOf(TDateTime value) { return DatePartsOf(value).month; }
int DayOf(TDateTime value) { return DatePartsOf(value).day; }
int HourOf(TDateTime value) { return TimePartsOf(value).hour; }
int MinuteOf(TDateTime value) { return TimePartsOf(value).minute; }

int DayOfWeek(TDateTime value) { return DayOfTheWeek(value) % 7 + 1; }

int DayOfTheWeek(TDateTime value) { return DateTimeToQDate(value).dayOfWeek(); }

TDateTime IncMonth(TDateTime value, int months) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    int total = y * 12 + (m - 1) + months;
    y = total / 12;
    m = total % 12 + 1;
    d = std::min(d, DaysInAMonth(y, m));
    const TDateTime date = EncodeDate(y, m, d);
    const TDateTime time = TimeOf(value);
    return date < 0 ? date - time : date + time;
}

int DaysBetween(TDateTime a, TDateTime b) {
    return static_cast<int>(std::llabs(TotalMilliseconds(a) - TotalMilliseconds(b)) / 86400000LL);
}

TDateTime StartOfTheMonth(TDateTime value) { return EncodeDate(YearOf(value), MonthOf(value), 1); }

TDateTime EndOfTheMonth(TDateTime value) {
    const int y = YearOf(value), m = MonthOf(value);
    return EncodeDate(y, m, DaysInAMonth(y, m)) + EncodeTime(23, 59, 59, 999);
}

int CompareDateTime(TDateTime a, TDateTime b) {
    const qint64 ma = TotalMilliseconds(a), mb = TotalMilliseconds(b);
    return ma < mb ? -1 : ma > mb ? 1 : 0;
}

int CompareDate(TDateTime a, TDateTime b) { return CompareDateTime(DateOf(a), DateOf(b)); }

int CompareTime(TDateTime a, TDateTime b) { return CompareDateTime(TimeOf(a), TimeOf(b)); }

bool SameDateTime(TDateTime a, TDateTime b) { return CompareDateTime(a, b) == 0; }
bool SameDate(TDateTime a, TDateTime b) { return CompareDate(a, b) == 0; }
bool SameTime(TDateTime a, TDateTime b) { return CompareTime(a, b) == 0; }

TTimeStamp DateTimeToTimeStamp(TDateTime value) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    return {ms, static_cast<int>(d + DateDelta)};
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp) { return Compose(stamp.Date - DateDelta, stamp.Time); }

TDateTime Now() { return rtl::CurrentClock().Now(); }
TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }

QDate DateTimeToQDate(TDateTime value) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    return QDate::fromJulianDay(d + kJulianDayOfEpoch);
}

QTime DateTimeToQTime(TDateTime value) {
    qint64 d;
    int ms;
    SplitDayAndTime(value, d, ms);
    return QTime::fromMSecsSinceStartOfDay(ms);
}

TDateTime QDateToDateTime(const QDate& date) { return static_cast<double>(date.toJulianDay() - kJulianDayOfEpoch); }

TDateTime QTimeToDateTime(const QTime& time) { return time.msecsSinceStartOfDay() / MSecsPerDay; }
