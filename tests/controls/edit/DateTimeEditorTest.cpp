// The picker's keyboard engine, key by key: format, start value and keys give the text, value and part.
#include "controls/edit/DateTimeEditor.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using controls::DateTimeEditor;
using controls::PickerBaseKind;

// Friday 20 February 2026, half past ten in the morning.
const TDateTime kNow = EncodeDateTime(2026, 2, 20, 10, 30, 0, 0);

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0) { return EncodeDateTime(y, mo, d, h, mi, 0, 0); }

struct Setup {
    PickerBaseKind kind = PickerBaseKind::DateTime;
    int interval = 1;
    bool round = false;
    TDateTime minDate = 0;
    TDateTime maxDate = 0;
};

struct KeyCase {
    const char* name;
    const char* format;
    TDateTime start;  // 0: an empty picker
    int part;
    const char* keys;  // Up Down Left Right Home End Bs Del Space, digits, letters; Leave takes a pending entry
    const char* text;
    TDateTime value;
    int endPart;
    Setup setup = {};
    int beeps = 0;
};

Word KeyOf(const QString& name) {
    static const std::map<QString, Word> named{
        {"Up", VK_UP},           {"Down", VK_DOWN},   {"Left", VK_LEFT},   {"Right", VK_RIGHT}, {"Home", VK_HOME},
        {"End", VK_END},         {"Bs", VK_BACK},     {"Del", VK_DELETE},  {"Space", VK_SPACE}, {"Plus", VK_OEM_PLUS},
        {"Minus", VK_OEM_MINUS}, {"Slash", VK_OEM_2}, {"Num7", VK_NUMPAD7}};
    if (const auto it = named.find(name); it != named.end()) return it->second;
    return Word(name[0].toUpper().unicode());
}

const KeyCase kCases[] = {
    // Hours wrap without carrying into the date; AM/PM steps twelve hours.
    {"HourUpFrom1130PmWrapsToTheSameDay", "h:mm am/pm", At(2026, 3, 10, 23, 30), 1, "Up", "12:30 am",
     At(2026, 3, 10, 0, 30), 1},
    {"HourDownFromMidnightWraps", "h:mm am/pm", At(2026, 3, 10, 0, 30), 1, "Down", "11:30 pm", At(2026, 3, 10, 23, 30),
     1},
    {"AmPmUpFrom9Am", "h:mm am/pm", At(2026, 3, 10, 9), 3, "Up", "9:00 pm", At(2026, 3, 10, 21), 3},
    {"AmPmLetterP", "h:mm am/pm", At(2026, 3, 10, 9), 3, "P", "9:00 pm", At(2026, 3, 10, 21), 3},
    {"AmPmLetterAInTheMorningStays", "h:mm am/pm", At(2026, 3, 10, 9), 3, "A", "9:00 am", At(2026, 3, 10, 9), 3},
    // The minute step.
    {"Interval15UpFrom52",
     "h:nn",
     At(2026, 3, 10, 10, 52),
     2,
     "Up",
     "10:07",
     At(2026, 3, 10, 10, 7),
     2,
     {.interval = 15}},
    {"Interval15RoundUpFrom52",
     "h:nn",
     At(2026, 3, 10, 10, 52),
     2,
     "Up",
     "10:00",
     At(2026, 3, 10, 10, 0),
     2,
     {.interval = 15, .round = true}},
    {"Interval15RoundDownFrom52",
     "h:nn",
     At(2026, 3, 10, 10, 52),
     2,
     "Down",
     "10:45",
     At(2026, 3, 10, 10, 45),
     2,
     {.interval = 15, .round = true}},
    {"Interval15RoundDownTwiceFrom52",
     "h:nn",
     At(2026, 3, 10, 10, 52),
     2,
     "Down Down",
     "10:30",
     At(2026, 3, 10, 10, 30),
     2,
     {.interval = 15, .round = true}},
    {"Interval15DownFrom52",
     "h:nn",
     At(2026, 3, 10, 10, 52),
     2,
     "Down",
     "10:37",
     At(2026, 3, 10, 10, 37),
     2,
     {.interval = 15}},
    {"PlusAndMinusStepToo", "h:nn", At(2026, 3, 10, 10, 52), 2, "Plus Plus Minus", "10:53", At(2026, 3, 10, 10, 53), 2},
    // Days roll within their month; the bounds hold.
    {"DayUpOn31JanuaryRolls", "mmm d yyyy", At(2026, 1, 31, 8), 2, "Up", "Jan 1 2026", At(2026, 1, 1, 8), 2},
    {"DayDownOn1MarchRolls", "mmm d yyyy", At(2026, 3, 1), 2, "Down", "Mar 31 2026", At(2026, 3, 31), 2},
    {"DayUpAtTheMaximumStays",
     "mmm d yyyy",
     At(2026, 1, 31),
     2,
     "Up",
     "Jan 31 2026",
     At(2026, 1, 31),
     2,
     {.maxDate = At(2026, 1, 31)}},
    {"DayDownOnTheMinimumFirstRolls",
     "mmm d yyyy",
     At(2026, 3, 1),
     2,
     "Down",
     "Mar 31 2026",
     At(2026, 3, 31),
     2,
     {.minDate = At(2026, 3, 1)}},
    {"DayDownOnALaterMinimumStays",
     "mmm d yyyy",
     At(2026, 3, 5),
     2,
     "Down",
     "Mar 5 2026",
     At(2026, 3, 5),
     2,
     {.minDate = At(2026, 3, 5)}},
    {"MonthUpFrom31JanuaryTakesTheMonthsLastDay", "mmm d yyyy", At(2026, 1, 31), 1, "Up", "Feb 28 2026",
     At(2026, 2, 28), 1},
    {"MonthUpInDecemberRollsInTheYear", "mmm d yyyy", At(2026, 12, 5), 1, "Up", "Jan 5 2026", At(2026, 1, 5), 1},
    {"YearUpFrom29February", "mmm d yyyy", At(2024, 2, 29), 3, "Up", "Feb 28 2025", At(2025, 2, 28), 3},
    {"WeekdayUpOnSaturdayWrapsToSunday", "ddd mmm d", At(2026, 2, 21), 1, "Up", "Sun Feb 15", At(2026, 2, 15), 1},
    {"HomeAndEndOfTheDay", "mmm d yyyy", At(2026, 3, 10), 2, "End", "Mar 31 2026", At(2026, 3, 31), 2},
    {"HomeOfTheDayInTheMinimumsMonth",
     "mmm d yyyy",
     At(2026, 3, 10),
     2,
     "Home",
     "Mar 5 2026",
     At(2026, 3, 5),
     2,
     {.minDate = At(2026, 3, 5)}},
    {"EndOfTheYearBeforeTheMaximumsDay",
     "mmm d yyyy",
     At(2026, 6, 20),
     3,
     "End",
     "Jun 20 2029",
     At(2029, 6, 20),
     3,
     {.maxDate = At(2030, 6, 10)}},
    // Typed digits.
    {"Year2007TypedDigitByDigit", "mmm d yyyy", At(2026, 2, 20, 9), 3, "2 0 0 7", "Feb 20 2007", At(2007, 2, 20, 9), 3},
    {"YearAfterOneDigit", "mmm d yyyy", At(2026, 2, 20), 3, "2", "Feb 20 2", At(2026, 2, 20), 3},
    {"YearAfterThreeDigits", "mmm d yyyy", At(2026, 2, 20), 3, "2 0 0", "Feb 20 200", At(2026, 2, 20), 3},
    {"YearLeftAfter20IsWindowed", "mmm d yyyy", At(2026, 2, 20), 3, "2 0 Leave", "Feb 20 2020", At(2020, 2, 20), 3},
    {"YearLeftAfter49IsWindowed", "mmm d yyyy", At(2026, 2, 20), 3, "4 9 Leave", "Feb 20 2049", At(2049, 2, 20), 3},
    {"YearLeftAfter50IsWindowed", "mmm d yyyy", At(2026, 2, 20), 3, "5 0 Leave", "Feb 20 1950", At(1950, 2, 20), 3},
    {"DayFourIsCompleteAtOnce", "dd/mm/yyyy", At(2026, 2, 10), 1, "4", "04/02/2026", At(2026, 2, 4), 2},
    {"DayOneWaitsForASecondDigit", "dd/mm/yyyy", At(2026, 2, 10), 1, "1", "1/02/2026", At(2026, 2, 10), 1},
    {"DayOneThenLeaving", "dd/mm/yyyy", At(2026, 2, 10), 1, "1 Right", "01/02/2026", At(2026, 2, 1), 2},
    {"Day31BeforeTheMonthMovesToJanuary", "dd/mm/yyyy", At(2026, 2, 10), 1, "3 1", "31/01/2026", At(2026, 1, 31), 2},
    {"Day31AfterTheMonthIsRefused", "mm/dd/yyyy", At(2026, 2, 10), 2, "3 1", "02/3/2026", At(2026, 2, 10), 2, {}, 1},
    {"Day29BeforeTheYearMovesToALeapYear", "mmm d yyyy", At(2026, 2, 10), 2, "2 9", "Feb 29 2028", At(2028, 2, 29), 3},
    {"TheSeparatorKeyEndsAnEntry", "m/d/yyyy", At(2026, 2, 10), 1, "1 Slash", "1/10/2026", At(2026, 1, 10), 2},
    {"NumpadDigits", "h:nn", At(2026, 2, 10, 10), 1, "Num7", "7:00", At(2026, 2, 10, 7), 2},
    {"TwelveTypedInTheMorningIsMidnight", "h:mm am/pm", At(2026, 2, 10, 9, 15), 1, "1 2", "12:15 am",
     At(2026, 2, 10, 0, 15), 2},
    {"ElevenTypedInTheAfternoonStaysAfternoon", "h:mm am/pm", At(2026, 2, 10, 14, 15), 1, "1 1", "11:15 pm",
     At(2026, 2, 10, 23, 15), 2},
    // A time picker takes a pending hour at once.
    {"HourTwentyFiveIsRefused", "hh:nn", At(2026, 2, 10, 14, 15), 1, "2 5", "2:15", At(2026, 2, 10, 2, 15), 1, {}, 1},
    {"ADigitOnANamePartIsRefused", "mmm d yyyy", At(2026, 2, 10), 1, "3", "Feb 10 2026", At(2026, 2, 10), 1, {}, 1},
    {"ALetterOnADigitPartIsDropped", "mmm d yyyy", At(2026, 2, 10), 2, "X", "Feb 10 2026", At(2026, 2, 10), 2},
    // Month names by their first letter.
    {"MonthLetterNeedingTheDay", "mmm d yyyy", At(2026, 1, 31), 1, "J", "Jul 31 2026", At(2026, 7, 31), 1},
    {"MonthLetterWithoutTheDay", "mmm d yyyy", At(2026, 1, 31), 1, "F", "Feb 28 2026", At(2026, 2, 28), 1},
    {"WeekdayLetter", "ddd mmm d", At(2026, 2, 16), 1, "F", "Fri Feb 20", At(2026, 2, 20), 1},
    // Moving between parts.
    {"RightAndLeft", "mmm d yyyy", At(2026, 2, 10), 1, "Right Right Right Left", "Feb 10 2026", At(2026, 2, 10), 2},
    // Empty pickers start at the first key.
    {"EmptyMonthYearPickerStartsOnTheFirst",
     "mmm yyy",
     0,
     1,
     "Right",
     "Feb 2026",
     At(2026, 2, 1),
     2,
     {.kind = PickerBaseKind::Date}},
    {"EmptyDatePickerStartsToday",
     "mmm d yyyy",
     0,
     1,
     "Space",
     "Feb 20 2026",
     At(2026, 2, 20),
     2,
     {.kind = PickerBaseKind::Date}},
    {"EmptyDatePickerStartsAtTheMinimum",
     "mmm d yyyy",
     0,
     1,
     "Space",
     "Mar 5 2026",
     At(2026, 3, 5),
     2,
     {.kind = PickerBaseKind::Date, .minDate = At(2026, 3, 5)}},
    {"EmptyTimePickerDigitStartsAtMidnight",
     "h:mm am/pm",
     0,
     1,
     "5",
     "5:00 am",
     At(1899, 12, 30, 5),
     2,
     {.kind = PickerBaseKind::Time}},
    {"EmptyTimePickerOtherKeyStartsNow",
     "h:mm am/pm",
     0,
     1,
     "Right",
     "10:30 am",
     At(1899, 12, 30, 10, 30),
     2,
     {.kind = PickerBaseKind::Time}},
    // Deleting.
    {"BackspaceWithAllSelectedEmpties",
     "mmm d yyyy",
     At(2026, 2, 10),
     0,
     "Bs",
     "",
     0,
     1,
     {.kind = PickerBaseKind::Date}},
    {"BackspaceOnAPartMovesLeft", "mmm d yyyy", At(2026, 2, 10), 3, "Bs", "Feb 10 2026", At(2026, 2, 10), 2},
    {"DeleteInATimePartOfTheGeneralFormatDropsTheTime", "c", At(2026, 2, 10, 14, 15), 5, "Del", "2/10/2026",
     At(2026, 2, 10), 3},
};

class PickerKeys : public ::testing::TestWithParam<KeyCase> {
protected:
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(kNow)};
};

TEST_P(PickerKeys, GiveTextValueAndPart) {
    const KeyCase& c = GetParam();
    int beeps = 0;
    DateTimeEditor editor({.beep = [&beeps] { ++beeps; }});
    editor.baseKind = c.setup.kind;
    editor.format = QString::fromLatin1(c.format);
    editor.generalFormat = editor.format == u"c";
    editor.minutesInterval = c.setup.interval;
    editor.roundMinutes = c.setup.round;
    editor.minDate = c.setup.minDate;
    editor.maxDate = c.setup.maxDate;
    editor.Load(c.start, c.start == 0);
    if (c.start != 0) editor.SetEmpty(false);
    if (c.part == 0) {
        editor.SelectAll();
    } else {
        editor.SetCurrentPart(c.part);
        editor.SelectCurrentPart();
    }
    for (const QString& name : QString::fromLatin1(c.keys).split(u' ', Qt::SkipEmptyParts)) {
        if (name == u"Leave") {
            editor.CommitPartEdit();
            continue;
        }
        Word key = KeyOf(name);
        editor.KeyDown(key, {});
    }
    EXPECT_EQ(editor.Text(), QString::fromLatin1(c.text));
    EXPECT_NEAR(editor.Value(), c.value, OneSecond) << DateTimeToQDate(editor.Value()).toString().toStdString();
    EXPECT_EQ(editor.CurrentPart(), c.endPart);
    EXPECT_EQ(beeps, c.beeps);
}

INSTANTIATE_TEST_SUITE_P(DateTimeEditor, PickerKeys, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateTimeEditor, TheSelectionIsTheCurrentPartAndAPendingEntryLeavesACaret) {
    DateTimeEditor editor;
    editor.format = "mmm d yyyy";
    editor.Load(At(2026, 2, 20), false);
    editor.SetCurrentPart(2);
    editor.SelectCurrentPart();
    EXPECT_EQ(editor.SelStart(), 4);
    EXPECT_EQ(editor.SelLength(), 2);
    EXPECT_FALSE(editor.CaretVisible());
    Word key = '1';
    editor.KeyDown(key, {});
    EXPECT_TRUE(editor.Pending());
    EXPECT_EQ(editor.SelStart(), 5);
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_TRUE(editor.CaretVisible());
    EXPECT_EQ(editor.Preview(), At(2026, 2, 1));
    // Reading the date takes the entry.
    EXPECT_EQ(editor.Date(), At(2026, 2, 1));
    EXPECT_FALSE(editor.Pending());
    EXPECT_EQ(editor.Text(), "Feb 1 2026");
}

TEST(DateTimeEditor, PartsFollowTheFormatAndTheKind) {
    DateTimeEditor editor;
    editor.format = "mmm d yyyy h:mm am/pm";
    editor.Load(At(2026, 2, 20, 21, 5), false);
    EXPECT_EQ(editor.Text(), "Feb 20 2026 9:05 pm");
    EXPECT_EQ(editor.CountParts(), 6);
    const auto part = editor.FindPart(5);
    EXPECT_EQ(part.start, 14);
    EXPECT_EQ(part.token, "nn");
    EXPECT_EQ(part.length, 2);
    EXPECT_FALSE(editor.FindPart(7).IsValid());
    editor.format = "h:mm am/pm";
    EXPECT_TRUE(editor.IsTimeOnly());
    editor.format = "mmm d yyyy";
    EXPECT_TRUE(editor.ShowsDateOnly());
    editor.baseKind = PickerBaseKind::Time;
    EXPECT_EQ(editor.CountParts(), 0);
}

TEST(DateTimeEditor, TheGeneralFormatShowsItsTimePartsOnlyWithATime) {
    DateTimeEditor editor;
    editor.format = "c";
    editor.generalFormat = true;
    editor.Load(At(2026, 2, 20), false);
    EXPECT_EQ(editor.Text(), "2/20/2026");
    EXPECT_EQ(editor.CountParts(), 7);
    EXPECT_EQ(editor.VisiblePartCount(), 3);
    EXPECT_FALSE(editor.AllPartsShown());
    editor.Load(At(2026, 2, 20, 14, 15), false);
    EXPECT_EQ(editor.VisiblePartCount(), 7);
    EXPECT_TRUE(editor.AllPartsShown());
}

TEST(DateTimeEditor, SettersPastTheBoundsRaiseAndDateKeepsTheOldValue) {
    DateTimeEditor editor;
    editor.format = "mmm d yyyy";
    editor.Load(At(2026, 3, 10, 9, 30), false);
    editor.SetMaxDate(At(2026, 3, 31));
    editor.SetDate(At(2026, 3, 31));
    EXPECT_EQ(editor.Value(), At(2026, 3, 31, 9, 30));
    EXPECT_THROW(editor.SetDate(At(2026, 4, 1)), EDateTimeError);
    EXPECT_EQ(editor.Value(), At(2026, 3, 31, 9, 30));
    EXPECT_EQ(editor.Text(), "Mar 31 2026");
    editor.SetMinDate(At(2026, 3, 1));
    try {
        editor.SetDate(At(2026, 2, 27));
        ADD_FAILURE() << "no error";
    } catch (const EDateTimeError& e) {
        EXPECT_EQ(e.Message(), "Date is less than minimum of 3/1/2026");
    }
    EXPECT_EQ(editor.Value(), At(2026, 3, 31, 9, 30));
    EXPECT_THROW(editor.SetMaxDate(At(2026, 2, 1)), EDateTimeError);
    EXPECT_THROW(editor.SetMinDate(At(2026, 5, 1)), EDateTimeError);
    EXPECT_EQ(editor.maxDate, At(2026, 3, 31));
    // The common setter keeps the new value on screen when it raises.
    EXPECT_THROW(editor.SetDateTime(At(2026, 4, 2)), EDateTimeError);
    EXPECT_EQ(editor.Value(), At(2026, 4, 2));
}

TEST(DateTimeEditor, TimeZeroShowsMidnightInATimePicker) {
    DateTimeEditor editor;
    editor.baseKind = PickerBaseKind::Time;
    editor.format = "h:mm am/pm";
    editor.Load(0, true);
    EXPECT_EQ(editor.Text(), "");
    editor.SetTime(0);
    EXPECT_EQ(editor.Text(), "12:00 am");
    EXPECT_FALSE(editor.Empty());
}

TEST(DateTimeEditor, PasteTakesTheDateBeforeOtherWords) {
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(kNow)};
    DateTimeEditor editor;
    editor.format = "mmm d yyyy";
    editor.Load(At(2026, 2, 20), false);
    EXPECT_TRUE(editor.Paste("3/15/2026 staff meeting"));
    EXPECT_EQ(editor.Value(), At(2026, 3, 15));
    EXPECT_EQ(editor.Text(), "Mar 15 2026");
    EXPECT_TRUE(editor.Modified());
    EXPECT_FALSE(editor.Paste("no date here"));
    EXPECT_EQ(editor.Value(), At(2026, 3, 15));
    editor.SetMaxDate(At(2026, 3, 31));
    EXPECT_THROW(editor.Paste("4/2/2026"), EDateTimeError);
    EXPECT_EQ(editor.Value(), At(2026, 3, 15));
    EXPECT_EQ(editor.Text(), "Mar 15 2026");
}

}  // namespace
