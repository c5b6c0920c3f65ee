// The backup recommendation dialog and the rule that decides when it shows.
#include "admin/BackupRecommendation.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"

TBackupRecommendationForm::TBackupRecommendationForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(
        *this, {"BackupRecommendationForm", "Backup Recommendation", bsDialog, poScreenCenter, 440, 250},
        {
            // name            class     parent      left top  width height caption  properties
            {"TopPanel", "TPanel", "", 0, 0, 440, 64, "", "Color=clWhite; BevelOuter=bvNone"},
            {"TitleLabel", "TLabel", "TopPanel", 16, 8, 408, 20, "Backup Recommendation",
             "AutoSize=False; Font.Style=fsBold"},
            {"DescriptionLabel", "TLabel", "TopPanel", 32, 32, 392, 28,
             "Before proceeding ensure you have a current backup.", "AutoSize=False; WordWrap=True"},
            {"InfoMemo", "TMemo", "", 16, 76, 408, 84,
             "Making a backup before proceeding with this operation is highly \n"
             "recommended. This operation may make significant changes to the \n"
             "database and ensuring you have a current backup is considered a best \n"
             "practice to prevent data loss.",
             "ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone"},
            {"DoNotDisplayAgainCheckBox", "TCheckBox", "", 16, 172, 408, 21, "Do not display this dialog again"},
            {"CancelButton", "TButton", "", 16, 210, 220, 25, "Cancel So I Can Make a Backup",
             "Cancel=True; ModalResult=mrCancel"},
            {"ProceedButton", "TButton", "", 334, 210, 90, 25, "Proceed", "Default=True; ModalResult=mrOk"},
        });
    CancelButton = Find<TButton>("CancelButton");
    ProceedButton = Find<TButton>("ProceedButton");
    DoNotDisplayAgainCheckBox = Find<TCheckBox>("DoNotDisplayAgainCheckBox");
    InfoMemo = Find<TMemo>("InfoMemo");
    DoNotDisplayAgainCheckBox->SetChecked(false);
    Loaded();
}

namespace admin {

bool RecommendBackup(bool& showDialog, const std::function<void()>& saveFlags) {
    if (!showDialog) return true;
    TBackupRecommendationForm form;
    if (form.ShowModal() != mrOk) return false;
    showDialog = !form.DoNotDisplayAgainCheckBox->Checked();
    if (saveFlags) saveFlags();
    return true;
}

bool RecommendBackup(const MainWindowServices& mainWindow, BackupOperation operation) {
    if (!mainWindow.BackupDialogFlag) return true;
    return RecommendBackup(mainWindow.BackupDialogFlag(operation), mainWindow.SaveBackupDialogFlags);
}

}  // namespace admin
