// The controls and keys every wizard page shares.
#include "platform/ui/WizardForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Label.h"

namespace ui {

void WizardForm::FindWizardControls() {
    TopPanel = Find<TPanel>("TopPanel");
    TitleLabel = Find<TLabel>("TitleLabel");
    DescriptionLabel = Find<TLabel>("DescriptionLabel");
    PrevButton = Find<TButton>("PrevButton");
    NextButton = Find<TButton>("NextButton");
    CancelButton = Find<TButton>("CancelButton");
}

void WizardForm::MyKeyPress(QObject*, QChar& key) {
    if (key != u'\r' || !NextButton->Enabled()) return;
    key = QChar();
    NextButton->Click();
}

void WizardForm::EnterMovesOn(TControl& control) {
    control.OnKeyPress = [this](QObject* sender, QChar& key) { MyKeyPress(sender, key); };
}

}  // namespace ui
