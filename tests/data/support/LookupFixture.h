// A database made by the data module, a lookup module on it, and the History rows it wrote.
#pragma once

#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/ADOConnection.h"
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
    QString databasePath;

    void SetUp() override {
        databasePath = QDir(testing_env::TempDir()).filePath(QStringLiteral("lookup.tvd"));
        const QString& path = databasePath;
        {
            TData creator;
            ASSERT_TRUE(creator.CreateDatabase(path, false));
        }
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
        connection.LoginPrompt = false;
        connection.Open();
        Execute(QStringLiteral(
            "UPDATE RanvelGlobal SET BookingRestrictDaysAhead = 365, BookingRestrictUntilDate = #1/1/2027#"));
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
