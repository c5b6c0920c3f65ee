// Creating a database: the complete current schema, the first RanvelGlobal row, replacing a file.
#include "data/support/SchemaFixtures.h"

#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "data/support/ScriptedDataWindows.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/EngineError.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>

using namespace data_test;

namespace {

// The current schema, table by table.
const QStringList kCurrentSchema = {
    "AddressBook.EmailAddress TEXT(64) NOT NULL",
    "AddressBook.LastUsed DATETIME NOT NULL",
    "AddressBook.FirstName TEXT(20)",
    "AddressBook.LastName TEXT(30)",
    "AddressBook.Nickname TEXT(20)",
    "AddressBook.DisplayName TEXT(50)",
    "AddressBook.Company TEXT(30)",
    "AddressBook.Department TEXT(30)",
    "AddressBook.Title TEXT(30)",
    "AddressBook.Address1 TEXT(30)",
    "AddressBook.Address2 TEXT(30)",
    "AddressBook.City TEXT(30)",
    "AddressBook.Prov TEXT(30)",
    "AddressBook.Postcode TEXT(10)",
    "AddressBook.Country TEXT(30)",
    "AddressBook.Phone TEXT(20)",
    "AddressBook.Fax TEXT(20)",
    "AddressBook.Id AUTOINCREMENT",
    "AddressBook index PrimaryKey (Id) primary",
    "Bookings.BookingId INTEGER NOT NULL",
    "Bookings.Trans LOGICAL",
    "Bookings.TransDateTime DATETIME",
    "Bookings.ResourceId INTEGER NOT NULL",
    "Bookings.GroupBookingId INTEGER",
    "Bookings.BookingStart DATETIME NOT NULL",
    "Bookings.BookingEnd DATETIME NOT NULL",
    "Bookings.Client TEXT(30) NOT NULL",
    "Bookings.Phone TEXT(20)",
    "Bookings.Email TEXT(50)",
    "Bookings.Address MEMO",
    "Bookings.Ep TEXT(16)",
    "Bookings.Description MEMO",
    "Bookings.Notes MEMO",
    "Bookings.Reminder MEMO",
    "Bookings.EMailHeader MEMO",
    "Bookings.Owner TEXT(32)",
    "Bookings index PrimaryKey (BookingId) primary",
    "Bookings index GroupBookingId (GroupBookingId)",
    "Bookings index ResourceId (ResourceId)",
    "Bookings index StartDateTime (ResourceId, BookingStart)",
    "Bookings fk FKBookingsTableResourceId (ResourceId) -> Resources (ResourceId)",
    "Features.Feature TEXT(30) NOT NULL",
    "Features index PrimaryKey (Feature) primary",
    "Groups.GroupName TEXT(25) NOT NULL",
    "Groups.Ep TEXT(16)",
    "Groups index PrimaryKey (GroupName) primary",
    "History.HistoryId AUTOINCREMENT",
    "History.HistoryCode BYTE",
    "History.Userid TEXT(20)",
    "History.Trans LOGICAL",
    "History.TransDateTime DATETIME",
    "History.BookingId INTEGER",
    "History.GroupBookingId INTEGER",
    "History.HistoryTimeStamp DATETIME NOT NULL",
    "History.Description MEMO",
    "History.TaskId INTEGER",
    "History index PrimaryKey (HistoryId) primary",
    "History index BookingIdIndex (BookingId, HistoryId)",
    "NextBookingId.NextBookingId AUTOINCREMENT(1000,1)",
    "NextBookingId.DUMMY INTEGER",
    "RanvelGlobal.Title TEXT(30)",
    "RanvelGlobal.BookingRestrictMode INTEGER",
    "RanvelGlobal.BookingRestrictDaysAhead INTEGER",
    "RanvelGlobal.BookingRestrictUntilDate DATETIME",
    "RanvelGlobal.BookingPasswordPermitted LOGICAL",
    "RanvelGlobal.CheckReclaim LOGICAL",
    "RanvelGlobal.CheckReclaimSize INTEGER",
    "RanvelGlobal.HistoryLogMode INTEGER",
    "RanvelGlobal.UseridMode INTEGER",
    "RanvelGlobal.UserMessageMode INTEGER",
    "RanvelGlobal.UserMessage MEMO",
    "RanvelGlobal.BookingAllowUserCreate LOGICAL",
    "RanvelGlobal.BookingOwnerOnlyModify LOGICAL",
    "RanvelGlobal.TaskAllowUserCreate LOGICAL",
    "RanvelGlobal.TaskOwnerOnlyModify LOGICAL",
    "RanvelGlobal.MinProgramVersion TEXT(20)",
    "RanvelGlobal.Schema_Ranvel60_6_3 INTEGER",
    "Reports.ReportName TEXT(32)",
    "Reports.ReportSetup MEMO",
    "Reports index PrimaryKey (ReportName) primary",
    "ResourceFeatures.ResourceId INTEGER NOT NULL",
    "ResourceFeatures.Feature TEXT(30) NOT NULL",
    "ResourceFeatures index PrimaryKey (ResourceId, Feature) primary",
    "ResourceFeatures fk FKResourceFeaturesTableResourceId (ResourceId) -> Resources (ResourceId)",
    "ResourceFeatures fk FKResourceFeaturesTableFeature (Feature) -> Features (Feature) update-cascade",
    "ResourceGroupManagers.GroupName TEXT(25) NOT NULL",
    "ResourceGroupManagers.Username TEXT(32) NOT NULL",
    "ResourceGroupManagers index PrimaryKey (GroupName, Username) primary",
    "ResourceGroups.GroupName TEXT(25) NOT NULL",
    "ResourceGroups.ResourceId INTEGER NOT NULL",
    "ResourceGroups index PrimaryKey (GroupName, ResourceId) primary",
    "ResourceGroups index GroupName (GroupName)",
    "ResourceGroups fk FKResourceTableGroups (GroupName) -> Groups (GroupName) update-cascade",
    "ResourceGroups fk FKResourceTableResourceId (ResourceId) -> Resources (ResourceId)",
    "ResourceManagers.ResourceId INTEGER NOT NULL",
    "ResourceManagers.Username TEXT(32) NOT NULL",
    "ResourceManagers index PrimaryKey (ResourceId, Username) primary",
    "Resources.ResourceId AUTOINCREMENT",
    "Resources.ResourceName TEXT(25) NOT NULL",
    "Resources.TypeName TEXT(25)",
    "Resources.Description TEXT(255)",
    "Resources.Notes TEXT(255)",
    "Resources.MaxBookDays INTEGER NOT NULL",
    "Resources.BookingRestrictMode INTEGER",
    "Resources.BookingRestrictDaysAhead INTEGER",
    "Resources.BookingRestrictUntilDate DATETIME",
    "Resources.Ep TEXT(16)",
    "Resources.OnlyAllowManagersWrite LOGICAL",
    "Resources.MaxBookDaysRestrict LOGICAL",
    "Resources.Image IMAGE",
    "Resources index PrimaryKey (ResourceId) primary",
    "Resources index ResourceNameIndex (ResourceName) unique",
    "Resources fk FKResourcesTable (TypeName) -> Types (TypeName) update-cascade",
    "TaskManagers.Username TEXT(32) NOT NULL",
    "TaskManagers index PrimaryKey (Username) primary",
    "Tasks.TaskId AUTOINCREMENT(1000,1)",
    "Tasks.BookingId INTEGER",
    "Tasks.Status INTEGER",
    "Tasks.PercentCompleted INTEGER",
    "Tasks.Priority INTEGER",
    "Tasks.StartDate DATETIME",
    "Tasks.DueDate DATETIME",
    "Tasks.CompletedDate DATETIME",
    "Tasks.Subject TEXT(50)",
    "Tasks.Assignee TEXT(20)",
    "Tasks.Description MEMO",
    "Tasks.Owner TEXT(32)",
    "Tasks index PrimaryKey (TaskId) primary",
    "Tasks index BookingIdIndex (BookingId) unique",
    "Types.Typename TEXT(25) NOT NULL",
    "Types index PrimaryKey (TypeName) primary",
};

class DatabaseCreation : public testing::Test {
protected:
    void SetUp() override { previousClock = rtl::SetClock(clock); }
    void TearDown() override { rtl::SetClock(previousClock); }

    std::unique_ptr<sql::Connection> Open() const {
        return std::make_unique<sql::Connection>(data::NormalConnectionString(DbPath(), {}));
    }

    std::shared_ptr<rtl::FakeClock> clock = std::make_shared<rtl::FakeClock>(EncodeDate(2026, 2, 27) + 0.5);
    std::shared_ptr<rtl::Clock> previousClock;
    ScriptedDataWindows windows;
    TData data;
};

}  // namespace

TEST_F(DatabaseCreation, TheNewFileHoldsTheCurrentSchemaAndItsFirstGlobalRow) {
    ASSERT_TRUE(data.CreateDatabase(DbPath(), false));
    EXPECT_FALSE(data.ADOConnection.Connected());
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    const auto connection = Open();
    EXPECT_EQ(CatalogLines(*connection), kCurrentSchema);
    EXPECT_EQ(MarkerColumns(*connection), QStringList{"Schema_Ranvel60_6_3"});
    // 365 days after 27 Feb 2026 is 27 Feb 2027.
    EXPECT_EQ(RowTexts(*connection,
                       "select Title, BookingRestrictMode, BookingRestrictUntilDate, "
                       "BookingRestrictDaysAhead, BookingPasswordPermitted, UseridMode, CheckReclaim, "
                       "CheckReclaimSize, MinProgramVersion, BookingAllowUserCreate from RanvelGlobal"),
              QStringList{QStringLiteral("<null>|1|%1|365|0|1|-1|10|6.0.0.250|0").arg(EncodeDate(2027, 2, 27))});
    // The booking id counter starts at 1000.
    connection->Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    EXPECT_EQ(connection->LastCounterValue("NextBookingId").toInt(), 1000);
}

TEST_F(DatabaseCreation, APasswordProtectsTheFileFromItsCreation) {
    ASSERT_TRUE(data.CreateDatabase(DbPath(), false, QStringLiteral("Secret7")));
    EXPECT_FALSE(data.ADOConnection.Connected());
    try {
        Open();
        ADD_FAILURE() << "opened without its password";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), sql::kNotValidPassword);
    }
    const sql::Connection connection(data::NormalConnectionString(DbPath(), QStringLiteral("Secret7")));
    EXPECT_EQ(CatalogLines(connection), kCurrentSchema);
    EXPECT_EQ(MarkerColumns(connection), QStringList{"Schema_Ranvel60_6_3"});
}

TEST_F(DatabaseCreation, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
    QFile file(DbPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();

    testing_env::Messages().QueueAnswer(mrCancel);
    EXPECT_FALSE(data.CreateDatabase(DbPath(), false));
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Overwrite file " + DbPath() + "?"});
    EXPECT_EQ(QFile(DbPath()).size(), 14);

    EXPECT_TRUE(data.CreateDatabase(DbPath(), true));
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_EQ(MarkerColumns(*Open()), QStringList{"Schema_Ranvel60_6_3"});
}

TEST_F(DatabaseCreation, AFileAnotherInstanceHasOpenIsNotReplaced) {
    ASSERT_TRUE(data.CreateDatabase(DbPath(), false));
    const auto other = Open();
    EXPECT_FALSE(data.CreateDatabase(DbPath(), true));
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{"Could not replace the file " + DbPath() + ". The file may be in use."});
    EXPECT_EQ(RowTexts(*other, "select count(*) from Resources"), QStringList{"0"});
}

TEST_F(DatabaseCreation, AFailureIsReportedInTheExceptionLog) {
    EXPECT_FALSE(data.CreateDatabase(DbPath("missing folder/new.tvd"), false));
    EXPECT_EQ(windows.Runs, std::vector<QString>{"LogDialog"});
    ASSERT_EQ(windows.ExceptionLogs.size(), 1u);
    const data::ExceptionLogReport& report = windows.ExceptionLogs[0];
    EXPECT_EQ(report.Caption, QStringLiteral("Log Exception"));
    EXPECT_EQ(report.MessageLines.first(), QStringLiteral("An illegal exception occurred while creating the database"));
    EXPECT_EQ(report.LogLines.last(), "Generated by " + QCoreApplication::applicationFilePath());
    EXPECT_EQ(report.ExceptionInfoLines, QStringList{"Creating Access Database"});
}
