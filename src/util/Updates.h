// TUpdatesForm: the "Updates" window that switches the automatic update check and checks at once.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TCheckBox;
class TDvCheckUpdates;
class TEdit;
class TLabel;

class TUpdatesForm : public TForm {
public:
    // The checker is the main window's; the window reads and stores its settings.
    TUpdatesForm(QWidget* owner, TDvCheckUpdates* checkUpdates);

    TCheckBox* CheckBox;
    TEdit* IntervalEdit;
    TLabel* LastCheckLabel;
    TButton* CheckNowButton;
    TButton* OkButton;
    TButton* CancelButton;

private:
    void FormShow();
    void ShowLastCheck();
    void CheckNowClick();
    void OkClick();

    TDvCheckUpdates* checkUpdates_;
};
