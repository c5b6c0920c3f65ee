// Dates and times as text and back, by the framework's format patterns and the format settings.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"

#include <QString>

// Pattern letters (any case unless noted): c, d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after
// h or hh), yy yyyy (three or more y give four digits), h hh, n nn, s ss, z zzz, t tt, am/pm and a/p (shown
// in the case written), ampm (the AM/PM strings), "/" and ":" (the separators), '...' and "..." literals.
QString FormatDateTime(const QString& format, TDateTime value, const TFormatSettings& settings = FormatSettings);
// The short date format; the long time format; "c".
QString DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
QString TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
QString DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);

// Reading dates in the order of the short date format (a missing year is this year; two-digit years by
// TwoDigitYearCenturyWindow) and times as h[:n[:s[.z]]] with an optional AM/PM string before or after.
// The Str* forms raise EConvertError "'%s' is not a valid date" / "... time" / "... date and time".
bool TryStrToDate(const QString& text, TDateTime& value, const TFormatSettings& settings = FormatSettings);
bool TryStrToTime(const QString& text, TDateTime& value, const TFormatSettings& settings = FormatSettings);
bool TryStrToDateTime(const QString& text, TDateTime& value, const TFormatSettings& settings = FormatSettings);
TDateTime StrToDate(const QString& text, const TFormatSettings& settings = FormatSettings);
TDateTime StrToTime(const QString& text, const TFormatSettings& settings = FormatSettings);
TDateTime StrToDateTime(const QString& text, const TFormatSettings& settings = FormatSettings);
TDateTime StrToDateDef(const QString& text, TDateTime fallback, const TFormatSettings& settings = FormatSettings);
