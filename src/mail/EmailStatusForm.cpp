// The send-status dialog's steps: connect, password, send, the pause after success.
#include "mail/EmailStatusForm.h"

#include "platform/rtl/Clock.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"

namespace {

const QString kAuthenticationFailed = QStringLiteral("authentication failed");

}  // namespace

TEmailStatusForm::TEmailStatusForm(QWidget* owner) : TForm(owner) {
    SetName(QStringLiteral("EmailStatusForm"));
    SetCaption(QStringLiteral("Send Email Status"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(344);
    SetClientHeight(102);

    StatusLabel = new TLabel(this);
    StatusLabel->SetName(QStringLiteral("StatusLabel"));
    StatusLabel->SetAutoSize(false);
    StatusLabel->SetBounds(18, 20, 307, 16);
    StatusLabel->SetCaption(QStringLiteral("Status"));

    CancelButton = new TButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetBounds(135, 62, 75, 25);

    Timer = new TTimer(this);
    Timer->SetEnabled(false);
    Timer->SetOnTimer([this](QObject*) { TimerTimer(); });

    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    CancelButton->OnClick = [this](QObject*) { CancelButtonClick(); };
    Loaded();
}

void TEmailStatusForm::FormShow() {
    SetStatus(QString());
    Timer->SetInterval(100);
    Timer->SetEnabled(true);
}

void TEmailStatusForm::CancelButtonClick() {
    Timer->SetEnabled(false);
    SetModalResult(mrCancel);
}

void TEmailStatusForm::FormClose() { Timer->SetEnabled(false); }

void TEmailStatusForm::SetStatus(const QString& text) {
    StatusLabel->SetCaption(text);
    StatusLabel->Repaint();
}

void TEmailStatusForm::Fail(const QString& text) {
    Hide();
    MessageDlg(text, mtError, {mbOK});
    SetModalResult(mrCancel);
}

bool TEmailStatusForm::ObtainPassword() {
    QString password;
    const QString prompt = QStringLiteral("Please enter SMTP password for userid \"") + SmtpClient->Username + u'"';
    if (!AskPassword || !AskPassword(prompt, password)) return false;
    SmtpClient->Password = password;
    return true;
}

void TEmailStatusForm::TimerTimer() {
    Timer->SetEnabled(false);
    Repaint();
    SetStatus(QStringLiteral("Status: connect: contacting host ") + SmtpClient->Host + QStringLiteral("..."));
    try {
        SmtpClient->Connect();
    } catch (const Exception& e) {
        Fail(QStringLiteral("Could not connect to host ") + SmtpClient->Host + QStringLiteral(". ") + e.Message());
        return;
    }
    const bool authenticating = SmtpClient->AuthType == net::satDefault;
    for (;;) {
        if (authenticating && SmtpClient->Password.isEmpty() && !ObtainPassword()) {
            SmtpClient->Disconnect();
            SetModalResult(mrCancel);
            return;
        }
        SetStatus(QStringLiteral("Status: mail: sending message..."));
        try {
            SmtpClient->Send(*Message);
            break;
        } catch (const Exception& e) {
            if (authenticating && e.Message().trimmed().toLower() == kAuthenticationFailed) {
                SmtpClient->Password.clear();
                continue;
            }
            Fail(QStringLiteral("Could not send message. ") + e.Message());
            SmtpClient->Disconnect();
            return;
        }
    }
    SmtpClient->Disconnect();
    SetStatus(QStringLiteral("Status: Message sent successfully."));
    Sleep(500);
    SetModalResult(mrOk);
}
