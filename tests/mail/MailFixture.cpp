// The shared mail test fixture.
#include "MailFixture.h"

#include "mail/EmailStatusForm.h"
#include "mail/MailWindowsInstall.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Label.h"

MailFixture::MailFixture() {
    mail::InstallMailWindows([this](const QString& message, QString& password) {
        prompts << message;
        if (auto* form = dynamic_cast<TEmailStatusForm*>(QApplication::activeModalWidget()))
            statusAtPrompt << form->StatusLabel->Caption();
        if (passwords.empty()) return false;
        password = passwords.front();
        passwords.pop_front();
        return true;
    });
    sending.InternetConnected = [] { return true; };
}

MailFixture::~MailFixture() { data::CurrentMailWindows() = {}; }

TEMailSettings MailFixture::SettingsFor(const testing_smtp::SmtpTestServer& server) const {
    TEMailSettings s;
    s.Host = QStringLiteral("127.0.0.1");
    s.Port = server.Port();
    s.AuthType = false;
    // The test servers that ask for a password offer no TLS.
    s.AllowPlainTextPassword = true;
    s.SenderName = QStringLiteral("Front Desk");
    s.SenderAddress = QStringLiteral("desk@example.org");
    return s;
}

void MailFixture::RunNextStatusDialog() {
    runner->OnShown(QStringLiteral("EmailStatusForm"), [this](QWidget&) { timers.Advance(100); });
}

bool MailFixture::SendTo(const TEMailSettings& settings, const QString& to) {
    TStringList toList;
    if (!to.isEmpty()) toList.Add(to);
    TStringList body;
    body.Add(QStringLiteral("x"));
    return sending.SendMail(settings, to.isEmpty() ? nullptr : &toList, nullptr, nullptr, QStringLiteral("S"), 2, false,
                            body);
}
