// Compaction: rows and counters stay, space goes, and the copy takes the new password.
#include "SqlFixture.h"

#include "platform/sql/Compaction.h"
#include "platform/sql/EngineError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QFile>
#include <QFileInfo>

using namespace sql_test;

namespace {

void Fill(const QString& password) {
    auto connection = CreateAndOpen(DbPath(), password);
    connection->Execute("CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)");
    connection->Execute("CREATE TABLE Notes (Id AUTOINCREMENT PRIMARY KEY, Body MEMO)");
    connection->Execute("CREATE UNIQUE INDEX BodyIndex ON Notes (Id)");
    for (int i = 0; i < 40; ++i) connection->Execute("INSERT INTO Notes (Body) VALUES ('" + QString(3000, 'n') + "')");
    connection->Execute("DELETE FROM Notes WHERE Id > 1");
    connection->Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    connection->Execute("DELETE FROM NextBookingId");
}

// Whether a plain SQLite reader (no key) can read the file.
bool ReadableWithoutKey(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const bool readable =
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return readable;
}

}  // namespace

TEST(Compaction, KeepsRowsAndCountersAndReclaimsSpace) {
    Fill({});
    const QString copy = DbPath("test.tmp");
    sql::CompactDatabase(ConnectionString(DbPath()), ConnectionString(copy));
    EXPECT_LT(QFileInfo(copy).size(), QFileInfo(DbPath()).size());
    sql::Connection compacted(ConnectionString(copy));
    EXPECT_EQ(Column(compacted, "select Id from Notes"), QStringList{"1"});
    compacted.Execute("INSERT INTO Notes (Body) VALUES ('x')");
    EXPECT_EQ(compacted.LastCounterValue("Notes"), QVariant(qint64(41)));
    compacted.Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    EXPECT_EQ(compacted.LastCounterValue("NextBookingId"), QVariant(qint64(1001)));
    EXPECT_EQ(ErrorOf([&] { sql::CompactDatabase(ConnectionString(DbPath()), ConnectionString(copy)); }),
              sql::kDatabaseExists);
}

TEST(Compaction, RenewsThePlannersStatisticsSoASearchOnAnIndexsSecondColumnUsesTheIndex) {
    {
        auto connection = CreateAndOpen(DbPath(), {});
        connection->Execute("CREATE TABLE Slots (Owner INTEGER NOT NULL, Start FLOAT NOT NULL)");
        connection->Execute("CREATE INDEX OwnerStart ON Slots (Owner, Start)");
        connection->Native().Exec(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1999) "
            "INSERT INTO Slots SELECT i % 10, i FROM n");
    }
    // The planner's detail for the search of one Start range over every Owner.
    const auto plan = [](const QString& path) {
        sql::Connection connection(ConnectionString(path));
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(connection.Native().Handle(),
                           "EXPLAIN QUERY PLAN SELECT * FROM Slots WHERE Start >= 5 AND Start < 6", -1, &statement,
                           nullptr);
        std::string detail;
        while (sqlite3_step(statement) == SQLITE_ROW)
            detail += reinterpret_cast<const char*>(sqlite3_column_text(statement, 3));
        sqlite3_finalize(statement);
        return detail;
    };
    EXPECT_NE(plan(DbPath()).find("SCAN TABLE Slots"), std::string::npos) << plan(DbPath());
    sql::CompactDatabase(ConnectionString(DbPath()), ConnectionString(DbPath("compacted.tvd")));
    EXPECT_NE(plan(DbPath("compacted.tvd")).find("INDEX Slots.OwnerStart (ANY(Owner) AND Start>? AND Start<?)"),
              std::string::npos)
        << plan(DbPath("compacted.tvd"));
}

TEST(Compaction, SetsChangesAndClearsThePassword) {
    Fill({});
    ASSERT_TRUE(ReadableWithoutKey(DbPath()));
    sql::CompactDatabase(ConnectionString(DbPath()), ConnectionString(DbPath("protected.tvd"), "Secret1"));
    EXPECT_FALSE(ReadableWithoutKey(DbPath("protected.tvd")));
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath("protected.tvd"))); }), sql::kNotValidPassword);

    EXPECT_EQ(ErrorOf([] {
                  sql::CompactDatabase(ConnectionString(DbPath("protected.tvd"), "wrong"),
                                       ConnectionString(DbPath("changed.tvd"), "Secret2"));
              }),
              sql::kNotValidPassword);
    EXPECT_FALSE(QFile::exists(DbPath("changed.tvd")));
    sql::CompactDatabase(ConnectionString(DbPath("protected.tvd"), "Secret1"),
                         ConnectionString(DbPath("changed.tvd"), "Secret2"));
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath("changed.tvd"), "Secret1")); }),
              sql::kNotValidPassword);
    EXPECT_EQ(Column(sql::Connection(ConnectionString(DbPath("changed.tvd"), "Secret2")), "select Id from Notes"),
              QStringList{"1"});

    sql::CompactDatabase(ConnectionString(DbPath("changed.tvd"), "Secret2"), ConnectionString(DbPath("plain.tvd")));
    EXPECT_TRUE(ReadableWithoutKey(DbPath("plain.tvd")));
}
