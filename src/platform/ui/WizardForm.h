// ui::WizardForm: what every wizard page shares: the white title panel's heading and second line, Prev, Next and
// Cancel, and Enter acting as Next on the controls a page chooses.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TLabel;
class TPanel;

namespace ui {

class WizardForm : public TForm {
public:
    TPanel* TopPanel = nullptr;
    TLabel* TitleLabel = nullptr;
    TLabel* DescriptionLabel = nullptr;
    TButton* PrevButton = nullptr;
    TButton* NextButton = nullptr;
    TButton* CancelButton = nullptr;

    // Enter acts as Next while Next is enabled.
    void MyKeyPress(QObject* sender, QChar& key);

protected:
    using TForm::TForm;

    // Takes the controls named as the members above from the page's description.
    void FindWizardControls();
    // Makes Enter on the control act as Next.
    void EnterMovesOn(TControl& control);
};

}  // namespace ui
