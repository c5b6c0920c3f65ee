// TwwDateTimeColors: the month calendar's six colours, each naming one colour slot of the calendar.
#pragma once

#include "platform/ui/Color.h"

#include <array>

class TwwMonthCalendar;

namespace controls {

// The calendar's colour slots; the numbers are the slots' indexes.
enum class CalendarColor { Background = 0, Text = 1, TitleBack = 2, TitleText = 3, MonthBack = 4, TrailingText = 5 };

}  // namespace controls

class TwwDateTimeColors {
public:
    // With a calendar as owner, each colour written also goes to the calendar's slot.
    explicit TwwDateTimeColors(TwwMonthCalendar* owner = nullptr);

    TColor Color(controls::CalendarColor slot) const { return colors_[size_t(slot)]; }
    void SetColor(controls::CalendarColor slot, TColor color);

    TColor TextColor() const { return Color(controls::CalendarColor::Text); }
    void SetTextColor(TColor color) { SetColor(controls::CalendarColor::Text, color); }
    TColor TitleBackColor() const { return Color(controls::CalendarColor::TitleBack); }
    void SetTitleBackColor(TColor color) { SetColor(controls::CalendarColor::TitleBack, color); }
    TColor TitleTextColor() const { return Color(controls::CalendarColor::TitleText); }
    void SetTitleTextColor(TColor color) { SetColor(controls::CalendarColor::TitleText, color); }
    TColor MonthBackColor() const { return Color(controls::CalendarColor::MonthBack); }
    void SetMonthBackColor(TColor color) { SetColor(controls::CalendarColor::MonthBack, color); }
    TColor TrailingTextColor() const { return Color(controls::CalendarColor::TrailingText); }
    void SetTrailingTextColor(TColor color) { SetColor(controls::CalendarColor::TrailingText, color); }

    // Copies the five published colours; the background stays.
    void Assign(const TwwDateTimeColors& other);
    // Gives every colour to the owner's slots.
    void Apply() const;

private:
    TwwMonthCalendar* owner_;
    std::array<TColor, 6> colors_{clWindow, clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText};
};
