// TwwDBCustomCombo: the field-bound edit with a button inside its right border that drops something down
// (a list, a dialog), and TwwComboDlgButton, that button.
#pragma once

#include "controls/edit/WwComboButton.h"
#include "controls/edit/WwDBEdit.h"

class TwwDBCustomCombo;

// The combo's button: a press toggles the drop-down; its face is the combo's.
class TwwComboDlgButton : public TwwComboButton {
public:
    TwwComboDlgButton(QWidget* parent, TwwDBCustomCombo* combo);
    void Paint(TCanvas& canvas) override;
    // The plain button look, for the faces the combo leaves to the button.
    void PaintAsButton(TCanvas& canvas) { TwwComboButton::Paint(canvas); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TwwDBCustomCombo* combo_;
};

class TwwDBCustomCombo : public TwwDBCustomEdit {
public:
    explicit TwwDBCustomCombo(QWidget* parent);

    TBtnWinControl* ButtonHolder() const { return holder_; }
    TwwComboDlgButton* Button() const { return button_; }
    TwwComboButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TwwComboButtonStyle style);
    // 0: the larger of the scroll bar's width and 15.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    const TBitmap& ButtonGlyph() const { return button_->Glyph(); }
    void SetButtonGlyph(const TBitmap& glyph);
    TwwComboButtonEffects& ButtonEffects() { return buttonEffects_; }
    // Keeps the text out of the button area.
    bool LimitEditRect = false;
    // Put the record into edit mode before the dialog handler runs.
    bool EditBeforeDialog = true;
    // Run by the base DropDown (an ellipsis button's dialog).
    TNotifyEvent OnCustomDlg;

    virtual bool IsButtonGlyphStored() const { return buttonStyle_ == cbsCustom; }
    // Draws the button's face.
    virtual void PaintButton(TCanvas& canvas);
    // The text may be typed into.
    virtual bool AllowsTyping() const { return listOnly_ != 1; }
    // Marks the edit modified when accepting.
    virtual void CloseUp(bool accept);
    virtual void DropDown();
    // CloseUp(true) when dropped down, else DropDown.
    void ToggleDropDown();

    int GetButtonWidth() const override;
    int GetTextRightEdge() const override;
    bool IsTextEditable() const override;
    bool IsDroppedDown() const override { return dialogRunning_; }
    bool GetShowButton() const override;
    void SetShowButton(bool show) override;
    void SetEditRect() override;
    void Loaded() override;

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void DoEnter() override;

protected:
    // Places the holder and the button at the right edge.
    void LayoutButton();
    // Reloads the drop-down glyph by the style and the button look.
    void RefreshGlyph();
    // 1: the text cannot be typed into.
    quint8 listOnly_ = 0;
    bool buttonHot_ = false;

    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TBtnWinControl* holder_;
    TwwComboDlgButton* button_;
    TwwComboButtonEffects buttonEffects_;
    TwwComboButtonStyle buttonStyle_ = cbsEllipsis;
    int buttonWidth_ = 0;
    bool dialogRunning_ = false;
    // The key-down of Enter or Esc closed the list: its character is not the edit's.
    bool swallowChar_ = false;
};
