// Floating-point numbers as text: the general form, the framework's float formats and picture formats.
#pragma once

#include "platform/rtl/FormatSettings.h"

#include <QString>

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral: the shortest form with at most precision significant digits, scientific ("1E20") when the
// number has more integer digits than that or is below 0.0001; digits is the exponent's minimum width.
// ffExponent: d.ddd...E+xxx with precision digits. ffFixed, ffNumber (with thousands separators) and
// ffCurrency (by CurrencyString, CurrencyFormat and NegCurrFormat): digits decimals.
QString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                    const TFormatSettings& settings = FormatSettings);
// ffGeneral with 15 digits.
QString FloatToStr(double value, const TFormatSettings& settings = FormatSettings);

// Picture formats: "positive;negative;zero" sections of 0 (digit), # (optional digit), . (decimal
// separator), , (thousands separators) and literals ('...' "..." or any other character). A negative value
// without a negative section gets a leading "-"; a value that rounds to zero takes the zero section.
// An empty format is FloatToStr.
QString FormatFloat(const QString& format, double value, const TFormatSettings& settings = FormatSettings);
// The same for currency values (four decimals kept).
QString FormatCurr(const QString& format, double value, const TFormatSettings& settings = FormatSettings);
