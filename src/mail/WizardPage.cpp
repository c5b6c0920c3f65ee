// The shared frame of the e-mail settings wizard pages.
#include "mail/WizardPage.h"

#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"

namespace mail {

// The description may take two lines; the title panel is high enough for them at larger desktop fonts.
WizardPage::WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description)
    : WizardForm(owner) {
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
    FindWizardControls();
    MiddlePanel = Find<TPanel>("MiddlePanel");
    BottomPanel = Find<TPanel>("BottomPanel");
}

}  // namespace mail
