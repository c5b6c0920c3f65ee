// TControl: the framework's members of every control, and ControlOf<QtWidget>, which puts them on a Qt widget.
#pragma once

#include "platform/rtl/Alignment.h"
#include "platform/ui/Events.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Keys.h"

#include <QPalette>
#include <QWidget>
#include <functional>

class TForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Forms use all of them; controls bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

class TControl {
public:
    explicit TControl(QWidget& widget);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    QWidget& Widget() const { return widget_; }
    // The form this control sits on (the form itself for a form).
    TForm* ParentForm() const;

    QString Name() const;
    void SetName(const QString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const;
    // Virtual: a scrolling control's client area and painting are its viewport's.
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const;
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();
    virtual void Repaint();
    virtual void Invalidate();

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }
    // Whether hints show; while ParentShowHint is set the parent control decides.
    bool ShowHint() const;
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint) { parentShowHint_ = parentShowHint; }
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    // Key stages, in the order the framework runs them (see KeyRouting.h). Controls override them.
    // "Wants this key?": Tab, arrows, Enter and Esc the control keeps instead of the form's dialog keys.
    virtual bool WantsKey(Word key, TShiftState shift) const;
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(Word& key, TShiftState shift);

    virtual void Click();
    virtual void DoEnter();
    virtual void DoExit();
    // The hint text for a point of the control (client coordinates); empty shows none.
    virtual QString HintAt(QPoint point) const;

    // Called by the event routing: enter and exit happen once each, however focus moved.
    void HandleEnter();
    void HandleExit();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Whether a mouse release inside the control is a click (buttons click through their own signal).
    virtual bool ClicksOnMouseUp() const { return true; }

protected:
    // The palette roles the control's Color and Font colour paint.
    virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }

private:
    void ApplyFont();

    QWidget& widget_;
    int tag_ = 0;
    TAlign align_ = alNone;
    TColor color_ = clBtnFace;
    TFont font_;
    QString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool entered_ = false;
    TPopupMenu* popupMenu_ = nullptr;
};

// The control of a widget, or the nearest control above it; null when none.
TControl* FindControl(QWidget* widget);

namespace ui {

// Where a control made with this parent goes (a form's controls go into its client area).
QWidget* ContainerOf(QWidget* parent);
// Lays out the aligned children of a widget: top, bottom, left, right, then client.
void ArrangeAlignedChildren(QWidget& container);
// The event handling every control shares: keys through the framework's stages, enter and exit,
// mouse events, hints, popup menus and alignment. base runs the widget's own handling.
bool HandleControlEvent(TControl& control, QEvent* event, const std::function<bool(QEvent*)>& base);

template <class QtBase>
class ControlOf : public QtBase, public TControl {
public:
    explicit ControlOf(QWidget* parent) : QtBase(ContainerOf(parent)), TControl(static_cast<QWidget&>(*this)) {}

protected:
    bool event(QEvent* e) override {
        return HandleControlEvent(*this, e, [this](QEvent* inner) { return QtBase::event(inner); });
    }
};

}  // namespace ui
