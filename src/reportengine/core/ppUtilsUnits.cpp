// The unit conversions, the page definition and version numbers.
#include "reportengine/core/ppUtilsUnits.h"

#include "platform/rtl/NumberParse.h"
#include "platform/rtl/ScreenService.h"

#include <cmath>
#include <limits>

namespace {

// The factor in double arithmetic: the intermediate values are double, the factor stays the single one.
constexpr double kUnitsFactor = double(reportengine::kInchesPerMM);

// Round half to even, kept within the 32-bit range the lengths live in.
qint32 RoundLength(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded > double(std::numeric_limits<qint32>::min()))) return std::numeric_limits<qint32>::min();
    if (rounded > double(std::numeric_limits<qint32>::max())) return std::numeric_limits<qint32>::max();
    return qint32(rounded);
}

qint32 TruncateLength(double value) { return RoundLength(std::trunc(value)); }

double PrinterPixelsPerInch(int axis, const reportengine::PrinterResolution* printer) {
    const int vertical = axis == reportengine::kVertical ? reportengine::kVertical : reportengine::kHorizontal;
    return printer ? printer->PixelsPerInch(vertical) : reportengine::ScreenPixelsPerInch();
}

}  // namespace

namespace reportengine {

int ScreenPixelsPerInch() { return rtl::CurrentScreenService().PixelsPerInch(); }

}  // namespace reportengine

float ConvertFromMMThousandths(qint32 value, TppUnitType unit, int axis,
                               const reportengine::PrinterResolution* printer) {
    const double mm = value / 1000.0;
    switch (unit) {
        case utScreenPixels: return float(std::nearbyint(mm * kUnitsFactor * reportengine::ScreenPixelsPerInch()));
        case utInches: return float(std::nearbyint(mm * kUnitsFactor * 10000) / 10000);
        case utMillimeters: return float(mm);
        case utPrinterPixels: return float(std::nearbyint(mm * kUnitsFactor * PrinterPixelsPerInch(axis, printer)));
        case utMMThousandths: return float(value);
    }
    return 0;
}

qint32 ConvertToMMThousandths(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value) {
    const double x = value;
    switch (unit) {
        case utScreenPixels: return RoundLength(x / reportengine::ScreenPixelsPerInch() / kUnitsFactor * 1000);
        case utInches: return RoundLength(x / kUnitsFactor * 1000);
        case utMillimeters: return RoundLength(x * 1000);
        case utPrinterPixels: return RoundLength(x / PrinterPixelsPerInch(axis, printer) / kUnitsFactor * 1000);
        case utMMThousandths: return TruncateLength(x);
    }
    return 0;
}

float ScreenPixelsToUnits(qint32 value, TppUnitType unit, int axis, const reportengine::PrinterResolution* printer) {
    return ConvertFromMMThousandths(ConvertToMMThousandths(utScreenPixels, axis, printer, float(value)), unit, axis,
                                    printer);
}

qint32 UnitsToScreenPixels(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value) {
    return TruncateLength(
        ConvertFromMMThousandths(ConvertToMMThousandths(unit, axis, printer, value), utScreenPixels, axis, printer));
}

float TenthsMMToUnits(qint32 value, TppUnitType unit, int axis, const reportengine::PrinterResolution* printer) {
    switch (unit) {
        case utScreenPixels:
        case utPrinterPixels: return ConvertFromMMThousandths(value * 100, unit, axis, printer);
        case utInches:
            return ScreenPixelsToUnits(UnitsToScreenPixels(utMMThousandths, axis, printer, float(value * 100)),
                                       utInches, axis, printer);
        case utMillimeters: return float(std::nearbyint(value / 10.0));
        case utMMThousandths: return float(value * 100);
    }
    return 0;
}

qint32 UnitsToTenthsMM(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value) {
    switch (unit) {
        case utScreenPixels:
        case utPrinterPixels: return ConvertToMMThousandths(unit, axis, printer, value) / 100;
        case utInches:
            return TruncateLength(ScreenPixelsToUnits(UnitsToScreenPixels(utInches, axis, printer, value),
                                                      utMMThousandths, axis, printer) /
                                  100.0);
        case utMillimeters: return RoundLength(double(value) * 10);
        case utMMThousandths: return RoundLength(double(value) / 100);
    }
    return 0;
}

qint32 VersionToNumber(const QString& text) {
    const QString head = text.left(20);
    QString number;
    for (QChar c : head) {
        if (number.size() >= 19 || !((c >= u'0' && c <= u'9') || c == u'.')) break;
        number += c;
    }
    const qsizetype dot = number.indexOf(u'.');
    if (dot >= 0) number.remove(dot, 1);
    while (number.size() < 4) number += u'0';
    return StrToInt(number);
}

reportengine::Rect TppPageDef::GetPrintableRect() const {
    return {mmMarginLeft, mmMarginTop, mmWidth - mmMarginRight, mmHeight - mmMarginBottom};
}

qint32 TppPageDef::GetSpPrintableWidth() const {
    return TruncateLength(ConvertFromMMThousandths(GetPrintableWidth(), utScreenPixels, reportengine::kHorizontal));
}

qint32 TppPageDef::GetSpWidth() const {
    return TruncateLength(ConvertFromMMThousandths(mmWidth, utScreenPixels, reportengine::kHorizontal));
}

qint32 TppPageDef::GetSpHeight() const {
    return TruncateLength(ConvertFromMMThousandths(mmHeight, utScreenPixels, reportengine::kVertical));
}

bool TppPageDef::IsEqual(const TppPageDef& other) const {
    return mmHeight == other.mmHeight && mmWidth == other.mmWidth && mmMarginLeft == other.mmMarginLeft &&
           mmMarginRight == other.mmMarginRight && mmMarginTop == other.mmMarginTop &&
           mmMarginBottom == other.mmMarginBottom;
}
