// The backup recommendation dialog and the rule that decides when it shows.
#include "admin/BackupRecommendation.h"

#include "admin/DialogHeader.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"

TBackupRecommendationForm::TBackupRecommendationForm(QWidget* owner) : TForm(owner) {
    std::vector<ui::ControlRow> rows =
        admin::HeaderRows(480, QStringLiteral("Backup Recommendation"),
                          QStringLiteral("Before proceeding ensure you have a current backup."),
                          QStringLiteral("Making a backup before proceeding with this operation is highly "
                                         "recommended. This operation may make significant changes to the "
                                         "database and ensuring you have a current backup is considered a best "
                                         "practice to prevent data loss."),
                          100);
    rows.insert(
        rows.end(),
        {
            // name            class     parent      left top  width height caption  properties
            {"DoNotDisplayAgainCheckBox", "TCheckBox", "", 16, 192, 448, 21, "Do not display this dialog again"},
            {"CancelButton", "TButton", "", 16, 228, 270, 25, "Cancel So I Can Make a Backup",
             "Cancel=True; ModalResult=mrCancel"},
            {"ProceedButton", "TButton", "", 374, 228, 90, 25, "Proceed", "Default=True; ModalResult=mrOk"},
        });
    ui::DescribeForm(*this, {"BackupRecommendationForm", "Backup Recommendation", bsDialog, poScreenCenter, 480, 268},
                     rows);
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
