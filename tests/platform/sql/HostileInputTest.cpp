// The engine under input made to hurt it: LIKE patterns, NUL bytes, huge statements, numbers out of range,
// absurd dates, and the lock file's name and lifetime.
#include "SqlFixture.h"

#include "platform/sql/EngineError.h"
#include "platform/sql/LockFile.h"
#include "platform/sql/TextCompare.h"
#include "platform/sql/Translator.h"

#include <gtest/gtest.h>
#include <QFileInfo>

using namespace sql_test;

namespace {

struct LikeCase {
    const char* text;
    const char* pattern;
    bool matches;
};

}  // namespace

class Like : public testing::TestWithParam<LikeCase> {};

TEST_P(Like, Matches) {
    EXPECT_EQ(sql::MatchesLike(QString::fromUtf8(GetParam().text), QString::fromUtf8(GetParam().pattern)),
              GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, Like,
                         testing::Values(LikeCase{"Smith", "sm_th", true}, LikeCase{"Smith", "SM%", true},
                                         LikeCase{"Smith", "%ITH", true}, LikeCase{"Smith", "%m%t%", true},
                                         LikeCase{"Smith", "%%", true}, LikeCase{"", "%", true},
                                         LikeCase{"", "_", false}, LikeCase{"Smith", "Smit", false},
                                         LikeCase{"Smith", "_mith_", false}, LikeCase{"Smith", "%x%", false},
                                         LikeCase{"abcabd", "%ab_", true}, LikeCase{"abcabc", "%abd", false},
                                         LikeCase{"mississippi", "%iss%ppi", true},
                                         LikeCase{"mississippi", "m%ss%ss%ss%", false}, LikeCase{"ÄRGER", "är%", true},
                                         LikeCase{"ärger", "_RGER", true}));

TEST(LikeEscape, AnEscapedWildcardIsALiteralAndATrailingEscapeIsItself) {
    EXPECT_TRUE(sql::MatchesLike("100%", "100!%", u'!'));
    EXPECT_FALSE(sql::MatchesLike("1000", "100!%", u'!'));
    EXPECT_TRUE(sql::MatchesLike("a_b", "a!_b", u'!'));
    EXPECT_FALSE(sql::MatchesLike("axb", "a!_b", u'!'));
    EXPECT_TRUE(sql::MatchesLike("a!", "a!", u'!'));
    EXPECT_TRUE(sql::MatchesLike("abc", "a%", u'%'));  // an escape at the end keeps its own meaning
}

TEST(LikeHostile, PatternsThatBacktrackOrNestDeeplyGiveTheRightAnswer) {
    // Ten "%a" groups against forty a's followed by a b: every way of splitting fails.
    EXPECT_FALSE(sql::MatchesLike(QString(40, u'a') + u'b', QString("%a").repeated(10) + u'c'));
    EXPECT_TRUE(sql::MatchesLike(QString(40, u'a'), QString("%a").repeated(10)));
    // A pattern far longer than any stack of calls could go.
    EXPECT_TRUE(sql::MatchesLike(QString(200000, u'x'), QString(200000, u'_')));
    EXPECT_TRUE(sql::MatchesLike(QStringLiteral("x"), QString(200000, u'%') + u'x'));
    EXPECT_FALSE(sql::MatchesLike(QString(1000, u'a'), QString("%a").repeated(1001)));
}

TEST(LikeHostile, ThroughSql) {
    auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE T (Name TEXT(50))");
    connection->Execute("INSERT INTO T (Name) VALUES ('" + QString(40, u'a') + "')");
    EXPECT_EQ(Column(*connection, "select count(*) from T where Name like '" + QString("%a").repeated(10) + "b'"),
              QStringList{"0"});
    EXPECT_EQ(Column(*connection, "select count(*) from T where Name like '" + QString(200000, u'%') + "'"),
              QStringList{"1"});
}

TEST(NulByte, OutsideALiteralIsASyntaxErrorAndNothingRuns) {
    auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE Bookings (BookingId INTEGER)");
    connection->Execute("INSERT INTO Bookings (BookingId) VALUES (1)");
    const QString statement =
        QStringLiteral("DELETE FROM Bookings") + QChar() + QStringLiteral(" WHERE BookingId = -1");
    try {
        connection->Execute(statement);
        FAIL() << "a statement with a NUL ran";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.ErrorCode(), sql::kErrorInCommand);
        EXPECT_EQ(e.Message(), "Syntax error in query expression 'DELETE FROM Bookings  WHERE BookingId = -1'.");
    }
    EXPECT_EQ(Column(*connection, "select count(*) from Bookings"), QStringList{"1"});
    // Inside a literal it is refused too (SQLite would read the text only up to it), and nothing is deleted.
    EXPECT_NE(ErrorOf([&] { connection->Execute("DELETE FROM Bookings WHERE 'a" + QString(QChar()) + "' = 'b'"); }),
              "");
    EXPECT_EQ(Column(*connection, "select count(*) from Bookings"), QStringList{"1"});
}

TEST(AliasRemoval, HundredThousandWordsTranslate) {
    // The select list of a DELETE and the qualifiers of UPDATE's targets all go.
    const QString words = QStringLiteral("w ").repeated(100000);
    EXPECT_EQ(sql::TranslateStatement("delete " + words + "from T A where A.x = 1").sql, "delete from T where T.x = 1");
    QStringList assignments;
    for (int i = 0; i < 50000; ++i) assignments << QStringLiteral("A.c = A.d");
    QStringList expected;
    for (int i = 0; i < 50000; ++i) expected << QStringLiteral("c = T.d");
    EXPECT_EQ(sql::TranslateStatement("update T A set " + assignments.join(", ")).sql,
              "update T set " + expected.join(", "));
}

TEST(IntegerColumns, RefuseValuesOutsideTheirTypeWithJetsMessages) {
    auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE N (L INTEGER, S SMALLINT, B BYTE, C AUTOINCREMENT)");
    struct Case {
        const char* column;
        const char* value;
        QString error;
    };
    const Case cases[] = {
        {"L", "2147483647", ""},
        {"L", "-2147483648", ""},
        {"L", "1099511627776", sql::kTooBig},
        {"L", "2147483648", sql::kTooBig},
        {"L", "-2147483649", sql::kTooBig},
        {"S", "32767", ""},
        {"S", "32768", sql::kTooBig},
        {"S", "-32769", sql::kTooBig},
        {"B", "255", ""},
        {"B", "0", ""},
        {"B", "256", sql::kTooBig},
        {"B", "-1", sql::kTooBig},
        {"L", "'12'", ""},
        {"L", "'1e12'", sql::kTooBig},
        {"L", "NULL", ""},
        {"L", "1e300", sql::kTooBig},
        {"C", "4294967296", sql::kTooBig},
    };
    for (const Case& c : cases) {
        const QString statement = QStringLiteral("INSERT INTO N (%1) VALUES (%2)").arg(c.column, c.value);
        EXPECT_EQ(ErrorOf([&] { connection->Execute(statement); }), c.error) << statement.toStdString();
    }
    EXPECT_EQ(ErrorOf([&] { connection->Execute("UPDATE N SET S = 40000"); }), sql::kTooBig);
    EXPECT_EQ(Column(*connection, "select L from N where L = 12"), QStringList{"12"});
}

TEST(DateFunctions, NumbersThatAreNoDateGiveNull) {
    auto connection = CreateAndOpen();
    for (const char* argument : {"1e308", "-1e308", "2958466", "-657435", "9e18"}) {
        for (const char* function : {"Year", "Month", "Day", "Hour", "Minute"}) {
            const QString query = QStringLiteral("select %1(%2)").arg(function, argument);
            EXPECT_TRUE(Rows(*connection, query).value(0).value(0).isNull()) << query.toStdString();
        }
    }
    EXPECT_EQ(Column(*connection, "select Year(2958465)"), QStringList{"9999"});
    EXPECT_EQ(Column(*connection, "select Year(-657434)"), QStringList{"100"});
}

TEST(LockFileName, ComesFromTheWholeFileName) {
    const QString tvd = DbPath("site.tvd");
    const QString mdb = DbPath("site.mdb");
    sql::Connection::CreateDatabase({tvd, {}});
    sql::Connection::CreateDatabase({mdb, {}});
    EXPECT_EQ(sql::LockFile::PathFor(tvd), tvd + ".tlk");
    sql::Connection exclusive(ConnectionString(tvd, {}, true));
    EXPECT_NO_THROW(sql::Connection other(ConnectionString(mdb, {}, true)));
}

TEST(LockFileLifetime, TheLastOneOutAndEveryFailedOpenLeaveNoLockFile) {
    const QString path = DbPath("site.tvd");
    sql::Connection::CreateDatabase({path, QStringLiteral("secret")});
    const QString lock = sql::LockFile::PathFor(path);
    EXPECT_EQ(ErrorOf([&] { sql::Connection c(ConnectionString(path, QStringLiteral("wrong"))); }),
              sql::kNotValidPassword);
    EXPECT_FALSE(QFileInfo::exists(lock));
    {
        QFile foreign(DbPath("notes.tvd"));
        ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
        foreign.write("not a database at all");
    }
    EXPECT_NE(ErrorOf([&] { sql::Connection c(ConnectionString(DbPath("notes.tvd"))); }), "");
    EXPECT_FALSE(QFileInfo::exists(sql::LockFile::PathFor(DbPath("notes.tvd"))));
    {
        sql::Connection open(ConnectionString(path, QStringLiteral("secret")));
        EXPECT_TRUE(QFileInfo::exists(lock));
    }
    EXPECT_FALSE(QFileInfo::exists(lock));
}
