// TUpDown: the framework's pair of arrow buttons that step a position between a minimum and a maximum.
#pragma once

#include "platform/ui/Control.h"

#include <QWidget>
#include <functional>

class QToolButton;

enum TUDBtnType { btNext, btPrev };
enum TUDOrientation { udHorizontal, udVertical };

using TUDClickEvent = std::function<void(QObject* Sender, TUDBtnType Button)>;

class TUpDown : public ui::ControlOf<QWidget> {
public:
    // Vertical, from 0 to 100, as the framework makes it.
    explicit TUpDown(QWidget* parent);

    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation orientation);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Kept within Min and Max.
    int Position() const { return position_; }
    void SetPosition(int value);

    // A press on a button: the position steps by one within the range, then OnClick runs.
    void Click(TUDBtnType button);

    TUDClickEvent OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutButtons();

    QToolButton* next_;
    QToolButton* prev_;
    TUDOrientation orientation_ = udVertical;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
