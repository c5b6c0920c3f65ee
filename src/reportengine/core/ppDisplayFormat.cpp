// Display formats: values as text by data type and format, and the formats offered for each data type.
#include "reportengine/core/ppDisplayFormat.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/EditMask.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/StringList.h"

namespace {

struct DisplayFormatEntry {
    const char* sample;
    const char* format;
};

constexpr DisplayFormatEntry kBooleanFormats[] = {{"Yes", "Yes;No"}, {"Y", "Y;N"},     {"True", "True;False"},
                                                  {"T", "T;F"},      {"OK", "OK;"},    {"Done", "Done;"},
                                                  {"", ";Not OK"},   {"", ";Not Done"}};
constexpr DisplayFormatEntry kDateFormats[] = {{"3/4/95", "m/d/yy"},
                                               {"03/04/95", "mm/dd/yy"},
                                               {"03/04/1995", "mm/dd/yyyy"},
                                               {"4-Mar-95 ", "d-mmm-yy"},
                                               {"04-Mar-95 ", "dd-mmm-yy"},
                                               {"March 4, 1995", "mmmm d, yyyy"},
                                               {"3/4", "m/d"},
                                               {"Mar-95", "mmm-yy"},
                                               {"March-95", "mmmm-yy"}};
constexpr DisplayFormatEntry kTimeFormats[] = {
    {"1:30 PM", "h:nn AM/PM"}, {"13:30", "h:nn"}, {"1:30:55 PM", "h:nn:ss AM/PM"}, {"13:30:55", "h:nn:ss"}};
constexpr DisplayFormatEntry kDateTimeFormats[] = {{"3/4/95 1:30:55 PM", "m/d/yy h:nn:ss AM/PM"},
                                                   {"3/4/95 13:30:55", "m/d/yy h:nn:ss"}};
constexpr DisplayFormatEntry kNumberFormats[] = {{"-1,234", "#,0;-#,0"},
                                                 {"-1,234.40", "#,0.00;-#,0.00"},
                                                 {"(1,234.40)", "#,0.00;(#,0.00)"},
                                                 {"($1,234.40)", "$#,0.00;($#,0.00)"},
                                                 {"-$1,234.40", "$#,0.00;-$#,0.00"},
                                                 {"-$1,234", "$#,0;-$#,0"},
                                                 {"($1,234)", "$#,0;($#,0)"},
                                                 {"-1234.4 %", "0 %"},
                                                 {"-1234.40 %", "0.00 %"}};
constexpr DisplayFormatEntry kStringFormats[] = {
    {"Phone", "!\\(999\\)\\ 000\\-0000;0; "},   {"Extension", "!99999;0; "},
    {"Social Security", "000\\-00\\-0000;0; "}, {"Short Zip Code", "00000;0; "},
    {"Long Zip Code", "00000\\-9999;0; "},      {"Date", "!99/99/00;0; "},
    {"Long Time", "!90:00:00\\ >LL;0; "},       {"Short Time", "!90:00;0; "}};

bool IsNumberType(TppDataType dataType) {
    switch (dataType) {
        case dtInteger:
        case dtSingle:
        case dtDouble:
        case dtExtended:
        case dtCurrency:
        case dtLongint:
        case dtLargeInt: return true;
        default: return false;
    }
}

// A variant as plain text, Booleans as the class library writes them.
QString VariantText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::Double:
        case QMetaType::Float: return FloatToStr(value.toDouble());
        default: return value.toString();
    }
}

// A variant as a number; a text must read as one, else the conversion error passes on.
double VariantNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) return StrToFloat(value.toString());
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) throw EConvertError(QStringLiteral("Could not convert variant to a number"));
    return number;
}

// A variant as a date-time: numbers are day counts, texts are read by the locale.
TDateTime VariantDateTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) return StrToDateTime(value.toString());
    return VariantNumber(value);
}

QString FormatDisplayNumber(const QString& format, TppDataType dataType, double value) {
    if (format.contains(u'$')) {
        // Only the decimals of the first section count; the locale shapes the rest of the currency text.
        const QString first = format.section(u';', 0, 0);
        const qsizetype dot = first.indexOf(u'.');
        const int decimals = dot < 0 ? 0 : int(first.size() - dot - 1);
        return FloatToStrF(value, ffCurrency, 15, decimals);
    }
    if (!format.isEmpty()) return dataType == dtCurrency ? FormatCurr(format, value) : FormatFloat(format, value);
    if (dataType == dtCurrency) return FloatToStrF(value, ffCurrency, 15, FormatSettings.CurrencyDecimals);
    return FloatToStrF(value, ffGeneral, 15, 0);
}

template <std::size_t N>
void AddDisplayFormats(TStrings& list, const DisplayFormatEntry (&entries)[N]) {
    for (const DisplayFormatEntry& entry : entries) {
        list.Add(QString::fromUtf8(entry.sample) + QChar(1) + QString::fromUtf8(entry.format));
    }
}

std::shared_ptr<TppDisplayFormat> MakeDisplayFormat() { return std::make_shared<TppDisplayFormat>(); }

}  // namespace

QString TppDisplayFormat::Format(const QString& displayFormat, TppDataType dataType, const QVariant& value) const {
    if (value.isNull()) return QString();
    if (IsNumberType(dataType)) return FormatDisplayNumber(displayFormat, dataType, VariantNumber(value));
    switch (dataType) {
        case dtBoolean:
            if (!displayFormat.isEmpty() && value.typeId() == QMetaType::Bool) {
                const qsizetype split = displayFormat.indexOf(u';');
                const QString yes = split < 0 ? displayFormat : displayFormat.left(split);
                const QString no = split < 0 ? QString() : displayFormat.mid(split + 1);
                return value.toBool() ? yes : no;
            }
            return VariantText(value);
        case dtDate:
            return FormatDateTime(displayFormat.isEmpty() ? FormatSettings.ShortDateFormat : displayFormat,
                                  VariantDateTime(value));
        case dtTime:
            return FormatDateTime(displayFormat.isEmpty() ? FormatSettings.LongTimeFormat : displayFormat,
                                  VariantDateTime(value));
        case dtDateTime:
            return FormatDateTime(displayFormat.isEmpty() ? QStringLiteral("c") : displayFormat,
                                  VariantDateTime(value));
        case dtChar:
        case dtString:
        case dtMemo:
            return displayFormat.isEmpty() ? VariantText(value) : FormatMaskText(displayFormat, VariantText(value));
        default: return QString();
    }
}

void TppDisplayFormat::GetDisplayFormats(TppDataType dataType, TStrings* list) const {
    if (!list) return;
    list->Clear();
    if (IsNumberType(dataType)) {
        AddDisplayFormats(*list, kNumberFormats);
        return;
    }
    switch (dataType) {
        case dtBoolean: AddDisplayFormats(*list, kBooleanFormats); break;
        case dtDate: AddDisplayFormats(*list, kDateFormats); break;
        case dtTime: AddDisplayFormats(*list, kTimeFormats); break;
        case dtDateTime:
            AddDisplayFormats(*list, kDateTimeFormats);
            AddDisplayFormats(*list, kDateFormats);
            break;
        case dtString: AddDisplayFormats(*list, kStringFormats); break;
        default: break;
    }
}

namespace reportengine {

rtl::ServiceSlot<TppDisplayFormat>& DisplayFormatSlot() {
    static rtl::ServiceSlot<TppDisplayFormat> slot(&MakeDisplayFormat);
    return slot;
}

}  // namespace reportengine

QString FormatDisplayValue(const QString& displayFormat, TppDataType dataType, const QVariant& value) {
    return reportengine::DisplayFormatSlot().Current().Format(displayFormat, dataType, value);
}

void CallRegisteredHandler(TppDataType dataType, TStrings* list) {
    reportengine::DisplayFormatSlot().Current().GetDisplayFormats(dataType, list);
}
