// Expanding, reading and laying out the picker's display format as the formatter renders it.
#include "controls/edit/DateTimePickerFormat.h"

namespace controls {
namespace {

bool IsRunLetter(QChar c) {
    switch (c.toLower().unicode()) {
        case u'd':
        case u'm':
        case u'h':
        case u'n':
        case u's':
        case u'y': return true;
        default: return false;
    }
}

// The AM/PM token standing at a position, in lower case, or empty.
QString AmPmTokenAt(const QString& format, qsizetype at) {
    const QStringView rest = QStringView(format).mid(at);
    for (const char* token : {"a/p", "am/pm", "ampm"})
        if (rest.startsWith(QLatin1String(token), Qt::CaseInsensitive)) return QString::fromLatin1(token);
    return {};
}

int Digits(int number) { return number >= 10 ? 2 : 1; }

int Hour12(int hour) { return hour == 0 ? 12 : hour > 12 ? hour - 12 : hour; }

}  // namespace

PickerPartKind PickerPart::Kind() const {
    switch (token[0].unicode()) {
        case u'd': return token.size() <= 2 ? PickerPartKind::Day : PickerPartKind::Weekday;
        case u'm': return PickerPartKind::Month;
        case u'y': return PickerPartKind::Year;
        case u'h': return PickerPartKind::Hour;
        case u'n': return PickerPartKind::Minute;
        case u's': return PickerPartKind::Second;
        default: return PickerPartKind::AmPm;
    }
}

bool PickerPart::IsDatePart() const {
    if (!IsValid()) return false;
    const PickerPartKind kind = Kind();
    return kind == PickerPartKind::Day || kind == PickerPartKind::Weekday || kind == PickerPartKind::Month ||
           kind == PickerPartKind::Year;
}

QString ExpandDisplayFormat(const QString& format, const TFormatSettings& settings) {
    QString result = format;
    result.replace(QStringLiteral("c"), settings.ShortDateFormat + u' ' + settings.LongTimeFormat);
    result.replace(QStringLiteral("dddddd"), settings.LongDateFormat);
    result.replace(QStringLiteral("ddddd"), settings.ShortDateFormat);
    result.replace(QStringLiteral("tt"), settings.LongTimeFormat);
    result.replace(QStringLiteral("t"), settings.ShortTimeFormat);
    return result;
}

std::vector<FormatToken> ReadFormatTokens(const QString& format) {
    std::vector<FormatToken> tokens;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (IsRunLetter(c)) {
            const QChar letter = c.toLower();
            qsizetype run = 1;
            while (i + run < format.size() && format[i + run].toLower() == letter) ++run;
            // An m run right after an hour and one separator is minutes.
            const bool minutes = letter == u'm' && i >= 2 && format[i - 2].toLower() == u'h';
            tokens.push_back({QString(minutes ? qMin<qsizetype>(run, 2) : run, minutes ? QChar(u'n') : letter), true});
            i += run;
            continue;
        }
        if (c.toLower() == u'a') {
            const QString token = AmPmTokenAt(format, i);
            if (!token.isEmpty()) {
                tokens.push_back({token, true});
                i += token.size();
                continue;
            }
        }
        tokens.push_back({QString(c), false});
        ++i;
    }
    return tokens;
}

bool FormatHasAmPm(const QString& format) { return format.contains(u'a', Qt::CaseInsensitive); }

bool FormatHasDatePart(const QString& expandedFormat) {
    if (expandedFormat.isEmpty()) return true;
    for (const FormatToken& token : ReadFormatTokens(expandedFormat)) {
        if (!token.isPart) continue;
        const QChar c = token.text[0];
        if (c == u'd' || c == u'm' || c == u'y') return true;
    }
    return false;
}

bool FormatHasTimePart(const QString& format) {
    if (format.isEmpty()) return true;
    for (const QChar c : format) switch (c.toLower().unicode()) {
            case u'h':
            case u'n':
            case u's':
            case u't':
            case u'c': return true;
            default: break;
        }
    return false;
}

std::vector<PickerPart> LayoutParts(const QString& expandedFormat, TDateTime value, bool withDate, bool withTime,
                                    const TFormatSettings& settings) {
    int year, month, day, hour, minute, second, msec;
    DecodeDateTime(value, year, month, day, hour, minute, second, msec);
    const bool twelveHour = FormatHasAmPm(expandedFormat);
    const int weekday = DayOfWeek(value) - 1;
    std::vector<PickerPart> parts;
    int position = 0;
    for (const FormatToken& token : ReadFormatTokens(expandedFormat)) {
        if (!token.isPart) {
            ++position;
            continue;
        }
        const QString& t = token.text;
        const qsizetype n = t.size();
        int length = 2;
        switch (t[0].unicode()) {
            case u'd':
                length = n == 1   ? Digits(day)
                         : n == 2 ? 2
                         : n == 3 ? int(settings.ShortDayNames[size_t(weekday)].size())
                                  : int(settings.LongDayNames[size_t(weekday)].size());
                break;
            case u'm':
                length = n == 1   ? Digits(month)
                         : n == 2 ? 2
                         : n == 3 ? int(settings.ShortMonthNames[size_t(month - 1)].size())
                                  : int(settings.LongMonthNames[size_t(month - 1)].size());
                break;
            case u'y': length = n <= 2 ? 2 : 4; break;
            case u'h': length = n == 1 ? Digits(twelveHour ? Hour12(hour) : hour) : 2; break;
            case u'n': length = n == 1 ? Digits(minute) : 2; break;
            case u's': length = n == 1 ? Digits(second) : 2; break;
            default:
                length = t == u"a/p"     ? 1
                         : t == u"am/pm" ? 2
                                         : int((hour >= 12 ? settings.TimePMString : settings.TimeAMString).size());
        }
        PickerPart part{position, t, length};
        if (part.IsDatePart() ? withDate : withTime) parts.push_back(part);
        position += length;
    }
    return parts;
}

}  // namespace controls
