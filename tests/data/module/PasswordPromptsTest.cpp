// The password questions: retry on a wrong password, cancel, a file in use, and the administrator check.
#include "data/module/PasswordPrompts.h"
#include "data/support/ScriptedDataWindows.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using data_test::ScriptedDataWindows;

TEST(PasswordPrompts, WrongPasswordIsReportedAndAskedAgain) {
    ScriptedDataWindows windows;
    windows.TypePassword(QStringLiteral("guess"));
    windows.TypePassword(QStringLiteral("Secret"));
    QStringList tried;
    const int result = data::PromptDatabasePassword(QStringLiteral("/srv/club.tvd"), [&](const QString& password) {
        tried << password;
        return password == QStringLiteral("Secret") ? data::kConnected : data::kWrongPassword;
    });
    EXPECT_EQ(result, data::kConnected);
    EXPECT_EQ(tried, (QStringList{"guess", "Secret"}));
    EXPECT_EQ(windows.PasswordLines,
              QStringList(2, QStringLiteral("The database /srv/club.tvd is password protected. Please enter the "
                                            "password.")));
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Incorrect password. Please re-enter."});
}

TEST(PasswordPrompts, CancelFileInUseAndOtherErrors) {
    {
        ScriptedDataWindows windows;
        windows.CancelPassword();
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [](const QString&) { return data::kConnected; }),
                  data::kPromptCancelled);
    }
    {
        ScriptedDataWindows windows;
        windows.TypePassword("x");
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [](const QString&) { return data::kFileInUse; }),
                  data::kFileInUse);
    }
    {
        // Another error was shown by the connect; the question comes again until cancelled.
        ScriptedDataWindows windows;
        windows.TypePassword("x");
        windows.CancelPassword();
        int calls = 0;
        EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [&](const QString&) { return ++calls, data::kOtherError; }),
                  data::kPromptCancelled);
        EXPECT_EQ(calls, 1);
    }
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST(PasswordPrompts, AdministratorPasswordMustMatchExactly) {
    ScriptedDataWindows windows;
    windows.TypePassword(QStringLiteral("secret"));
    windows.TypePassword(QStringLiteral("Secret"));
    EXPECT_TRUE(data::AskAdministratorPassword(QStringLiteral("Secret")));
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtError);
    EXPECT_EQ(testing_env::Messages().Requests()[0].text,
              QStringLiteral("The password entered is incorrect. Please try again and make sure you use the correct "
                             "upper and lower case."));

    windows.CancelPassword();
    EXPECT_FALSE(data::AskAdministratorPassword(QStringLiteral("Secret")));
}

TEST(PasswordPrompts, WithoutAPasswordDialogTheQuestionIsCancelled) {
    EXPECT_EQ(data::PromptDatabasePassword("f.tvd", [](const QString&) { return data::kConnected; }),
              data::kPromptCancelled);
    EXPECT_FALSE(data::AskAdministratorPassword(QStringLiteral("Secret")));
}
