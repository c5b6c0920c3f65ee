// The upgrade confirmation window: its texts, its buttons and the administrator check behind Upgrade.
#include "data/forms/UpgradeConfirmForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"

TUpgradeConfirmForm::TUpgradeConfirmForm(QWidget* owner, std::function<bool()> checkAdministrator)
    : TForm(owner), checkAdministrator_(std::move(checkAdministrator)) {
    SetName(QStringLiteral("UpgradeConfirmForm"));
    SetCaption(QStringLiteral("Upgrade Confirmation"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(420);
    SetClientHeight(170);
    const QString lines[] = {
        QStringLiteral("The database specified must be upgraded."),
        QStringLiteral("Make sure you have a backup of the original database before upgrading."),
        QStringLiteral("Versions prior to 6.0.0.250 will no longer be able to open this database."),
        QStringLiteral("Upgrade Now?"),
    };
    int top = 12;
    for (const QString& line : lines) {
        auto* label = new TLabel(this);
        label->SetBounds(16, top, 390, 16);
        label->SetCaption(line);
        top += 26;
    }
    UpgradeButton = new TButton(this);
    UpgradeButton->SetName(QStringLiteral("UpgradeButton"));
    UpgradeButton->SetBounds(244, 130, 80, 25);
    UpgradeButton->SetCaption(QStringLiteral("Upgrade"));
    UpgradeButton->SetDefault(true);
    UpgradeButton->OnClick = [this](QObject*) { UpgradeButtonClick(); };
    CancelButton = new TButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetBounds(330, 130, 80, 25);
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    Loaded();
}

void TUpgradeConfirmForm::UpgradeButtonClick() {
    if (checkAdministrator_ && checkAdministrator_()) SetModalResult(mrOk);
}
