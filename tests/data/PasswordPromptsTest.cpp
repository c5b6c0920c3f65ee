// The password questions: retry on a wrong password, cancel, a file in use, and the administrator check.
#include "data/PasswordForms.h"
#include "data/PasswordPrompts.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const QString kForm = QStringLiteral("DatabasePasswordForm");

// Queues one show of the dialog that types the text and presses Ok; remembers the message it showed.
void Type(ui::ScopedScriptedRunner& runner, const QString& text, QStringList* message = nullptr) {
    runner->OnShown<TDatabasePasswordForm>(kForm, [=](TDatabasePasswordForm& form) {
        if (message) *message = form.InfoMemo->Lines().ToStringList();
        form.PasswordEdit->SetText(text);
        form.OkButton->click();
    });
}

}  // namespace

TEST(PasswordPrompts, WrongPasswordIsReportedAndAskedAgain) {
    ui::ScopedScriptedRunner runner;
    QStringList message;
    Type(runner, QStringLiteral("guess"), &message);
    Type(runner, QStringLiteral("Secret"));
    QStringList tried;
    const int result = data::PromptDatabasePassword(QStringLiteral("/srv/club.tvd"), [&](const QString& password) {
        tried << password;
        return password == QStringLiteral("Secret") ? data::kConnected : data::kWrongPassword;
    });
    EXPECT_EQ(result, data::kConnected);
    EXPECT_EQ(tried, (QStringList{"guess", "Secret"}));
    EXPECT_EQ(message.join(u' '),
              QStringLiteral("The database /srv/club.tvd is password protected. Please enter the password."));
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Incorrect password. Please re-enter."});
}

TEST(PasswordPrompts, CancelFileInUseAndOtherErrors) {
    {
        ui::ScopedScriptedRunner runner;
        runner->Answer(kForm, mrCancel);
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [](const QString&) { return data::kConnected; }),
                  data::kPromptCancelled);
    }
    {
        ui::ScopedScriptedRunner runner;
        Type(runner, "x");
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [](const QString&) { return data::kFileInUse; }),
                  data::kFileInUse);
    }
    {
        // Another error was shown by the connect; the question comes again until cancelled.
        ui::ScopedScriptedRunner runner;
        Type(runner, "x");
        runner->Answer(kForm, mrCancel);
        int calls = 0;
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [&](const QString&) { return ++calls, data::kOtherError; }),
                  data::kPromptCancelled);
        EXPECT_EQ(calls, 1);
    }
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST(PasswordPrompts, AdministratorPasswordMustMatchExactly) {
    ui::ScopedScriptedRunner runner;
    Type(runner, QStringLiteral("secret"));
    Type(runner, QStringLiteral("Secret"));
    EXPECT_TRUE(data::AskAdministratorPassword(QStringLiteral("Secret")));
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtError);
    EXPECT_EQ(testing_env::Messages().Requests()[0].text,
              QStringLiteral("The password entered is incorrect. Please try again and make sure you use the correct "
                             "upper and lower case."));

    runner->Answer(kForm, mrCancel);
    EXPECT_FALSE(data::AskAdministratorPassword(QStringLiteral("Secret")));
}
