// Reading integers and floating-point numbers from text, raising EConvertError with the framework's texts.
#pragma once

#include "platform/rtl/FormatSettings.h"

#include <QString>

// Decimal or hexadecimal ("$FF", "0xFF") with an optional sign; leading blanks allowed, nothing after.
// "'%s' is not a valid integer value".
bool TryStrToInt(const QString& text, int& value);
int StrToInt(const QString& text);
int StrToIntDef(const QString& text, int fallback);
bool TryStrToInt64(const QString& text, qint64& value);
qint64 StrToInt64(const QString& text);

// Sign, digits, the decimal separator, an exponent; blanks around allowed; no thousands separators.
// "'%s' is not a valid floating point value".
bool TryStrToFloat(const QString& text, double& value, const TFormatSettings& settings = FormatSettings);
double StrToFloat(const QString& text, const TFormatSettings& settings = FormatSettings);
double StrToFloatDef(const QString& text, double fallback, const TFormatSettings& settings = FormatSettings);
