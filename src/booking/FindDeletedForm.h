// TFindDeletedForm: asks which deleted bookings to list and opens the deleted-bookings window on them.
#pragma once

#include "booking/FindHistoryChoiceForm.h"

class TFindDeletedForm : public TFindHistoryChoiceForm {
public:
    TFindDeletedForm(QWidget* owner, TData& data);

protected:
    void OkButtonClick() override;
};
