// The upgrade confirmation window: its texts, its buttons and the administrator check behind Upgrade.
#include "data/forms/UpgradeConfirmForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

TUpgradeConfirmForm::TUpgradeConfirmForm(QWidget* owner, std::function<bool()> checkAdministrator)
    : TForm(owner), checkAdministrator_(std::move(checkAdministrator)) {
    // The two long texts wrap to a second line at larger fonts.
    const QString wrapped = QStringLiteral("AutoSize=False; WordWrap=True");
    ui::DescribeForm(
        *this, {"UpgradeConfirmForm", "Upgrade Confirmation", bsDialog, poScreenCenter, 480, 190},
        {
            // name          class      parent left top width height caption  properties
            {"MustLabel", "TLabel", "", 16, 12, 448, 18, "The database specified must be upgraded.", "AutoSize=False"},
            {"BackupLabel", "TLabel", "", 16, 38, 448, 36,
             "Make sure you have a backup of the original database "
             "before upgrading.",
             wrapped},
            {"VersionLabel", "TLabel", "", 16, 78, 448, 36,
             "Versions prior to 6.0.0.250 will no longer be able to "
             "open this database.",
             wrapped},
            {"AskLabel", "TLabel", "", 16, 122, 448, 18, "Upgrade Now?", "AutoSize=False"},
            {"UpgradeButton", "TButton", "", 298, 152, 80, 25, "Upgrade", "Default=True"},
            {"CancelButton", "TButton", "", 384, 152, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    UpgradeButton = Find<TButton>("UpgradeButton");
    CancelButton = Find<TButton>("CancelButton");
    UpgradeButton->OnClick = [this](QObject*) { UpgradeButtonClick(); };
    Loaded();
}

void TUpgradeConfirmForm::UpgradeButtonClick() {
    if (checkAdministrator_ && checkAdministrator_()) SetModalResult(mrOk);
}
