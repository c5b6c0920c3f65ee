// The date/time picker's display format cut into parts: expansion, tokens and the layout of each part.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"

#include <QString>
#include <vector>

namespace controls {

// What a part of the picker's text holds.
enum class PickerPartKind { Day, Weekday, Month, Year, Hour, Minute, Second, AmPm };

// One item of a format: a part token in lower case ("dd", "mmm", "n", "am/pm") or one literal character.
struct FormatToken {
    QString text;
    bool isPart = false;
};

// One part as laid out in the text: the characters before it, its token and its length.
struct PickerPart {
    int start = 0;
    QString token;
    int length = 0;
    bool IsValid() const { return !token.isEmpty(); }
    PickerPartKind Kind() const;
    bool IsDatePart() const;
    bool IsTimePart() const { return IsValid() && !IsDatePart(); }
};

// "c", "dddddd", "ddddd", "tt" and "t" replaced by the locale's formats they stand for.
QString ExpandDisplayFormat(const QString& format, const TFormatSettings& settings = FormatSettings);
// The tokens of an expanded format, left to right.
std::vector<FormatToken> ReadFormatTokens(const QString& expandedFormat);
bool FormatHasAmPm(const QString& format);
// An empty format counts as having both.
bool FormatHasDatePart(const QString& expandedFormat);
bool FormatHasTimePart(const QString& format);

// The parts of a format for one value; date parts only when withDate, time parts only when withTime.
std::vector<PickerPart> LayoutParts(const QString& expandedFormat, TDateTime value, bool withDate, bool withTime,
                                    const TFormatSettings& settings = FormatSettings);

}  // namespace controls
