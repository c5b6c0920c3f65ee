// The drop-down calendar's window: a tool window that never takes the focus and looks active all the same.
#include "controls/edit/PopupCalendar.h"

#include "controls/edit/DateTimePicker.h"
#include "platform/ui/Dispatch.h"

#include <QMouseEvent>

TwwPopupCalendar::TwwPopupCalendar(TwwDBCustomDateTimePicker* picker) : TwwMonthCalendar(picker), picker_(picker) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // Drawn as the focused calendar while the picker holds the real focus.
    QPalette colours = palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        colours.setColor(QPalette::Inactive, QPalette::ColorRole(role),
                         colours.color(QPalette::Active, QPalette::ColorRole(role)));
    setPalette(colours);
}

void TwwPopupCalendar::Change() {
    TwwMonthCalendar::Change();
    picker_->CalendarChanged();
}

void TwwPopupCalendar::mouseReleaseEvent(QMouseEvent* event) {
    TwwMonthCalendar::mouseReleaseEvent(event);
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton || IsPopupMenuShowing()) return;
        switch (HitTest(ui::FromQPoint(event->position().toPoint())).Hit) {
            case controls::CalendarHit::Date:
            case controls::CalendarHit::PrevMonthDate:
            case controls::CalendarHit::NextMonthDate:
            case controls::CalendarHit::Background:
            case controls::CalendarHit::TodayLine: picker_->CloseUp(true); break;
            default: break;
        }
    });
}
