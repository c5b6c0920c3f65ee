// A real database file for the record search, the locate dialog and the check box: a small resource table
// made with Jet SQL in the test's folder and opened through an ADO table.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

namespace locate_test {

class LocateFixture : public ::testing::Test {
protected:
    TADOConnection connection;
    TADOTable table;
    TDataSource source;

    void SetUp() override {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("locate.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(
            "CREATE TABLE Resources (ResourceId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "ResourceName TEXT(30) NOT NULL, Rate FLOAT, Notes MEMO, Shared TEXT(5), Active YESNO)");
        connection.Execute("CREATE INDEX ResourceNameIndex ON Resources (ResourceName)");
        struct Row {
            const char* name;
            const char* rate;
            const char* notes;
            const char* shared;
        };
        for (const Row& row : {Row{"Room A", "12", "north wing", "yes"}, Row{"Projector", "2.5", "ask the desk", "N"},
                               Row{"room b", "7.25", "North Wing", "maybe"}, Row{"Van", "2.5", "keys at desk", "Y"},
                               Row{"Boardroom", "30", "top floor", "Null"}})
            connection.Execute(QStringLiteral("INSERT INTO Resources (ResourceName, Rate, Notes, Shared, Active) "
                                              "VALUES (\"%1\", %2, \"%3\", %4, True)")
                                   .arg(QString::fromLatin1(row.name), QString::fromLatin1(row.rate),
                                        QString::fromLatin1(row.notes),
                                        QString::fromLatin1(row.shared) == QStringLiteral("Null")
                                            ? QStringLiteral("Null")
                                            : QStringLiteral("\"%1\"").arg(QString::fromLatin1(row.shared))));
        table.SetConnection(&connection);
        table.TableName = QStringLiteral("Resources");
        table.Open();
        source.SetDataSet(&table);
    }

    QString Name() const { return table.FieldByName(QStringLiteral("ResourceName")).AsString(); }
};

}  // namespace locate_test
