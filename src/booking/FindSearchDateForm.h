// TSearchDateForm: "Go to Date": one date, today at first; the caller reads it after OK.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TwwDBDateTimePicker;

class TSearchDateForm : public TForm {
public:
    explicit TSearchDateForm(QWidget* owner = nullptr);

    TwwDBDateTimePicker* DatePicker;
    TButton* OkButton;
    TButton* CancelButton;
};
