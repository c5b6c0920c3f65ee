// The jetsql tool from the outside: statements in on standard input, rows and counts out.
#include "SqlFixture.h"

#include <gtest/gtest.h>
#include <QProcess>

using namespace sql_test;

namespace {

QString RunJetsql(const QStringList& arguments, const QString& input) {
    QProcess process;
    process.start(QStringLiteral(JETSQL_PATH), arguments);
    process.write(input.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(Jetsql, RoundTrip) {
    const QString output =
        RunJetsql({"--password", "Secret1", "--create", DbPath()},
                  "CREATE TABLE People (Id AUTOINCREMENT(10,1) PRIMARY KEY, Name TEXT(20) NOT NULL, Born DATETIME)\n"
                  "INSERT INTO People (Name, Born) VALUES (\"Smith\", #1/6/2026#)\n"
                  "\n"
                  "insert into People (Name)\n"
                  "values ('Jones')\n"
                  ";;\n"
                  "INSERT INTO People (Name) VALUES ('this name is far too long for the column')\n"
                  "select Id, Name, Born from People where Name = 'SMITH' or Name like 'jo%' order by Id\n");
    EXPECT_EQ(output,
              "rows affected: 0\n"
              "rows affected: 1\n"
              "rows affected: 1\n"
              "error: The field is too small to accept the amount of data you attempted to add. "
              "Try inserting or pasting less data.\n"
              "Id\tName\tBorn\n"
              "10\tSmith\t46028\n"
              "11\tJones\t\n");
    // The file is encrypted: without the password the tool is refused.
    EXPECT_EQ(RunJetsql({DbPath()}, ""), "error: Not a valid password\n");
}
