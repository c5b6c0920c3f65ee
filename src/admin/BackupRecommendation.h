// TBackupRecommendationForm and its rule: the dialog urging a backup before a maintenance operation, shown while
// the operation's per-user switch is on.
#pragma once

#include "admin/MainWindowServices.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TCheckBox;
class TMemo;

class TBackupRecommendationForm : public TForm {
public:
    explicit TBackupRecommendationForm(QWidget* owner = nullptr);

    TButton* CancelButton;
    TButton* ProceedButton;
    TCheckBox* DoNotDisplayAgainCheckBox;
    TMemo* InfoMemo;
};

namespace admin {

// The entry point for every maintenance command: with the switch on, shows the dialog; "Cancel So I Can Make a
// Backup" answers false (the command ends); "Proceed" sets the switch to the opposite of "Do not display this
// dialog again", saves the switches and answers true. With the switch off it answers true without asking.
bool RecommendBackup(bool& showDialog, const std::function<void()>& saveFlags);

// The same over the main window's switch for the operation.
bool RecommendBackup(const MainWindowServices& mainWindow, BackupOperation operation);

}  // namespace admin
