// Filling the format settings from the user's locale, or pinning them to US English.
#include "platform/rtl/FormatSettings.h"

#include <QLocale>

TFormatSettings FormatSettings = rtl::UsEnglishFormatSettings();

namespace rtl {
namespace {

// Rewrites a Qt date/time pattern in the framework's notation: months m, minutes n, AM/PM as "AMPM".
QString FrameworkPattern(const QString& qtPattern) {
    QString result;
    for (qsizetype i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        if (c == u'\'') {  // a quoted literal, '' standing for one quote
            qsizetype end = i + 1;
            while (end < qtPattern.size() && qtPattern[end] != u'\'') ++end;
            const QString literal = qtPattern.mid(i + 1, end - i - 1);
            result += literal.isEmpty() ? QStringLiteral("\"'\"") : u'"' + literal + u'"';
            i = end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qtPattern.size() && qtPattern[i + run] == c) ++run;
        switch (c.unicode()) {
            case u'M': result += QString(qMin<qsizetype>(run, 4), u'm'); break;
            case u'm': result += QString(qMin<qsizetype>(run, 2), u'n'); break;
            case u'H':
            case u'h': result += QString(qMin<qsizetype>(run, 2), u'h'); break;
            case u'A':
            case u'a': result += QStringLiteral("AMPM"); break;
            case u'y': result += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
            case u'd':
            case u's': result += QString(qMin<qsizetype>(run, c == u'd' ? 4 : 2), c); break;
            case u'z': result += QStringLiteral("zzz"); break;
            case u't': break;  // time zone: not shown
            default:
                if (c.isLetter()) result += u'"' + QString(run, c) + u'"';
                else result += QString(run, c);
        }
        if (c == u'A' || c == u'a') {  // "AP" and "ap" are one designator
            i += run;
            if (i < qtPattern.size() && (qtPattern[i] == u'P' || qtPattern[i] == u'p')) ++i;
        } else {
            i += run;
        }
    }
    return result.trimmed();
}

// The first character of a pattern that is not a letter, a blank or a quote.
QChar SeparatorOf(const QString& pattern, QChar fallback) {
    for (QChar c : pattern)
        if (!c.isLetter() && !c.isSpace() && c != u'"' && c != u'\'') return c;
    return fallback;
}

// The platform's number of a currency layout, found by writing 1 (and -1) with the locale.
int LocaleCurrencyFormat(const QLocale& locale, double value, std::initializer_list<const char*> layouts,
                         int fallback) {
    QString text = locale.toCurrencyString(value, QStringLiteral("$"), 0);
    text.replace(QChar(0x00A0), u' ').replace(QChar(0x202F), u' ').replace(locale.negativeSign(), QStringLiteral("-"));
    int index = 0;
    for (const char* layout : layouts) {
        if (text == QLatin1String(layout)) return index;
        ++index;
    }
    return fallback;
}

int CurrencyDecimalsOf(const QLocale& locale) {
    const QString text = locale.toCurrencyString(1.0, QStringLiteral("$"));
    const qsizetype point = text.lastIndexOf(locale.decimalPoint());
    if (point < 0) return 0;
    int digits = 0;
    for (qsizetype i = point + 1; i < text.size() && text[i].isDigit(); ++i) ++digits;
    return digits;
}

}  // namespace

TFormatSettings FormatSettingsFromLocale(const QLocale& locale) {
    TFormatSettings s;
    s.CurrencyString = locale.currencySymbol();
    s.CurrencyFormat = LocaleCurrencyFormat(locale, 1.0, {"$1", "1$", "$ 1", "1 $"}, 0);
    s.NegCurrFormat = LocaleCurrencyFormat(locale, -1.0,
                                           {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-", "-1 $", "-$ 1",
                                            "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"},
                                           1);
    s.ThousandSeparator = locale.groupSeparator().isEmpty() ? QChar(u',') : locale.groupSeparator()[0];
    s.DecimalSeparator = locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint()[0];
    s.CurrencyDecimals = CurrencyDecimalsOf(locale);
    s.ShortDateFormat = FrameworkPattern(locale.dateFormat(QLocale::ShortFormat));
    s.LongDateFormat = FrameworkPattern(locale.dateFormat(QLocale::LongFormat));
    s.DateSeparator = SeparatorOf(s.ShortDateFormat, u'/');
    s.ShortTimeFormat = FrameworkPattern(locale.timeFormat(QLocale::ShortFormat));
    s.LongTimeFormat = FrameworkPattern(locale.timeFormat(QLocale::LongFormat));
    s.TimeSeparator = SeparatorOf(s.ShortTimeFormat, u':');
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();
    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[m - 1] = locale.monthName(m, QLocale::ShortFormat);
        s.LongMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 1; d <= 7; ++d) {  // Qt counts from Monday, the names from Sunday
        s.ShortDayNames[d % 7] = locale.dayName(d, QLocale::ShortFormat);
        s.LongDayNames[d % 7] = locale.dayName(d, QLocale::LongFormat);
    }
    s.FirstDayOfWeek = static_cast<int>(locale.firstDayOfWeek()) - 1;
    s.ListSeparator = s.DecimalSeparator == u',' ? u';' : u',';
    // This platform has no numeric locale ids; they stay 0.
    const QLocale::Language language = locale.language();
    s.FarEast = language == QLocale::Chinese || language == QLocale::Japanese || language == QLocale::Korean;
    s.MiddleEast = locale.textDirection() == Qt::RightToLeft;
    return s;
}

void LoadFormatSettingsFromLocale() { FormatSettings = FormatSettingsFromLocale(QLocale::system()); }

TFormatSettings UsEnglishFormatSettings() {
    TFormatSettings s;
    s.CurrencyString = QStringLiteral("$");
    s.CurrencyFormat = 0;
    s.NegCurrFormat = 0;
    s.ThousandSeparator = u',';
    s.DecimalSeparator = u'.';
    s.CurrencyDecimals = 2;
    s.DateSeparator = u'/';
    s.ShortDateFormat = QStringLiteral("M/d/yyyy");
    s.LongDateFormat = QStringLiteral("dddd, MMMM d, yyyy");
    s.TimeSeparator = u':';
    s.TimeAMString = QStringLiteral("AM");
    s.TimePMString = QStringLiteral("PM");
    s.ShortTimeFormat = QStringLiteral("h:mm AMPM");
    s.LongTimeFormat = QStringLiteral("h:mm:ss AMPM");
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.FirstDayOfWeek = 6;
    s.TwoDigitYearCenturyWindow = 50;
    s.ListSeparator = u',';
    s.DefaultLCID = 0x0409;
    s.PriLangID = 0x09;
    s.SubLangID = 0x01;
    return s;
}

void UseUsEnglishFormatSettings() { FormatSettings = UsEnglishFormatSettings(); }

}  // namespace rtl
