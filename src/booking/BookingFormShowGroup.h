// TShowGroupForm: the three-way question whether an action applies to other bookings of the group.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TMemo;

class TShowGroupForm : public TForm {
public:
    explicit TShowGroupForm(QWidget* owner = nullptr);

    TMemo* InfoMemo = nullptr;
    TButton* YesButton = nullptr;
    TButton* NoButton = nullptr;
    TButton* CancelButton = nullptr;

    // Word-wraps the text into the memo and fits the dialog's height to it.
    void SetMessage(const QString& text);
};
