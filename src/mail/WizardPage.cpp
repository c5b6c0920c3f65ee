// The shared frame of the e-mail settings wizard pages.
#include "mail/WizardPage.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"

namespace mail {

WizardPage::WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description)
    : TForm(owner) {
    SetName(name);
    SetCaption(QStringLiteral("Email Settings Wizard"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(470);
    SetClientHeight(398);

    TopPanel = new TPanel(this);
    TopPanel->SetName(QStringLiteral("TopPanel"));
    TopPanel->SetBounds(0, 0, 470, 60);
    TopPanel->SetColor(clWhite);
    TitleLabel = new TLabel(TopPanel);
    TitleLabel->SetBounds(16, 10, 440, 18);
    TitleLabel->Font().SetStyle({fsBold});
    TitleLabel->SetCaption(title);
    DescriptionLabel = new TLabel(TopPanel);
    DescriptionLabel->SetBounds(32, 32, 430, 16);
    DescriptionLabel->SetCaption(description);

    MiddlePanel = new TPanel(this);
    MiddlePanel->SetBounds(0, 60, 470, 290);
    MiddlePanel->SetBevelOuter(bvNone);

    BottomPanel = new TPanel(this);
    BottomPanel->SetName(QStringLiteral("BottomPanel"));
    BottomPanel->SetBounds(0, 350, 470, 48);
    CancelButton = new TButton(BottomPanel);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetBounds(16, 12, 75, 25);
    PrevButton = new TButton(BottomPanel);
    PrevButton->SetName(QStringLiteral("PrevButton"));
    PrevButton->SetCaption(QStringLiteral("Prev"));
    PrevButton->SetModalResult(mrBack);
    PrevButton->SetBounds(294, 12, 75, 25);
    NextButton = new TButton(BottomPanel);
    NextButton->SetName(QStringLiteral("NextButton"));
    NextButton->SetCaption(QStringLiteral("Next"));
    NextButton->SetModalResult(mrNext);
    NextButton->SetBounds(379, 12, 75, 25);
}

void WizardPage::MyKeyPress(QObject*, QChar& key) {
    if (key != u'\r' || !NextButton->Enabled()) return;
    key = QChar();
    NextButton->Click();
}

TLabel* WizardPage::AddLabel(const QString& caption, int top, int left) {
    auto* label = new TLabel(MiddlePanel);
    label->SetBounds(left, top + 3, 110, 16);
    label->SetCaption(caption);
    return label;
}

TMemo* WizardPage::AddNote(const QStringList& lines, int top, int height) {
    auto* note = new TMemo(MiddlePanel);
    note->SetBounds(16, top, 438, height);
    note->SetReadOnly(true);
    note->SetTabStop(false);
    note->SetColor(clBtnFace);
    note->Lines().SetStrings(lines);
    return note;
}

void WizardPage::EnterMovesOn(TControl& control) {
    control.OnKeyPress = [this](QObject* sender, QChar& key) { MyKeyPress(sender, key); };
}

}  // namespace mail
