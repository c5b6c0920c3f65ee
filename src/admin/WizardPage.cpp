// The shared frame of the administration wizards' pages.
#include "admin/WizardPage.h"

#include "platform/ui/FormDescription.h"

namespace admin {

// The heading and the second line may each take two lines at larger desktop fonts.
WizardPage::WizardPage(QWidget* owner, const WizardPageFrame& frame) : WizardForm(owner) {
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
    FindWizardControls();
}

}  // namespace admin
