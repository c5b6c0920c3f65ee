// Dates, times and numbers read from typed text, and the date part under the caret.
#include "controls/edit/WwParsing.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>
#include <QLineEdit>

namespace {

TFormatSettings WithDateFormat(const QString& shortDateFormat) {
    TFormatSettings settings = rtl::UsEnglishFormatSettings();
    settings.ShortDateFormat = shortDateFormat;
    return settings;
}

struct DateRow {
    QString text;
    int year;  // 0: the text is no date
    int month;
    int day;
};

void ExpectDates(const TFormatSettings& settings, std::initializer_list<DateRow> rows) {
    for (const DateRow& row : rows) {
        TDateTime date = -1;
        const bool parsed = ParseDateText(row.text, date, settings);
        EXPECT_EQ(parsed, row.year != 0) << row.text.toStdString();
        const TDateTime expected = parsed ? EncodeDate(row.year, row.month, row.day) : -1;
        EXPECT_EQ(date, expected) << row.text.toStdString();
    }
}

}  // namespace

TEST(DateParsing, MonthDayYear) {
    const int thisYear = CurrentYear();
    ExpectDates(rtl::UsEnglishFormatSettings(), {
                                                    {"2/3/2007", 2007, 2, 3},
                                                    {"2/3", thisYear, 2, 3},
                                                    {" 2 / 3 / 2007 ", 2007, 2, 3},
                                                    {"Feb/3/07", 2007, 2, 3},
                                                    {"1/1/49", 2049, 1, 1},
                                                    {"1/1/50", 1950, 1, 1},
                                                    {"1/1/99", 1999, 1, 1},
                                                    {"1/1/0", 2000, 1, 1},
                                                    {"1/1/00", 2000, 1, 1},
                                                    {"1/1/100", 100, 1, 1},
                                                    {"2/29/2008", 2008, 2, 29},
                                                    {"2/29/2000", 2000, 2, 29},
                                                    {"2/30/2007", 0, 0, 0},
                                                    {"2/29/1900", 0, 0, 0},
                                                    {"4/31/2007", 0, 0, 0},
                                                    {"10000/1/2007", 0, 0, 0},
                                                    {"2/", 0, 0, 0},
                                                    {"2/3/", 0, 0, 0},
                                                    {"", 0, 0, 0},
                                                });
}

TEST(DateParsing, OtherOrdersAndEpochs) {
    const int thisYear = CurrentYear();
    ExpectDates(WithDateFormat("dd/MM/yyyy"), {{"2/3", thisYear, 3, 2}, {"3/feb/07", 2007, 2, 3}});
    ExpectDates(WithDateFormat("yyyy/MM/dd"), {{"2/3", thisYear, 2, 3}, {"2007/2/3", 2007, 2, 3}});
    EXPECT_EQ(GetDateOrder("Ddd"), doDMY);
    EXPECT_EQ(GetDateOrder("--"), doMDY);

    TDateTime date;
    ASSERT_TRUE(ParseDateTextEpoch("1/1/49", 1900, date));
    EXPECT_EQ(date, EncodeDate(1949, 1, 1));
    ASSERT_TRUE(ParseDateTextEpoch("1/1/10", 2020, date));
    EXPECT_EQ(date, EncodeDate(2110, 1, 1));
}

TEST(DateParsing, EncodesLikeTheRuntime) {
    for (const auto& [y, m, d] : {std::tuple{1, 1, 1}, {1899, 12, 30}, {1900, 3, 1}, {2024, 2, 29}, {9999, 12, 31}}) {
        TDateTime date;
        ASSERT_TRUE(EncodeDateChecked(y, m, d, date));
        EXPECT_EQ(date, EncodeDate(y, m, d));
    }
    TDateTime date = 5;
    EXPECT_FALSE(EncodeDateChecked(0, 1, 1, date));
    EXPECT_EQ(date, 5);
    EXPECT_EQ(NextDayInMonth(2007, 2, 28), 1);
    EXPECT_EQ(NextDayInMonth(2008, 2, 28), 29);
    EXPECT_EQ(PrevDayInMonth(2008, 2, 1), 29);
    EXPECT_EQ(PrevDayInMonth(2008, 3, 5), 4);
}

TEST(TimeParsing, HoursMinutesSecondsAndAmPm) {
    struct Row {
        QString text;
        int hour;  // -1: the text is no time
        int minute;
        int second;
    };
    const Row rows[] = {
        {"12:00 AM", 0, 0, 0},       {"12:30 PM", 12, 30, 0},  {"9:05pm", 21, 5, 0},
        {"9:05 a.m.", -1, 0, 0},     {"0:10 AM", -1, 0, 0},    {"13:00 PM", -1, 0, 0},
        {"24:00", -1, 0, 0},         {"23:59:59", 23, 59, 59}, {"9:5", 9, 5, 0},
        {"9:60", -1, 0, 0},          {"9", -1, 0, 0},          {"9:05:", -1, 0, 0},
        {"10:30:45 pm", 22, 30, 45},
    };
    for (const Row& row : rows) {
        int position = 1;
        TDateTime time = -1;
        const bool whole = ScanTime(row.text, position, time) && position > row.text.length();
        EXPECT_EQ(whole, row.hour >= 0) << row.text.toStdString();
        if (row.hour >= 0) {
            EXPECT_EQ(time, EncodeTime(row.hour, row.minute, row.second, 0)) << row.text.toStdString();
        }
    }
}

TEST(WholeTextChecks, DatesTimesAndBoth) {
    EXPECT_FALSE(IsValidDateText("2/3/2007 10:00"));
    EXPECT_TRUE(IsValidDateText("2/3/2007   "));
    EXPECT_FALSE(IsValidDateTimeText("2/3/2007"));
    EXPECT_TRUE(IsValidDateTimeText("2/3/2007 10:00 pm"));
    EXPECT_TRUE(IsValidTimeText("10:00"));
    EXPECT_FALSE(IsValidTimeText("10:00 x"));
    EXPECT_EQ(TextToDate("2/3/2007 and more"), EncodeDate(2007, 2, 3));
    EXPECT_EQ(TextToDate("nonsense"), 0);
    EXPECT_EQ(TextToDateAndTime("2/3/2007 6:00"), EncodeDate(2007, 2, 3) + 0.25);
    EXPECT_EQ(TextToDateAndTime("2/3/2007"), 0);
    EXPECT_EQ(TextToTime("6:00"), 0.25);
    EXPECT_EQ(TextToTime("6:00 x"), 0);
}

TEST(NumberChecks, IntegersAndFloats) {
    for (const QString text : {"", "0", "-5", "007"}) EXPECT_TRUE(IsIntegerText(text)) << text.toStdString();
    for (const QString text : {"-", "5-", "1.5", " 5", "5 "}) EXPECT_FALSE(IsIntegerText(text)) << text.toStdString();
    for (const QString text : {"", "1.5", "-2", "1e3"}) EXPECT_TRUE(IsValidFloat(text)) << text.toStdString();
    for (const QString text : {"1,5", "abc", "1.2.3"}) EXPECT_FALSE(IsValidFloat(text)) << text.toStdString();
}

TEST(NumberChecks, ReadsNumbersBackFromTheirDisplayFormat) {
    struct Row {
        QString text;
        QString format;
        bool ok;
        double number;
    };
    const Row rows[] = {
        {"(1,234.50)", "", true, -1234.5},
        {"$1,234.50", "", true, 1234.5},
        {"-$5.25", "", true, -5.25},
        {"((1)", "", false, 7},
        {"abc", "", false, 7},
        {"", "", true, 7},
        {"12-", "0;0-", true, -12},
        {"12", "0;0-", true, 12},
    };
    for (const Row& row : rows) {
        double number = 7;
        EXPECT_EQ(StrToFloatWithFormat(row.text, row.format, number), row.ok) << row.text.toStdString();
        EXPECT_EQ(number, row.number) << row.text.toStdString();
    }
}

TEST(DatePartAtCaret, FindsThePartUnderTheCaret) {
    const QString withSeconds = "10:30:45 PM";
    for (int caret = 0; caret <= int(withSeconds.length()); ++caret) {
        const TwwDatePart expected = caret <= 2 ? dpHour : caret <= 5 ? dpMinute : caret <= 8 ? dpSecond : dpAmPm;
        EXPECT_EQ(DatePartAtCaret(caret, withSeconds, true), expected) << caret;
    }
    EXPECT_EQ(DatePartAtCaret(7, "10:30 PM", true), dpMinute);
    EXPECT_EQ(TimePartAtCaret(0, "10:30"), dpHour);

    const QString dateTime = "2/3/2007 10:30";
    const std::pair<int, TwwDatePart> rows[] = {{0, dpMonth}, {2, dpDay},  {4, dpYear},
                                                {8, dpYear},  {9, dpHour}, {12, dpMinute}};
    for (const auto& [caret, part] : rows) EXPECT_EQ(DatePartAtCaret(caret, dateTime, false), part) << caret;
    EXPECT_EQ(DatePartAtCaret(0, "2/3/2007", false, WithDateFormat("dd/MM/yyyy")), dpDay);
    EXPECT_EQ(DatePartAtCaret(0, "2007/2/3", false, WithDateFormat("yyyy/MM/dd")), dpYear);
    EXPECT_EQ(DatePartAtCaret(7, "2007/2/3", false, WithDateFormat("yyyy/MM/dd")), dpDay);
}

TEST(SelectDatePart, SelectsThePartsCharacters) {
    using controls::TextSelection;
    struct Row {
        QString text;
        TwwDatePart part;
        bool timeOnly;
        TextSelection selection;
    };
    const Row rows[] = {
        {"2/3/2007 10:00", dpYear, false, {4, 4}},    {"2/3/2007 10:00", dpMonth, false, {0, 1}},
        {"2/3/2007 10:00", dpDay, false, {2, 1}},     {"2/3/2007 10:00", dpHour, false, {9, 2}},
        {"2/3/2007 10:00", dpMinute, false, {12, 2}}, {"10:30 PM", dpMinute, true, {3, 2}},
        {"10:30:45 PM", dpSecond, true, {6, 2}},      {"10:30:45 PM", dpAmPm, true, {9, 2}},
        {"10:30:45", dpAmPm, true, {6, 2}},           {"x 10:30", dpHour, false, {0, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(controls::DatePartSelection(row.part, row.text, row.timeOnly), row.selection)
            << row.text.toStdString() << " part " << row.part;

    QLineEdit edit("2/3/2007 10:00");
    SelectDatePart(dpYear, edit, false);
    EXPECT_EQ(edit.selectedText(), "2007");
}
