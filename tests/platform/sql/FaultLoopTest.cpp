// Every DDL statement and compaction, failed at each of its statements in turn, leaves the file old or new.
#include "SqlFixture.h"

#include "platform/sql/Compaction.h"
#include "support/DatabaseDump.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace sql_test;
using testing_env::DumpDatabase;

namespace {

// Tables of every kind a change can meet: counters, primary and foreign keys, indexes, a table without a
// primary key, and rows in each.
const char* const kFaultLoopSchema[] = {
    "CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)",
    "CREATE TABLE Types (TypeName TEXT(25) NOT NULL, CONSTRAINT PrimaryKey PRIMARY KEY (TypeName))",
    "CREATE TABLE Resources (ResourceId AUTOINCREMENT, ResourceName TEXT(25) NOT NULL, TypeName TEXT(25) "
    "CONSTRAINT FKResourcesTable REFERENCES Types (TypeName) ON UPDATE CASCADE, CONSTRAINT PrimaryKey PRIMARY KEY "
    "(ResourceId))",
    "CREATE TABLE Tasks (TaskId AUTOINCREMENT(1000,1) PRIMARY KEY, ResourceId INTEGER, Subject TEXT(50), "
    "Seq INTEGER, Note MEMO)",
    "CREATE UNIQUE INDEX SeqIndex ON Tasks (Seq)",
    "CREATE TABLE Notes (Body TEXT(40), Posted DATETIME)",
    "INSERT INTO NextBookingId (DUMMY) VALUES (0)",
    "INSERT INTO Types (TypeName) VALUES ('Room')",
    "INSERT INTO Resources (ResourceName, TypeName) VALUES ('Room 1', 'Room')",
    "INSERT INTO Resources (ResourceName, TypeName) VALUES ('Room 2', 'room')",
    "INSERT INTO Tasks (ResourceId, Subject, Seq, Note) VALUES (1, 'first', 3, 'n1')",
    "INSERT INTO Tasks (ResourceId, Subject, Seq, Note) VALUES (2, 'second', 1, NULL)",
    "INSERT INTO Tasks (ResourceId, Subject, Seq) VALUES (NULL, 'third', 2)",
    "INSERT INTO Notes (Body, Posted) VALUES ('b', 2)",
    "INSERT INTO Notes (Body, Posted) VALUES ('a', 1)",
};

class FaultLoop : public testing::Test {
protected:
    void SetUp() override {
        const auto connection = CreateAndOpen(original, password);
        for (const char* statement : kFaultLoopSchema)
            ASSERT_EQ(ErrorOf([&] { connection->Execute(statement); }), "") << statement;
    }

    void PrepareWork() const {
        QFile::remove(work);
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(original, work));
    }

    const QString password = QStringLiteral("pw");
    const QString original = DbPath("original.tvd");
    const QString work = DbPath("work.tvd");
    const QString copy = DbPath("work.tmp");
};

}  // namespace

TEST_F(FaultLoop, EachDdlStatementIsAllOrNothing) {
    const char* const statements[] = {
        // Through the table rebuild.
        "ALTER TABLE Tasks ALTER COLUMN Subject TEXT(6)",
        "ALTER TABLE Tasks ALTER COLUMN Seq AUTOINCREMENT",
        "ALTER TABLE Tasks ALTER COLUMN TaskId INTEGER",
        "ALTER TABLE Tasks DROP COLUMN Note",
        "ALTER TABLE NextBookingId DROP COLUMN NextBookingId",
        "ALTER TABLE Notes ADD COLUMN NoteId AUTOINCREMENT PRIMARY KEY",
        "ALTER TABLE Tasks ADD COLUMN Owner INTEGER CONSTRAINT FKTasksOwner REFERENCES Resources (ResourceId)",
        "CREATE INDEX PrimaryKey ON Notes (Body) WITH PRIMARY",
        "DROP INDEX PrimaryKey ON Tasks",
        "ALTER TABLE Resources DROP CONSTRAINT FKResourcesTable",
        // In place.
        "ALTER TABLE Notes ADD COLUMN Number AUTOINCREMENT",
        "ALTER TABLE Tasks ADD COLUMN Done LOGICAL",
        "ALTER TABLE NextBookingId ALTER COLUMN NextBookingId AUTOINCREMENT (5001,1)",
        "CREATE INDEX SubjectIndex ON Tasks (Subject, Seq)",
        "DROP INDEX SeqIndex ON Tasks",
        "CREATE TABLE Extra (Id AUTOINCREMENT PRIMARY KEY, Name TEXT(10) NOT NULL, TaskId INTEGER CONSTRAINT "
        "FKExtraTasks REFERENCES Tasks (TaskId))",
        "DROP TABLE Notes",
    };
    const QStringList before = DumpDatabase(original, password);
    QStringList points;
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        const auto run = [&] { sql::Connection(ConnectionString(work, password)).Execute(statement); };
        PrepareWork();
        run();
        const QStringList after = DumpDatabase(work, password);
        ASSERT_NE(after, before);
        const int n = testing_env::LoopOverFaults([&] { PrepareWork(); }, run,
                                                  [&](int failedAt) {
                                                      const QStringList state = DumpDatabase(work, password);
                                                      EXPECT_TRUE(state == before || state == after)
                                                          << "a fault at point " << failedAt << " left a mixed file";
                                                  });
        EXPECT_EQ(DumpDatabase(work, password), after);
        points << QStringLiteral("%1: %2").arg(QLatin1String(statement)).arg(n);
    }
    RecordProperty("points", points.join(QStringLiteral("; ")).toStdString());
}

TEST_F(FaultLoop, CompactionLeavesNoCopyOrAWholeOne) {
    const auto run = [&] {
        sql::CompactDatabase(ConnectionString(work, password), ConnectionString(copy, QStringLiteral("new")));
    };
    PrepareWork();
    run();
    const QStringList before = DumpDatabase(work, password);
    const QStringList after = DumpDatabase(copy, QStringLiteral("new"));
    const int n = testing_env::LoopOverFaults([&] { PrepareWork(); }, run,
                                              [&](int failedAt) {
                                                  SCOPED_TRACE(failedAt);
                                                  EXPECT_EQ(DumpDatabase(work, password), before);
                                                  if (QFile::exists(copy)) {
                                                      EXPECT_EQ(DumpDatabase(copy, QStringLiteral("new")), after);
                                                  }
                                              });
    EXPECT_EQ(DumpDatabase(copy, QStringLiteral("new")), after);
    RecordProperty("points", n);
}
