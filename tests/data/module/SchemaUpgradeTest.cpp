// Recognising older databases and upgrading them to the current schema behind one confirmation.
#include "data/support/SchemaFixtures.h"
#include "data/support/ScriptedDataWindows.h"

#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace data_test;

namespace {

class SchemaUpgrade : public testing::Test {
protected:
    // The upgrade question's administrator check passes without asking, and its two-second wait passes on
    // the fake clock.
    void SetUp() override {
        data.AdministratorMode = true;
        rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDate(2026, 3, 1)));
    }

    // Opens the file as the data module does and checks its schema.
    bool Check(const QString& path, bool readOnly = false) {
        data.ADOConnection.Close();
        data.ADOConnection.ConnectionString = data::NormalConnectionString(path, data.DatabasePassword);
        data.ADOConnection.Open();
        return data.CheckAndUpgradeSchema(path, readOnly);
    }

    // A new database built the same way, for comparison.
    QStringList CurrentCatalog() {
        TData creator;
        EXPECT_TRUE(creator.CreateDatabase(DbPath("current.tvd"), false));
        QStringList lines = CatalogLines(sql::Connection(data::NormalConnectionString(DbPath("current.tvd"), {})));
        lines.sort();
        return lines;
    }

    static QStringList SortedCatalog(const sql::Connection& connection) {
        QStringList lines = CatalogLines(connection);
        lines.sort();
        return lines;
    }

    std::vector<QString> Messages() const { return testing_env::Messages().Texts(); }

    ScriptedDataWindows windows;
    TData data;
};

struct OlderFile {
    OlderSchema version;
    const char* name;
};

class UpgradeFromOlderFile : public SchemaUpgrade, public testing::WithParamInterface<OlderFile> {};

}  // namespace

TEST_P(UpgradeFromOlderFile, ReachesTheCurrentSchemaWithItsDataAfterOneConfirmation) {
    BuildOlderDatabase(DbPath(), GetParam().version);
    windows.AnswerUpgrade(true);
    ASSERT_TRUE(Check(DbPath()));
    EXPECT_EQ(Messages(), std::vector<QString>{});
    EXPECT_EQ(windows.Runs, std::vector<QString>{"UpgradeConfirmForm"});
    // The module is connected normally again with the global table open.
    EXPECT_EQ(data.ADOConnection.Mode(), sql::kModeShareDenyNone);
    EXPECT_TRUE(data.GlobalTable.Active());
    data.ADOConnection.Close();

    const sql::Connection connection(data::NormalConnectionString(DbPath(), {}));
    EXPECT_EQ(MarkerColumns(connection), QStringList{"Schema_Ranvel60_6_3"});
    EXPECT_EQ(SortedCatalog(connection), CurrentCatalog());
    EXPECT_EQ(RowTexts(connection, "select MinProgramVersion from RanvelGlobal"), QStringList{"6.0.0.250"});
    EXPECT_EQ(RowTexts(connection,
                       "select ResourceName, Ep, MaxBookDays, MaxBookDaysRestrict, "
                       "OnlyAllowManagersWrite from Resources order by ResourceId"),
              QStringList({"Room 1|<null>|0|0|0", "Room 2|<null>|3|-1|0"}));
    EXPECT_EQ(RowTexts(connection, "select BookingId, Client, Ep, Email, Owner from Bookings"),
              QStringList{"1001|Ada|<null>|<null>|<null>"});
    EXPECT_EQ(RowTexts(connection, "select GroupName, ResourceId from ResourceGroups"), QStringList{"Floor 1|2"});
    EXPECT_EQ(RowTexts(connection, "select HistoryCode, Userid, TaskId from History"), QStringList{"1|ada|<null>"});
    // The address book is keyed by a numbered Id, in the order the entries were made.
    EXPECT_EQ(RowTexts(connection, "select Id, EmailAddress from AddressBook order by Id"),
              QStringList({"1|b@x", "2|a@x"}));
}

INSTANTIATE_TEST_SUITE_P(Versions, UpgradeFromOlderFile,
                         testing::Values(OlderFile{OlderSchema::V50, "V50"}, OlderFile{OlderSchema::V51, "V51"},
                                         OlderFile{OlderSchema::V52, "V52"},
                                         OlderFile{OlderSchema::V52From51, "V52From51"},
                                         OlderFile{OlderSchema::V61, "V61"}, OlderFile{OlderSchema::V62, "V62"}),
                         [](const testing::TestParamInfo<OlderFile>& info) { return info.param.name; });

TEST_F(SchemaUpgrade, ACurrentDatabaseOpensWithoutAQuestion) {
    ASSERT_TRUE(data.CreateDatabase(DbPath(), false));
    EXPECT_TRUE(Check(DbPath()));
    EXPECT_TRUE(windows.Runs.empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(data.GlobalTable.Active());
}

TEST_F(SchemaUpgrade, RefusesFilesItCannotUse) {
    struct Case {
        QStringList statements;
        QString message;
    };
    const QString newer = "The database requires a newer program version which supports Tavorin Schema 7 or higher.";
    const Case cases[] = {
        {{"CREATE TABLE RanvelGlobal (Title TEXT(30), SchemaNotes INTEGER)"},
         "The database does not appear to be a Tavorin database."},
        {{"CREATE TABLE RanvelGlobal (Title TEXT(30), Schema_Other_6_3 INTEGER)"},
         "The database does not appear to be a Tavorin database."},
        {{"CREATE TABLE RanvelGlobal (Title TEXT(30), Schema_Ranvel50_4_9 INTEGER)"},
         "The database is a Tavorin Schema 4 or earlier database and can not be upgraded."},
        {{"CREATE TABLE RanvelGlobal (Title TEXT(30), Schema_Ranvel60_6_3 INTEGER, Schema_Ranvel60_7_0 INTEGER)"},
         newer},
        {{"CREATE TABLE RanvelGlobal (Title TEXT(30), schema_ranvel60_12_1 INTEGER)"},
         "The database requires a newer program version which supports Tavorin Schema 12 or higher."},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString path = DbPath(QStringLiteral("refused%1.tvd").arg(++n));
        sql::Connection::CreateDatabase({path});
        sql::Connection connection(sql::ConnectOptions{path});
        for (const QString& statement : c.statements) connection.Execute(statement);
        testing_env::Messages().Clear();
        EXPECT_FALSE(Check(path)) << c.message.toStdString();
        EXPECT_EQ(Messages(), std::vector<QString>{c.message});
        EXPECT_EQ(testing_env::Messages().Requests().back().type, mtError);
    }
    EXPECT_TRUE(windows.Runs.empty());
}

TEST_F(SchemaUpgrade, AFileWithoutTheGlobalTableShowsTheOpenError) {
    sql::Connection::CreateDatabase({DbPath()});
    EXPECT_FALSE(Check(DbPath()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].contains("RanvelGlobal"));
}

TEST_F(SchemaUpgrade, AReadOnlyUserIsToldAndNeverAsked) {
    BuildOlderDatabase(DbPath(), OlderSchema::V62);
    EXPECT_FALSE(Check(DbPath(), true));
    EXPECT_EQ(Messages(), std::vector<QString>{"The database specified must be upgraded. You have read-only access "
                                               "and can not upgrade the database. Please contact your network "
                                               "administrator."});
    EXPECT_EQ(testing_env::Messages().Requests()[0].buttons, TMsgDlgButtons({mbYes, mbNo}));
    EXPECT_TRUE(windows.Runs.empty());
    EXPECT_TRUE(data.GlobalTable.ReadOnly);
}

TEST_F(SchemaUpgrade, CancelLeavesTheFileAsItWas) {
    BuildOlderDatabase(DbPath(), OlderSchema::V52);
    windows.AnswerUpgrade(false);
    EXPECT_FALSE(Check(DbPath()));
    data.ADOConnection.Close();
    EXPECT_EQ(MarkerColumns(sql::Connection(data::NormalConnectionString(DbPath(), {}))),
              QStringList{"Schema_Ranvel50_5_2"});
}

TEST_F(SchemaUpgrade, TheQuestionWaitsTwoSecondsFromTheStartOfTheOpen) {
    auto clock = std::make_shared<rtl::FakeClock>(EncodeDate(2026, 3, 1), 10000);
    const auto previous = rtl::SetClock(clock);
    BuildOlderDatabase(DbPath(), OlderSchema::V62);
    data.OpenStartTime = 9500;
    quint32 askedAt = 0;
    windows.OnShown = [&](const QString&) { askedAt = GetTickCount(); };
    windows.AnswerUpgrade(false);
    EXPECT_FALSE(Check(DbPath()));
    EXPECT_EQ(askedAt, 11500u);
    rtl::SetClock(previous);
}

TEST_F(SchemaUpgrade, AnotherUserInTheFileStopsTheUpgrade) {
    BuildOlderDatabase(DbPath(), OlderSchema::V62);
    const sql::Connection other(data::NormalConnectionString(DbPath(), {}));
    windows.AnswerUpgrade(true);
    EXPECT_FALSE(Check(DbPath()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("Could not get exclusive access to database.\r\r"));
    EXPECT_EQ(MarkerColumns(other), QStringList{"Schema_Ranvel60_6_2"});
}

TEST_F(SchemaUpgrade, AFailedStepLeavesTheFileAsItWasAndTheNextOpenSucceeds) {
    BuildOlderDatabase(DbPath(), OlderSchema::V62);
    {
        // Without its primary key the address book makes the 6.3 step fail after its first statement.
        sql::Connection connection(data::NormalConnectionString(DbPath(), {}));
        connection.Execute("DROP INDEX PrimaryKey ON AddressBook");
    }
    const QStringList before = SortedCatalog(sql::Connection(data::NormalConnectionString(DbPath(), {})));
    windows.AnswerUpgrade(true);
    EXPECT_FALSE(Check(DbPath()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("Error upgrading Ranvel to schema 60.3.\r\r")) << Messages()[0].toStdString();
    EXPECT_FALSE(data.ADOConnection.Connected());
    {
        sql::Connection connection(data::NormalConnectionString(DbPath(), {}));
        EXPECT_EQ(SortedCatalog(connection), before);
        connection.Execute("CREATE UNIQUE INDEX PrimaryKey ON AddressBook (EmailAddress) WITH PRIMARY");
    }
    // The copy the step was undone from is gone.
    EXPECT_EQ(QDir(testing_env::TempDir()).entryList({"test.tvd.*"}, QDir::Files), QStringList{});

    windows.AnswerUpgrade(true);
    EXPECT_TRUE(Check(DbPath()));
    data.ADOConnection.Close();
    EXPECT_EQ(MarkerColumns(sql::Connection(data::NormalConnectionString(DbPath(), {}))),
              QStringList{"Schema_Ranvel60_6_3"});
}

TEST_F(SchemaUpgrade, APasswordProtectedFileIsUpgradedWithItsPassword) {
    BuildOlderDatabase(DbPath(), OlderSchema::V61, "s;cret ");
    data.DatabasePassword = "s;cret ";
    windows.AnswerUpgrade(true);
    EXPECT_TRUE(Check(DbPath()));
    data.ADOConnection.Close();
    EXPECT_EQ(MarkerColumns(sql::Connection(sql::ConnectOptions{DbPath(), "s;cret "})),
              QStringList{"Schema_Ranvel60_6_3"});
}
