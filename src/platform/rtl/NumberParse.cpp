// Reading integers and floating-point numbers from text.
#include "platform/rtl/NumberParse.h"

#include "platform/rtl/Exceptions.h"

#include <QRegularExpression>
#include <limits>

namespace {

// The framework's integer reading: leading blanks, a sign, then decimal digits or "$"/"0x" and hex digits.
// Hex may use the full unsigned width (so "$FFFFFFFF" is -1 as a 32-bit integer).
template <typename T>
bool ReadInteger(const QString& text, T& value) {
    using Unsigned = std::make_unsigned_t<T>;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    const Unsigned limit = base == 16 ? std::numeric_limits<Unsigned>::max()
                                      : static_cast<Unsigned>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
    Unsigned magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = text[i].unicode() < 128 ? QChar(text[i]).digitValue() : -1;
        const int hexDigit = base == 16 && digit < 0 ? QStringLiteral("abcdef").indexOf(text[i].toLower()) : -1;
        const int d = digit >= 0 ? digit : hexDigit >= 0 ? 10 + hexDigit : -1;
        if (d < 0) return false;
        if (magnitude > (limit - d) / base) return false;
        magnitude = magnitude * base + d;
    }
    value = static_cast<T>(negative ? Unsigned(0) - magnitude : magnitude);
    return true;
}

[[noreturn]] void InvalidInteger(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// The raising and defaulting forms of both widths share these.
template <typename T>
T ReadOrRaise(const QString& text) {
    T value;
    if (!ReadInteger(text, value)) InvalidInteger(text);
    return value;
}

template <typename T>
T ReadOrDefault(const QString& text, T fallback) {
    T value;
    return ReadInteger(text, value) ? value : fallback;
}

}  // namespace

bool TryStrToInt(const QString& text, int& value) { return ReadInteger(text, value); }
int StrToInt(const QString& text) { return ReadOrRaise<int>(text); }
int StrToIntDef(const QString& text, int fallback) { return ReadOrDefault(text, fallback); }

bool TryStrToInt64(const QString& text, qint64& value) { return ReadInteger(text, value); }
qint64 StrToInt64(const QString& text) { return ReadOrRaise<qint64>(text); }

bool TryStrToFloat(const QString& text, double& value, const TFormatSettings& settings) {
    // Only the settings' decimal separator counts as one.
    if (settings.DecimalSeparator != u'.' && text.contains(u'.')) return false;
    QString plain = text;
    plain.replace(settings.DecimalSeparator, u'.');
    static const QRegularExpression shape(QStringLiteral(R"(^ *[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)? *$)"));
    if (!shape.match(plain).hasMatch()) return false;
    bool ok = false;
    const double result = plain.trimmed().toDouble(&ok);
    if (!ok) return false;
    value = result;
    return true;
}

double StrToFloat(const QString& text, const TFormatSettings& settings) {
    double value;
    if (!TryStrToFloat(text, value, settings))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

double StrToFloatDef(const QString& text, double fallback, const TFormatSettings& settings) {
    double value;
    return TryStrToFloat(text, value, settings) ? value : fallback;
}
