// Opening and creating database files: passwords, the provider's error texts, modes and properties.
#include "SqlFixture.h"

#include "platform/sql/EngineError.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QFile>

using namespace sql_test;

TEST(Connection, CreateRefusesAnExistingFile) {
    CreateAndOpen();
    EXPECT_EQ(ErrorOf([] { sql::Connection::CreateDatabase({DbPath(), {}}); }), "Database already exists.");
}

TEST(Connection, ProtectedFileNeedsItsPassword) {
    CreateAndOpen(DbPath(), "Secret1")->Execute("CREATE TABLE T (A INTEGER)");
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath(), "wrong")); }), "Not a valid password");
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath())); }), "Not a valid password");
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath(), "Secret1")); }), "");
    // The password really encrypts: the header is not SQLite's.
    QFile file(DbPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
}

TEST(Connection, UnprotectedFileOpensWithAnyPassword) {
    CreateAndOpen()->Execute("CREATE TABLE T (A INTEGER)");
    sql::Connection connection(ConnectionString(DbPath(), "whatever"));
    EXPECT_EQ(connection.Execute("INSERT INTO T (A) VALUES (1)"), 1);
}

TEST(Connection, ForeignFilesAreUnrecognized) {
    for (const QByteArray& content : {QByteArray("just some text"), QByteArray()}) {
        QFile file(DbPath("other.tvd"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath("other.tvd"))); }),
                  "Unrecognized database format '" + DbPath("other.tvd") + "'.");
        QFile::remove(DbPath("other.tvd"));
    }
}

TEST(Connection, ModeTellsNormalExclusiveAndReadOnly) {
    CreateAndOpen().reset();
    EXPECT_EQ(sql::Connection(ConnectionString(DbPath())).Mode(), 16);
    EXPECT_EQ(sql::Connection(ConnectionString(DbPath(), {}, true)).Mode(), 12);
    sql::Connection readOnly(ConnectionString(DbPath()) + ";Mode=Read");
    EXPECT_EQ(readOnly.Mode(), 1);
    EXPECT_EQ(ErrorOf([&] { readOnly.Execute("CREATE TABLE T (A INTEGER)"); }),
              "Cannot update. Database or object is read-only.");
    // A file the user may not write opens read-only (root may write anything, so only others can see this).
    if (geteuid() == 0) return;
    QFile::setPermissions(DbPath(), QFileDevice::ReadOwner);
    EXPECT_EQ(sql::Connection(ConnectionString(DbPath())).Mode(), 1);
    QFile::setPermissions(DbPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(Connection, ConnectionStringKeysIgnoreCaseAndQuotes) {
    const sql::ConnectOptions options = sql::ParseConnectionString(
        "provider=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=\"/tmp/a;b.tvd\";jet oledb:database password='p;w';"
        "Jet OLEDB:Engine Type=5;Unknown=1;Mode=Share Deny Read|Share Deny Write");
    EXPECT_EQ(options.dataSource, "/tmp/a;b.tvd");
    EXPECT_EQ(options.password, "p;w");
    EXPECT_TRUE(options.exclusive);
    EXPECT_FALSE(options.readOnly);
    EXPECT_TRUE(sql::ParseConnectionString("Data Source=x;Mode=Read").readOnly);
}

TEST(Connection, PropertiesAndTablesSchema) {
    auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE Big (Payload MEMO)");
    for (int i = 0; i < 50; ++i) connection->Execute("INSERT INTO Big (Payload) VALUES ('" + QString(2000, 'x') + "')");
    connection->Execute("DELETE FROM Big");
    QVariantMap properties;
    for (const auto& [name, value] : connection->Properties()) properties.insert(name, value);
    EXPECT_GT(properties.value("Jet OLEDB:Compact Reclaimed Space Amount").toLongLong(), 50 * 1024);
    EXPECT_TRUE(properties.value("DBMS Version").toString().startsWith("SQLCipher 3.4.1 / SQLite 3.15.2"));
    EXPECT_EQ(properties.value("Jet OLEDB:Database Locking Mode").toInt(), 1);

    const sql::SchemaRowset tables = connection->TablesSchema();
    EXPECT_EQ(tables.columns, QStringList({"TABLE_NAME", "TABLE_TYPE"}));
    EXPECT_TRUE(tables.rows.contains(QVariantList({"Big", "TABLE"})));
    EXPECT_TRUE(tables.rows.contains(QVariantList({"TvSysTables", "SYSTEM TABLE"})));
    EXPECT_TRUE(tables.rows.contains(QVariantList({"sqlite_master", "SYSTEM TABLE"})));
}

TEST(Connection, ErrorsCarryJetTexts) {
    auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE T (Name TEXT(5) NOT NULL, Note TEXT)");
    const QString tooLong = ErrorOf([&] { connection->Execute("INSERT INTO T (Name) VALUES ('abcdef')"); });
    EXPECT_EQ(tooLong, sql::kFieldTooSmall);
    EXPECT_TRUE(ErrorOf([&] {
                    connection->Execute("INSERT INTO T (Note) VALUES ('x')");
                }).startsWith("The field 'T.Name' cannot contain a Null value"));
    // Memo columns keep digits as text.
    connection->Execute("INSERT INTO T (Name, Note) VALUES ('a', '0123')");
    EXPECT_EQ(Rows(*connection, "select Note from T").value(0).value(0), QVariant(QString("0123")));
}

TEST(Connection, CachedStatementsAreKeptLentOnceAtATimeAndDroppedByDdl) {
    const auto connection = CreateAndOpen();
    connection->Execute("CREATE TABLE T (A INTEGER, B TEXT(10))");
    connection->Execute("INSERT INTO T (A, B) VALUES (1, 'one')");
    connection->Execute("INSERT INTO T (A, B) VALUES (2, 'two')");
    const QString query = QStringLiteral("SELECT B FROM T WHERE A >= :A ORDER BY A");
    sql::Statement* kept = nullptr;
    {
        const auto first = connection->Cached(query);
        first->Bind(0, 1);
        ASSERT_TRUE(first->Step());
        kept = &*first;
        // Asked again while lent: a statement of its own, which does not disturb the first.
        const auto nested = connection->Cached(query);
        EXPECT_NE(&*nested, kept);
        nested->Bind(0, 2);
        ASSERT_TRUE(nested->Step());
        EXPECT_EQ(nested->Value(0), "two");
        ASSERT_TRUE(first->Step());
        EXPECT_EQ(first->Value(0), "two");
    }
    {
        // Back from the lease reset and without its bindings: the file is not held between uses.
        const auto again = connection->Cached(query);
        EXPECT_EQ(&*again, kept);
        EXPECT_FALSE(again->Step());
    }
    {
        sql::Connection other(ConnectionString(DbPath()));
        EXPECT_EQ(ErrorOf([&] { other.Execute("INSERT INTO T (A, B) VALUES (3, 'three')"); }), "");
    }
    EXPECT_EQ(ErrorOf([&] { connection->Execute("ALTER TABLE T ALTER COLUMN B TEXT(20)"); }), "");
    {
        const auto afterDdl = connection->CachedNative(QStringLiteral("SELECT count(*) FROM T"));
        ASSERT_TRUE(afterDdl->Step());
        EXPECT_EQ(afterDdl->Value(0).toInt(), 3);
    }
    EXPECT_TRUE(connection->TableSeen(QStringLiteral("t")));
    connection->Execute("DROP TABLE T");
    EXPECT_FALSE(connection->TableSeen(QStringLiteral("T")));
}
