// TwwComboButton: the small graphic push button inside the library's edits (drop-down, ellipsis, spin), and
// TBtnWinControl, the windowed holder that carries it at the edit's right edge.
#pragma once

#include "controls/edit/GlyphCache.h"
#include "controls/edit/WwEditTypes.h"
#include "controls/edit/WwFrame.h"
#include "platform/ui/Actions.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Control.h"
#include "platform/ui/Graphic.h"

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>

class TCanvas;

// The states of a button, numbered as its glyph strip orders its images.
enum TButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3 };

// The glyph of a button: a strip of up to four images, one per state, cut out on demand and kept in the shared
// glyph cache's list for their size.
class TwwComboButtonGlyph {
public:
    TwwComboButtonGlyph();
    ~TwwComboButtonGlyph();
    TwwComboButtonGlyph(const TwwComboButtonGlyph&) = delete;
    TwwComboButtonGlyph& operator=(const TwwComboButtonGlyph&) = delete;

    const TBitmap& Glyph() const { return glyph_; }
    // Copies the bitmap; a strip whose width is a multiple of its height below 5 gives that many images.
    void SetGlyph(const TBitmap& glyph);
    bool IsEmpty() const { return glyph_.Image().isNull() || glyph_.Width() == 0; }
    int NumGlyphs() const { return numGlyphs_; }
    // At most 4.
    void SetNumGlyphs(int count);
    // The image shown in a state: the strip's own, else the first (a disabled one embossed).
    QPixmap ImageFor(TButtonState state);
    // Drops the cut images (a glyph or system colour change).
    void Invalidate();
    // The cache's list the images are kept in (null before the first is made) and each state's slot (-1: none).
    TGlyphList* ImageList() const { return list_; }
    int ImageIndex(TButtonState state) const { return indexes_[size_t(state)]; }

    std::function<void()> OnChange;

private:
    QPixmap Cut(int index) const;
    QPixmap Make(TButtonState state) const;
    // Frees the slots and hands the list back.
    void ReleaseImages();

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TGlyphCache& cache_;
    TGlyphList* list_ = nullptr;
    std::array<int, 4> indexes_{-1, -1, -1, -1};
};

class TwwComboButton;

// Ties a button to an action: Down follows the action's Checked and GroupIndex its GroupIndex (the caption
// and Enabled likewise) while the button's value still equals the action's.
class TwwComboButtonActionLink : public TActionLink {
public:
    explicit TwwComboButtonActionLink(TwwComboButton& button) : button_(button) {}
    // Takes the action's values as the ones the button follows from now on.
    void Remember();

protected:
    void ActionChanged() override;

private:
    TwwComboButton& button_;
    QString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
};

class TwwComboButton : public ui::ControlOf<QWidget> {
public:
    explicit TwwComboButton(QWidget* parent);

    const TBitmap& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count);
    TwwComboButtonGlyph& GlyphObject() { return glyph_; }

    // Buttons of one GroupIndex (above 0) under one parent are latched one at a time.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // -1 shares the free space evenly.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    // -1 centres glyph and caption.
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    TButtonState State() const { return state_; }
    // The mouse is over a flat button.
    bool Hot() const { return hot_; }
    // The left button went down on this button and has not come up.
    bool Tracking() const { return tracking_; }
    // Drawn as an ellipsis push button with themes.
    bool EllipsisLook = false;

    // The release over the button clicks it (see mouseReleaseEvent), not the control's own rule.
    bool ClicksOnMouseUp() const override { return false; }
    // OnClick when set, else the action's execution.
    void Click() override;

    // The action the button follows (null: none); assigning takes its caption, Enabled, Checked as Down, its
    // GroupIndex when the button has none, and its image when the button has no glyph.
    TCustomAction* Action() const { return actionLink_.Action(); }
    void SetAction(TCustomAction* action);
    void ActionChange(bool checkDefaults);

    // The button's own drawing, by state, flat look, glyph and caption; descendants paint their faces first.
    virtual void Paint(TCanvas& canvas);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A button of the same group in the same parent went down.
    void GroupDown(TwwComboButton& sender);
    void SetState(TButtonState state);
    // Draws glyph and caption inside the rectangle as Layout, Margin and Spacing say.
    void DrawGlyphAndCaption(TCanvas& canvas, QRect rect, bool shifted);

private:
    TwwComboButtonGlyph glyph_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    bool transparent_ = true;
    bool flat_ = false;
    bool hot_ = false;
    bool tracking_ = false;
    TButtonState state_ = bsUp;
    QString caption_;
    TwwComboButtonActionLink actionLink_{*this};
};

// A button of a spin pair: its direction picks the themed up or down arrow.
class TwwSpinControlButton : public TwwComboButton {
public:
    using TwwComboButton::TwwComboButton;
    // 0 up, 1 down, anything else a plain button.
    quint8 SpinDirection = 2;
    void Paint(TCanvas& canvas) override;
};

// The windowed holder of an edit's button, a child of the edit; its width is the button's.
class TBtnWinControl : public ui::ControlOf<QWidget> {
public:
    // control: the edit that owns the holder.
    TBtnWinControl(QWidget* parent, TControl* control);
    TControl* Control() const { return control_; }
    // Set while the holder has the parent repaint the area under it.
    bool Painting = false;
    // The mouse left the holder (a flat button repaints cold).
    std::function<void()> OnMouseLeave;

protected:
    void leaveEvent(QEvent* event) override;

private:
    TControl* control_;
};

// The button look of an edit with a drop-down button: Refresh reloads what depends on it (the glyph).
class TwwComboButtonEffects : public TwwButtonEffects {
public:
    using TwwButtonEffects::TwwButtonEffects;
    std::function<void()> OnRefresh;
    void Refresh() override {
        if (OnRefresh) OnRefresh();
    }
};

// The glyph of a flat or transparent drop-down button: a small black arrow on a clear ground.
TBitmap DropDownGlyph();
// The width of the system's vertical scroll bar.
int VerticalScrollBarWidth();
