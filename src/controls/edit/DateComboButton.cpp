// The picker's drop-down button: a raised face with a down arrow, sunken while pressed.
#include "controls/edit/DateComboButton.h"

#include "platform/ui/Dispatch.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

TwwDateComboButton::TwwDateComboButton(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TwwDateComboButton::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [this] {
        QPainter painter(this);
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= down_ ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = rect().adjusted(3, 3, -3, -3).translated(down_ ? 1 : 0, down_ ? 1 : 0);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
    });
}

void TwwDateComboButton::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton) return;
        down_ = true;
        update();
    });
}

void TwwDateComboButton::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (!down_) return;
        down_ = false;
        update();
        if (rect().contains(event->position().toPoint())) ui::Fire(OnClick, this);
    });
}
