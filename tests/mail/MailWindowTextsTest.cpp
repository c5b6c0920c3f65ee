// Every text of the e-mail windows is whole, at the pinned font and at a larger desktop font.
#include "mail/EmailSettingsPages.h"
#include "mail/EmailStatusForm.h"
#include "platform/ui/Label.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

using testing_env::AtEachTestFont;
using testing_env::ExpectTextsWhole;

TEST(MailWindowTexts, WizardPagesAsDesignedAndAsShown) {
    AtEachTestFont([] {
        TEmailSettingsClientWizardForm client;
        ExpectTextsWhole(client);
        client.DefaultClient = QStringLiteral("Thunderbird Mail");
        client.FormShow();
        ExpectTextsWhole(client);

        TEmailSettingsIdentityWizardForm identity;
        ExpectTextsWhole(identity);
        TEmailSettingsServerWizardForm server;
        ExpectTextsWhole(server);

        TEmailSettingsMessagesWizardForm messages;
        ExpectTextsWhole(messages);
        messages.SenderCopyAvailable = true;
        messages.SenderText = QStringLiteral("Front Desk <desk@example.org>");
        messages.FormShow();
        ExpectTextsWhole(messages);

        TEmailSettingsTestWizardForm test;
        ExpectTextsWhole(test);
        for (bool mapi : {true, false}) {
            test.UseMapi = mapi;
            test.DefaultClient = QStringLiteral("Thunderbird Mail");
            test.Settings.SenderName = QStringLiteral("Front Desk");
            test.Settings.SenderAddress = QStringLiteral("desk@example.org");
            test.FormShow();
            ExpectTextsWhole(test);
        }
    });
}

TEST(MailWindowTexts, SendStatusWithEachStepsText) {
    AtEachTestFont([] {
        TEmailStatusForm status;
        ExpectTextsWhole(status);
        for (const QString& text : {QStringLiteral("Status: connect: contacting host mail.example-hosting.org..."),
                                    QStringLiteral("Status: mail: sending message..."),
                                    QStringLiteral("Status: Message sent successfully.")}) {
            status.StatusLabel->SetCaption(text);
            ExpectTextsWhole(status);
        }
    });
}
