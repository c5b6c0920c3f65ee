// A booking database opened by the data module, with its lookup module, for the booking editor's windows.
#pragma once

#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingsFixture.h"
#include "data/support/SchemaFixtures.h"
#include "support/DatabaseDump.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <memory>

namespace booking_test {

class BookingEditorTest : public bookings_test::BookingsTest {
protected:
    TData data;
    std::unique_ptr<TSQLData> sqlData;

    void SetUp() override {
        BookingsTest::SetUp();
        CreateVersionHistory();
        // Ordinary users may book; a third room only its managers may.
        db->connection.Execute(
            QStringLiteral("UPDATE RanvelGlobal SET BookingAllowUserCreate = True, "
                           "BookingOwnerOnlyModify = False"));
        db->connection.Execute(
            QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, "
                           "MaxBookDaysRestrict, OnlyAllowManagersWrite) "
                           "VALUES (\"Boardroom\", 0, 1, False, True)"));
    }

    // Closes the fixture's own tables and opens the file through the data module.
    void Open() {
        db.reset();
        ASSERT_TRUE(data.ConnectDatabase(bookings_test::DatabasePath(), {}));
        // An unprotected file opens for its administrator; these tests work as an ordinary user.
        data.AdministratorMode = false;
        sqlData = std::make_unique<TSQLData>(data);
        testing_env::Messages().Clear();
    }

    QStringList Rows(const QString& jetSql) { return data_test::RowTexts(data.ADOConnection.Engine(), jetSql); }

    // The Bookings and History rows of the file, read through a connection of their own.
    static QStringList BookingsAndHistory(const QString& path = bookings_test::DatabasePath()) {
        QStringList lines;
        for (const QString& line : testing_env::DumpDatabase(path))
            if (line.startsWith(QLatin1String("Bookings: ")) || line.startsWith(QLatin1String("History: ")))
                lines << line;
        return lines;
    }

    std::vector<QString> MessageTexts() { return testing_env::Messages().Texts(); }
};

}  // namespace booking_test
