// The scroll bar turns Qt's slider actions into the framework's scroll codes and lets the handler set the position.
#include "platform/ui/ScrollBar.h"

#include "platform/ui/Dispatch.h"

#include <algorithm>

namespace {

// Qt's slider actions as scroll codes; scEndScroll for any other.
TScrollCode CodeOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: return scLineUp;
        case QAbstractSlider::SliderSingleStepAdd: return scLineDown;
        case QAbstractSlider::SliderPageStepSub: return scPageUp;
        case QAbstractSlider::SliderPageStepAdd: return scPageDown;
        case QAbstractSlider::SliderToMinimum: return scTop;
        case QAbstractSlider::SliderToMaximum: return scBottom;
        case QAbstractSlider::SliderMove: return scTrack;
        default: return scEndScroll;
    }
}

}  // namespace

TScrollBar::TScrollBar(QWidget* parent) : ControlOf<QScrollBar>(parent) {
    setOrientation(Qt::Horizontal);
    SetBounds(0, 0, 121, 17);
    SetParams(0, 0, 100);
    setPageStep(1);
    // Qt has moved the slider when it reports the action and takes the value from it afterwards, so the
    // handler's position is the one that stays.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        ui::Dispatch(this, [this, action] {
            const TScrollCode code = CodeOf(action);
            if (code == scEndScroll || !OnScroll) return;
            int position = sliderPosition();
            OnScroll(this, code, position);
            setSliderPosition(std::clamp(position, minimum(), maximum()));
        });
    });
    connect(this, &QAbstractSlider::sliderReleased, this,
            [this] { ui::Dispatch(this, [this] { Scroll(scEndScroll); }); });
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    setOrientation(kind == sbVertical ? Qt::Vertical : Qt::Horizontal);
    if (kind == sbVertical) SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetParams(int position, int min, int max) {
    setRange(min, max);
    setValue(position);
}

int TScrollBar::PositionAfter(TScrollCode code) const {
    switch (code) {
        case scLineUp: return value() - singleStep();
        case scLineDown: return value() + singleStep();
        case scPageUp: return value() - pageStep();
        case scPageDown: return value() + pageStep();
        case scTop: return minimum();
        case scBottom: return maximum();
        case scTrack:
        case scPosition: return sliderPosition();
        default: return value();
    }
}

void TScrollBar::Scroll(TScrollCode code) {
    int position = std::clamp(PositionAfter(code), minimum(), maximum());
    if (OnScroll) OnScroll(this, code, position);
    setValue(position);
}
