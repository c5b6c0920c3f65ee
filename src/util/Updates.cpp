// The "Updates" window, built in code.
#include "util/Updates.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "util/DvCheckUpdates.h"

TUpdatesForm::TUpdatesForm(QWidget* owner, TDvCheckUpdates* checkUpdates)
    : TForm(owner), checkUpdates_(checkUpdates) {
    SetName(QStringLiteral("UpdatesForm"));
    SetCaption(QStringLiteral("Updates"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(320);
    SetClientHeight(130);

    CheckBox = new TCheckBox(this);
    CheckBox->SetCaption(QStringLiteral("Check for updates (days) "));
    CheckBox->SetBounds(16, 16, 180, 21);
    IntervalEdit = new TEdit(this);
    IntervalEdit->SetBounds(200, 16, 50, 21);
    LastCheckLabel = new TLabel(this);
    LastCheckLabel->SetBounds(16, 50, 290, 17);
    CheckNowButton = new TButton(this);
    CheckNowButton->SetCaption(QStringLiteral("Check &Now"));
    CheckNowButton->SetBounds(16, 90, 90, 25);
    OkButton = new TButton(this);
    OkButton->SetCaption(QStringLiteral("&Ok"));
    OkButton->SetDefault(true);
    OkButton->SetBounds(134, 90, 80, 25);
    CancelButton = new TButton(this);
    CancelButton->SetCaption(QStringLiteral("&Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetBounds(224, 90, 80, 25);

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
