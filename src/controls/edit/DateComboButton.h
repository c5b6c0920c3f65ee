// TwwDateComboButton: the date/time picker's drop-down button, a small push button drawn with an arrow.
#pragma once

#include "platform/ui/Events.h"

#include <QWidget>

// Stands alone until the library's combo button is there to derive from; the picker knows it only as a
// widget that reports a click.
class TwwDateComboButton : public QWidget {
public:
    explicit TwwDateComboButton(QWidget* parent);

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool down_ = false;
};
