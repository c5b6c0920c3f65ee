// The frame every e-mail settings wizard page shares: white title panel, field panel, Cancel/Prev/Next.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TLabel;
class TPanel;

namespace mail {

class WizardPage : public TForm {
public:
    TPanel* TopPanel;
    TLabel* TitleLabel;
    TLabel* DescriptionLabel;
    // Where a page puts its fields.
    TPanel* MiddlePanel;
    TPanel* BottomPanel;
    TButton* CancelButton;
    TButton* PrevButton;
    TButton* NextButton;

    // The handler of the page's fields: Enter acts as Next while Next is enabled.
    void MyKeyPress(QObject* sender, QChar& key);

protected:
    WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description);

    // Makes Enter on the control act as Next.
    void EnterMovesOn(TControl& control);
};

}  // namespace mail
