// The members every control shares and the event handling that gives them the framework's behaviour.
#include "platform/ui/Control.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/KeyRouting.h"
#include "platform/ui/Menus.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>
#include <vector>

TControl::TControl(QWidget& widget) : widget_(widget), font_(widget.font()) {
    font_.OnChange = [this](QObject*) { ApplyFont(); };
}

TControl::~TControl() = default;

TForm* TControl::ParentForm() const { return dynamic_cast<TForm*>(widget_.window()); }

QString TControl::Name() const { return widget_.objectName(); }
void TControl::SetName(const QString& name) { widget_.setObjectName(name); }

int TControl::Left() const { return widget_.x(); }
int TControl::Top() const { return widget_.y(); }
int TControl::Width() const { return widget_.width(); }
int TControl::Height() const { return widget_.height(); }
void TControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TControl::SetBounds(int left, int top, int width, int height) {
    if (widget_.isWindow()) {
        // A window's position is its frame's, as Left and Top read it; its size is the client's.
        // A border the user cannot drag does not stop code from sizing the window.
        widget_.move(left, top);
        if (widget_.minimumSize() == widget_.maximumSize())
            widget_.setFixedSize(std::max(0, width), std::max(0, height));
        else widget_.resize(std::max(0, width), std::max(0, height));
    } else {
        widget_.setGeometry(left, top, std::max(0, width), std::max(0, height));
    }
    ui::ArrangeAlignedChildren(widget_);
    if (align_ != alNone && widget_.parentWidget()) ui::ArrangeAlignedChildren(*widget_.parentWidget());
}

// Left and Top are the frame position for a window as well, so the rectangle agrees with them.
TRect TControl::BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (widget_.parentWidget()) ui::ArrangeAlignedChildren(*widget_.parentWidget());
}

bool TControl::Visible() const { return !widget_.isHidden(); }

void TControl::SetVisible(bool visible) {
    widget_.setVisible(visible);
    if (align_ != alNone && widget_.parentWidget()) ui::ArrangeAlignedChildren(*widget_.parentWidget());
}

bool TControl::Enabled() const { return widget_.isEnabled(); }
void TControl::SetEnabled(bool enabled) { widget_.setEnabled(enabled); }
bool TControl::TabStop() const { return widget_.focusPolicy() & Qt::TabFocus; }

// Leaving the tab order keeps a control that never takes the focus (a button beside an edit) from taking it
// on a click.
void TControl::SetTabStop(bool tabStop) {
    if (!tabStop && widget_.focusPolicy() == Qt::NoFocus) return;
    widget_.setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TControl::Focused() const { return widget_.hasFocus(); }

bool TControl::CanFocus() const {
    return widget_.isVisible() && widget_.isEnabled() && widget_.focusPolicy() != Qt::NoFocus;
}

void TControl::SetFocus() {
    if (TForm* form = ParentForm()) form->SetActiveControl(this);
    else widget_.setFocus(Qt::OtherFocusReason);
}

void TControl::Repaint() { widget_.repaint(); }
void TControl::Invalidate() { widget_.update(); }

void TControl::SetColor(TColor color) {
    color_ = color;
    QPalette palette = widget_.palette();
    palette.setColor(BackgroundRole(), ui::ToQColor(color));
    widget_.setPalette(palette);
    widget_.setAutoFillBackground(true);
}

bool TControl::ShowHint() const {
    if (!parentShowHint_) return showHint_;
    TControl* parent = widget_.parentWidget() ? FindControl(widget_.parentWidget()) : nullptr;
    return parent ? parent->ShowHint() : showHint_;
}

void TControl::SetShowHint(bool showHint) {
    showHint_ = showHint;
    parentShowHint_ = false;
}

bool TControl::WantsKey(Word, TShiftState) const { return false; }
void TControl::KeyDown(Word& key, TShiftState shift) { ui::Fire(OnKeyDown, &widget_, key, shift); }
void TControl::KeyPress(QChar& key) { ui::Fire(OnKeyPress, &widget_, key); }
void TControl::KeyUp(Word& key, TShiftState shift) { ui::Fire(OnKeyUp, &widget_, key, shift); }
void TControl::Click() { ui::Fire(OnClick, &widget_); }
void TControl::DoEnter() { ui::Fire(OnEnter, &widget_); }
void TControl::DoExit() { ui::Fire(OnExit, &widget_); }
QString TControl::HintAt(QPoint) const { return hint_; }

void TControl::HandleEnter() {
    if (entered_) return;
    entered_ = true;
    if (TForm* form = ParentForm(); form && form != this) form->NoteActiveControl(this);
    DoEnter();
}

void TControl::HandleExit() {
    if (!entered_) return;
    entered_ = false;
    DoExit();
}

void TControl::ApplyFont() {
    widget_.setFont(font_.ToQFont());
    QPalette palette = widget_.palette();
    const QColor color = ui::ToQColor(font_.Color());
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, color);
    widget_.setPalette(palette);
}

TControl* FindControl(QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (auto* control = dynamic_cast<TControl*>(widget)) return control;
    return nullptr;
}

namespace ui {

TMouseButton MouseButtonOf(Qt::MouseButton button) {
    if (button == Qt::RightButton) return mbRight;
    if (button == Qt::MiddleButton) return mbMiddle;
    return mbLeft;
}

namespace {

bool HandleMouse(TControl& control, QMouseEvent& e) {
    QWidget* sender = &control.Widget();
    const TShiftState shift = ShiftStateOf(e.modifiers(), e.buttons());
    const QPoint p = e.position().toPoint();
    switch (e.type()) {
        case QEvent::MouseButtonPress:
            Fire(control.OnMouseDown, sender, MouseButtonOf(e.button()), shift, p.x(), p.y());
            break;
        case QEvent::MouseButtonRelease:
            Fire(control.OnMouseUp, sender, MouseButtonOf(e.button()), shift, p.x(), p.y());
            return e.button() == Qt::LeftButton && control.Widget().rect().contains(p);
        case QEvent::MouseButtonDblClick: Fire(control.OnDblClick, sender); break;
        case QEvent::MouseMove: Fire(control.OnMouseMove, sender, shift, p.x(), p.y()); break;
        default: break;
    }
    return false;
}

bool ShowHintFor(TControl& control, QHelpEvent& e) {
    const QString text = control.ShowHint() ? control.HintAt(e.pos()) : QString();
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(e.globalPos(), text, &control.Widget());
    return true;
}

}  // namespace

QWidget* ContainerOf(QWidget* parent) {
    if (auto* form = dynamic_cast<TForm*>(parent)) return form->ClientArea();
    return parent;
}

void ArrangeAlignedChildren(QWidget& container) {
    std::vector<TControl*> aligned;
    for (QObject* child : container.children())
        if (auto* control = dynamic_cast<TControl*>(child); control && control->Align() != alNone && control->Visible())
            aligned.push_back(control);
    QRect area = container.contentsRect();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : aligned) {
            if (c->Align() != pass) continue;
            QWidget& w = c->Widget();
            switch (pass) {
                case alTop:
                    w.setGeometry(area.left(), area.top(), area.width(), w.height());
                    area.setTop(area.top() + w.height());
                    break;
                case alBottom:
                    w.setGeometry(area.left(), area.bottom() + 1 - w.height(), area.width(), w.height());
                    area.setBottom(area.bottom() - w.height());
                    break;
                case alLeft:
                    w.setGeometry(area.left(), area.top(), w.width(), area.height());
                    area.setLeft(area.left() + w.width());
                    break;
                case alRight:
                    w.setGeometry(area.right() + 1 - w.width(), area.top(), w.width(), area.height());
                    area.setRight(area.right() - w.width());
                    break;
                default: w.setGeometry(area); break;
            }
            // A hidden window gets no resize events yet; its aligned controls are laid out now.
            ArrangeAlignedChildren(w);
        }
    }
}

namespace {

bool RouteControlEvent(TControl& control, QEvent* event, const std::function<bool(QEvent*)>& base) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            if (DeliveringNatively()) return base(event);
            auto& key = static_cast<QKeyEvent&>(*event);
            const NativeKeyHandler native = [&](QKeyEvent& e) { base(&e); };
            if (event->type() == QEvent::KeyPress) RouteKeyPress(control, key, native);
            else RouteKeyRelease(control, key, native);
            // Keys never travel on to the parent, as the framework's messages do not.
            event->accept();
            return true;
        }
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) control.HandleEnter();
            return base(event);
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) control.HandleExit();
            return base(event);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            const bool clicked = HandleMouse(control, static_cast<QMouseEvent&>(*event));
            const bool result = base(event);
            if (clicked && control.ClicksOnMouseUp()) control.Click();
            return result;
        }
        case QEvent::ToolTip: return ShowHintFor(control, static_cast<QHelpEvent&>(*event));
        case QEvent::ContextMenu:
            if (TPopupMenu* menu = control.PopupMenu()) {
                menu->Popup(static_cast<QContextMenuEvent*>(event)->globalPos().x(),
                            static_cast<QContextMenuEvent*>(event)->globalPos().y());
                return true;
            }
            return base(event);
        case QEvent::Resize: {
            const bool result = base(event);
            ArrangeAlignedChildren(control.Widget());
            Fire(control.OnResize, &control.Widget());
            return result;
        }
        default: return base(event);
    }
}

}  // namespace

bool HandleControlEvent(TControl& control, QEvent* event, const std::function<bool(QEvent*)>& base) {
    bool handled = true;
    Dispatch(&control.Widget(), [&] { handled = RouteControlEvent(control, event, base); });
    return handled;
}

}  // namespace ui
