// TwwPopupCalendar: the date/time picker's drop-down month calendar, a frameless tool window shown without
// activation, so that the picker keeps the focus and hands it its keys.
#pragma once

#include "controls/edit/MonthCalendar.h"

class TwwDBCustomDateTimePicker;

class TwwPopupCalendar : public TwwMonthCalendar {
public:
    explicit TwwPopupCalendar(TwwDBCustomDateTimePicker* picker);
    TwwDBCustomDateTimePicker* Picker() const { return picker_; }

protected:
    // The picker keeps the focus.
    void TakeFocusWhenVisible() override {}
    // The picker follows the selected date.
    void Change() override;
    // A release on the days or the today line closes with acceptance.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TwwDBCustomDateTimePicker* picker_;
};
