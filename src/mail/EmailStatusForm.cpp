// The send-status dialog's steps: connect, password, send, the pause after success.
#include "mail/EmailStatusForm.h"

#include "platform/rtl/Clock.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"

namespace {

const QString kAuthenticationFailed = QStringLiteral("authentication failed");

}  // namespace

TEmailStatusForm::TEmailStatusForm(QWidget* owner) : TForm(owner) {
    // The status wraps to a second line when a long host name or a large font needs it.
    ui::DescribeForm(*this, {"EmailStatusForm", "Send Email Status", bsDialog, poScreenCenter, 344, 102},
                     {
                         // name          class      parent left top width height caption   properties
                         {"StatusLabel", "TLabel", "", 18, 12, 307, 40, "Status", "AutoSize=False; WordWrap=True"},
                         {"CancelButton", "TButton", "", 135, 62, 75, 25, "Cancel", "Cancel=True"},
                     });
    StatusLabel = Find<TLabel>("StatusLabel");
    CancelButton = Find<TButton>("CancelButton");

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
    SmtpClient->Cancel();
    SetModalResult(mrCancel);
}

void TEmailStatusForm::FormClose() {
    Timer->SetEnabled(false);
    SmtpClient->Cancel();
}

void TEmailStatusForm::SetStatus(const QString& text) {
    StatusLabel->SetCaption(text);
    // The whole dialog at once, so that a closed password prompt does not stay on it until the next wait.
    Repaint();
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
    SetStatus(QStringLiteral("Status: connect: contacting host ") + SmtpClient->Host + QStringLiteral("..."));
    try {
        SmtpClient->Connect();
    } catch (const net::SmtpCancelled&) {
        return;
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
        } catch (const net::SmtpCancelled&) {
            return;
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
