// Typed dates, times and numbers read from text, and the date part under an edit's caret.
#include "controls/edit/WwParsing.h"

#include "controls/edit/WwStrings.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/NumberParse.h"

#include <QLineEdit>

namespace {

// Years below 100 fall into the hundred years from the epoch on.
int WindowYear(int year, int epoch) {
    if (year >= 100) return year;
    year += epoch / 100 * 100;
    return year < epoch ? year + 100 : year;
}

// Where GetToken would count the separators left of the caret: the number of parts passed, and the start
// of the part the counting stopped in.
struct SeparatorCount {
    int passed = 0;
    int partStart = 1;
};

SeparatorCount CountSeparatorsBeforeCaret(const QString& text, int start, QChar separator, int caret) {
    SeparatorCount count;
    int position = start;
    for (;;) {
        count.partStart = position;
        const QString token = GetToken(text, QString(separator), position);
        if (token.isEmpty() || position == -1 || caret < position - 1) return count;
        ++count.passed;
    }
}

// The start and text of the part after `separators` separators from `start`, or start 0 when none.
struct Part {
    int start = 0;
    QString text;
};

Part PartAfterSeparators(const QString& text, int start, QChar separator, int separators) {
    Part part;
    int position = start;
    for (int i = 0; i <= separators; ++i) {
        part.start = position;
        part.text = GetToken(text, QString(separator), position);
    }
    if (part.start <= 0) return {};
    return part;
}

QString CutAtBlank(const QString& text) {
    const qsizetype blank = text.indexOf(u' ');
    return blank < 0 ? text : text.left(blank);
}

}  // namespace

int CurrentYear() { return YearOf(Date()); }

void SkipBlanks(const QString& text, int& position) {
    while (position >= 1 && position <= text.length() && text[position - 1] == u' ') ++position;
}

bool ScanNumber(const QString& text, int& position, quint16& value, const TFormatSettings& settings) {
    SkipBlanks(text, position);
    int number = 0;
    int digits = 0;
    while (position <= text.length() && IsDigitChar(text[position - 1]) && number < 1000) {
        number = number * 10 + text[position - 1].digitValue();
        ++position;
        ++digits;
    }
    if (digits > 0) {
        value = quint16(number);
        return true;
    }
    const QString candidate = controls::AsciiUpper(text.mid(position - 1, 3));
    for (int month = 0; month < 12; ++month) {
        if (candidate == controls::AsciiUpper(settings.ShortMonthNames[month])) {
            value = quint16(month + 1);
            position += 3;
            return true;
        }
    }
    return false;
}

bool ScanText(const QString& text, int& position, const QString& expected) {
    if (expected.isEmpty()) return false;
    SkipBlanks(text, position);
    if (text.mid(position - 1, expected.length()).compare(expected, Qt::CaseInsensitive) != 0) return false;
    position += int(expected.length());
    return true;
}

bool ScanChar(const QString& text, int& position, QChar ch) {
    SkipBlanks(text, position);
    if (position > text.length() || text[position - 1] != ch) return false;
    ++position;
    return true;
}

TwwDateOrder GetDateOrder(const QString& shortDateFormat) {
    for (const QChar ch : shortDateFormat) {
        switch (ch.toLower().unicode()) {
            case u'd': return doDMY;
            case u'm': return doMDY;
            case u'y': return doYMD;
            default: break;
        }
    }
    return doMDY;
}

std::array<int, 12> MonthDaysOf(int year) {
    return {31, IsLeapYear(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

int NextDayInMonth(int year, int month, int day) { return day >= MonthDaysOf(year)[month - 1] ? 1 : day + 1; }

int PrevDayInMonth(int year, int month, int day) { return day <= 1 ? MonthDaysOf(year)[month - 1] : day - 1; }

bool EncodeDateChecked(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    const std::array<int, 12> days = MonthDaysOf(year);
    if (day < 1 || day > days[month - 1]) return false;
    for (int m = 0; m < month - 1; ++m) day += days[m];
    const int y = year - 1;
    date = double(y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta);
    return true;
}

bool EncodeTimeChecked(int hour, int minute, int second, int millisecond, TDateTime& time) {
    if (hour > 23 || minute > 59 || second > 59 || millisecond > 999) return false;
    time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / MSecsPerDay;
    return true;
}

bool ScanDateEpoch(const QString& text, int& position, int epoch, TDateTime& date, const TFormatSettings& settings) {
    const TwwDateOrder order = GetDateOrder(settings.ShortDateFormat);
    quint16 n1 = 0, n2 = 0, n3 = 0;
    if (!ScanNumber(text, position, n1, settings) || !ScanChar(text, position, settings.DateSeparator) ||
        !ScanNumber(text, position, n2, settings))
        return false;
    int year = 0, month = 0, day = 0;
    if (ScanChar(text, position, settings.DateSeparator)) {
        if (!ScanNumber(text, position, n3, settings)) return false;
        switch (order) {
            case doMDY: month = n1, day = n2, year = n3; break;
            case doDMY: day = n1, month = n2, year = n3; break;
            case doYMD: year = n1, month = n2, day = n3; break;
        }
        year = WindowYear(year, epoch);
    } else {
        year = CurrentYear();
        if (order == doDMY) day = n1, month = n2;
        else month = n1, day = n2;
    }
    SkipBlanks(text, position);
    return EncodeDateChecked(year, month, day, date);
}

bool ScanDate(const QString& text, int& position, TDateTime& date, const TFormatSettings& settings) {
    return ScanDateEpoch(text, position, DefaultEpochYear, date, settings);
}

bool ParseDateTextEpoch(const QString& text, int epoch, TDateTime& date, const TFormatSettings& settings) {
    int position = 1;
    return ScanDateEpoch(text, position, epoch, date, settings);
}

bool ParseDateText(const QString& text, TDateTime& date, const TFormatSettings& settings) {
    return ParseDateTextEpoch(text, DefaultEpochYear, date, settings);
}

bool ScanTime(const QString& text, int& position, TDateTime& time, const TFormatSettings& settings) {
    quint16 hour = 0, minute = 0, second = 0;
    if (!ScanNumber(text, position, hour, settings) || !ScanChar(text, position, settings.TimeSeparator) ||
        !ScanNumber(text, position, minute, settings))
        return false;
    if (ScanChar(text, position, settings.TimeSeparator) && !ScanNumber(text, position, second, settings)) return false;
    int offset = -1;
    if (ScanText(text, position, settings.TimeAMString) || ScanText(text, position, QStringLiteral("AM"))) offset = 0;
    else if (ScanText(text, position, settings.TimePMString) || ScanText(text, position, QStringLiteral("PM")))
        offset = 12;
    int hours = hour;
    if (offset >= 0) {
        if (hours < 1 || hours > 12) return false;
        hours = hours % 12 + offset;
    }
    SkipBlanks(text, position);
    return EncodeTimeChecked(hours, minute, second, 0, time);
}

bool IsValidDateText(const QString& text, const TFormatSettings& settings) {
    int position = 1;
    TDateTime date;
    return ScanDate(text, position, date, settings) && position > text.length();
}

bool IsValidTimeText(const QString& text, const TFormatSettings& settings) {
    int position = 1;
    TDateTime time;
    return ScanTime(text, position, time, settings) && position > text.length();
}

namespace {

bool ScanWholeDateTime(const QString& text, TDateTime& value, const TFormatSettings& settings) {
    int position = 1;
    TDateTime date, time;
    if (!ScanDate(text, position, date, settings) || !ScanTime(text, position, time, settings) ||
        position <= text.length())
        return false;
    value = date + time;
    return true;
}

}  // namespace

bool IsValidDateTimeText(const QString& text, const TFormatSettings& settings) {
    TDateTime value;
    return ScanWholeDateTime(text, value, settings);
}

TDateTime TextToDateAndTime(const QString& text, const TFormatSettings& settings) {
    TDateTime value = 0;
    return ScanWholeDateTime(text, value, settings) ? value : 0;
}

TDateTime TextToDate(const QString& text, const TFormatSettings& settings) {
    TDateTime date = 0;
    return ParseDateText(text, date, settings) ? date : 0;
}

TDateTime TextToTime(const QString& text, const TFormatSettings& settings) {
    int position = 1;
    TDateTime time = 0;
    return ScanTime(text, position, time, settings) && position > text.length() ? time : 0;
}

bool IsIntegerText(const QString& text) {
    for (qsizetype i = 0; i < text.length(); ++i) {
        if (IsDigitChar(text[i])) continue;
        if (i == 0 && text[i] == u'-' && text.length() > 1) continue;
        return false;
    }
    return true;
}

bool IsValidFloat(const QString& text, const TFormatSettings& settings) {
    double value;
    return text.isEmpty() || TryStrToFloat(text.left(63), value, settings);
}

bool StrToFloatWithFormat(const QString& text, const QString& displayFormat, double& number,
                          const TFormatSettings& settings) {
    if (text.isEmpty()) return true;
    const QChar decimal = settings.DecimalSeparator;
    auto findFrom = [&](qsizetype from, bool minusStarts) {
        for (qsizetype i = from; i < text.length(); ++i) {
            const QChar ch = text[i];
            if (ch == u'(' || IsDigitChar(ch) || ch == decimal || (minusStarts && ch == u'-')) return i;
        }
        return text.length();
    };
    qsizetype start = findFrom(0, true);
    const bool leadingMinus = start < text.length() && text[start] == u'-';
    if (leadingMinus) start = findFrom(start + 1, false);

    QString plain = leadingMinus ? QStringLiteral("-") : QString();
    for (qsizetype i = start; i < text.length(); ++i) {
        const QChar ch = text[i];
        if (ch == u'(') plain += u'-';
        else if (IsDigitChar(ch) || ch == decimal) plain += ch;
    }
    double value;
    if (!TryStrToFloat(plain, value, settings)) return false;
    // A format whose negative section differs (a trailing minus, say) shows the sign by its shape only.
    if (value > 0 && !displayFormat.isEmpty() && FormatFloat(displayFormat, value, settings) != text &&
        FormatFloat(displayFormat, -value, settings) == text)
        value = -value;
    number = value;
    return true;
}

TwwDatePart TimePartAtCaret(int caret, const QString& text, const TFormatSettings& settings) {
    return DatePartAtCaret(caret, text, true, settings);
}

TwwDatePart DatePartAtCaret(int caret, const QString& text, bool timeOnly, const TFormatSettings& settings) {
    int timeStart = 1;
    bool inTime = timeOnly;
    if (!timeOnly) {
        TDateTime date;
        int position = 1;
        if (ScanDate(text, position, date, settings)) {
            const bool blankBeforeCaret = caret >= 1 && caret <= text.length() && text[caret - 1] == u' ';
            inTime = caret >= position || (caret == position - 1 && blankBeforeCaret);
            timeStart = position;
        }
    }
    if (inTime) {
        const SeparatorCount count = CountSeparatorsBeforeCaret(text, timeStart, settings.TimeSeparator, caret);
        if (count.passed == 0) return dpHour;
        if (count.passed == 1) return dpMinute;
        // Only texts that show seconds tell the AM/PM part apart.
        if (count.passed == 2 && caret - (count.partStart - 1) > 2) return dpAmPm;
        return dpSecond;
    }
    const TwwDateOrder order = GetDateOrder(settings.ShortDateFormat);
    switch (CountSeparatorsBeforeCaret(text, 1, settings.DateSeparator, caret).passed) {
        case 0: return order == doMDY ? dpMonth : order == doDMY ? dpDay : dpYear;
        case 1: return order == doMDY ? dpDay : dpMonth;
        case 2: return order == doYMD ? dpDay : dpYear;
        default: return dpDay;
    }
}

controls::TextSelection controls::DatePartSelection(TwwDatePart part, const QString& text, bool timeOnly,
                                                    const TFormatSettings& settings) {
    Part found;
    if (part <= dpYear) {
        // Separators before the part, by date order month-day-year / day-month-year / year-month-day.
        static constexpr int kSeparators[3][3] = {{1, 0, 2}, {0, 1, 1}, {2, 2, 0}};
        const int separators = kSeparators[part][GetDateOrder(settings.ShortDateFormat)];
        found = PartAfterSeparators(text, 1, settings.DateSeparator, separators);
        found.text = CutAtBlank(found.text);
    } else {
        int start = 1;
        if (!timeOnly) {
            TDateTime date;
            if (!ScanDate(text, start, date, settings)) return {};
        }
        const int separators = part == dpHour ? 0 : part == dpMinute ? 1 : 2;
        found = PartAfterSeparators(text, start, settings.TimeSeparator, separators);
        if (part == dpAmPm) {
            const qsizetype blank = found.text.indexOf(u' ');
            if (blank >= 0) {
                found.start += int(blank) + 1;
                found.text = found.text.mid(blank + 1);
            }
        } else if (part != dpHour) {
            found.text = CutAtBlank(found.text);
        }
    }
    if (found.start <= 0) return {};
    return {found.start - 1, int(found.text.length())};
}

void SelectDatePart(TwwDatePart part, QLineEdit& edit, bool timeOnly, const TFormatSettings& settings) {
    const controls::TextSelection selection = controls::DatePartSelection(part, edit.text(), timeOnly, settings);
    edit.setSelection(selection.start, selection.length);
}
