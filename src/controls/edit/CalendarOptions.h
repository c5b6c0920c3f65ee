// TwwCalendarOptions: the look of the date/time picker's drop-down calendar, handed to it at every drop-down.
#pragma once

#include "controls/edit/DateTimeColors.h"
#include "controls/edit/MonthCalendarTypes.h"
#include "controls/edit/PopupYearOptions.h"
#include "platform/ui/Font.h"

// Where the calendar opens along the picker: at its left edge, ending at its button, or centred over its text.
enum TwwDTCalAlignment { wwdtaLeft, wwdtaRight, wwdtaCenter };

class TwwCalendarOptions {
public:
    TwwDTCalAlignment Alignment = wwdtaLeft;
    // The setters copy into the options' own objects.
    TwwDateTimeColors& Colors() { return colors_; }
    const TwwDateTimeColors& Colors() const { return colors_; }
    void SetColors(const TwwDateTimeColors& colors) { colors_.Assign(colors); }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    // 0: the calendar's minimum size; a larger value widens or heightens it.
    int Width = 0;
    int Height = 0;
    TwwMonthOptions Options{mdoDayState};
    TwwPopupYearOptions PopupYearOptions;
    TwwCalDayOfWeek FirstDayOfWeek = wwdowLocaleDefault;

private:
    TwwDateTimeColors colors_;
    TFont font_;
};
