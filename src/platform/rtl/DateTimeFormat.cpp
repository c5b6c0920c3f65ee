// The date-time formatter and the date and time scanners.
#include "platform/rtl/DateTimeFormat.h"

#include "platform/rtl/Exceptions.h"

namespace {

QString Padded(int number, qsizetype digits) { return QString::number(number).rightJustified(digits, u'0'); }

// Writes one value by a pattern; the nested short and long formats are written by the same writer.
class DateTimeWriter {
public:
    DateTimeWriter(TDateTime value, const TFormatSettings& settings) : value_(value), s_(settings) {
        DecodeDateTime(value, year_, month_, day_, hour_, minute_, second_, msec_);
    }

    QString Write(const QString& format) {
        Append(format, 0);
        return out_;
    }

private:
    // The framework's formats may name each other; two levels are enough and stop loops.
    void Append(const QString& f, int depth) {
        if (depth > 2) return;
        QChar last;  // the last pattern letter, upper case: an M right after H means minutes
        qsizetype i = 0;
        while (i < f.size()) {
            const QChar start = f[i];
            QChar token = start.toUpper();
            qsizetype count = 1;
            while (i + count < f.size() && f[i + count].toUpper() == token) ++count;
            if (token.isLetter() && token.unicode() < 128) {
                if (token == u'M' && last == u'H') token = u'N';
                last = token;
            }
            switch (token.unicode()) {
                case u'Y': out_ += count <= 2 ? Padded(year_ % 100, 2) : Padded(year_, 4); break;
                case u'M': AppendMonth(count); break;
                case u'D': AppendDay(count, depth); break;
                case u'H':
                    out_ += Padded(TwelveHourClock(f, i + count) ? Hour12() : hour_, qMin<qsizetype>(count, 2));
                    break;
                case u'N': out_ += Padded(minute_, qMin<qsizetype>(count, 2)); break;
                case u'S': out_ += Padded(second_, qMin<qsizetype>(count, 2)); break;
                case u'Z': out_ += Padded(msec_, qMin<qsizetype>(count, 3)); break;
                case u'T': Append(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, depth + 1); break;
                case u'C':
                    Append(s_.ShortDateFormat, depth + 1);
                    if (hour_ != 0 || minute_ != 0 || second_ != 0) {
                        out_ += u' ';
                        Append(s_.LongTimeFormat, depth + 1);
                    }
                    break;
                case u'A': count = AppendDesignator(f, i); break;
                case u'/': out_ += QString(count, s_.DateSeparator); break;
                case u':': out_ += QString(count, s_.TimeSeparator); break;
                case u'\'':
                case u'"': {
                    qsizetype end = f.indexOf(start, i + 1);
                    if (end < 0) end = f.size();
                    out_ += f.mid(i + 1, end - i - 1);
                    count = end + 1 - i;
                    break;
                }
                default: out_ += f.mid(i, count);
            }
            i += count;
        }
    }

    void AppendMonth(qsizetype count) {
        if (count <= 2) out_ += Padded(month_, count);
        else out_ += count == 3 ? s_.ShortMonthNames[month_ - 1] : s_.LongMonthNames[month_ - 1];
    }

    void AppendDay(qsizetype count, int depth) {
        const int weekday = DayOfWeek(value_) - 1;
        switch (count) {
            case 1:
            case 2: out_ += Padded(day_, count); break;
            case 3: out_ += s_.ShortDayNames[weekday]; break;
            case 4: out_ += s_.LongDayNames[weekday]; break;
            case 5: Append(s_.ShortDateFormat, depth + 1); break;
            default: Append(s_.LongDateFormat, depth + 1);
        }
    }

    // "am/pm" and "a/p" keep the letters as written; "ampm" takes the AM/PM strings; a lone "a" is a letter.
    // Returns the characters consumed.
    qsizetype AppendDesignator(const QString& f, qsizetype at) {
        const bool pm = hour_ >= 12;
        const QStringView rest = QStringView(f).mid(at);
        if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
            out_ += rest.mid(pm ? 3 : 0, 2);
            return 5;
        }
        if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
            out_ += rest.mid(pm ? 2 : 0, 1);
            return 3;
        }
        if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
            out_ += pm ? s_.TimePMString : s_.TimeAMString;
            return 4;
        }
        out_ += rest.first(1);
        return 1;
    }

    // An hour is on the 12-hour clock when an AM/PM designator follows before the next hour.
    static bool TwelveHourClock(const QString& f, qsizetype from) {
        bool quoted = false;
        for (qsizetype i = from; i < f.size(); ++i) {
            const QChar c = f[i];
            if (c == u'\'' || c == u'"') quoted = !quoted;
            if (quoted) continue;
            if (c == u'h' || c == u'H') return false;
            if (c == u'a' || c == u'A') {
                const QStringView rest = QStringView(f).mid(i);
                return rest.startsWith(u"am/pm", Qt::CaseInsensitive) || rest.startsWith(u"a/p", Qt::CaseInsensitive) ||
                       rest.startsWith(u"ampm", Qt::CaseInsensitive);
            }
        }
        return false;
    }

    int Hour12() const { return hour_ == 0 ? 12 : hour_ > 12 ? hour_ - 12 : hour_; }

    TDateTime value_;
    const TFormatSettings& s_;
    int year_, month_, day_, hour_, minute_, second_, msec_;
    QString out_;
};

// Reads dates and times from a text, position by position; blanks (spaces) may stand between the parts.
class DateTimeScanner {
public:
    DateTimeScanner(const QString& text, const TFormatSettings& settings) : t_(text), s_(settings) {}

    bool AtEnd() const { return pos_ >= t_.size(); }

    bool ScanDate(TDateTime& date) {
        int n1, n2, n3, digits1, digits2, digits3;
        if (!ScanNumber(n1, digits1) || !ScanChar(s_.DateSeparator) || !ScanNumber(n2, digits2)) return false;
        int year, month, day;
        if (ScanChar(s_.DateSeparator)) {
            if (!ScanNumber(n3, digits3)) return false;
            int yearDigits = digits3;
            switch (DateOrder()) {
                case Order::MonthDayYear: month = n1, day = n2, year = n3; break;
                case Order::DayMonthYear: day = n1, month = n2, year = n3; break;
                case Order::YearMonthDay: year = n1, month = n2, day = n3, yearDigits = digits1; break;
            }
            if (year <= 99 && yearDigits <= 2) year = WindowedYear(year);
        } else {
            year = YearOf(Now());
            if (DateOrder() == Order::DayMonthYear) day = n1, month = n2;
            else month = n1, day = n2;
        }
        SkipBlanks();
        return TryEncodeDate(year, month, day, date);
    }

    bool ScanTime(TDateTime& time) {
        int base = ScanDesignator();
        if (base >= 0) SkipBlanks();
        int hour, minute = 0, second = 0, msec = 0, digits;
        if (!ScanNumber(hour, digits)) return false;
        if (ScanChar(s_.TimeSeparator)) {
            if (!ScanNumber(minute, digits)) return false;
            if (ScanChar(s_.TimeSeparator)) {
                if (!ScanNumber(second, digits)) return false;
                if (ScanChar(s_.DecimalSeparator) && !ScanNumber(msec, digits)) return false;
            }
        }
        if (base < 0) base = ScanDesignator();
        if (base >= 0) {
            if (hour == 0 || hour > 12) return false;
            hour = hour % 12 + base;
        }
        SkipBlanks();
        return TryEncodeTime(hour, minute, second, msec, time);
    }

private:
    enum class Order { MonthDayYear, DayMonthYear, YearMonthDay };

    Order DateOrder() const {
        for (QChar c : s_.ShortDateFormat) {
            switch (c.toUpper().unicode()) {
                case u'D': return Order::DayMonthYear;
                case u'Y': return Order::YearMonthDay;
                case u'M': return Order::MonthDayYear;
            }
        }
        return Order::MonthDayYear;
    }

    // A two-digit year falls in the window of TwoDigitYearCenturyWindow years before now; 0 keeps it in
    // the current century.
    int WindowedYear(int year) const {
        const int window = s_.TwoDigitYearCenturyWindow;
        const int pivot = YearOf(Now()) - window;
        year += pivot / 100 * 100;
        if (window > 0 && year < pivot) year += 100;
        return year;
    }

    void SkipBlanks() {
        while (pos_ < t_.size() && t_[pos_] == u' ') ++pos_;
    }

    // Up to four significant digits, as the framework reads them.
    bool ScanNumber(int& number, int& digits) {
        SkipBlanks();
        const qsizetype start = pos_;
        int n = 0;
        while (pos_ < t_.size() && t_[pos_].isDigit() && t_[pos_].unicode() < 128 && n < 1000)
            n = n * 10 + (t_[pos_++].unicode() - u'0');
        if (pos_ == start) return false;
        number = n;
        digits = static_cast<int>(pos_ - start);
        return true;
    }

    bool ScanChar(QChar c) {
        SkipBlanks();
        if (pos_ < t_.size() && t_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool ScanString(const QString& expected) {
        if (expected.isEmpty()) return false;
        SkipBlanks();
        if (QStringView(t_).mid(pos_).startsWith(expected, Qt::CaseInsensitive)) {
            pos_ += expected.size();
            return true;
        }
        return false;
    }

    // 0 for AM, 12 for PM, -1 for neither.
    int ScanDesignator() {
        if (ScanString(s_.TimeAMString) || ScanString(QStringLiteral("AM"))) return 0;
        if (ScanString(s_.TimePMString) || ScanString(QStringLiteral("PM"))) return 12;
        return -1;
    }

    const QString& t_;
    const TFormatSettings& s_;
    qsizetype pos_ = 0;
};

[[noreturn]] void RaiseConvertError(const char* pattern, const QString& text) {
    throw EConvertError(QString::fromLatin1(pattern).arg(text));
}

}  // namespace

QString FormatDateTime(const QString& format, TDateTime value, const TFormatSettings& settings) {
    return DateTimeWriter(value, settings).Write(format.isEmpty() ? QStringLiteral("c") : format);
}

QString DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, value, settings);
}

QString TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, value, settings);
}

QString DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(QStringLiteral("c"), value, settings);
}

bool TryStrToDate(const QString& text, TDateTime& value, const TFormatSettings& settings) {
    DateTimeScanner scanner(text, settings);
    TDateTime date;
    if (!scanner.ScanDate(date) || !scanner.AtEnd()) return false;
    value = date;
    return true;
}

bool TryStrToTime(const QString& text, TDateTime& value, const TFormatSettings& settings) {
    DateTimeScanner scanner(text, settings);
    TDateTime time;
    if (!scanner.ScanTime(time) || !scanner.AtEnd()) return false;
    value = time;
    return true;
}

bool TryStrToDateTime(const QString& text, TDateTime& value, const TFormatSettings& settings) {
    DateTimeScanner scanner(text, settings);
    TDateTime date, time = 0;
    if (scanner.ScanDate(date) && (scanner.AtEnd() || (scanner.ScanTime(time) && scanner.AtEnd()))) {
        value = date < 0 ? date - time : date + time;
        return true;
    }
    return TryStrToTime(text, value, settings);
}

TDateTime StrToDate(const QString& text, const TFormatSettings& settings) {
    TDateTime value;
    if (!TryStrToDate(text, value, settings)) RaiseConvertError("'%1' is not a valid date", text);
    return value;
}

TDateTime StrToTime(const QString& text, const TFormatSettings& settings) {
    TDateTime value;
    if (!TryStrToTime(text, value, settings)) RaiseConvertError("'%1' is not a valid time", text);
    return value;
}

TDateTime StrToDateTime(const QString& text, const TFormatSettings& settings) {
    TDateTime value;
    if (!TryStrToDateTime(text, value, settings)) RaiseConvertError("'%1' is not a valid date and time", text);
    return value;
}

TDateTime StrToDateDef(const QString& text, TDateTime fallback, const TFormatSettings& settings) {
    TDateTime value;
    return TryStrToDate(text, value, settings) ? value : fallback;
}
