// Sending mail: the message made from the settings, the test message and the wizard's result.
#include "data/module/MailSending.h"

#include "data/module/MailWindows.h"
#include "data/module/UserSettings.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/StringList.h"
#include "util/core/DvSysUtils.h"

namespace {

QString JoinList(const TStrings* list) { return list ? list->ToStringList().join(u',') : QString(); }

void AppendAddress(QString& list, const QString& address) {
    if (!list.isEmpty()) list += u',';
    list += address;
}

QString SenderText(const TEMailSettings& s) {
    return s.SenderName.trimmed().isEmpty() ? s.SenderAddress : s.SenderName + u'<' + s.SenderAddress + u'>';
}

}  // namespace

TMailSending::TMailSending(TUserSettings& settings)
    : InternetConnected([] { return IsInternetConnected(true); }), settings_(settings) {}

bool TMailSending::SendMail(const TEMailSettings& s, const TStrings* toList, const TStrings* ccList,
                            const TStrings* bccList, const QString& subject, int priority, bool returnReceipt,
                            const TStrings& body) {
    IdSMTP.Host = s.Host;
    IdSMTP.Username = s.Username;
    IdSMTP.Port = s.Port;
    IdSMTP.AuthType = s.AuthType ? net::satDefault : net::satNone;
    IdSMTP.AllowPlainTextPassword = s.AllowPlainTextPassword;

    net::MailMessage& m = IdMessage;
    m.From = SenderText(s);
    m.ReplyTo = s.ReplyTo.trimmed().isEmpty() ? QString() : s.ReplyTo;
    m.Organization = s.Organization.trimmed().isEmpty() ? QString() : s.Organization;
    m.Recipients = JoinList(toList);
    m.CCList = JoinList(ccList);
    m.BccList = JoinList(bccList);
    if (s.BCCSender) AppendAddress(m.BccList, s.SenderAddress);
    if (s.BCCOther) AppendAddress(m.BccList, s.BCCOtherAddress);
    m.Subject = subject;
    m.Priority = priority;
    m.ReceiptRecipient = returnReceipt ? m.From : QString();
    m.Body = body.ToStringList();
    if (!s.Signature.trimmed().isEmpty()) m.Body << QStringLiteral("--") << s.Signature;

    const auto& show = data::CurrentMailWindows().ShowSendStatus;
    if (!show || !show(IdSMTP, IdMessage)) return false;
    IdMessage.Clear();
    return true;
}

void TMailSending::SendTestMessage(bool throughMapi, const TEMailSettings& s) {
    if (!InternetConnected()) {
        MessageDlg(QStringLiteral("Could not connected to the Internet. No test message has been sent."), mtInformation,
                   {mbOK});
        return;
    }
    const QString text = QStringLiteral("Test message - please ignore");
    if (throughMapi) {
        // The mail program asks the user for the recipient.
        TDvMapiMessage& message = DvMapiConnection.Message;
        message.Recipients.Clear();
        message.Subject = s.Subject;
        message.NoteText = text;
        DvMapiConnection.SendMail(true);
        return;
    }
    TStringList to;
    to.Add(SenderText(s));
    TStringList body;
    body.Add(text);
    SendMail(s, &to, nullptr, nullptr, QStringLiteral("Tavorin test message"), net::mpNormal, false, body);
}

bool TMailSending::RunEmailSettingsWizard() {
    const auto& run = data::CurrentMailWindows().RunSettingsWizard;
    if (!run) return false;
    TEMailSettings edited = settings_.EMailSettings;
    bool useMapi = settings_.UseMAPI;
    const bool finished = run(edited, useMapi, DefaultMailClient(),
                              [this](bool throughMapi, const TEMailSettings& s) { SendTestMessage(throughMapi, s); });
    if (!finished) return false;
    settings_.EMailSettings.Assign(edited);
    settings_.UseMAPI = useMapi;
    return true;
}
