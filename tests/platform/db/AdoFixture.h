// Real database files for the dataset tests: a Resources-like table made with Jet DDL in the test's folder.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

namespace db_test {

inline QString DatabasePath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("data.tvd")); }

inline QString ConnectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(path);
}

class AdoTest : public ::testing::Test {
protected:
    TADOConnection connection;

    void SetUp() override {
        sql::Connection::CreateDatabase({DatabasePath(), {}});
        connection.ConnectionString = ConnectionStringFor(DatabasePath());
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(
            "CREATE TABLE Resources (ResourceId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "ResourceName TEXT(30) NOT NULL, Description MEMO, MaxBookDays INTEGER, Active YESNO)");
        connection.Execute("CREATE INDEX ResourceNameIndex ON Resources (ResourceName DESC)");
        for (const char* name : {"Room A", "Projector", "room b", "Van"})
            connection.Execute(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, Active) "
                                              "VALUES (\"%1\", 3, True)")
                                   .arg(QString::fromLatin1(name)));
    }

    void OpenQuery(TADOQuery& query, const QString& sql) {
        query.SetConnection(&connection);
        query.SQL.SetText(sql);
        query.Open();
    }
};

}  // namespace db_test
