// The up-down's two buttons step its position and report the press.
#include "platform/ui/UpDown.h"

#include "platform/ui/Dispatch.h"

#include <QToolButton>
#include <algorithm>

TUpDown::TUpDown(QWidget* parent)
    : ControlOf<QWidget>(parent), next_(new QToolButton(this)), prev_(new QToolButton(this)) {
    for (QToolButton* button : {next_, prev_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(next_, &QToolButton::clicked, this, [this] { ui::Dispatch(this, [this] { Click(btNext); }); });
    connect(prev_, &QToolButton::clicked, this, [this] { ui::Dispatch(this, [this] { Click(btPrev); }); });
    SetBounds(0, 0, 17, 25);
    SetOrientation(udVertical);
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
    orientation_ = orientation;
    next_->setArrowType(orientation == udHorizontal ? Qt::RightArrow : Qt::UpArrow);
    prev_->setArrowType(orientation == udHorizontal ? Qt::LeftArrow : Qt::DownArrow);
    LayOutButtons();
}

void TUpDown::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    SetPosition(position_);
}

void TUpDown::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    SetPosition(position_);
}

void TUpDown::SetPosition(int value) { position_ = std::clamp(value, min_, max_); }

void TUpDown::Click(TUDBtnType button) {
    SetPosition(position_ + (button == btNext ? 1 : -1));
    ui::Fire(OnClick, this, button);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    ControlOf<QWidget>::resizeEvent(event);
    ui::Dispatch(this, [this] { LayOutButtons(); });
}

// Horizontal: the previous button on the left; vertical: the next button on top.
void TUpDown::LayOutButtons() {
    const int w = width();
    const int h = height();
    if (orientation_ == udHorizontal) {
        prev_->setGeometry(0, 0, w / 2, h);
        next_->setGeometry(w / 2, 0, w - w / 2, h);
    } else {
        next_->setGeometry(0, 0, w, h / 2);
        prev_->setGeometry(0, h / 2, w, h - h / 2);
    }
}
