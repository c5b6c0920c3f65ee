// Dates and times as text by the framework's patterns, and read back in the short formats.
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>
#include <QLocale>

namespace {

struct PatternCase {
    const char* pattern;
    TDateTime value;
    const char* expected;
};

const TDateTime k3Feb2009 = EncodeDate(2009, 2, 3);
const TDateTime k5Jan2026 = EncodeDate(2026, 1, 5);
const TDateTime k7Mar2004Evening = EncodeDate(2004, 3, 7) + EncodeTime(21, 5, 9, 42);

}  // namespace

TEST(FormatDateTime, WritesEachSpecifier) {
    const PatternCase cases[] = {
        {"mmm d yyyy", k3Feb2009, "Feb 3 2009"},
        {"mmm dd yyyy", k5Jan2026, "Jan 05 2026"},
        {"mmm d yyy", k3Feb2009, "Feb 3 2009"},
        {"mmm dd", k5Jan2026, "Jan 05"},
        {"mmmm yyyy", k5Jan2026, "January 2026"},
        {"dddd, d mmmm yy", k5Jan2026, "Monday, 5 January 26"},
        {"ddd m/d/y", k3Feb2009, "Tue 2/3/09"},
        {"dd/mm/yyyy", k3Feb2009, "03/02/2009"},
        {"m\"/\"d\"/\"yyyy", EncodeDate(2004, 3, 7), "3/7/2004"},
        {"'Day' d", k5Jan2026, "Day 5"},
        {"h:mm am/pm", k7Mar2004Evening, "9:05 pm"},
        {"h:mm AM/PM", k7Mar2004Evening, "9:05 PM"},
        {"h:mm Am/pM", k7Mar2004Evening, "9:05 pM"},
        {"h:mm a/p", k7Mar2004Evening, "9:05 p"},
        {"h:mm ampm", k7Mar2004Evening, "9:05 PM"},
        {"h:mm am/pm", 0.0, "12:00 am"},
        {"hh:mm", 0.5, "12:00"},
        {"hh:mm", k7Mar2004Evening, "21:05"},
        {"h nn ss", k7Mar2004Evening, "21 05 09"},
        {"hh:nn:ss.zzz", k7Mar2004Evening, "21:05:09.042"},
        {"mm", k7Mar2004Evening, "03"},        // no hour before: the month
        {"hh mm", k7Mar2004Evening, "21 05"},  // right after an hour: minutes
        {"mmm d yy  h:mm am/pm", k7Mar2004Evening, "Mar 7 04  9:05 pm"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.pattern), c.value), QString::fromUtf8(c.expected)) << c.pattern;
}

TEST(FormatDateTime, ShortAndLongFormatsComeFromTheSettings) {
    EXPECT_EQ(FormatDateTime("ddddd", k3Feb2009), "2/3/2009");
    EXPECT_EQ(FormatDateTime("dddddd", k3Feb2009), "Tuesday, February 3, 2009");
    EXPECT_EQ(FormatDateTime("t", k7Mar2004Evening), "9:05 PM");
    EXPECT_EQ(FormatDateTime("tt", k7Mar2004Evening), "9:05:09 PM");
    // "c" leaves the time out at midnight.
    EXPECT_EQ(FormatDateTime("c", k3Feb2009), "2/3/2009");
    EXPECT_EQ(DateTimeToStr(k7Mar2004Evening), "3/7/2004 9:05:09 PM");

    TFormatSettings german = FormatSettings;
    german.DateSeparator = u'.';
    german.TimeSeparator = u'-';
    german.ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(DateToStr(k3Feb2009, german), "03.02.2009");
    EXPECT_EQ(FormatDateTime("hh:nn", k7Mar2004Evening, german), "21-05");
    EXPECT_EQ(FormatDateTime("m\"/\"d", k7Mar2004Evening, german), "3/7");
}

TEST(StrToDate, ReadsTheShortDateOrder) {
    EXPECT_EQ(StrToDate("2/3/2009"), k3Feb2009);
    EXPECT_EQ(StrToDate(" 2 / 3 / 2009 "), k3Feb2009);
    TFormatSettings dayFirst = FormatSettings;
    dayFirst.ShortDateFormat = "dd/MM/yyyy";
    EXPECT_EQ(StrToDate("3/2/2009", dayFirst), k3Feb2009);
    TFormatSettings yearFirst = FormatSettings;
    yearFirst.ShortDateFormat = "yyyy-MM-dd";
    yearFirst.DateSeparator = u'-';
    EXPECT_EQ(StrToDate("2009-2-3", yearFirst), k3Feb2009);
}

TEST(StrToDate, PlacesTwoDigitYearsByTheCenturyWindow) {
    rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDate(2026, 6, 1)));
    // Window 50 from 2026: 1976 to 2075.
    EXPECT_EQ(YearOf(StrToDate("1/1/75")), 2075);
    EXPECT_EQ(YearOf(StrToDate("1/1/76")), 1976);
    EXPECT_EQ(YearOf(StrToDate("1/1/0075")), 75);  // more than two digits: as written
    EXPECT_EQ(StrToDate("2/3"), EncodeDate(2026, 2, 3));
    TFormatSettings currentCentury = FormatSettings;
    currentCentury.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(YearOf(StrToDate("1/1/99", currentCentury)), 2099);
}

TEST(StrToDate, RaisesTheFrameworkTexts) {
    struct Case {
        const char* text;
        const char* message;
        TDateTime (*convert)(const QString&, const TFormatSettings&);
    };
    const Case cases[] = {
        {"2/30/2009", "'2/30/2009' is not a valid date", StrToDate},
        {"2/3/2009 10:00", "'2/3/2009 10:00' is not a valid date", StrToDate},
        {"", "'' is not a valid date", StrToDate},
        {"25:00", "'25:00' is not a valid time", StrToTime},
        {"0:30 PM", "'0:30 PM' is not a valid time", StrToTime},
        {"2/3/2009 x", "'2/3/2009 x' is not a valid date and time", StrToDateTime},
    };
    for (const Case& c : cases) {
        try {
            c.convert(QString::fromUtf8(c.text), FormatSettings);
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(StrToTime, ReadsTwelveAndTwentyFourHourTimes) {
    EXPECT_EQ(StrToTime("21:05"), EncodeTime(21, 5, 0, 0));
    EXPECT_EQ(StrToTime("9:05 pm"), EncodeTime(21, 5, 0, 0));
    EXPECT_EQ(StrToTime("9:05PM"), EncodeTime(21, 5, 0, 0));
    EXPECT_EQ(StrToTime("12:00 AM"), 0.0);
    EXPECT_EQ(StrToTime("PM 12:30"), EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(StrToTime("9:05:07.250"), EncodeTime(9, 5, 7, 250));
    EXPECT_EQ(StrToDateTime("3/7/2004 9:05 PM"), EncodeDateTime(2004, 3, 7, 21, 5, 0, 0));
    EXPECT_EQ(StrToDateTime("3/7/2004"), EncodeDate(2004, 3, 7));
    EXPECT_EQ(StrToDateTime("13:15"), EncodeTime(13, 15, 0, 0));
    EXPECT_EQ(StrToDateDef("nonsense", 7.0), 7.0);
}

TEST(FormatSettingsFromLocale, RewritesPatternsInTheFrameworkNotation) {
    const TFormatSettings us = rtl::FormatSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.DateSeparator, u'/');
    EXPECT_EQ(us.TimeSeparator, u':');
    EXPECT_EQ(us.DecimalSeparator, u'.');
    EXPECT_EQ(us.ThousandSeparator, u',');
    EXPECT_EQ(us.FirstDayOfWeek, 6);  // Sunday
    EXPECT_EQ(us.ShortMonthNames[1], "Feb");
    EXPECT_EQ(us.LongDayNames[0], "Sunday");
    EXPECT_EQ(us.CurrencyString, "$");
    const TDateTime t = EncodeDate(2009, 2, 3) + EncodeTime(14, 7, 0, 0);
    EXPECT_EQ(FormatDateTime(us.ShortTimeFormat, t, us), "2:07 PM");

    const TFormatSettings de = rtl::FormatSettingsFromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.DecimalSeparator, u',');
    EXPECT_EQ(de.ThousandSeparator, u'.');
    EXPECT_EQ(de.DateSeparator, u'.');
    EXPECT_EQ(de.FirstDayOfWeek, 0);  // Monday
    EXPECT_EQ(de.ListSeparator, u';');
    EXPECT_EQ(de.CurrencyFormat, 3);  // "1 €"
    EXPECT_EQ(FormatDateTime(de.ShortTimeFormat, t, de), "14:07");
    EXPECT_EQ(StrToDate(DateToStr(t, de), de), EncodeDate(2009, 2, 3));
}
