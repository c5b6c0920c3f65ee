// Lengths: the conversions between thousandths of a millimetre and the report's units, device pixels and
// tenths of a millimetre, the page definition, and version texts as numbers.
#pragma once

#include "reportengine/core/ppTypes.h"

#include <QString>
#include <QtGlobal>

namespace reportengine {

// Inches per millimetre as the engine has always used it: the single-precision value of 0.03937, not 1/25.4.
inline constexpr float kInchesPerMM = 0.03937f;

// Axis arguments: only kVertical selects the vertical resolution; every other value counts as horizontal.
inline constexpr int kHorizontal = 0;
inline constexpr int kVertical = 1;

// What the conversions need of a printer: its resolution. The engine's printer provides it.
class PrinterResolution {
public:
    virtual ~PrinterResolution() = default;
    // Pixels per inch along the axis (kVertical, else horizontal).
    virtual int PixelsPerInch(int axis) const = 0;
};

// A rectangle as the engine computes it: left, top, right and bottom, in the unit of its values.
struct Rect {
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The screen's logical pixels per inch, read from the installed screen service at every call.
int ScreenPixelsPerInch();

}  // namespace reportengine

// Every rounding below is to nearest with ties to even; a missing printer counts as the screen.
float ConvertFromMMThousandths(qint32 value, TppUnitType unit, int axis = reportengine::kHorizontal,
                               const reportengine::PrinterResolution* printer = nullptr);
qint32 ConvertToMMThousandths(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value);
float ScreenPixelsToUnits(qint32 value, TppUnitType unit, int axis = reportengine::kHorizontal,
                          const reportengine::PrinterResolution* printer = nullptr);
qint32 UnitsToScreenPixels(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value);
// Paper sizes as the printer driver gives and takes them; inches go through whole screen pixels and
// millimetres are whole, so 2159 tenths show as 8.5 inches and as 216 millimetres.
float TenthsMMToUnits(qint32 value, TppUnitType unit, int axis = reportengine::kHorizontal,
                      const reportengine::PrinterResolution* printer = nullptr);
qint32 UnitsToTenthsMM(TppUnitType unit, int axis, const reportengine::PrinterResolution* printer, float value);

// A stored version text as a number times 1000 ("7.04" gives 7040); raises EConvertError for a text that is
// still no number after its first "." is dropped ("7.04.1").
qint32 VersionToNumber(const QString& text);

// One page's size and margins in thousandths of a millimetre.
class TppPageDef {
public:
    qint32 mmHeight = 0;
    qint32 mmWidth = 0;
    qint32 mmMarginLeft = 0;
    qint32 mmMarginRight = 0;
    qint32 mmMarginTop = 0;
    qint32 mmMarginBottom = 0;

    reportengine::Rect GetPrintableRect() const;
    // Not clamped: margins wider than the page give a negative width.
    qint32 GetPrintableWidth() const { return mmWidth - mmMarginLeft - mmMarginRight; }
    qint32 GetPrintableHeight() const { return mmHeight - mmMarginTop - mmMarginBottom; }
    // Whole screen pixels, the fraction dropped.
    qint32 GetSpPrintableWidth() const;
    qint32 GetSpWidth() const;
    qint32 GetSpHeight() const;
    bool IsEqual(const TppPageDef& other) const;
    void Assign(const TppPageDef& source) { *this = source; }
};
