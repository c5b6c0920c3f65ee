// Jet's conversions between column types: numbers round half to even, text parses, sizes and ranges are checked.
#include "platform/sql/ValueConversion.h"

#include "platform/rtl/DateUtils.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/Tokenizer.h"

#include <QLocale>
#include <cfloat>
#include <cmath>

namespace sql {
namespace {

[[noreturn]] void CannotConvert() { RaiseEngineError(kCannotConvert, kErrorCannotConvert); }
[[noreturn]] void TooBig() { RaiseEngineError(kTooBig, kErrorDataOverflow); }

QString NumberText(double value) { return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest); }

QString DateText(double value) {
    int year, month, day, hour, minute, second, millisecond;
    DecodeDateTime(value, year, month, day, hour, minute, second, millisecond);
    QString text = QStringLiteral("%1/%2/%3").arg(month).arg(day).arg(year);
    if (hour || minute || second) {
        text += QStringLiteral(" %1:%2:%3 %4")
                    .arg(hour % 12 == 0 ? 12 : hour % 12)
                    .arg(minute, 2, 10, QLatin1Char('0'))
                    .arg(second, 2, 10, QLatin1Char('0'))
                    .arg(hour < 12 ? QLatin1String("AM") : QLatin1String("PM"));
    }
    return text;
}

QString ToText(const QVariant& value, JetType from) {
    switch (from) {
        case JetType::Boolean: return value.toLongLong() ? QStringLiteral("True") : QStringLiteral("False");
        case JetType::DateTime:
            // A number beyond the date range (put there by SQL) has no date to show: it stays a number.
            if (!InJetDateRange(value.toDouble())) return NumberText(value.toDouble());
            return DateText(value.toDouble());
        case JetType::Binary: CannotConvert();
        default: break;
    }
    if (value.typeId() == QMetaType::Double) return NumberText(value.toDouble());
    return value.toString();
}

// A value as a number; null for empty text.
std::optional<double> ToNumber(const QVariant& value, JetType from) {
    if (from == JetType::Binary) CannotConvert();
    if (value.typeId() != QMetaType::QString) return value.toDouble();
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok) CannotConvert();
    return number;
}

QVariant ToInteger(const QVariant& value, JetType from, IntegerRange range) {
    const std::optional<double> number = ToNumber(value, from);
    if (!number) return {};
    const double rounded = std::nearbyint(*number);  // the default rounding mode: half to even
    if (!(rounded >= double(range.low) && rounded <= double(range.high))) TooBig();
    return static_cast<qint64>(rounded);
}

QVariant ToBoolean(const QVariant& value, JetType from) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("on")) return -1;
        if (text == QLatin1String("false") || text == QLatin1String("no") || text == QLatin1String("off")) return 0;
    }
    const std::optional<double> number = ToNumber(value, from);
    return qint64(number && *number != 0 ? -1 : 0);
}

QVariant ToDateTime(const QVariant& value, JetType from) {
    double date = 0;
    if (value.typeId() == QMetaType::QString && ParseDateLiteral(value.toString(), date)) return date;
    const std::optional<double> number = ToNumber(value, from);
    if (!number) return {};
    if (!InJetDateRange(*number)) TooBig();
    return *number;
}

}  // namespace

QVariant ConvertValue(const QVariant& value, JetType from, const ColumnDef& to) {
    if (value.isNull()) return to.type == JetType::Boolean ? QVariant(qint64(0)) : QVariant();
    switch (to.type) {
        case JetType::Text:
        case JetType::Memo: {
            const QString text = ToText(value, from);
            if (to.type == JetType::Text && text.size() > to.size) TooBig();
            return text;
        }
        case JetType::Boolean: return ToBoolean(value, from);
        case JetType::Long:
        case JetType::Counter:
        case JetType::Short:
        case JetType::Byte: return ToInteger(value, from, *IntegerRangeOf(to.type));
        case JetType::DateTime: return ToDateTime(value, from);
        case JetType::Single:
        case JetType::Double: {
            const std::optional<double> number = ToNumber(value, from);
            if (!number) return {};
            if (to.type == JetType::Single && std::fabs(*number) > FLT_MAX) TooBig();
            return *number;
        }
        case JetType::Currency: {
            const std::optional<double> number = ToNumber(value, from);
            if (!number) return {};
            if (std::fabs(*number) > 922337203685477.0) TooBig();
            return std::nearbyint(*number * 10000.0) / 10000.0;
        }
        case JetType::Binary:
            if (from != JetType::Binary) CannotConvert();
            return value;
        case JetType::Variant: break;
    }
    return value;
}

}  // namespace sql
