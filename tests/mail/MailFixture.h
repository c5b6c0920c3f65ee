// What the mail tests share: the mail windows installed with a scripted password prompt, fake timers,
// a scripted modal runner and the data module's sending over a real SMTP server.
#pragma once

#include "SmtpTestServer.h"
#include "data/module/MailSending.h"
#include "data/module/MailWindows.h"
#include "data/module/UserSettings.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TimerService.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <deque>

class MailFixture : public ::testing::Test {
protected:
    MailFixture();
    ~MailFixture() override;

    // Settings that send to the server without authentication.
    TEMailSettings SettingsFor(const testing_smtp::SmtpTestServer& server) const;
    // SendMail to one recipient (none when empty) with subject "S", normal priority and the body "x".
    bool SendTo(const TEMailSettings& settings, const QString& to);
    // Lets the next send-status dialog run its timer once it is shown.
    void RunNextStatusDialog();

    ui::ScopedFakeTimers timers;
    ui::ScopedScriptedRunner runner;
    TUserSettings userSettings;
    TMailSending sending{userSettings};
    // Answers of the password prompt in order (an empty deque cancels), and the prompts shown.
    std::deque<QString> passwords;
    QStringList prompts;
    // The status text when the password was asked for.
    QStringList statusAtPrompt;
};
