// TDateTime: days since 30 December 1899 in a double, the fraction being the time of day.
#pragma once

#include "platform/rtl/Clock.h"

#include <QDate>
#include <QTime>
#include <QtGlobal>

using TDate = double;
using TTime = double;

inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int SecsPerDay = 86400;
inline constexpr int MinsPerDay = 1440;
inline constexpr int HoursPerDay = 24;
inline constexpr double OneHour = 1.0 / 24;
inline constexpr double OneMinute = 1.0 / 1440;
inline constexpr double OneSecond = 1.0 / 86400;
inline constexpr double OneMillisecond = 1.0 / 86400000;
// Day number of 1 January 0001 counted from 30 December 1899 (as TTimeStamp.Date counts from it).
inline constexpr int DateDelta = 693594;

// A date and time as (milliseconds since midnight, days since 1 January 0001 plus one).
struct TTimeStamp {
    int Time = 0;
    int Date = 0;
};

// Raise EConvertError for an invalid date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond);

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

// Whole-day and time-of-day parts; for negative values the time part counts from the date as well.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);
int HourOf(TDateTime value);
int MinuteOf(TDateTime value);

// 1 = Sunday ... 7 = Saturday, as the framework's DayOfWeek.
int DayOfWeek(TDateTime value);
// 1 = Monday ... 7 = Sunday (ISO), as the framework's DayOfTheWeek.
int DayOfTheWeek(TDateTime value);

// Same day of a later or earlier month, clamped to the month's last day; keeps the time.
TDateTime IncMonth(TDateTime value, int months = 1);
// Whole days between two values, ignoring the sign.
int DaysBetween(TDateTime a, TDateTime b);
TDateTime StartOfTheMonth(TDateTime value);
TDateTime EndOfTheMonth(TDateTime value);

// Values less than one millisecond apart are equal.
int CompareDateTime(TDateTime a, TDateTime b);
int CompareDate(TDateTime a, TDateTime b);
int CompareTime(TDateTime a, TDateTime b);
bool SameDateTime(TDateTime a, TDateTime b);
bool SameDate(TDateTime a, TDateTime b);
bool SameTime(TDateTime a, TDateTime b);

TTimeStamp DateTimeToTimeStamp(TDateTime value);
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);

// The current clock's date and time.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Conversions to and from Qt's types (for widgets and files).
QDate DateTimeToQDate(TDateTime value);
QTime DateTimeToQTime(TDateTime value);
TDateTime QDateToDateTime(const QDate& date);
TDateTime QTimeToDateTime(const QTime& time);
