// TEmailStatusForm ("Send Email Status"): connects, asks for the SMTP password when needed, sends one message.
#pragma once

#include "platform/net/MailMessage.h"
#include "platform/net/SmtpClient.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TLabel;
class TTimer;

class TEmailStatusForm : public TForm {
public:
    explicit TEmailStatusForm(QWidget* owner = nullptr);

    TLabel* StatusLabel;
    TButton* CancelButton;
    TTimer* Timer;

    // Set by the caller before the dialog is shown; not owned.
    net::SmtpClient* SmtpClient = nullptr;
    net::MailMessage* Message = nullptr;
    // The password prompt: shows the message, true and the typed password after OK.
    std::function<bool(const QString& message, QString& password)> AskPassword;

    void FormShow();
    void CancelButtonClick();
    void FormClose();
    // The whole send, run once 100 ms after the dialog is shown.
    void TimerTimer();

private:
    void SetStatus(const QString& text);
    // Hides the dialog, shows the error and ends with Cancel.
    void Fail(const QString& text);
    // Asks until a password is given; false when the user cancelled.
    bool ObtainPassword();
};
