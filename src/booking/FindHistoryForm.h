// TFindHistoryForm: asks which History rows to list and opens the history window on them.
#pragma once

#include "booking/FindHistoryChoiceForm.h"

class TComboBox;

class TFindHistoryForm : public TFindHistoryChoiceForm {
public:
    TFindHistoryForm(QWidget* owner, TData& data);

    TRadioButton* MaintenanceRadioButton;
    TRadioButton* TaskIdRadioButton;
    TEdit* TaskIdEdit;
    TComboBox* SortComboBox;

protected:
    void OkButtonClick() override;
};
