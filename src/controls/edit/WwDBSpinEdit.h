// TwwDBSpinEdit: the field-bound edit with up and down buttons that step a number within limits, or the
// date or time part under the caret; TwwSpinButton is the pair, TwwTimerSpeedButton one repeating button.
#pragma once

#include "controls/edit/WwComboButton.h"
#include "controls/edit/WwDBEdit.h"

class TTimer;

// A spin button that repeats its click while held: after 400 ms, then every 100 ms.
class TwwTimerSpeedButton : public TwwSpinControlButton {
public:
    explicit TwwTimerSpeedButton(QWidget* parent);
    ~TwwTimerSpeedButton() override;

    bool AutoRepeat = false;
    bool MouseInside() const { return mouseInside_; }
    // Back to the up state, forgetting the mouse.
    void Release();

    static constexpr int kFirstDelayMs = 400;
    static constexpr int kRepeatDelayMs = 100;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Tick();
    void StopTimer();

    TTimer* timer_ = nullptr;
    bool mouseInside_ = false;
};

class TwwSpinButton : public ui::ControlOf<QWidget> {
public:
    explicit TwwSpinButton(QWidget* parent);

    TwwTimerSpeedButton* UpButton() const { return up_; }
    TwwTimerSpeedButton* DownButton() const { return down_; }
    bool Flat() const { return up_->Flat(); }
    void SetFlat(bool flat);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    bool WantsKey(Word key, TShiftState shift) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TwwTimerSpeedButton* up_;
    TwwTimerSpeedButton* down_;
};

class TwwDBSpinEdit : public TwwDBCustomEdit {
public:
    explicit TwwDBSpinEdit(QWidget* parent);

    double Increment = 1;
    // Both 0: no limits.
    double MinValue = 0;
    double MaxValue = 0;
    // The value the text stands for; MinValue when it is empty or does not read.
    double Value() const;
    // Limits the value, shows it and marks the edit modified.
    void SetValue(double value);
    double CheckValue(double value) const;
    // Off: only the buttons and the arrow keys change the value.
    bool EditorEnabled = true;
    bool LimitEditRect = false;
    TwwComboButtonEffects& ButtonEffects() { return buttonEffects_; }
    TwwSpinButton* SpinButton() const { return spin_; }

    TNotifyEvent BeforeUpClick;
    TNotifyEvent AfterUpClick;
    TNotifyEvent BeforeDownClick;
    TNotifyEvent AfterDownClick;

    virtual void UpClick();
    virtual void DownClick();
    // Whether the character may be typed.
    virtual bool IsValidChar(QChar key) const;

    void SetDisplayFormat(const QString& format) override;
    bool GetShowButton() const override;
    int GetButtonWidth() const override;
    int GetTextRightEdge() const override;
    void Loaded() override;

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void DoExit() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool IsNumericEdit() const;
    bool IsIntegerField() const;
    bool IsFloatField() const;
    void Step(bool up);
    void StepDatePart(bool up);
    void LayoutSpin();

    TwwSpinButton* spin_;
    TwwComboButtonEffects buttonEffects_;
    bool loadingValue_ = false;
};
