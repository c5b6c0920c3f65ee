// The Jet-to-SQLite translation: its output text, and what the translated statements do on a fixture.
#include "SqlFixture.h"

#include "platform/rtl/DateUtils.h"
#include "platform/sql/Translator.h"

#include <gtest/gtest.h>

using namespace sql_test;

struct TranslationCase {
    const char* jet;
    const char* sqlite;
};

class TranslatorText : public testing::TestWithParam<TranslationCase> {};

TEST_P(TranslatorText, TranslatesTo) { EXPECT_EQ(sql::TranslateStatement(GetParam().jet).sql, GetParam().sqlite); }

INSTANTIATE_TEST_SUITE_P(
    Cases, TranslatorText,
    testing::Values(
        TranslationCase{"select [Resources].ResourceId from [Resources]",
                        "select \"Resources\".ResourceId from \"Resources\""},
        TranslationCase{"update AddressBook set FirstName = \"Title\"", "update AddressBook set FirstName = 'Title'"},
        TranslationCase{"select 'it''s', \"say \"\"hi\"\"\"", "select 'it''s', 'say \"hi\"'"},
        TranslationCase{"where d >= #1/6/2026# and d < # 1/7/2026#", "where d >= 46028 and d < 46029"},
        TranslationCase{"where d = #1/6/2026 9:15 pm#", "where d = 46028.885416666664"},
        TranslationCase{"where d = #1/6/2026 13:30:00#", "where d = 46028.5625"},
        TranslationCase{"set a = True, b = False, c = Yes, d = No, e = On, f = Off",
                        "set a = -1, b = 0, c = -1, d = 0, e = -1, f = 0"},
        TranslationCase{"select a from t inner join u on t.x = u.x", "select a from t inner join u on t.x = u.x"},
        TranslationCase{"select FirstName & ' ' & LastName", "select FirstName || ' ' || LastName"},
        TranslationCase{"select *\r\nfrom t\rwhere\na = 1", "select * from t where a = 1"},
        TranslationCase{"where (ResourceId = -1or ResourceId = :TheResourceId)",
                        "where (ResourceId = -1 or ResourceId = :TheResourceId)"},
        TranslationCase{"where a = :P and b = :p", "where a = :P and b = :P"},
        TranslationCase{"where :Name = 'x'", "where :Name = 'x' COLLATE UNICASE"},
        TranslationCase{"update Bookings B\r\nset B.Ep = NULL", "update Bookings set Ep = NULL"},
        TranslationCase{"update Bookings B set B.Ep = B.Client where B.BookingId = 1",
                        "update Bookings set Ep = Bookings.Client where Bookings.BookingId = 1"},
        TranslationCase{"delete * from History where Trans = True", "delete from History where Trans = -1"},
        TranslationCase{"delete from History H where H.Trans = True", "delete from History where History.Trans = -1"}));

TEST(Translator, RecognisesDdl) {
    EXPECT_EQ(sql::TranslateStatement("ALTER TABLE t ADD COLUMN c INTEGER").kind, sql::StatementKind::Ddl);
    EXPECT_EQ(sql::TranslateStatement(" select 1").kind, sql::StatementKind::Select);
}

TEST(Translator, RefusesBrokenLiterals) {
    for (const char* jet : {"select 'open", "select [open", "where d = #13/45/2026#", "where d = #1/1/2026"}) {
        EXPECT_NE(ErrorOf([&] { sql::TranslateStatement(jet); }), "") << jet;
    }
}

class TranslatorResults : public testing::Test {
protected:
    void SetUp() override {
        connection = CreateAndOpen();
        connection->Execute(
            "CREATE TABLE Resources (ResourceId AUTOINCREMENT PRIMARY KEY, ResourceName TEXT(25) "
            "NOT NULL, Description TEXT(255))");
        connection->Execute("CREATE UNIQUE INDEX ResourceNameIndex ON Resources (ResourceName)");
        connection->Execute(
            "CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, ResourceId INTEGER NOT "
            "NULL CONSTRAINT FKBookingsTableResourceId REFERENCES Resources (ResourceId), "
            "BookingStart DATETIME NOT NULL, BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL, "
            "Description TEXT, Trans LOGICAL)");
        connection->Execute("INSERT INTO Resources (ResourceName, Description) VALUES ('Room 1', 'first')");
        connection->Execute("INSERT INTO Resources (ResourceName, Description) VALUES ('room 2', 'second')");
        connection->Execute(
            "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, Trans) "
            "VALUES (1, 1, #1/6/2026 9:00#, #1/6/2026 10:00#, 'Smith', True)");
        connection->Execute(
            "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client) "
            "VALUES (2, 2, #1/5/2026 9:00#, #1/8/2026 10:00#, 'Jones')");
    }
    std::unique_ptr<sql::Connection> connection;
};

TEST_F(TranslatorResults, DoubleQuotedTextIsNeverAColumn) {
    connection->Execute("update Bookings set Client = \"Description\" where BookingId = 1");
    EXPECT_EQ(Column(*connection, "select Client from Bookings where BookingId = 1"), QStringList{"Description"});
}

TEST_F(TranslatorResults, TheLoaderQueryOfTheTimeGrid) {
    const QString sql =
        "Select *\r\nfrom [Resources], [Bookings]\r\nwhere [Resources].ResourceId = [Bookings].ResourceId\r\n"
        "   and ((([Bookings].BookingStart >= #1/6/2026#) and ([Bookings].BookingStart < # 1/7/2026#))\r\n"
        "       or (([Bookings].BookingEnd >= #1/6/2026#) and ([Bookings].BookingEnd < #1/7/2026#))\r\n"
        "       or (([Bookings].BookingStart <= #1/6/2026#) and ([Bookings].BookingEnd >= #1/6/2026#)))\r\n"
        "   and (\r\n      [Bookings].ResourceId = 1\r\n      or\r\n      [Bookings].ResourceId = 2\r\n   )\r\n"
        "order by [Resources].ResourceName, [Bookings].BookingStart";
    const auto statement = connection->Prepare(sql);
    QStringList names;
    for (int i = 0; i < statement->ColumnCount(); ++i) names << statement->ColumnName(i);
    EXPECT_EQ(names, QStringList({"Resources.ResourceId", "ResourceName", "Resources.Description", "BookingId",
                                  "Bookings.ResourceId", "BookingStart", "BookingEnd", "Client", "Bookings.Description",
                                  "Trans"}));
    QStringList clients;
    while (statement->Step()) clients << statement->Value(7).toString();
    EXPECT_EQ(clients, QStringList({"Smith", "Jones"}));
}

TEST_F(TranslatorResults, ParametersByNameAndTheMinusOneOrQuery) {
    connection->Execute(
        "CREATE TABLE ResourceManagers (ResourceId INTEGER NOT NULL, Username TEXT(32) NOT NULL, "
        "CONSTRAINT PrimaryKey PRIMARY KEY (ResourceId, Username))");
    connection->Execute("INSERT INTO ResourceManagers VALUES (-1, 'ann')");
    connection->Execute("INSERT INTO ResourceManagers VALUES (2, 'bob')");
    const auto statement = connection->Prepare(
        "select distinct Username\r\nfrom ResourceManagers\r\nwhere \r\n   Username = :TheUsername\r\n"
        "   and (ResourceManagers.ResourceId = -1or ResourceManagers.ResourceId = :TheResourceId)");
    EXPECT_EQ(statement->ParameterNames(), QStringList({"TheUsername", "TheResourceId"}));
    for (const auto& [user, found] : {std::pair{"ANN", true}, {"bob", true}, {"carl", false}}) {
        statement->Reset();
        statement->Bind("theusername", user);
        statement->Bind("TheResourceId", 2);
        EXPECT_EQ(statement->Step(), found) << user;
    }
}

TEST_F(TranslatorResults, TextComparesIgnoreCase) {
    EXPECT_EQ(Column(*connection, "select Client from Bookings where Client = \"SMITH\""), QStringList{"Smith"});
    EXPECT_EQ(Column(*connection, "select Client from Bookings where Client like 'JO%'"), QStringList{"Jones"});
    EXPECT_EQ(Column(*connection, "select Client from Bookings where Client like 'sm_th'"), QStringList{"Smith"});
    EXPECT_EQ(Column(*connection, "select Client from Bookings where Client in ('JONES')"), QStringList{"Jones"});
    connection->Execute("INSERT INTO Resources (ResourceName) VALUES ('apple')");
    connection->Execute("INSERT INTO Resources (ResourceName) VALUES ('Banana')");
    connection->Execute("INSERT INTO Resources (ResourceName) VALUES ('Ölfass')");
    EXPECT_EQ(Column(*connection, "select ResourceName from Resources order by ResourceName"),
              QStringList({"apple", "Banana", "Room 1", "room 2", "Ölfass"}));
    EXPECT_EQ(Column(*connection, "select ResourceName from Resources where ResourceName = 'ölFASS'"),
              QStringList{"Ölfass"});
    EXPECT_NE(ErrorOf([&] { connection->Execute("INSERT INTO Resources (ResourceName) VALUES ('ROOM 1')"); }), "");
    EXPECT_EQ(Column(*connection, "select distinct UCase(Client) from Bookings where Client like '%S%' order by 1"),
              QStringList({"JONES", "SMITH"}));
}

TEST_F(TranslatorResults, DateFunctionsReadTheProgramClock) {
    rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 1, 6, 14, 30, 0, 0)));
    const QVariantList row =
        Rows(*connection, "select Date(), Now(), Year(Now()), Month(Now()), Day(Now()), Hour(Now()), Minute(Now())")
            .value(0);
    EXPECT_EQ(row, QVariantList({46028.0, 46028.0 + 14.5 / 24, 2026, 1, 6, 14, 30}));
    EXPECT_EQ(Column(*connection, "select Client from Bookings where BookingStart < Now() and BookingEnd > Date()"),
              QStringList({"Smith", "Jones"}));
}

TEST_F(TranslatorResults, AliasesInUpdateAndDelete) {
    connection->Execute("update Bookings B\r\nset B.Description = B.Client\r\nwhere B.BookingId = 2");
    EXPECT_EQ(Column(*connection, "select Description from Bookings where BookingId = 2"), QStringList{"Jones"});
    EXPECT_EQ(connection->Execute("delete * from Bookings where Trans = True"), 1);
    EXPECT_EQ(connection->Execute("delete from Bookings B where B.Client = 'jones'"), 1);
}
