// A database with the tables the lookup module reads, a lookup module on it, and the History rows it wrote.
#pragma once

#include "data/SQLDataModule.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <memory>
#include <vector>

namespace data_test {

// One History row as the lookup module asked for it.
struct HistoryCall {
    qint32 bookingId;
    qint32 groupBookingId;
    int code;
    QString userId;
    QString description;
};

class LookupTest : public ::testing::Test {
protected:
    TADOConnection connection;
    bool administrator = false;
    QString userId = QStringLiteral("jsmith");
    std::vector<HistoryCall> history;
    std::unique_ptr<TSQLData> sqlData;

    void SetUp() override {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("lookup.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
        connection.LoginPrompt = false;
        connection.Open();
        // The current schema's shape of the tables involved, keys and references included.
        for (const char* statement : {
                 "CREATE TABLE [RanvelGlobal] (Title TEXT(30), BookingRestrictMode INTEGER, BookingRestrictDaysAhead "
                 "INTEGER, "
                 "BookingRestrictUntilDate DATETIME, BookingAllowUserCreate LOGICAL, BookingOwnerOnlyModify LOGICAL, "
                 "TaskAllowUserCreate LOGICAL, TaskOwnerOnlyModify LOGICAL)",
                 "INSERT INTO RanvelGlobal (BookingRestrictMode, BookingRestrictDaysAhead, BookingRestrictUntilDate) "
                 "VALUES (1, 365, #1/1/2027#)",
                 "CREATE TABLE Types (Typename TEXT(25) NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY)",
                 "CREATE TABLE Features (Feature TEXT(30) NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY)",
                 "CREATE TABLE Groups (GroupName TEXT(25) NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY, Ep TEXT(16))",
                 "CREATE TABLE Resources (ResourceId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
                 "ResourceName TEXT(25) NOT NULL, TypeName TEXT(25) CONSTRAINT FKResourcesTable REFERENCES Types "
                 "(TypeName) "
                 "ON UPDATE CASCADE, Description TEXT(255), Notes TEXT(255), MaxBookDays INTEGER NOT NULL, "
                 "BookingRestrictMode INTEGER, BookingRestrictDaysAhead INTEGER, BookingRestrictUntilDate DATETIME, "
                 "Ep TEXT(16), OnlyAllowManagersWrite LOGICAL, MaxBookDaysRestrict LOGICAL)",
                 "CREATE UNIQUE INDEX ResourceNameIndex ON Resources (ResourceName)",
                 "CREATE TABLE ResourceFeatures (ResourceId INTEGER NOT NULL CONSTRAINT "
                 "FKResourceFeaturesTableResourceId "
                 "REFERENCES Resources (ResourceId), Feature TEXT(30) NOT NULL CONSTRAINT "
                 "FKResourceFeaturesTableFeature "
                 "REFERENCES Features (Feature) ON UPDATE CASCADE, CONSTRAINT PrimaryKey PRIMARY KEY (ResourceId, "
                 "Feature))",
                 "CREATE TABLE ResourceGroups (GroupName TEXT(25) NOT NULL CONSTRAINT FKResourceTableGroups REFERENCES "
                 "Groups "
                 "(GroupName) ON UPDATE CASCADE, ResourceId INTEGER NOT NULL CONSTRAINT FKResourceTableResourceId "
                 "REFERENCES Resources (ResourceId), CONSTRAINT PrimaryKey PRIMARY KEY (GroupName, ResourceId))",
                 "CREATE TABLE Bookings (BookingId INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY, "
                 "ResourceId INTEGER NOT NULL CONSTRAINT FKBookingsTableResourceId REFERENCES Resources (ResourceId), "
                 "BookingStart DATETIME NOT NULL, BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL, Owner "
                 "TEXT(32))",
                 "CREATE TABLE Reports (ReportName TEXT(32) CONSTRAINT PrimaryKey PRIMARY KEY, ReportSetup TEXT)",
                 "CREATE TABLE Tasks (TaskId AUTOINCREMENT(1000,1) CONSTRAINT PrimaryKey PRIMARY KEY, BookingId "
                 "INTEGER, "
                 "Status INTEGER, PercentCompleted INTEGER, Priority INTEGER, StartDate DATETIME, DueDate DATETIME, "
                 "CompletedDate DATETIME, Subject TEXT(50), Assignee TEXT(20), Description TEXT, Owner TEXT(32))",
                 "CREATE TABLE TaskManagers (Username TEXT(32) NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY)",
                 "CREATE TABLE ResourceManagers (ResourceId Integer NOT NULL, Username TEXT(32) NOT NULL, "
                 "CONSTRAINT PrimaryKey PRIMARY KEY (ResourceId, Username))",
                 "CREATE TABLE ResourceGroupManagers (GroupName TEXT(25) NOT NULL, Username TEXT(32) NOT NULL, "
                 "CONSTRAINT PrimaryKey PRIMARY KEY (GroupName, Username))",
             })
            Execute(QString::fromLatin1(statement));
        data::LookupHost host;
        host.connection = &connection;
        host.administratorMode = [this] { return administrator; };
        host.currentUserId = [this] { return userId; };
        host.addHistory = [this](qint32 bookingId, qint32 groupId, int code, const QString& user, const QString& text) {
            history.push_back({bookingId, groupId, code, user, text});
        };
        sqlData = std::make_unique<TSQLData>(host);
    }

    void Execute(const QString& jetSql) { connection.Execute(jetSql); }

    // Adds a resource and answers its id.
    qint32 AddResource(const QString& name, bool onlyManagersWrite = false) {
        Execute(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, OnlyAllowManagersWrite) VALUES "
                               "(\"%1\", 0, %2)")
                    .arg(name, onlyManagersWrite ? QStringLiteral("True") : QStringLiteral("False")));
        return static_cast<qint32>(ScalarInt(QStringLiteral("select max(ResourceId) from Resources")));
    }

    void AddBooking(qint32 bookingId, qint32 resourceId, const QString& owner = QStringLiteral("jsmith")) {
        Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, Owner) "
                               "VALUES (%1, %2, #1/5/2026 9:00#, #1/5/2026 10:00#, \"Smith\", \"%3\")")
                    .arg(bookingId)
                    .arg(resourceId)
                    .arg(owner));
    }

    // The rows a select returns.
    int Count(const QString& select) {
        TADOQuery query;
        Open(query, select);
        return query.RecordCount();
    }

    qint64 ScalarInt(const QString& select) {
        TADOQuery query;
        Open(query, select);
        return query.Fields()[0]->AsInteger();
    }

    void Open(TADOQuery& query, const QString& select) {
        query.SetConnection(&connection);
        query.SQL.SetText(select);
        query.Open();
    }
};

}  // namespace data_test
