// Typed dates, times and numbers read from text, and the date part under an edit's caret.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"

#include <QString>
#include <array>

class QLineEdit;

// The order of day, month and year in dates.
enum TwwDateOrder { doMDY = 0, doDMY = 1, doYMD = 2 };

// The parts of a date and time, as the edit, the spin edit and the picker number them.
enum TwwDatePart { dpDay = 0, dpMonth = 1, dpYear = 2, dpHour = 3, dpMinute = 4, dpSecond = 5, dpAmPm = 6 };

// The character classes of typed text: ASCII digits only, and everything from the blank up but DEL.
inline bool IsDigitChar(QChar c) { return c >= u'0' && c <= u'9'; }
inline bool IsPrintableChar(QChar c) { return c.unicode() >= u' ' && c.unicode() != 0x7F; }

// Two-digit years below 50 fall into the next century.
inline constexpr int DefaultEpochYear = 1950;

// Positions are 1-based; the scanners leave them on the first character not consumed. A failed scan
// writes no value but may have moved the position.
int CurrentYear();
void SkipBlanks(const QString& text, int& position);
// Up to four significant digits, or a short month name (its number), after blanks.
bool ScanNumber(const QString& text, int& position, quint16& value, const TFormatSettings& settings = FormatSettings);
// The expected text, in any case, after blanks; an empty one never stands there.
bool ScanText(const QString& text, int& position, const QString& expected);
bool ScanChar(const QString& text, int& position, QChar ch);

// The order of the first d, m or y of the short date format (month-day-year without any).
TwwDateOrder GetDateOrder(const QString& shortDateFormat);
std::array<int, 12> MonthDaysOf(int year);
// The next or previous day inside the month, wrapping at its ends.
int NextDayInMonth(int year, int month, int day);
int PrevDayInMonth(int year, int month, int day);
bool EncodeDateChecked(int year, int month, int day, TDateTime& date);
bool EncodeTimeChecked(int hour, int minute, int second, int millisecond, TDateTime& time);

// A date of two or three numbers in the locale's order; years below 100 fall into the epoch's window.
bool ScanDateEpoch(const QString& text, int& position, int epoch, TDateTime& date,
                   const TFormatSettings& settings = FormatSettings);
bool ScanDate(const QString& text, int& position, TDateTime& date, const TFormatSettings& settings = FormatSettings);
bool ParseDateText(const QString& text, TDateTime& date, const TFormatSettings& settings = FormatSettings);
bool ParseDateTextEpoch(const QString& text, int epoch, TDateTime& date,
                        const TFormatSettings& settings = FormatSettings);
// hour:minute[:second] with an optional AM or PM (the locale's strings or the literals).
bool ScanTime(const QString& text, int& position, TDateTime& time, const TFormatSettings& settings = FormatSettings);

// Whole-text checks: a date, a time, a date followed by a time.
bool IsValidDateText(const QString& text, const TFormatSettings& settings = FormatSettings);
bool IsValidTimeText(const QString& text, const TFormatSettings& settings = FormatSettings);
bool IsValidDateTimeText(const QString& text, const TFormatSettings& settings = FormatSettings);
// The value, or 0 when the text is none (TextToDate reads only the date at the start).
TDateTime TextToDateAndTime(const QString& text, const TFormatSettings& settings = FormatSettings);
TDateTime TextToDate(const QString& text, const TFormatSettings& settings = FormatSettings);
TDateTime TextToTime(const QString& text, const TFormatSettings& settings = FormatSettings);

// Digits only, with a leading "-" when more follows; the empty text counts as an integer.
bool IsIntegerText(const QString& text);
// The empty text counts as a float.
bool IsValidFloat(const QString& text, const TFormatSettings& settings = FormatSettings);
// Reads back a number that the display format produced (currency, thousands, parentheses, trailing minus);
// an empty text answers true and leaves the number alone.
bool StrToFloatWithFormat(const QString& text, const QString& displayFormat, double& number,
                          const TFormatSettings& settings = FormatSettings);

// caret counts the characters before it.
TwwDatePart DatePartAtCaret(int caret, const QString& text, bool timeOnly,
                            const TFormatSettings& settings = FormatSettings);
TwwDatePart TimePartAtCaret(int caret, const QString& text, const TFormatSettings& settings = FormatSettings);

namespace controls {

// The characters of one date part as a selection (start counts the characters before it).
struct TextSelection {
    int start = 0;
    int length = 0;
    bool operator==(const TextSelection&) const = default;
};
TextSelection DatePartSelection(TwwDatePart part, const QString& text, bool timeOnly,
                                const TFormatSettings& settings = FormatSettings);

}  // namespace controls

// Selects the part's characters in the edit.
void SelectDatePart(TwwDatePart part, QLineEdit& edit, bool timeOnly, const TFormatSettings& settings = FormatSettings);
