// TwwDateComboButton: the date/time picker's drop-down button, its face painted by the picker.
#pragma once

#include "controls/edit/WwComboButton.h"

class TwwDBCustomDateTimePicker;

class TwwDateComboButton : public TwwComboButton {
public:
    TwwDateComboButton(QWidget* parent, TwwDBCustomDateTimePicker* picker);
    void Paint(TCanvas& canvas) override;
    // The plain button look, for the custom glyph the picker leaves to the button.
    void PaintAsButton(TCanvas& canvas) { TwwComboButton::Paint(canvas); }

private:
    TwwDBCustomDateTimePicker* picker_;
};
