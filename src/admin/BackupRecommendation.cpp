// The backup recommendation dialog and the rule that decides when it shows.
#include "admin/BackupRecommendation.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"

TBackupRecommendationForm::TBackupRecommendationForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(
        *this, {"BackupRecommendationForm", "Backup Recommendation", bsDialog, poScreenCenter, 480, 268},
        {
            // name            class     parent      left top  width height caption  properties
            {"TopPanel", "TPanel", "", 0, 0, 480, 76, "", "Color=clWhite; BevelOuter=bvNone"},
            {"TitleLabel", "TLabel", "TopPanel", 16, 8, 448, 22, "Backup Recommendation",
             "AutoSize=False; Font.Style=fsBold"},
            {"DescriptionLabel", "TLabel", "TopPanel", 32, 32, 432, 40,
             "Before proceeding ensure you have a current backup.", "AutoSize=False; WordWrap=True"},
            {"InfoMemo", "TMemo", "", 16, 84, 448, 100,
             "Making a backup before proceeding with this operation is highly "
             "recommended. This operation may make significant changes to the "
             "database and ensuring you have a current backup is considered a best "
             "practice to prevent data loss.",
             "ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone"},
            {"DoNotDisplayAgainCheckBox", "TCheckBox", "", 16, 192, 448, 21, "Do not display this dialog again"},
            {"CancelButton", "TButton", "", 16, 228, 270, 25, "Cancel So I Can Make a Backup",
             "Cancel=True; ModalResult=mrCancel"},
            {"ProceedButton", "TButton", "", 374, 228, 90, 25, "Proceed", "Default=True; ModalResult=mrOk"},
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
