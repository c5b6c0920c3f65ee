// TUpgradeConfirmForm: asks before an older database is upgraded.
#pragma once

#include "platform/ui/Form.h"

#include <functional>

class TButton;

// Upgrade closes with mrOk only when the administrator check grants the rights; Cancel closes with mrCancel.
class TUpgradeConfirmForm : public TForm {
public:
    TUpgradeConfirmForm(QWidget* owner, std::function<bool()> checkAdministrator);

    TButton* UpgradeButton = nullptr;
    TButton* CancelButton = nullptr;

private:
    void UpgradeButtonClick();

    std::function<bool()> checkAdministrator_;
};
