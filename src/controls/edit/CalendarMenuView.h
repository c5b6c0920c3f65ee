// The pop-up window of the calendar's month and year menus: ticked and disabled items in columns.
#pragma once

#include "platform/ui/Geometry.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace controls {

struct CalendarMenuItem {
    QString Caption;
    bool Checked = false;
    bool Enabled = true;
    // The item starts a new column.
    bool BarBreak = false;
};

class CalendarMenuView : public QWidget {
public:
    // A press outside the view closes it and goes no further, as a menu swallows the click that dismisses
    // it: a second click on what opened the menu only closes it.
    explicit CalendarMenuView(std::vector<CalendarMenuItem> items);

    int ItemCount() const { return int(items_.size()); }
    const CalendarMenuItem& Item(int index) const { return items_.at(size_t(index)); }
    TRect ItemRect(int index) const;
    int ItemAt(QPoint point) const;
    int Hot() const { return hot_; }
    // The chosen item once the view has closed, or -1.
    int Chosen() const { return chosen_; }
    // Chooses an enabled item and closes.
    void Choose(int index);

    // Called when the view hides, however it closed.
    std::function<void()> OnHidden;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Layout();
    void MoveHot(int key);

    std::vector<CalendarMenuItem> items_;
    std::vector<TRect> rects_;
    int hot_ = -1;
    int chosen_ = -1;
};

}  // namespace controls
