// The picker's drop-down button: the picker paints its face and hears its clicks.
#include "controls/edit/DateComboButton.h"

#include "controls/edit/DateTimePicker.h"

TwwDateComboButton::TwwDateComboButton(QWidget* parent, TwwDBCustomDateTimePicker* picker)
    : TwwComboButton(parent), picker_(picker) {
    SetTransparent(false);
    OnClick = [this](QObject*) { picker_->ButtonClick(); };
}

void TwwDateComboButton::Paint(TCanvas& canvas) { picker_->PaintButton(canvas); }
