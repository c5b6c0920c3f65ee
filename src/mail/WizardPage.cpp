// The shared frame of the e-mail settings wizard pages.
#include "mail/WizardPage.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace mail {

// The description may take two lines; the title panel is high enough for them at larger desktop fonts.
WizardPage::WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description)
    : TForm(owner) {
    ui::DescribeForm(
        *this, {name, "Email Settings Wizard", bsDialog, poScreenCenter, 470, 398},
        {
            // name              class     parent        left top  width height caption properties
            {"TopPanel", "TPanel", "", 0, 0, 470, 64, "", "Color=clWhite"},
            {"TitleLabel", "TLabel", "TopPanel", 16, 8, 440, 18, title, "AutoSize=False; Font.Style=fsBold"},
            {"DescriptionLabel", "TLabel", "TopPanel", 32, 26, 430, 36, description, "AutoSize=False; WordWrap=True"},
            {"MiddlePanel", "TPanel", "", 0, 64, 470, 286, "", "BevelOuter=bvNone"},
            {"BottomPanel", "TPanel", "", 0, 350, 470, 48},
            {"CancelButton", "TButton", "BottomPanel", 16, 12, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
            {"PrevButton", "TButton", "BottomPanel", 294, 12, 75, 25, "Prev", "ModalResult=mrBack"},
            {"NextButton", "TButton", "BottomPanel", 379, 12, 75, 25, "Next", "ModalResult=mrNext"},
        });
    TopPanel = Find<TPanel>("TopPanel");
    TitleLabel = Find<TLabel>("TitleLabel");
    DescriptionLabel = Find<TLabel>("DescriptionLabel");
    MiddlePanel = Find<TPanel>("MiddlePanel");
    BottomPanel = Find<TPanel>("BottomPanel");
    CancelButton = Find<TButton>("CancelButton");
    PrevButton = Find<TButton>("PrevButton");
    NextButton = Find<TButton>("NextButton");
}

void WizardPage::MyKeyPress(QObject*, QChar& key) {
    if (key != u'\r' || !NextButton->Enabled()) return;
    key = QChar();
    NextButton->Click();
}

void WizardPage::EnterMovesOn(TControl& control) {
    control.OnKeyPress = [this](QObject* sender, QChar& key) { MyKeyPress(sender, key); };
}

}  // namespace mail
