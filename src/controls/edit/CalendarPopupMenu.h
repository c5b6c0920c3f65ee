// TCalendarPopupMenu: the calendar's month or year menu, which knows whether it is showing.
#pragma once

#include "controls/edit/CalendarMenuView.h"

#include <QPoint>
#include <QString>
#include <vector>

class TCalendarPopupMenu {
public:
    // The name scripts answer the menu by (see ModalRunner.h); a scripted action gets the CalendarMenuView.
    explicit TCalendarPopupMenu(QString name) : name_(std::move(name)) {}

    QString Name() const { return name_; }
    std::vector<controls::CalendarMenuItem>& Items() { return items_; }
    const std::vector<controls::CalendarMenuItem>& Items() const { return items_; }
    bool Showing() const { return showing_; }
    // A right-aligned menu ends at the point it is shown at.
    void SetRightAligned(bool rightAligned) { rightAligned_ = rightAligned; }

    // Shows the items at a screen point until one is chosen or the menu is closed; returns the chosen
    // item or -1.
    int Popup(QPoint screenPoint);

private:
    QString name_;
    std::vector<controls::CalendarMenuItem> items_;
    bool showing_ = false;
    bool rightAligned_ = false;
};
