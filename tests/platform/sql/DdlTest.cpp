// Jet DDL on a real file: the booking schema, its upgrade statements, counters and column changes.
#include "SqlFixture.h"

#include "platform/sql/EngineError.h"

#include <gtest/gtest.h>

using namespace sql_test;
using sql::JetType;

namespace {

// The booking schema as the data module builds it, its 6.x upgrade steps included.
const char* const kSchema[] = {
    "CREATE TABLE [RanvelGlobal] (Title TEXT(30), BookingRestrictMode INTEGER, BookingRestrictUntilDate DATETIME, "
    "BookingPasswordPermitted LOGICAL, CheckReclaimSize INTEGER, UserMessage TEXT, Schema_Ranvel50_5_2 INTEGER)",
    "INSERT INTO RanvelGlobal (BookingRestrictMode, BookingRestrictUntilDate, BookingPasswordPermitted) "
    "VALUES (1, #1/6/2027#, False)",
    "CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)",
    "CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, FirstName TEXT(20), "
    "Title TEXT(30))",
    "CREATE INDEX PrimaryKey ON AddressBook (EmailAddress) WITH PRIMARY",
    "CREATE TABLE Types (Typename TEXT(25) NOT NULL, CONSTRAINT PrimaryKey PRIMARY KEY (TypeName))",
    "CREATE TABLE Resources (ResourceId AUTOINCREMENT, ResourceName TEXT(25) NOT NULL, TypeName TEXT(25) "
    "CONSTRAINT FKResourcesTable REFERENCES Types (TypeName) ON UPDATE CASCADE, Description TEXT(255), "
    "MaxBookDays INTEGER NOT NULL, Ep TEXT(16), CONSTRAINT PrimaryKey PRIMARY KEY (ResourceId))",
    "CREATE UNIQUE INDEX ResourceNameIndex ON Resources (ResourceName)",
    "CREATE TABLE Bookings (BookingId INTEGER NOT NULL, Trans LOGICAL, ResourceId INTEGER NOT NULL CONSTRAINT "
    "FKBookingsTableResourceId REFERENCES Resources (ResourceId), GroupBookingId INTEGER, BookingStart DATETIME NOT "
    "NULL, BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL, Ep TEXT(16), Description TEXT)",
    "CREATE INDEX PrimaryKey ON Bookings (BookingId) WITH PRIMARY",
    "CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)",
    "CREATE TABLE History (HistoryId AUTOINCREMENT PRIMARY KEY, HistoryCode TINYINT, BookingId INTEGER, "
    "HistoryTimeStamp DATETIME NOT NULL)",
    "CREATE INDEX BookingIdIndex ON History (BookingId, HistoryId)",
    "CREATE TABLE Tasks (TaskId AUTOINCREMENT(1000,1) PRIMARY KEY, BookingId INTEGER, Subject TEXT(50))",
    "CREATE UNIQUE INDEX BookingIdIndex ON Tasks (BookingId)",
    "CREATE TABLE Settings ([SettingName] VARCHAR(30) Primary Key, [SettingValue] VARCHAR(30))",
    // Rows the upgrade steps must keep.
    "INSERT INTO Types (TypeName) VALUES ('Room')",
    "INSERT INTO Resources (ResourceName, TypeName, MaxBookDays, Ep) VALUES ('Room 1', 'Room', 0, 'x')",
    "INSERT INTO Resources (ResourceName, TypeName, MaxBookDays) VALUES ('Room 2', 'room', 3)",
    "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName) VALUES ('b@x', 1, 'Bea')",
    "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName) VALUES ('a@x', 1, 'Al')",
    // 6.1, 6.2 and 6.3.
    "ALTER TABLE Resources ADD COLUMN OnlyAllowManagersWrite LOGICAL",
    "ALTER TABLE Bookings ADD COLUMN Owner TEXT(32)",
    "ALTER TABLE RanvelGlobal ADD COLUMN MinProgramVersion TEXT(20)",
    "UPDATE RanvelGlobal SET MinProgramVersion = \"6.0.0.242\"",
    "update Resources R\r\nset R.Ep = NULL",
    "ALTER TABLE RanvelGlobal ADD COLUMN Schema_Ranvel50_6_1 INTEGER",
    "ALTER TABLE RanvelGlobal DROP COLUMN Schema_Ranvel50_5_2",
    "ALTER TABLE Resources ADD COLUMN MaxBookDaysRestrict LOGICAL",
    "UPDATE Resources SET MaxBookDaysRestrict = True WHERE MaxBookDays > 0",
    "ALTER TABLE Resources ADD COLUMN [Image] IMAGE",
    "DROP INDEX PRIMARYKEY on AddressBook",
    "ALTER TABLE AddressBook ADD COLUMN [Id] AUTOINCREMENT",
    "CREATE INDEX PrimaryKey ON AddressBook (Id) with PRIMARY",
};

class Ddl : public testing::Test {
protected:
    void SetUp() override {
        connection = CreateAndOpen();
        for (const char* statement : kSchema) {
            ASSERT_EQ(ErrorOf([&] { connection->Execute(statement); }), "") << statement;
        }
    }

    sql::TableDef Table(const QString& name) const { return connection->GetCatalog().Find(name).value(); }

    QStringList IndexNames(const QString& table) const {
        QStringList names;
        for (const sql::IndexDef& index : Table(table).indexes) names << index.name;
        return names;
    }

    qint64 NewCounter() {
        connection->Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
        return connection->LastCounterValue("NextBookingId").toLongLong();
    }

    quint32 ErrorCodeOf(const QString& statement) {
        try {
            connection->Execute(statement);
        } catch (const EOleException& error) {
            return error.ErrorCode();
        }
        return 0;
    }

    std::unique_ptr<sql::Connection> connection;
};

}  // namespace

TEST_F(Ddl, SchemaReadsBackWithJetTypesAndPerTableIndexNames) {
    const sql::TableDef resources = Table("RESOURCES");
    QStringList columns;
    for (const sql::ColumnDef& c : resources.columns)
        columns << c.name + ":" + sql::JetTypeName(c.type) + ":" + QString::number(c.size);
    EXPECT_EQ(columns,
              QStringList({"ResourceId:AUTOINCREMENT:0", "ResourceName:TEXT:25", "TypeName:TEXT:25",
                           "Description:TEXT:255", "MaxBookDays:INTEGER:0", "Ep:TEXT:16",
                           "OnlyAllowManagersWrite:LOGICAL:0", "MaxBookDaysRestrict:LOGICAL:0", "Image:IMAGE:0"}));
    EXPECT_TRUE(resources.columns[1].notNull);
    EXPECT_EQ(IndexNames("Resources"), QStringList({"PrimaryKey", "ResourceNameIndex"}));
    EXPECT_EQ(IndexNames("History"), QStringList({"PrimaryKey", "BookingIdIndex"}));
    EXPECT_EQ(IndexNames("Tasks"), QStringList({"PrimaryKey", "BookingIdIndex"}));
    EXPECT_EQ(IndexNames("AddressBook"), QStringList({"PrimaryKey"}));
    EXPECT_EQ(Table("AddressBook").PrimaryKey()->columns.value(0).name, "Id");
    EXPECT_EQ(Table("Bookings").foreignKeys.value(0).name, "FKBookingsTableResourceId");
    EXPECT_EQ(Table("Settings").columns.value(0).size, 30);
    EXPECT_EQ(Table("RanvelGlobal").ColumnIndex("Schema_Ranvel50_5_2"), -1);

    // Result columns carry the Jet type and size too.
    const auto statement = connection->Prepare("select ResourceName, MaxBookDaysRestrict, Image from Resources");
    int size = 0;
    EXPECT_EQ(statement->ColumnType(0, &size), JetType::Text);
    EXPECT_EQ(size, 25);
    EXPECT_EQ(statement->ColumnType(1), JetType::Boolean);
    EXPECT_EQ(statement->ColumnType(2), JetType::Binary);
}

TEST_F(Ddl, UpgradeStatementsKeepTheRows) {
    EXPECT_EQ(Rows(*connection,
                   "select ResourceName, Ep, MaxBookDaysRestrict, OnlyAllowManagersWrite from Resources "
                   "order by ResourceId"),
              QList<QVariantList>({{"Room 1", QVariant(), 0, 0}, {"Room 2", QVariant(), -1, 0}}));
    // The counter added to a filled table numbers the rows in their order.
    EXPECT_EQ(Rows(*connection, "select Id, EmailAddress from AddressBook order by Id"),
              QList<QVariantList>({{1, "b@x"}, {2, "a@x"}}));
    connection->Execute("INSERT INTO AddressBook (EmailAddress, LastUsed) VALUES ('c@x', 2)");
    EXPECT_EQ(connection->LastCounterValue("AddressBook"), QVariant(qint64(3)));
    EXPECT_EQ(Column(*connection, "select MinProgramVersion from RanvelGlobal"), QStringList{"6.0.0.242"});
    // The cascade follows the key without regard to case.
    connection->Execute("UPDATE Types SET TypeName = 'Meeting room'");
    EXPECT_EQ(Column(*connection, "select TypeName from Resources"), QStringList({"Meeting room", "Meeting room"}));
}

TEST_F(Ddl, LogicalIsNeverNull) {
    connection->Execute("UPDATE Resources SET MaxBookDaysRestrict = NULL");
    connection->Execute(
        "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, Trans) "
        "VALUES (1, 1, 1, 2, 'c', NULL)");
    EXPECT_EQ(Column(*connection, "select MaxBookDaysRestrict from Resources"), QStringList({"0", "0"}));
    EXPECT_EQ(Column(*connection, "select Trans from Bookings"), QStringList{"0"});
}

TEST_F(Ddl, CountersNeverReuseAndSurviveRebuilds) {
    EXPECT_EQ(NewCounter(), 1000);
    EXPECT_EQ(NewCounter(), 1001);
    connection->Execute("DELETE FROM NextBookingId");
    EXPECT_EQ(NewCounter(), 1002);
    connection->Execute("ALTER TABLE NextBookingId ALTER COLUMN NextBookingId AUTOINCREMENT (5001,1)");
    EXPECT_EQ(NewCounter(), 5001);
    connection->Execute("ALTER TABLE NextBookingId ALTER COLUMN DUMMY SMALLINT");
    EXPECT_NE(ErrorOf([&] { connection->Execute("ALTER TABLE NextBookingId ADD COLUMN Extra TEXT(10) NOT NULL"); }),
              "");
    EXPECT_EQ(NewCounter(), 5002);
    // A row given its own number moves the counter past it.
    connection->Execute("INSERT INTO NextBookingId (NextBookingId, DUMMY) VALUES (7000, 0)");
    EXPECT_EQ(NewCounter(), 7001);
}

TEST_F(Ddl, ColumnChangesKeepRowsOrderIndexesAndCounters) {
    for (const char* client : {"c", "a", "b"}) {
        connection->Execute(
            QStringLiteral("INSERT INTO History (HistoryCode, BookingId, HistoryTimeStamp) VALUES "
                           "(1, 5, 2)"));
        connection->Execute(
            QStringLiteral("INSERT INTO Tasks (BookingId, Subject) VALUES (%1, '%2')").arg(int(client[0])).arg(client));
    }
    connection->Execute("ALTER TABLE Tasks ALTER COLUMN Subject TEXT(5)");
    connection->Execute("ALTER TABLE Tasks ADD COLUMN udf1Level INTEGER");
    connection->Execute("ALTER TABLE Tasks ALTER COLUMN udf1Level FLOAT");
    connection->Execute("ALTER TABLE History ALTER COLUMN HistoryCode INTEGER");
    EXPECT_EQ(Rows(*connection, "select TaskId, Subject from Tasks"),
              QList<QVariantList>({{1000, "c"}, {1001, "a"}, {1002, "b"}}));
    EXPECT_EQ(IndexNames("Tasks"), QStringList({"PrimaryKey", "BookingIdIndex"}));
    EXPECT_NE(ErrorOf([&] { connection->Execute("INSERT INTO Tasks (BookingId) VALUES (99)"); }), "");
    connection->Execute("INSERT INTO Tasks (BookingId) VALUES (100)");
    EXPECT_EQ(connection->LastCounterValue("Tasks"), QVariant(qint64(1003)));
    EXPECT_EQ(Table("Tasks").columns.value(2).size, 5);
    EXPECT_EQ(Table("History").columns.value(1).type, JetType::Long);
}

TEST_F(Ddl, RebuildsKeepWhatWasMadeInNativeSqlOutsideTheCatalog) {
    const sql::Database& native = connection->Native();
    native.Exec("CREATE INDEX tv_Length ON Bookings (ResourceId, BookingEnd - BookingStart)");
    native.Exec("CREATE INDEX tv_Owner ON Bookings (Owner)");
    native.Exec("CREATE TABLE tv_Log (Id INTEGER)");
    native.Exec(
        "CREATE TRIGGER tv_Logged AFTER INSERT ON Bookings BEGIN INSERT INTO tv_Log VALUES (NEW.BookingId); END");
    const auto engineSide = [&] {
        return Column(*connection, "SELECT name FROM sqlite_master WHERE name GLOB 'tv_*' ORDER BY name");
    };
    connection->Execute("ALTER TABLE Bookings ALTER COLUMN Client TEXT(40)");
    connection->Execute("ALTER TABLE Bookings ADD COLUMN Extra INTEGER NOT NULL");
    EXPECT_EQ(engineSide(), QStringList({"tv_Length", "tv_Log", "tv_Logged", "tv_Owner"}));
    EXPECT_EQ(IndexNames("Bookings"), QStringList({"PrimaryKey", "StartDateTime"}));
    // The trigger still fires, and the catalog knows nothing of what it does not hold.
    connection->Execute(
        "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, Extra) VALUES (7, 1, 1, 2, "
        "'c', 0)");
    EXPECT_EQ(Column(*connection, "SELECT Id FROM tv_Log"), QStringList{"7"});
    // An index on a column the table loses goes with it; the rest stays.
    connection->Execute("ALTER TABLE Bookings DROP COLUMN Owner");
    EXPECT_EQ(engineSide(), QStringList({"tv_Length", "tv_Log", "tv_Logged"}));
    const auto plan = native.Prepare(
        "EXPLAIN QUERY PLAN SELECT BookingEnd - BookingStart FROM Bookings WHERE ResourceId = 1 "
        "ORDER BY BookingEnd - BookingStart DESC LIMIT 1");
    ASSERT_TRUE(plan->Step());
    EXPECT_TRUE(plan->Value(3).toString().contains("tv_Length")) << plan->Value(3).toString().toStdString();
}

TEST_F(Ddl, PrimaryKeyChangesKeepRows) {
    connection->Execute("DROP INDEX PrimaryKey ON Tasks");
    connection->Execute("INSERT INTO Tasks (BookingId) VALUES (1)");
    connection->Execute("CREATE INDEX PrimaryKey ON Tasks (TaskId) WITH PRIMARY");
    EXPECT_EQ(Column(*connection, "select TaskId from Tasks"), QStringList{"1000"});
    EXPECT_EQ(Table("Tasks").PrimaryKey()->name, "PrimaryKey");
    EXPECT_EQ(ErrorOf([&] { connection->Execute("CREATE INDEX Other ON Tasks (BookingId) WITH PRIMARY"); }),
              "Primary key already exists.");
}

TEST_F(Ddl, AlterColumnConvertsByJetRules) {
    connection->Execute("ALTER TABLE Bookings ADD COLUMN udf1Size TEXT(50)");
    connection->Execute(
        "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, udf1Size) "
        "VALUES (1, 1, 1, 2, 'c', ' 2.5 ')");
    connection->Execute(
        "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, udf1Size) "
        "VALUES (2, 1, 1, 2, 'd', '1/6/2026')");
    EXPECT_EQ(ErrorCodeOf("ALTER TABLE Bookings ALTER COLUMN udf1Size INTEGER"), sql::kErrorCannotConvert);
    connection->Execute("UPDATE Bookings SET udf1Size = '3.5' WHERE BookingId = 2");
    connection->Execute("ALTER TABLE Bookings ALTER COLUMN udf1Size FLOAT");
    connection->Execute("ALTER TABLE Bookings ALTER COLUMN udf1Size INTEGER");
    EXPECT_EQ(Rows(*connection, "select udf1Size from Bookings order by BookingId"),
              QList<QVariantList>({{2}, {4}}));  // half to even
    connection->Execute("UPDATE Bookings SET udf1Size = 300");
    EXPECT_EQ(ErrorCodeOf("ALTER TABLE Bookings ALTER COLUMN udf1Size BYTE"), sql::kErrorDataOverflow);
    connection->Execute("ALTER TABLE Bookings ALTER COLUMN udf1Size TEXT(3)");
    EXPECT_EQ(ErrorCodeOf("ALTER TABLE Bookings ALTER COLUMN udf1Size TEXT(2)"), sql::kErrorDataOverflow);
    connection->Execute("ALTER TABLE Bookings ALTER COLUMN udf1Size Logical");
    EXPECT_EQ(Column(*connection, "select udf1Size from Bookings"), QStringList({"-1", "-1"}));
    // A failed change leaves the table as it was.
    EXPECT_EQ(Table("Bookings").columns.last().type, JetType::Boolean);
    EXPECT_EQ(IndexNames("Bookings"), QStringList({"PrimaryKey", "StartDateTime"}));
}

TEST_F(Ddl, ColumnDefinitionsMustUseJetTypes) {
    for (const char* statement : {"ALTER TABLE Bookings ADD COLUMN udf1My Label TEXT(50)",
                                  "ALTER TABLE Bookings ADD COLUMN udf1Room Number TEXT(50)",
                                  "CREATE TABLE X (A VARCHAR2(10))", "CREATE TABLE X (A TEXT(0))"}) {
        EXPECT_EQ(ErrorCodeOf(statement), sql::kErrorInCommand) << statement;
    }
    EXPECT_EQ(Table("Bookings").ColumnIndex("udf1My"), -1);
    connection->Execute("ALTER TABLE Bookings ADD COLUMN [udf1My Label] TEXT(50)");
    EXPECT_EQ(Table("Bookings").columns.last().name, "udf1My Label");
}

TEST_F(Ddl, RefusalsThatProtectTheSchema) {
    EXPECT_EQ(ErrorOf([&] { connection->Execute("ALTER TABLE Bookings DROP COLUMN ResourceId"); }),
              "Cannot delete a field that is part of an index or is needed by the system.");
    EXPECT_EQ(ErrorOf([&] { connection->Execute("DROP TABLE Resources"); }),
              "Cannot delete table 'Resources'; it is participating in one or more relationships.");
    EXPECT_EQ(ErrorOf([&] { connection->Execute("ALTER TABLE Bookings ADD COLUMN Client TEXT(5)"); }),
              "Field 'Client' already exists in table 'Bookings'.");
    EXPECT_NE(ErrorOf([&] {
                  connection->Execute(
                      "INSERT INTO Resources (ResourceName, TypeName, MaxBookDays) "
                      "VALUES ('Room 3', 'Car', 0)");
              }),
              "");
    connection->Execute("DROP TABLE Settings");
    EXPECT_FALSE(connection->GetCatalog().Find("Settings").has_value());
}

TEST_F(Ddl, AnIndexWithPrimaryIsUniqueForKeysAndRows) {
    connection->Execute("CREATE TABLE Kinds (KindId INTEGER, KindName TEXT(20))");
    connection->Execute("CREATE INDEX PrimaryKey ON Kinds (KindId) WITH PRIMARY");
    EXPECT_TRUE(Table("Kinds").PrimaryKey()->unique);
    EXPECT_EQ(ErrorOf([&] {
                  connection->Execute(
                      "CREATE TABLE Things (ThingId INTEGER, KindId INTEGER CONSTRAINT KindsThings "
                      "REFERENCES Kinds (KindId))");
              }),
              "");
    connection->Execute("INSERT INTO Kinds (KindId, KindName) VALUES (1, \"Room\")");
    EXPECT_NE(ErrorOf([&] { connection->Execute("INSERT INTO Kinds (KindId, KindName) VALUES (1, \"Van\")"); }), "");
}

// Definitions are kept between reads, yet one changed by another connection, or rolled back, is read again.
TEST_F(Ddl, KeptDefinitionsFollowOtherConnectionsAndRollbacks) {
    EXPECT_EQ(Table("resources").ColumnIndex("Extra"), -1);
    {
        sql::Connection other(ConnectionString(DbPath()));
        other.Execute("ALTER TABLE Resources ADD COLUMN Extra INTEGER");
    }
    EXPECT_GE(Table("Resources").ColumnIndex("Extra"), 0);

    connection->BeginTransaction();
    connection->Execute("ALTER TABLE Resources ADD COLUMN Later INTEGER");
    EXPECT_GE(Table("Resources").ColumnIndex("Later"), 0);
    connection->RollbackTransaction();
    EXPECT_EQ(Table("RESOURCES").ColumnIndex("Later"), -1);
    EXPECT_GE(Table("Resources").ColumnIndex("Extra"), 0);
}
