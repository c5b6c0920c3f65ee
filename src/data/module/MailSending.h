// The data module's mail: the SMTP client and the outgoing message kept from message to message, sending,
// the test message and the settings wizard.
#pragma once

#include "data/module/EMailSettings.h"
#include "mail/core/DvLDAPServerList.h"
#include "mail/core/DvMapi.h"
#include "platform/net/MailMessage.h"
#include "platform/net/SmtpClient.h"

#include <functional>

class TStrings;
class TUserSettings;

class TMailSending {
public:
    // Works on the module's settings (the wizard replaces them).
    explicit TMailSending(TUserSettings& settings);

    net::SmtpClient IdSMTP;
    // The one outgoing message; the compose window puts its attachments here before sending.
    net::MailMessage IdMessage;
    // The way to the desktop's mail program, for the run.
    TDvMapiConnection DvMapiConnection;
    // The LDAP directories the user configured, kept with the per-user settings.
    TDvLDAPServerList LDAPServerList;
    // The desktop's mail program's name (empty when none is known).
    QString DefaultMailClient() const { return DvMapiConnection.DefaultClient; }
    // Whether a network connection is up; replaceable so that tests do not depend on the machine.
    std::function<bool()> InternetConnected;

    // Prepares client and message from the settings and the arguments (lists may be null; priority 0
    // highest .. 4 lowest) and sends through the send-status dialog. True when sent: the message is then
    // cleared, attachments included; otherwise it stays as it was.
    bool SendMail(const TEMailSettings& settings, const TStrings* toList, const TStrings* ccList,
                  const TStrings* bccList, const QString& subject, int priority, bool returnReceipt,
                  const TStrings& body);
    // The wizard's test: to the sender through the SMTP client, or without a recipient to the desktop's mail program.
    void SendTestMessage(bool throughMapi, const TEMailSettings& settings);
    // True when the user finished the wizard; the module's mail settings and UseMAPI are then replaced.
    bool RunEmailSettingsWizard();

private:
    TUserSettings& settings_;
};
