// Compaction and the database password over real files: refused while another instance holds the file, the
// sizes reported, another file's password asked again, the password dialog's checks, the password file, and the
// backup recommendation's switch.
#include "AdminFixture.h"

#include "admin/BackupRecommendation.h"
#include "admin/CompactCommands.h"
#include "admin/SetDatabasePasswordForm.h"
#include "data/forms/PasswordForms.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QRegularExpression>

using namespace admin_test;

namespace {

const QString kReopening = QStringLiteral("Re-opening database in multi-user mode...");

class CompactCommands : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("compact.tvd"));

    void SetUp() override {
        backupFlags[static_cast<int>(admin::BackupOperation::CompactAndRepair)] = false;
        OpenNewDatabase(path);
    }
    // Rows written and deleted, so that compaction has space to give back.
    void MakeRoom() {
        sql::Connection file(data_test::Plain(path, data.DatabasePassword));
        file.Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room', 0)"));
        file.BeginTransaction();
        for (int id = 1; id <= 3000; ++id)
            file.Execute(QStringLiteral("insert into Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                                        "Client, Notes) values (%1, 1, 1, 2, 'c', '%2')")
                             .arg(id)
                             .arg(QString(200, u'x')));
        file.CommitTransaction();
        file.Execute(QStringLiteral("delete from Bookings"));
    }
    // The password dialog run with the two texts typed and "Set Password" pressed.
    void SetPassword(const QString& password, bool saveFile = true) {
        runner->OnShown<TSetDatabasePasswordForm>(QStringLiteral("SetDatabasePasswordForm"),
                                                  [password, saveFile](TSetDatabasePasswordForm& form) {
                                                      form.NewPasswordEdit->SetText(password);
                                                      form.VerifyPasswordEdit->SetText(password);
                                                      form.SaveEncryptedPasswordCheckBox->SetChecked(saveFile);
                                                      form.OkButton->Click();
                                                  });
        admin::SetDatabasePassword(data, MainWindow());
    }
    static bool Opens(const QString& file, const QString& password) {
        try {
            sql::Connection connection(data_test::Plain(file, password));
            return true;
        } catch (const Exception&) {
            return false;
        }
    }
};

TEST_F(CompactCommands, AnotherInstanceHoldingTheFileChangesNothing) {
    data_test::OtherInstance other(path, {}, false);
    admin::CompactCurrentDatabase(data, MainWindow());
    admin::SetDatabasePassword(data, MainWindow());
    EXPECT_EQ(Shown(), (std::vector<QString>{"Could not get exclusive access to database",
                                             "Could not get exclusive access to database"}));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(data.ADOConnection.Connected());
}

TEST_F(CompactCommands, TheOpenDatabaseIsCompactedReportedAndOpenedAgainWithItsRights) {
    MakeRoom();
    const qint64 before = admin::GetFileSize(path);
    admin::CompactCurrentDatabase(data, MainWindow());
    const qint64 after = admin::GetFileSize(path);
    ASSERT_LT(after, before);
    const std::vector<QString> shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    const QString expected =
        QStringLiteral(
            "Database successfully compacted.\r\rOriginal size %1 KB\rCompacted size %2 KB\r\rReduction "
            "%3%\r\rOriginal file backed up as %4")
            .arg(QLocale(QLocale::English).toString(before / 1024), QLocale(QLocale::English).toString(after / 1024))
            .arg(100 - static_cast<int>(static_cast<double>(after) / before * 100))
            .arg(data_test::DbPath(QStringLiteral("compact.bak")));
    EXPECT_EQ(shown[1], expected);
    EXPECT_TRUE(expected.contains(u',')) << expected.toStdString();
    EXPECT_EQ(calls, (std::vector<QString>{"CloseDatabase", "OpenDatabase compact.tvd  " + kReopening}));
    EXPECT_TRUE(data.ADOConnection.Connected());
    EXPECT_TRUE(data.AdministratorMode);
}

TEST_F(CompactCommands, AnotherProtectedFileAsksAgainAfterAWrongPassword) {
    const QString other = data_test::DbPath(QStringLiteral("other.tvd"));
    data_test::CreateDatabase(other, QStringLiteral("secret1"));
    chosenDatabaseFile = other;
    int shown = 0;
    runner->OnShown<TDatabasePasswordForm>(QStringLiteral("DatabasePasswordForm"), [&](TDatabasePasswordForm& form) {
        ++shown;
        form.PasswordEdit->SetText(QStringLiteral("wrong"));
        form.OkButton->Click();
    });
    runner->OnShown<TDatabasePasswordForm>(QStringLiteral("DatabasePasswordForm"), [&](TDatabasePasswordForm& form) {
        ++shown;
        form.PasswordEdit->SetText(QStringLiteral("secret1"));
        form.OkButton->Click();
    });
    admin::CompactDatabase(data, MainWindow());
    EXPECT_EQ(shown, 2);
    const std::vector<QString> texts = Shown();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], QStringLiteral("Incorrect password. Please re-enter."));
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("Database successfully compacted."))) << texts[2].toStdString();
    EXPECT_TRUE(Opens(other, QStringLiteral("secret1")));
    EXPECT_FALSE(Opens(other, {}));
    // The open database was not touched.
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(data.ADOConnection.Connected());
}

TEST_F(CompactCommands, ThePasswordDialogRefusesBlankShortAndDifferentPasswords) {
    struct Case {
        const char* password;
        const char* verification;
        const char* message;
    };
    for (const Case c : {Case{"      ", "      ", "The password can not be blank"},
                         Case{"abcde", "abcde", "The password must be at least 6 characters long"},
                         Case{"abcdef", "ABCDEF", "The passwords entered do not match"}}) {
        testing_env::Messages().Clear();
        TSetDatabasePasswordForm form(false);
        form.NewPasswordEdit->SetText(QString::fromLatin1(c.password));
        form.VerifyPasswordEdit->SetText(QString::fromLatin1(c.verification));
        form.OkButton->Click();
        EXPECT_EQ(Shown(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(form.ModalResult(), 0);
    }
    testing_env::Messages().Clear();
    TSetDatabasePasswordForm form(false);
    form.Button1->Click();
    EXPECT_EQ(Shown(), std::vector<QString>{"The database does not currently have a password."});
    EXPECT_EQ(form.ModalResult(), 0);
}

TEST_F(CompactCommands, APasswordSetWithItsFileThenClearedDeletesTheFile) {
    SetPassword(QStringLiteral("Secret7"));
    const QString passwordFile = data_test::DbPath(QStringLiteral("compact.pwd"));
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1], QStringLiteral("Password has been changed and encrypted password file saved\r\rOriginal "
                                         "file backed up as ") +
                              data_test::DbPath(QStringLiteral("compact.bak")));
    EXPECT_FALSE(Opens(path, {}));
    EXPECT_TRUE(Opens(path, QStringLiteral("Secret7")));
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(data.DatabasePassword, QStringLiteral("Secret7"));
    {
        // The password file opens it, without administrator rights.
        TData other;
        ASSERT_TRUE(other.ConnectDatabase(path, {}));
        EXPECT_FALSE(other.AdministratorMode);
    }
    testing_env::Messages().Clear();
    runner->OnShown<TSetDatabasePasswordForm>(QStringLiteral("SetDatabasePasswordForm"),
                                              [](TSetDatabasePasswordForm& form) { form.Button1->Click(); });
    admin::SetDatabasePassword(data, MainWindow());
    // The read-only rights warning and the question before the earlier backup is replaced come first.
    ASSERT_EQ(Shown().size(), 3u);
    EXPECT_TRUE(Shown()[2].startsWith(QStringLiteral("Password has been cleared and encrypted password file deleted")));
    EXPECT_FALSE(QFile::exists(passwordFile));
    EXPECT_TRUE(Opens(path, {}));
}

TEST_F(CompactCommands, APasswordChangeIsWholeAndAFailedPasswordFileIsSaid) {
    const QString passwordFile = data_test::DbPath(QStringLiteral("compact.pwd"));
    const auto prepare = [&] {
        data.DisconnectDatabase();
        QFile::remove(passwordFile);
        QFile::remove(data_test::DbPath(QStringLiteral("compact.bak")));
        QFile::remove(path);
        OpenNewDatabase(path);
        testing_env::Messages().Clear();
    };
    bool fileFailureSaid = false;
    testing_env::LoopOverFaults(
        prepare, [&] { SetPassword(QStringLiteral("Secret7")); },
        [&](int n) {
            const bool changed = Opens(path, QStringLiteral("Secret7")) && !Opens(path, {});
            EXPECT_TRUE(changed || Opens(path, {})) << "fault " << n;
            for (const QString& text : Shown()) {
                if (text.startsWith(QStringLiteral("Password has been changed. Could not save encrypted password "
                                                   "file"))) {
                    fileFailureSaid = true;
                    EXPECT_TRUE(changed) << "fault " << n;
                }
                if (text == QStringLiteral("Password could not be changed")) {
                    EXPECT_FALSE(changed) << "fault " << n;
                }
            }
        });
    EXPECT_TRUE(fileFailureSaid);
}

TEST_F(CompactCommands, TheBackupRecommendationStopsOrIsSwitchedOff) {
    bool& flag = backupFlags[static_cast<int>(admin::BackupOperation::CompactAndRepair)];
    flag = true;
    runner->Answer(QStringLiteral("BackupRecommendationForm"), mrCancel);
    admin::CompactCurrentDatabase(data, MainWindow());
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(flag);
    runner->OnShown<TBackupRecommendationForm>(QStringLiteral("BackupRecommendationForm"),
                                               [](TBackupRecommendationForm& form) {
                                                   form.DoNotDisplayAgainCheckBox->SetChecked(true);
                                                   form.ProceedButton->Click();
                                               });
    admin::CompactCurrentDatabase(data, MainWindow());
    EXPECT_FALSE(flag);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], QStringLiteral("SaveBackupDialogFlags"));
    calls.clear();
    admin::CompactCurrentDatabase(data, MainWindow());
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{"BackupRecommendationForm", "BackupRecommendationForm"}));
    EXPECT_EQ(calls.front(), QStringLiteral("CloseDatabase"));
}

// With TAVORIN_UI_SHOTS, the pictures of docs/.
TEST_F(CompactCommands, TheDialogsShowTheirTextsWhole) {
    testing_env::AtEachTestFont([] {
        TBackupRecommendationForm backup;
        backup.Show();
        TSetDatabasePasswordForm password(true);
        password.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(backup);
        testing_env::ExpectTextsWhole(password);
    });
}

}  // namespace
