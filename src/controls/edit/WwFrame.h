// The drawn border of an edit (TwwEditFrame) and the flat or transparent look of its button (TwwButtonEffects).
#pragma once

#include "controls/edit/WwProps.h"
#include "controls/edit/WwTypes.h"
#include "platform/ui/Color.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Geometry.h"

class QObject;
class TCanvas;
class TControl;

using TwwEditFrameEnums = ui::SetOf<TwwEditFrameEnum>;

inline constexpr TwwEditFrameEnums AllFrameBorders{efLeftBorder, efTopBorder, efRightBorder, efBottomBorder};

class TwwEditFrame {
public:
    // control: the edit the frame belongs to; null for a frame held by a controller.
    explicit TwwEditFrame(TControl* control);
    virtual ~TwwEditFrame() = default;
    TwwEditFrame(const TwwEditFrame&) = delete;
    TwwEditFrame& operator=(const TwwEditFrame&) = delete;

    TControl* Control() const { return control_; }

    // The frame replaces the window border: enabling takes an edit's BorderStyle away.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TwwEditFrameEnums NonFocusBorders() const { return nonFocusBorders_; }
    void SetNonFocusBorders(TwwEditFrameEnums borders);
    TwwEditFrameEnums FocusBorders() const { return focusBorders_; }
    void SetFocusBorders(TwwEditFrameEnums borders);
    TwwEditFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TwwEditFocusStyle style);
    TwwEditFocusStyle NonFocusStyle() const { return nonFocusStyle_; }
    // Shows the parent's background while the edit has no focus.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Whether the edit's window is (to be) made transparent; the edit clears it on entry, sets it on exit.
    bool CreatedTransparent() const { return createdTransparent_; }

    int NonFocusTextOffsetX = 0;
    int NonFocusTextOffsetY = 0;
    // Transparent repaints erase the parent's background.
    bool EraseBackground = false;
    // The focused frame is drawn while the mouse is over the edit.
    bool MouseEnterSameAsFocus = false;
    int AutoSizeHeightAdjust = 0;
    // clNone: not set.
    TColor NonFocusTransparentFontColor = clNone;
    TColor NonFocusColor = clNone;
    TColor NonFocusFontColor = clNone;

    // Enabled and Transparent always; the rest only when the frame is then enabled.
    virtual void Assign(const TwwEditFrame& source);
    // Enabled, attached to a control, and not inside a grid (in-place editors draw no frame).
    bool IsFrameEffective() const;

    TwwEditFrameEnums UsedBorders(bool focused) const { return focused ? focusBorders_ : nonFocusBorders_; }
    TwwEditFocusStyle UsedStyle(bool focused) const { return focused ? focusStyle_ : nonFocusStyle_; }
    // The text rectangle inside a framed edit's client rectangle, by the focus settings.
    TRect AdjustEditRect(const TRect& client) const;
    // Where the text starts, by the focused or unfocused settings, plus the unfocused text offsets.
    virtual TPoint GetTextOrigin(bool focused) const;
    // The height of an auto-sized framed edit whose font is fontHeight pixels high.
    int AutoSizeHeight(bool hasBorder, int fontHeight) const;
    // Gives an auto-sized edit that height.
    void AdjustHeight();
    // Repaints what lies under a transparent edit after its text changed.
    void RefreshTransparentArea();

private:
    void RepaintControl();

    TControl* control_;
    bool enabled_ = false;
    TwwEditFrameEnums nonFocusBorders_{efBottomBorder};
    TwwEditFrameEnums focusBorders_ = AllFrameBorders;
    TwwEditFocusStyle focusStyle_ = efsFrameBox;
    TwwEditFocusStyle nonFocusStyle_ = efsFrameBox;
    bool transparent_ = false;
    bool createdTransparent_ = false;
};

class TwwButtonEffects {
public:
    // button: the button inside the edit whose published Flat and Transparent follow these settings.
    TwwButtonEffects(QObject* owner, QObject* button);
    virtual ~TwwButtonEffects() = default;
    TwwButtonEffects(const TwwButtonEffects&) = delete;
    TwwButtonEffects& operator=(const TwwButtonEffects&) = delete;

    bool Transparent() const { return transparent_; }
    // A transparent button is flat as well.
    void SetTransparent(bool transparent);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    QObject* Button() const { return button_; }
    QObject* Owner() const { return owner_; }

    virtual void Assign(const TwwButtonEffects& source);
    // Each control family reloads what depends on the look (the combo its drop-down glyph).
    virtual void Refresh() {}

private:
    void Apply(bool setTransparent);

    bool transparent_ = false;
    bool flat_ = false;
    QObject* owner_;
    QObject* button_;
};

// Draws the frame's sides around the control's client rectangle. wholeWindow: drawing into the whole
// window, which is first framed twice in the control's colour (not for an unfocused transparent frame).
void DrawEditFrameEdge(TControl& control, const TwwEditFrame& frame, TCanvas& canvas, bool focused,
                       bool wholeWindow = false);
// Invalidates the control's rectangle in its parent, and further up while the parents are transparent.
void InvalidateParentAreaForFrame(TControl& control, bool erase);

// The component's published "Frame" (else "EditFrame") and "ButtonEffects"; null when absent.
TwwEditFrame* GetFrameProp(controls::Published component);
TwwButtonEffects* GetButtonEffectsProp(controls::Published component);
