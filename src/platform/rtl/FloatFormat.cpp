// Floating-point numbers as text.
#include "platform/rtl/FloatFormat.h"

#include <QStringList>
#include <cmath>
#include <vector>

namespace {

// The value rounded to significant digits: the digits without trailing zeros and the decimal exponent
// of the first one (value = d.ddd x 10^exponent).
struct Significant {
    QString digits;
    int exponent = 0;
};

Significant SignificantDigits(double magnitude, int precision) {
    const QString e = QString::number(magnitude, 'e', qBound(1, precision, 18) - 1);  // "1.2345e+03"
    const qsizetype mark = e.indexOf(u'e');
    Significant result;
    result.digits = e.left(mark).remove(u'.');
    result.exponent = e.mid(mark + 1).toInt();
    while (result.digits.size() > 1 && result.digits.endsWith(u'0')) result.digits.chop(1);
    return result;
}

QString WithDecimalSeparator(QString text, const TFormatSettings& s) { return text.replace(u'.', s.DecimalSeparator); }

// A plain non-negative number text ("1234.50") with its digits grouped by three and the settings' separators.
QString Grouped(const QString& plain, const TFormatSettings& s) {
    const qsizetype point = plain.indexOf(u'.');
    const qsizetype intLength = point < 0 ? plain.size() : point;
    QString result;
    for (qsizetype i = 0; i < intLength; ++i) {
        result += plain[i];
        const qsizetype left = intLength - 1 - i;
        if (left > 0 && left % 3 == 0) result += s.ThousandSeparator;
    }
    return result + WithDecimalSeparator(plain.mid(intLength), s);
}

bool IsAllZero(const QString& plain) {
    for (QChar c : plain)
        if (c.isDigit() && c != u'0') return false;
    return true;
}

// The magnitude with fixed decimals, as a plain number text ("1234.50").
QString Fixed(double magnitude, int decimals) { return QString::number(magnitude, 'f', qBound(0, decimals, 18)); }

QString Exponent(int exponent, int minDigits, bool alwaysSign) {
    const QString sign = exponent < 0 ? QStringLiteral("-") : alwaysSign ? QStringLiteral("+") : QString();
    return u'E' + sign + QString::number(std::abs(exponent)).rightJustified(minDigits, u'0');
}

QString General(double magnitude, int precision, int digits, const TFormatSettings& s) {
    if (magnitude == 0) return QStringLiteral("0");
    const Significant sig = SignificantDigits(magnitude, precision);
    const int e = sig.exponent;
    if (e >= precision || e < -4) {
        QString mantissa = sig.digits.left(1);
        if (sig.digits.size() > 1) mantissa += s.DecimalSeparator + sig.digits.mid(1);
        return mantissa + Exponent(e, digits, false);
    }
    if (e < 0) return u'0' + QString(s.DecimalSeparator) + QString(-e - 1, u'0') + sig.digits;
    QString intPart = sig.digits.left(e + 1).leftJustified(e + 1, u'0');
    const QString fraction = sig.digits.mid(e + 1);
    return fraction.isEmpty() ? intPart : intPart + s.DecimalSeparator + fraction;
}

QString CurrencyLayout(const QString& number, bool negative, const TFormatSettings& s) {
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const char* layout =
        negative ? negatives[qBound(0, s.NegCurrFormat, 15)] : positive[qBound(0, s.CurrencyFormat, 3)];
    QString result;
    for (const char* p = layout; *p; ++p) {
        if (*p == '$') result += s.CurrencyString;
        else if (*p == '1') result += number;
        else result += QLatin1Char(*p);
    }
    return result;
}

// One section of a picture format, split into its pieces.
struct Picture {
    struct Piece {
        enum Kind { Literal, IntDigit, Point, FracDigit } kind;
        QString text;
    };
    std::vector<Piece> pieces;
    int intDigits = 0;     // digit places before the point
    int minIntDigits = 0;  // from the first 0 before the point on
    int maxDecimals = 0;   // digit places after the point
    int minDecimals = 0;   // up to the last 0 after the point
    bool thousands = false;
    bool hasPoint = false;
};

Picture ParsePicture(const QString& section) {
    Picture p;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'\'' || c == u'"') {
            qsizetype end = section.indexOf(c, i + 1);
            if (end < 0) end = section.size();
            p.pieces.push_back({Picture::Piece::Literal, section.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == u'0' || c == u'#') {
            if (p.hasPoint) {
                p.pieces.push_back({Picture::Piece::FracDigit, {}});
                ++p.maxDecimals;
                if (c == u'0') p.minDecimals = p.maxDecimals;
            } else {
                if (c == u'0' && firstZero < 0) firstZero = p.intDigits;
                p.pieces.push_back({Picture::Piece::IntDigit, {}});
                ++p.intDigits;
            }
        } else if (c == u'.' && !p.hasPoint) {
            p.hasPoint = true;
            p.pieces.push_back({Picture::Piece::Point, {}});
        } else if (c == u',') {
            p.thousands = true;
        } else {
            p.pieces.push_back({Picture::Piece::Literal, QString(c)});
        }
    }
    p.minIntDigits = firstZero < 0 ? 0 : p.intDigits - firstZero;
    return p;
}

QString Render(const Picture& p, const QString& plain, const TFormatSettings& s) {
    const qsizetype point = plain.indexOf(u'.');
    QString intDigits = point < 0 ? plain : plain.left(point);
    QString fraction = point < 0 ? QString() : plain.mid(point + 1);
    if (intDigits == u"0" && p.minIntDigits == 0) intDigits.clear();
    intDigits = intDigits.rightJustified(p.minIntDigits, u'0');
    while (fraction.size() > p.minDecimals && fraction.endsWith(u'0')) fraction.chop(1);

    const qsizetype length = intDigits.size();
    QString out;
    auto emitIntDigits = [&](qsizetype from, qsizetype to) {  // digits [from, to)
        for (qsizetype j = qMax<qsizetype>(from, 0); j < to; ++j) {
            out += intDigits[j];
            const qsizetype left = length - 1 - j;
            if (p.thousands && left > 0 && left % 3 == 0) out += s.ThousandSeparator;
        }
    };
    int intPlace = 0, fracPlace = 0;
    for (const Picture::Piece& piece : p.pieces) {
        switch (piece.kind) {
            case Picture::Piece::Literal: out += piece.text; break;
            case Picture::Piece::IntDigit: {
                // Places take the digits right-aligned; the first place takes all the surplus ones.
                const qsizetype index = length - p.intDigits + intPlace;
                emitIntDigits(intPlace == 0 ? 0 : index, index + 1);
                ++intPlace;
                break;
            }
            case Picture::Piece::Point:
                if (p.intDigits == 0) emitIntDigits(0, length);
                if (!fraction.isEmpty()) out += s.DecimalSeparator;
                break;
            case Picture::Piece::FracDigit:
                if (fracPlace < fraction.size()) out += fraction[fracPlace];
                ++fracPlace;
                break;
        }
    }
    return out;
}

// Splits at the ";" outside quotes.
QStringList Sections(const QString& format) {
    QStringList sections(1);
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

}  // namespace

QString FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& s) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const double magnitude = std::fabs(value);
    QString text;
    switch (format) {
        case ffGeneral: text = General(magnitude, precision, digits, s); break;
        case ffExponent: {
            const QString e = QString::number(magnitude, 'e', qBound(1, precision, 18) - 1);
            const qsizetype mark = e.indexOf(u'e');
            text =
                WithDecimalSeparator(e.left(mark), s) + Exponent(e.mid(mark + 1).toInt(), qBound(0, digits, 4), true);
            break;
        }
        case ffFixed: text = WithDecimalSeparator(Fixed(magnitude, digits), s); break;
        case ffNumber: text = Grouped(Fixed(magnitude, digits), s); break;
        case ffCurrency: {
            const QString plain = Fixed(magnitude, digits);
            return CurrencyLayout(Grouped(plain, s), value < 0 && !IsAllZero(plain), s);
        }
    }
    return value < 0 && !IsAllZero(text) ? u'-' + text : text;
}

QString FloatToStr(double value, const TFormatSettings& settings) {
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

QString FormatFloat(const QString& format, double value, const TFormatSettings& settings) {
    if (format.isEmpty()) return FloatToStr(value, settings);
    const QStringList sections = Sections(format);
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].isEmpty();
    Picture picture = ParsePicture(sections[ownNegative ? 1 : 0]);
    const QString plain = Fixed(std::fabs(value), picture.maxDecimals);
    if (IsAllZero(plain)) {
        picture = ParsePicture(sections.size() > 2 && !sections[2].isEmpty() ? sections[2] : sections[0]);
        return Render(picture, Fixed(0, picture.maxDecimals), settings);
    }
    const QString text = Render(picture, plain, settings);
    return negative && !ownNegative ? u'-' + text : text;
}

QString FormatCurr(const QString& format, double value, const TFormatSettings& settings) {
    return FormatFloat(format, std::round(value * 10000) / 10000, settings);
}
