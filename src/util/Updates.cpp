// The "Updates" window: its description and its buttons.
#include "util/Updates.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "util/DvCheckUpdates.h"

TUpdatesForm::TUpdatesForm(QWidget* owner, TDvCheckUpdates* checkUpdates) : TForm(owner), checkUpdates_(checkUpdates) {
    ui::DescribeForm(
        *this, {"UpdatesForm", "Updates", bsDialog, poScreenCenter, 320, 130},
        {
            // name            class        parent left top width height caption  properties
            {"CheckBox", "TCheckBox", "", 16, 16, 224, 21, "Check for updates (days) "},
            {"IntervalEdit", "TEdit", "", 244, 16, 50, 21},
            {"LastCheckLabel", "TLabel", "", 16, 50, 290, 18, "", "AutoSize=False"},
            {"CheckNowButton", "TButton", "", 16, 90, 100, 25, "Check &Now"},
            {"OkButton", "TButton", "", 134, 90, 80, 25, "&Ok", "Default=True"},
            {"CancelButton", "TButton", "", 224, 90, 80, 25, "&Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    CheckBox = Find<TCheckBox>("CheckBox");
    IntervalEdit = Find<TEdit>("IntervalEdit");
    LastCheckLabel = Find<TLabel>("LastCheckLabel");
    CheckNowButton = Find<TButton>("CheckNowButton");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");

    OnShow = [this](QObject*) { FormShow(); };
    CheckNowButton->OnClick = [this](QObject*) { CheckNowClick(); };
    OkButton->OnClick = [this](QObject*) { OkClick(); };
    Loaded();
}

void TUpdatesForm::FormShow() {
    checkUpdates_->LoadSettings();
    CheckBox->SetChecked(checkUpdates_->CheckEnabled);
    IntervalEdit->SetText(QString::number(checkUpdates_->CheckInterval));
    ShowLastCheck();
}

void TUpdatesForm::ShowLastCheck() {
    LastCheckLabel->SetCaption(checkUpdates_->CheckLastDate > 0
                                   ? QStringLiteral("Last check ") +
                                         FormatDateTime(QStringLiteral("mmm d yyyy"), checkUpdates_->CheckLastDate)
                                   : QStringLiteral("No checks done"));
}

void TUpdatesForm::CheckNowClick() {
    checkUpdates_->CheckNowWithLabel(LastCheckLabel, true, false);
    ShowLastCheck();
}

void TUpdatesForm::OkClick() {
    checkUpdates_->CheckEnabled = CheckBox->Checked();
    bool whole = false;
    const int interval = IntervalEdit->Text().trimmed().toInt(&whole);
    if (whole) checkUpdates_->CheckInterval = std::max(interval, 0);
    checkUpdates_->SaveSettings();
    SetModalResult(mrOk);
}
