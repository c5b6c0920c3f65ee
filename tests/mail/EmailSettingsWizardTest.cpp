// The e-mail settings wizard: the page loop with Next and Prev, what each page shows, and saving the result.
#include "MailFixture.h"

#include "mail/EmailSettingsPages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {

template <class Page>
void OnPage(ui::ScriptedModalRunner& runner, const QString& name, std::function<void(Page&)> action) {
    runner.OnShown<Page>(name, std::move(action));
}

const QString kClient = QStringLiteral("EmailSettingsClientWizardForm");
const QString kIdentity = QStringLiteral("EmailSettingsIdentityWizardForm");
const QString kServer = QStringLiteral("EmailSettingsServerWizardForm");
const QString kMessages = QStringLiteral("EmailSettingsMessagesWizardForm");
const QString kTest = QStringLiteral("EmailSettingsTestWizardForm");

}  // namespace

using EmailSettingsWizard = MailFixture;

TEST_F(EmailSettingsWizard, OwnClientWalksEveryPageBackAndForthAndTheResultIsSaved) {
    userSettings.EMailSettings.Port = 587;
    std::vector<std::pair<bool, TEMailSettings>> tests;
    OnPage<TEmailSettingsClientWizardForm>(*runner, kClient, [](auto& p) {
        EXPECT_TRUE(p.MapiRadioButton->Checked());
        EXPECT_TRUE(p.NextButton->Enabled());
        p.RanvelRadioButton->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsIdentityWizardForm>(*runner, kIdentity, [](auto& p) {
        EXPECT_FALSE(p.NextButton->Enabled());
        QTest::keyClick(p.SenderAddressEdit, Qt::Key_Return);  // Enter does nothing while Next is off
        EXPECT_TRUE(p.Modal());
        p.SenderNameEdit->SetText(QStringLiteral("Front Desk"));
        p.SenderAddressEdit->SetText(QStringLiteral("desk@example.org"));
        EXPECT_TRUE(p.NextButton->Enabled());
        p.ReplyToEdit->SetText(QStringLiteral("replies@example.org"));
        p.SignatureMemo->SetText(QStringLiteral("Town Hall"));
        QTest::keyClick(p.SignatureMemo, Qt::Key_Return);  // Enter in the memo moves on
    });
    OnPage<TEmailSettingsServerWizardForm>(*runner, kServer, [](auto& p) {
        EXPECT_EQ(p.SMTPPortEdit->Text(), QStringLiteral("587"));
        p.SMTPHostEdit->SetText(QStringLiteral("mail.example.org"));
        p.SMTPUsernameEdit->SetText(QStringLiteral("desk"));
        p.SMTPUsernameCheckBox->SetChecked(false);
        EXPECT_FALSE(p.SMTPUsernameEdit->Enabled());
        EXPECT_EQ(p.SMTPUsernameEdit->Text(), QStringLiteral("desk"));
        p.SMTPPortEdit->SetText(QStringLiteral("2525"));
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsMessagesWizardForm>(*runner, kMessages, [](auto& p) {
        EXPECT_EQ(p.BCCSenderCheckBox->Caption(), QStringLiteral("BCC   replies@example.org"));
        EXPECT_TRUE(p.BCCSenderCheckBox->Enabled());
        p.PrevButton->Click();
    });
    OnPage<TEmailSettingsServerWizardForm>(*runner, kServer, [](auto& p) {
        EXPECT_EQ(p.SMTPHostEdit->Text(), QStringLiteral("mail.example.org"));  // kept while moving back and forth
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsMessagesWizardForm>(*runner, kMessages, [](auto& p) {
        p.DefaultSubjectEdit->SetText(QStringLiteral("Your booking"));
        p.BCCSenderCheckBox->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsTestWizardForm>(*runner, kTest, [](auto& p) {
        EXPECT_EQ(p.NextButton->Caption(), QStringLiteral("Finish"));
        EXPECT_EQ(p.SendButton->Caption(), QStringLiteral("Send To: replies@example.org"));
        p.SendButton->Click();
        p.NextButton->Click();
    });
    data::CurrentMailWindows().SendThroughMapi = [](const QString&, const QString&) { return true; };
    sending.InternetConnected = [] { return false; };  // the test button reaches SendTestMessage

    ASSERT_TRUE(sending.RunEmailSettingsWizard());
    EXPECT_EQ(runner->PendingCount(), 0);
    EXPECT_EQ(
        testing_env::Messages().Texts(),
        std::vector<QString>{QStringLiteral("Could not connected to the Internet. No test message has been sent.")});
    EXPECT_FALSE(userSettings.UseMAPI);
    const TEMailSettings& s = userSettings.EMailSettings;
    EXPECT_EQ(s.SenderName, QStringLiteral("Front Desk"));
    EXPECT_EQ(s.Signature, QStringLiteral("Town Hall"));
    EXPECT_EQ(s.Host, QStringLiteral("mail.example.org"));
    EXPECT_EQ(s.Port, 2525);
    EXPECT_FALSE(s.AuthType);
    EXPECT_EQ(s.Subject, QStringLiteral("Your booking"));
    EXPECT_TRUE(s.BCCSender);

    TApplicationVersionHistory history;
    history.Keys() << QStringLiteral("\\Software\\Test\\7.0");
    userSettings.SaveUserSettings(history, QString());
    TUserSettings loaded;
    loaded.LoadUserSettings(history);
    EXPECT_EQ(loaded.EMailSettings.Host, QStringLiteral("mail.example.org"));
    EXPECT_EQ(loaded.EMailSettings.Port, 2525);
    EXPECT_FALSE(loaded.UseMAPI);
}

TEST_F(EmailSettingsWizard, MapiSkipsIdentityAndServerAndTakesOnlyTheMessageDefaults) {
    userSettings.UseMAPI = false;
    TEMailSettings& s = userSettings.EMailSettings;
    s.Host = QStringLiteral("mail.example.org");
    s.SenderAddress = QStringLiteral("desk@example.org");
    s.BCCSender = true;
    OnPage<TEmailSettingsClientWizardForm>(*runner, kClient, [](auto& p) {
        p.MapiRadioButton->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsMessagesWizardForm>(*runner, kMessages, [](auto& p) {
        EXPECT_FALSE(p.BCCSenderCheckBox->Checked());
        EXPECT_FALSE(p.BCCSenderCheckBox->Enabled());
        EXPECT_EQ(p.BCCSenderCheckBox->Caption(), QStringLiteral("BCC"));
        p.PrevButton->Click();
    });
    OnPage<TEmailSettingsClientWizardForm>(*runner, kClient, [](auto& p) { p.NextButton->Click(); });
    OnPage<TEmailSettingsMessagesWizardForm>(*runner, kMessages, [](auto& p) {
        p.DefaultSubjectEdit->SetText(QStringLiteral("Booking"));
        p.BCCOtherCheckBox->SetChecked(true);
        p.BCCOtherAddressEdit->SetText(QStringLiteral("archive@example.org"));
        p.NextButton->Click();
    });
    QString sentSubject;
    OnPage<TEmailSettingsTestWizardForm>(*runner, kTest, [](auto& p) {
        EXPECT_EQ(p.InfoMemo->Text(), QStringLiteral("Click the send button below to send a test message using the "
                                                     "default mapi mail client."));
        p.SendButton->Click();
        p.NextButton->Click();
    });
    data::CurrentMailWindows().SendThroughMapi = [&](const QString& subject, const QString& text) {
        sentSubject = subject;
        EXPECT_EQ(text, QStringLiteral("Test message - please ignore"));
        return true;
    };

    ASSERT_TRUE(sending.RunEmailSettingsWizard());
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{kClient, kMessages, kClient, kMessages, kTest}));
    EXPECT_EQ(sentSubject, QStringLiteral("Booking"));
    EXPECT_TRUE(userSettings.UseMAPI);
    EXPECT_EQ(s.Subject, QStringLiteral("Booking"));
    EXPECT_FALSE(s.BCCSender);
    EXPECT_TRUE(s.BCCOther);
    EXPECT_EQ(s.BCCOtherAddress, QStringLiteral("archive@example.org"));
    EXPECT_EQ(s.Host, QStringLiteral("mail.example.org"));  // the rest stays
}

TEST_F(EmailSettingsWizard, CancelLeavesTheSettingsAndAPortThatIsNoNumberGivesTheTestPagesOwn) {
    userSettings.EMailSettings.Port = 587;
    OnPage<TEmailSettingsClientWizardForm>(*runner, kClient, [](auto& p) {
        p.RanvelRadioButton->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsIdentityWizardForm>(*runner, kIdentity, [](auto& p) { p.CancelButton->Click(); });
    EXPECT_FALSE(sending.RunEmailSettingsWizard());
    EXPECT_TRUE(userSettings.UseMAPI);
    EXPECT_EQ(userSettings.EMailSettings.Port, 587);

    // A port that is no whole number is dropped: the test page's own record keeps 25 from its creation.
    OnPage<TEmailSettingsClientWizardForm>(*runner, kClient, [](auto& p) {
        p.RanvelRadioButton->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsIdentityWizardForm>(*runner, kIdentity, [](auto& p) {
        p.SenderAddressEdit->SetText(QStringLiteral("desk@example.org"));
        p.NextButton->Click();
    });
    OnPage<TEmailSettingsServerWizardForm>(*runner, kServer, [](auto& p) {
        p.SMTPHostEdit->SetText(QStringLiteral("mail.example.org"));
        p.SMTPPortEdit->SetText(QStringLiteral("25x"));
        p.NextButton->Click();
    });
    runner->Answer(kMessages, mrNext);
    runner->Answer(kTest, mrNext);
    ASSERT_TRUE(sending.RunEmailSettingsWizard());
    EXPECT_EQ(userSettings.EMailSettings.Port, 25);
    EXPECT_EQ(userSettings.EMailSettings.SenderAddress, QStringLiteral("desk@example.org"));
}
