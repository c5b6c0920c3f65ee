// The data module's maintenance services on an open database: administrator rights, the roster and the title.
#include "data/support/DataFixture.h"
#include "data/support/ScriptedDataWindows.h"

#include "data/module/DataModule.h"
#include "data/module/DatabaseCompaction.h"
#include "platform/rtl/SystemFacts.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace data_test;

namespace {

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

    ScriptedDataWindows windows;
    TData data;
};

}  // namespace

TEST_F(OpenThroughPasswordFile, AdministratorActionsAskForTheExactPasswordOnce) {
    windows.TypePassword(QStringLiteral("SECRET"));
    windows.TypePassword(QStringLiteral("Secret"));
    EXPECT_TRUE(data.CheckAdministrator());
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(data.CheckAdministrator());
    EXPECT_EQ(windows.Runs.size(), 2u);
}

TEST_F(OpenThroughPasswordFile, CancelAndReadOnlyAccessRefuse) {
    windows.CancelPassword();
    EXPECT_FALSE(data.CheckAdministrator());
    data.ReadOnlyAccess = true;
    EXPECT_FALSE(data.CheckAdministrator());
    EXPECT_EQ(windows.Runs.size(), 1u);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(OpenThroughPasswordFile, RosterAndTitle) {
    TStringList computers;
    data.GetConnectedComputers(computers);
    EXPECT_EQ(computers.ToStringList(), QStringList{rtl::ComputerName()});
    EXPECT_EQ(data.GetDatabaseTitle(), QString());

    // Closed: nothing is connected.
    data.DisconnectDatabase();
    data.GetConnectedComputers(computers);
    EXPECT_EQ(computers.Count(), 0);
    qint64 size = 5;
    qint64 reclaimable = 5;
    data.GetReclaimableSpace(DbPath(), size, reclaimable);
    EXPECT_EQ(size + reclaimable, 0);
}
