// The drawn border of an edit and the flat or transparent look of its button.
#include "controls/edit/WwFrame.h"

#include "controls/edit/WwWindows.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool IsEdit(const TControl* control) {
    const QWidget* widget = control ? &control->Widget() : nullptr;
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

bool IsBoxLike(TwwEditFocusStyle style) { return style == efsFrameBox || style == efsFrameSingle; }

}  // namespace

TwwEditFrame::TwwEditFrame(TControl* control) : control_(control) {}

void TwwEditFrame::RepaintControl() {
    if (control_) control_->Invalidate();
}

void TwwEditFrame::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (IsEdit(control_)) {
        if (enabled) SetBorderStyleProp(control_, false);
        if (controls::GetPropAs<bool>(control_, "AutoSize")) AdjustHeight();
    }
    RepaintControl();
}

void TwwEditFrame::SetNonFocusBorders(TwwEditFrameEnums borders) {
    nonFocusBorders_ = borders;
    if (control_ && enabled_ && transparent_) InvalidateParentAreaForFrame(*control_, EraseBackground);
    else RepaintControl();
}

void TwwEditFrame::SetFocusBorders(TwwEditFrameEnums borders) {
    focusBorders_ = borders;
    RepaintControl();
}

void TwwEditFrame::SetFocusStyle(TwwEditFocusStyle style) {
    focusStyle_ = style;
    RepaintControl();
}

void TwwEditFrame::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    createdTransparent_ = transparent;
    RepaintControl();
}

void TwwEditFrame::Assign(const TwwEditFrame& source) {
    SetEnabled(source.enabled_);
    SetTransparent(source.transparent_);
    if (!enabled_) return;
    EraseBackground = source.EraseBackground;
    MouseEnterSameAsFocus = source.MouseEnterSameAsFocus;
    AutoSizeHeightAdjust = source.AutoSizeHeightAdjust;
    focusBorders_ = source.focusBorders_;
    nonFocusBorders_ = source.nonFocusBorders_;
    focusStyle_ = source.focusStyle_;
    nonFocusStyle_ = source.nonFocusStyle_;
    NonFocusTextOffsetX = source.NonFocusTextOffsetX;
    NonFocusTextOffsetY = source.NonFocusTextOffsetY;
    NonFocusTransparentFontColor = source.NonFocusTransparentFontColor;
    NonFocusColor = source.NonFocusColor;
    NonFocusFontColor = source.NonFocusFontColor;
    RepaintControl();
}

bool TwwEditFrame::IsFrameEffective() const { return enabled_ && control_ && !IsInGrid(control_); }

TRect TwwEditFrame::AdjustEditRect(const TRect& client) const {
    TRect rect = client;
    if (IsBoxLike(focusStyle_)) {
        rect.Left += 2;
        rect.Top += 2;
        if (focusStyle_ == efsFrameBox && focusBorders_.Contains(efRightBorder)) rect.Right -= 1;
        return rect;
    }
    rect.Top += 3;
    if (focusBorders_.Contains(efLeftBorder))
        rect.Left += (focusStyle_ == efsFrameSunken || focusStyle_ == efsFrameBump) ? 3 : 2;
    else rect.Left += 1;
    rect.Right -= 2;
    return rect;
}

TPoint TwwEditFrame::GetTextOrigin(bool focused) const {
    const TwwEditFrameEnums borders = UsedBorders(focused);
    const TwwEditFocusStyle style = UsedStyle(focused);
    int x = 1;
    if (borders.Contains(efLeftBorder)) x = IsBoxLike(style) ? 2 : 3;
    const int y = borders.Contains(efTopBorder) && !IsBoxLike(style) ? 3 : 2;
    return {x + NonFocusTextOffsetX, y + NonFocusTextOffsetY};
}

int TwwEditFrame::AutoSizeHeight(bool hasBorder, int fontHeight) const {
    // Eight border heights for a bordered edit, six without, as the platform sizes single-line edits.
    return (hasBorder ? 8 : 6) + (enabled_ ? AutoSizeHeightAdjust : 0) + fontHeight;
}

void TwwEditFrame::AdjustHeight() {
    if (!control_) return;
    const int fontHeight = QFontMetrics(control_->Widget().font()).height();
    control_->SetHeight(AutoSizeHeight(GetBorderStyleProp(control_), fontHeight));
}

void TwwEditFrame::RefreshTransparentArea() {
    if (control_) InvalidateParentAreaForFrame(*control_, EraseBackground);
}

TwwButtonEffects::TwwButtonEffects(QObject* owner, QObject* button) : owner_(owner), button_(button) {}

void TwwButtonEffects::Apply(bool setTransparent) {
    const bool look = flat_ || transparent_;
    controls::SetProp(button_, "Flat", look);
    if (setTransparent) controls::SetProp(button_, "Transparent", look);
    Refresh();
    if (auto* widget = qobject_cast<QWidget*>(button_)) widget->update();
}

void TwwButtonEffects::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Apply(false);
}

void TwwButtonEffects::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Apply(true);
}

void TwwButtonEffects::Assign(const TwwButtonEffects& source) {
    SetFlat(source.flat_);
    SetTransparent(source.transparent_);
}

namespace {

// One ring of an edge: the named sides in two colours; the rectangle shrinks by the sides drawn.
void DrawRing(TCanvas& canvas, TRect& rect, TwwEditFrameEnums sides, TColor topLeft, TColor bottomRight) {
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen().Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (sides.Contains(efLeftBorder)) line(topLeft, rect.Left, rect.Bottom - 1, rect.Left, rect.Top - 1);
    if (sides.Contains(efTopBorder)) line(topLeft, rect.Left, rect.Top, rect.Right, rect.Top);
    if (sides.Contains(efRightBorder)) line(bottomRight, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom);
    if (sides.Contains(efBottomBorder)) line(bottomRight, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom - 1);
    if (sides.Contains(efLeftBorder)) ++rect.Left;
    if (sides.Contains(efTopBorder)) ++rect.Top;
    if (sides.Contains(efRightBorder)) --rect.Right;
    if (sides.Contains(efBottomBorder)) --rect.Bottom;
}

void DrawStyledEdge(TCanvas& canvas, TRect rect, TwwEditFrameEnums sides, TwwEditFocusStyle style) {
    switch (style) {
        case efsFrameBox:
            DrawRing(canvas, rect, sides, clWindowFrame, clWindowFrame);
            DrawRing(canvas, rect, sides, clWindow, clWindow);
            break;
        case efsFrameSingle: DrawRing(canvas, rect, sides, clWindowFrame, clWindowFrame); break;
        case efsFrameSunken:
            DrawRing(canvas, rect, sides, clBtnShadow, clBtnHighlight);
            DrawRing(canvas, rect, sides, cl3DDkShadow, cl3DLight);
            break;
        case efsFrameRaised:
            DrawRing(canvas, rect, sides, cl3DLight, cl3DDkShadow);
            DrawRing(canvas, rect, sides, clBtnHighlight, clBtnShadow);
            break;
        case efsFrameEtched:
            DrawRing(canvas, rect, sides, clBtnShadow, clBtnHighlight);
            DrawRing(canvas, rect, sides, clBtnHighlight, clBtnShadow);
            break;
        case efsFrameBump:
            DrawRing(canvas, rect, sides, cl3DLight, cl3DDkShadow);
            DrawRing(canvas, rect, sides, clBtnShadow, clBtnHighlight);
            break;
    }
}

}  // namespace

void DrawEditFrameEdge(TControl& control, const TwwEditFrame& frame, TCanvas& canvas, bool focused, bool wholeWindow) {
    const TwwEditFrameEnums sides = frame.UsedBorders(focused);
    if (sides.IsEmpty()) return;
    TRect rect{0, 0, control.ClientWidth(), control.ClientHeight()};
    if (!sides.Contains(efRightBorder) && frame.Transparent()) rect.Right -= 2;
    if (wholeWindow && !(frame.Transparent() && !focused)) {
        canvas.Brush().Color = control.Color();
        const TRect window{0, 0, control.Width(), control.Height()};
        canvas.FrameRect(window);
        canvas.FrameRect({window.Left + 1, window.Top + 1, window.Right - 1, window.Bottom - 1});
    }
    DrawStyledEdge(canvas, rect, sides, frame.UsedStyle(focused));
}

void InvalidateParentAreaForFrame(TControl& control, bool /*erase: Qt always repaints the background*/) {
    QWidget& widget = control.Widget();
    if (QWidget* parent = widget.parentWidget()) parent->update(widget.geometry());
}

TwwEditFrame* GetFrameProp(controls::Published component) {
    if (auto* frame = controls::GetPropAs<TwwEditFrame*>(component, "Frame")) return frame;
    return controls::GetPropAs<TwwEditFrame*>(component, "EditFrame");
}

TwwButtonEffects* GetButtonEffectsProp(controls::Published component) {
    return controls::GetPropAs<TwwButtonEffects*>(component, "ButtonEffects");
}
