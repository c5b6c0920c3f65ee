// The data module's maintenance services on an open database: administrator rights, the Reports menu,
// the roster and the title.
#include "DataFixture.h"

#include "data/DataModule.h"
#include "data/DatabaseCompaction.h"
#include "data/PasswordForms.h"
#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"

#include <gtest/gtest.h>

using namespace data_test;

namespace {

const QString kPrompt = QStringLiteral("DatabasePasswordForm");

// A protected database of the current schema, opened through its password file (no administrator rights).
class OpenThroughPasswordFile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(DbPath(), false));
        QString backup;
        ASSERT_EQ(data::CompactDatabaseFile(DbPath(), {}, backup, false, QStringLiteral("Secret")), data::kCompacted);
        TData::WritePasswordFile(TData::PasswordFileName(DbPath()), QStringLiteral("Secret"));
        ASSERT_TRUE(data.ConnectDatabase(DbPath(), {}));
        ASSERT_FALSE(data.AdministratorMode);
    }

    void Type(const QString& text) {
        runner->OnShown<TDatabasePasswordForm>(kPrompt, [=](TDatabasePasswordForm& form) {
            form.PasswordEdit->SetText(text);
            form.OkButton->click();
        });
    }

    ui::ScopedScriptedRunner runner;
    TData data;
};

}  // namespace

TEST_F(OpenThroughPasswordFile, AdministratorActionsAskForTheExactPasswordOnce) {
    Type(QStringLiteral("SECRET"));
    Type(QStringLiteral("Secret"));
    EXPECT_TRUE(data.CheckAdministrator());
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(data.CheckAdministrator());
    EXPECT_EQ(runner->Runs().size(), 2u);
}

TEST_F(OpenThroughPasswordFile, CancelAndReadOnlyAccessRefuse) {
    runner->Answer(kPrompt, mrCancel);
    EXPECT_FALSE(data.CheckAdministrator());
    data.ReadOnlyAccess = true;
    EXPECT_FALSE(data.CheckAdministrator());
    EXPECT_EQ(runner->Runs().size(), 1u);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(OpenThroughPasswordFile, ReportsMenuRosterAndTitle) {
    TMenuItem menu(nullptr);
    auto* anchor = new TMenuItem(nullptr);
    menu.Add(anchor);
    EXPECT_EQ(data.FillReportsMenu(menu, anchor, {}), 0);
    ASSERT_EQ(menu.Count(), 2);
    EXPECT_EQ(menu.Items(1)->Caption(), QStringLiteral("Empty"));

    TStringList computers;
    data.GetConnectedComputers(computers);
    EXPECT_EQ(computers.ToStringList(), QStringList{rtl::ComputerName()});
    EXPECT_EQ(data.GetDatabaseTitle(), QString());

    // Closed: the menu loses its report items and nothing is connected.
    data.DisconnectDatabase();
    EXPECT_EQ(data.FillReportsMenu(menu, anchor, {}), 0);
    EXPECT_EQ(menu.Count(), 1);
    data.GetConnectedComputers(computers);
    EXPECT_EQ(computers.Count(), 0);
    qint64 size = 5;
    qint64 reclaimable = 5;
    data.GetReclaimableSpace(DbPath(), size, reclaimable);
    EXPECT_EQ(size + reclaimable, 0);
}
