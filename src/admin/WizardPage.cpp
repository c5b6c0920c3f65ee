// The shared frame of the administration wizards' pages.
#include "admin/WizardPage.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace admin {

// The heading and the second line may each take two lines at larger desktop fonts.
WizardPage::WizardPage(QWidget* owner, const WizardPageFrame& frame) : TForm(owner) {
    ui::DescribeForm(
        *this, {frame.name, frame.caption, bsDialog, poScreenCenter, kWidth, 340},
        {
            // name            class     parent      left top  width height caption  properties
            {"TopPanel", "TPanel", "", 0, 0, kWidth, 84, "", "Color=clWhite; BevelOuter=bvNone"},
            {"TitleLabel", "TLabel", "TopPanel", 16, 6, kWidth - 32, 38, frame.heading,
             "AutoSize=False; WordWrap=True; Font.Style=fsBold"},
            {"DescriptionLabel", "TLabel", "TopPanel", 32, 44, kWidth - 48, 38, frame.description,
             "AutoSize=False; WordWrap=True"},
            {"PrevButton", "TButton", "", kWidth - 322, 302, 90, 25, "Prev", "ModalResult=mrBack"},
            {"NextButton", "TButton", "", kWidth - 224, 302, 110, 25, "Next", "ModalResult=mrNext"},
            {"CancelButton", "TButton", "", kWidth - 106, 302, 90, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    TopPanel = Find<TPanel>("TopPanel");
    TitleLabel = Find<TLabel>("TitleLabel");
    DescriptionLabel = Find<TLabel>("DescriptionLabel");
    PrevButton = Find<TButton>("PrevButton");
    NextButton = Find<TButton>("NextButton");
    CancelButton = Find<TButton>("CancelButton");
}

void WizardPage::MyKeyPress(QObject*, QChar& key) {
    if (key != u'\r' || !NextButton->Enabled()) return;
    key = QChar();
    NextButton->Click();
}

void WizardPage::EnterMovesOn(TControl& control) {
    control.OnKeyPress = [this](QObject* sender, QChar& key) { MyKeyPress(sender, key); };
}

}  // namespace admin
