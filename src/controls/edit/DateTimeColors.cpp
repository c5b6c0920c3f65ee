// The calendar colours pass each change on to the owning calendar's colour slot.
#include "controls/edit/DateTimeColors.h"

#include "controls/edit/MonthCalendar.h"

TwwDateTimeColors::TwwDateTimeColors(TwwMonthCalendar* owner) : owner_(owner) {}

void TwwDateTimeColors::SetColor(controls::CalendarColor slot, TColor color) {
    colors_[size_t(slot)] = color;
    if (owner_) owner_->SetCalendarColor(slot, ColorToRGB(color));
}

void TwwDateTimeColors::Assign(const TwwDateTimeColors& other) {
    for (auto slot :
         {controls::CalendarColor::Text, controls::CalendarColor::TitleBack, controls::CalendarColor::TitleText,
          controls::CalendarColor::MonthBack, controls::CalendarColor::TrailingText})
        SetColor(slot, other.Color(slot));
}

void TwwDateTimeColors::Apply() const {
    if (!owner_) return;
    for (size_t slot = 0; slot < colors_.size(); ++slot)
        owner_->SetCalendarColor(controls::CalendarColor(slot), ColorToRGB(colors_[slot]));
}
