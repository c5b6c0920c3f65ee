// "Admin Login" over a protected file opened through its password file: only the exact password gives the rights.
#include "AdminFixture.h"

#include "admin/AdminLogin.h"
#include "data/forms/PasswordForms.h"

#include <gtest/gtest.h>

using namespace admin_test;

namespace {

const QString kPasswordForm = QStringLiteral("PasswordForm");

}  // namespace

using AdminLogin = AdminTest;

TEST_F(AdminLogin, OnlyTheExactPasswordTurnsAdministratorModeOn) {
    const QString path = data_test::DbPath(QStringLiteral("login.tvd"));
    ASSERT_TRUE(TData().CreateDatabase(path, false, QStringLiteral("Secret7")));
    TData::WritePasswordFile(TData::PasswordFileName(path), QStringLiteral("Secret7"));
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    ASSERT_FALSE(data.AdministratorMode);

    const auto type = [&](const QString& password) {
        runner->OnShown<TPasswordForm>(kPasswordForm, [password](TPasswordForm& form) {
            EXPECT_EQ(form.InfoMemo->Text(), QStringLiteral("Please enter the Database password"));
            form.PasswordEdit->SetText(password);
            form.OkButton->Click();
        });
    };
    type(QStringLiteral("secret7"));
    EXPECT_FALSE(admin::LoginAsAdministrator(data));
    runner->Answer(kPasswordForm, mrCancel);
    EXPECT_FALSE(admin::LoginAsAdministrator(data));
    EXPECT_FALSE(data.AdministratorMode);
    type(QStringLiteral("Secret7"));
    EXPECT_TRUE(admin::LoginAsAdministrator(data));
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_FALSE(admin::LoginAsAdministrator(data));
    EXPECT_EQ(Shown(), (std::vector<QString>{"Incorrect password", "You already have administrator access"}));
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{kPasswordForm, kPasswordForm, kPasswordForm}));
}
