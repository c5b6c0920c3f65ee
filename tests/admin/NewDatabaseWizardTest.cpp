// The new-database wizard over real files: the pages' checks, the password and its file, the permission flags and
// the database opened in administrator mode.
#include "AdminFixture.h"

#include "admin/NewDatabasePages.h"
#include "admin/NewDatabaseWizard.h"
#include "platform/rtl/Files.h"
#include "platform/sql/EngineError.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace admin_test;
using data_test::DbPath;

namespace {

const QString kWizardName = QStringLiteral("NewNameWizardForm");
const QString kPassword = QStringLiteral("NewPasswordWizardForm");
const QString kSecurity = QStringLiteral("NewSecurityWizardForm");
const QString kAccess = QStringLiteral("NewUserAccessWizardForm");
const QString kFlags = QStringLiteral(
    "select BookingAllowUserCreate, BookingOwnerOnlyModify, TaskAllowUserCreate, TaskOwnerOnlyModify from "
    "RanvelGlobal");

}  // namespace

class NewDatabaseWizard : public AdminTest {
protected:
    // Scripts the pages of a run that protects the file with the password, remembered or not, and leaves the
    // permissions as they are.
    void ScriptProtectedRun(const QString& password, bool remember) {
        OnPage<TNewNameWizardForm>(kWizardName, [](auto& p) {
            p.PasswordRadioButton->SetChecked(true);
            p.NextButton->Click();
        });
        OnPage<TNewPasswordWizardForm>(kPassword, [password](auto& p) {
            p.Password1->SetText(password);
            p.Password2->SetText(password);
            p.NextButton->Click();
        });
        OnPage<TNewSecurityWizardForm>(kSecurity, [remember](auto& p) {
            (remember ? p.RememberRadioButton : p.NoRememberRadioButton)->SetChecked(true);
            p.NextButton->Click();
        });
        OnPage<TNewUserAccessWizardForm>(kAccess, [](auto& p) { p.NextButton->Click(); });
    }
};

TEST_F(NewDatabaseWizard, CancellingTheSaveDialogShowsNoPage) {
    runner->Answer(QStringLiteral("SaveDialog"), mrCancel);
    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("SaveDialog")});
    EXPECT_TRUE(calls.empty());
}

TEST_F(NewDatabaseWizard, WithoutPasswordCreatesFromTheFirstPageAndOpensAsAdministratorWithEveryPermission) {
    const QString path = DbPath(QStringLiteral("club.tvd"));
    // A password file of an earlier database of that name would open this one without administrator rights.
    QFile stale(TData::PasswordFileName(path));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ChooseFile(path);
    OnPage<TNewNameWizardForm>(kWizardName, [&](auto& p) {
        EXPECT_EQ(p.FilenameEdit->Text(), path);
        EXPECT_TRUE(p.NoPasswordRadioButton->Checked());
        EXPECT_EQ(p.NextButton->Caption(), QStringLiteral("Finish"));
        p.PasswordRadioButton->SetChecked(true);
        EXPECT_EQ(p.NextButton->Caption(), QStringLiteral("Next"));
        p.NoPasswordRadioButton->SetChecked(true);
        p.FilenameEdit->SetText(QStringLiteral("  "));
        EXPECT_FALSE(p.NextButton->Enabled());
        p.FilenameEdit->SetText(QStringLiteral(" ") + path + QStringLiteral(" "));
        EXPECT_TRUE(p.NextButton->Enabled());
        p.NextButton->Click();
    });

    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{QStringLiteral("SaveDialog"), kWizardName}));
    EXPECT_EQ(calls, (std::vector<QString>{"CloseDatabase", "OpenDatabase club.tvd  ", "UpdateCaption"}));
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(FileExists(TData::PasswordFileName(path)));
    ASSERT_TRUE(data.ADOConnection.Connected());
    EXPECT_EQ(data.DatabaseFileName, path);
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(Rows(path, kFlags), QStringList{"-1|-1|-1|-1"});
}

TEST_F(NewDatabaseWizard, PasswordLengthBlanksAndMatchAreChecked) {
    struct Case {
        QString first, second, message;
    };
    const QString length = QStringLiteral("The password must be between 6 and 12 characters");
    const QString blanks = QStringLiteral("The password must not begin or end with a blank");
    const QString match = QStringLiteral("The passwords entered do not match");
    const std::vector<Case> cases = {
        {"abcde", "abcde", length},    {"abcdefghijklm", "abcdefghijklm", length},
        {"abcdef", "abcdef", {}},      {"abcdefghijkl", "abcdefghijkl", {}},
        {"abc def", "abc def", {}},    {" abcdef", "abcdef", blanks},
        {"abcdef ", "abcdef", blanks}, {"abcdef ", "abcdef ", blanks},
        {"abcdef", "abcdeF", match},   {"abcdef", "", match},
    };
    TNewPasswordWizardForm page;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.toStdString() + "/" + c.second.toStdString());
        testing_env::Messages().Clear();
        page.SetModalResult(mrNone);
        page.Password1->SetText(c.first);
        page.Password2->SetText(c.second);
        EXPECT_TRUE(page.NextButton->Enabled());
        page.NextButton->Click();
        if (c.message.isEmpty()) {
            EXPECT_EQ(page.ModalResult(), mrNext);
            EXPECT_TRUE(Shown().empty());
            EXPECT_EQ(page.GetPassword(), c.first);
        } else {
            EXPECT_EQ(page.ModalResult(), mrNone);
            EXPECT_EQ(Shown(), std::vector<QString>{c.message});
        }
    }
    page.Password1->SetText(QStringLiteral("   "));
    EXPECT_FALSE(page.NextButton->Enabled());
}

TEST_F(NewDatabaseWizard, RememberedPasswordProtectsTheFileAndReopensWithoutPrompt) {
    const QString path = DbPath(QStringLiteral("protected.tvd"));
    const QString password = QStringLiteral("Secret7");
    ChooseFile(path);
    OnPage<TNewNameWizardForm>(kWizardName, [](auto& p) {
        p.PasswordRadioButton->SetChecked(true);
        p.NextButton->Click();
    });
    OnPage<TNewPasswordWizardForm>(kPassword, [](auto& p) {
        p.Password1->SetText(QStringLiteral("typed"));
        p.PrevButton->Click();
    });
    // Back on the first page and on again: the file name stays, the passwords are asked again.
    OnPage<TNewNameWizardForm>(kWizardName, [&](auto& p) {
        EXPECT_EQ(p.FilenameEdit->Text(), path);
        p.NextButton->Click();
    });
    OnPage<TNewPasswordWizardForm>(kPassword, [&](auto& p) {
        EXPECT_EQ(p.Password1->Text(), QString());
        EXPECT_FALSE(p.NextButton->Enabled());
        p.Password1->SetText(password);
        p.Password2->SetText(password);
        p.NextButton->Click();
    });
    OnPage<TNewSecurityWizardForm>(kSecurity, [](auto& p) {
        EXPECT_TRUE(p.RememberRadioButton->Checked());
        p.NextButton->Click();
    });
    OnPage<TNewUserAccessWizardForm>(kAccess, [](auto& p) {
        EXPECT_EQ(p.NextButton->Caption(), QStringLiteral("Finish"));
        EXPECT_TRUE(p.BookingAllowUserCreate->Checked());
        p.BookingAllowUserCreate->SetChecked(false);
        p.TaskOwnerOnlyModify->SetChecked(false);
        p.NextButton->Click();
    });

    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_EQ(runner->Runs(),
              (std::vector<QString>{"SaveDialog", kWizardName, kPassword, kWizardName, kPassword, kSecurity, kAccess}));
    EXPECT_EQ(calls, (std::vector<QString>{"CloseDatabase", "OpenDatabase protected.tvd Secret7 ", "UpdateCaption"}));
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(data.DatabasePassword, password);
    EXPECT_TRUE(FileExists(TData::PasswordFileName(path)));
    EXPECT_EQ(Rows(path, kFlags, password), QStringList{"0|-1|-1|0"});
    try {
        sql::Connection unprotected(data_test::Plain(path));
        ADD_FAILURE() << "opened without its password";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), sql::kNotValidPassword);
    }

    data.DisconnectDatabase();
    TData reopened;
    ASSERT_TRUE(reopened.ConnectDatabase(path, {}));
    EXPECT_TRUE(windows.Runs.empty());
    EXPECT_FALSE(reopened.AdministratorMode);
}

TEST_F(NewDatabaseWizard, PasswordNotRememberedLeavesNoPasswordFile) {
    const QString path = DbPath(QStringLiteral("given.tvd"));
    ChooseFile(path);
    ScriptProtectedRun(QStringLiteral("abcdef"), false);
    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_FALSE(FileExists(TData::PasswordFileName(path)));
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(Rows(path, kFlags, QStringLiteral("abcdef")), QStringList{"-1|-1|-1|-1"});
}

TEST_F(NewDatabaseWizard, ExistingFileIsReplacedOnlyAfterOk) {
    const QString path = DbPath(QStringLiteral("old.tvd"));
    data_test::CreateDatabase(path);  // holds one resource
    ChooseFile(path);
    OnPage<TNewNameWizardForm>(kWizardName, [](auto& p) { p.NextButton->Click(); });
    OnPage<TNewNameWizardForm>(kWizardName, [](auto& p) { p.NextButton->Click(); });
    testing_env::Messages().QueueAnswer(mrCancel);
    testing_env::Messages().QueueAnswer(mrOk);

    TNewDatabaseWizard(data, MainWindow()).Execute();
    const QString question = QStringLiteral("The filename you have specified already exists. Overwite existing file?");
    EXPECT_EQ(Shown(), (std::vector<QString>{question, question}));
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{"SaveDialog", kWizardName, kWizardName}));
    EXPECT_EQ(Rows(path, QStringLiteral("select count(*) from Resources")), QStringList{"0"});
    EXPECT_TRUE(data.AdministratorMode);
}

TEST_F(NewDatabaseWizard, MissingFoldersAreMadeAndAFileNameWithoutFolderIsRefused) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("a/b/new.tvd"));
    ChooseFile(path);
    OnPage<TNewNameWizardForm>(kWizardName, [](auto& p) {
        p.FilenameEdit->SetText(QStringLiteral("new.tvd"));
        p.NextButton->Click();
    });
    OnPage<TNewNameWizardForm>(kWizardName, [&](auto& p) {
        p.FilenameEdit->SetText(path);
        p.NextButton->Click();
    });
    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("You have not specified a directory for the file.")});
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(data.ADOConnection.Connected());
}

TEST_F(NewDatabaseWizard, APasswordFileThatCannotBeWrittenLeavesNoDatabase) {
    const QString path = DbPath(QStringLiteral("nofile.tvd"));
    // A folder where the password file belongs cannot be replaced by it.
    ASSERT_TRUE(QDir().mkpath(TData::PasswordFileName(path)));
    ChooseFile(path);
    ScriptProtectedRun(QStringLiteral("abcdef"), true);
    TNewDatabaseWizard(data, MainWindow()).Execute();
    EXPECT_FALSE(FileExists(path));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_TRUE(Shown()[0].startsWith(QStringLiteral("Could not create the database ") + path));
    EXPECT_EQ(calls, (std::vector<QString>{"CloseDatabase", "UpdateCaption"}));
    EXPECT_FALSE(data.ADOConnection.Connected());
}
