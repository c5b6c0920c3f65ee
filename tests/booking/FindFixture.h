// The search windows' tests: the data module over a real database file of the program's schema, with resources,
// bookings and History rows written straight into it.
#pragma once

#include "data/support/BookingDatabaseFixture.h"

#include "data/module/DataModule.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace find_test {

// Tuesday 3 March 2026.
inline const TDateTime kDay = EncodeDate(2026, 3, 3);

inline TDateTime At(TDateTime day, int hour, int minute = 0) { return day + EncodeTime(hour, minute, 0, 0); }

class FindTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;
    TData data;

    FindTest() { CreateVersionHistory(); }

    // Creates the file and lets fill write into it before the data module opens it.
    void Open(const std::function<void(TADOConnection&)>& fill) {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("find.tvd"));
        {
            TADOConnection connection;
            booking_db::Create(connection, path);
            fill(connection);
        }
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
    }

    static void AddHistory(TADOConnection& connection, int code, const QString& bookingId, const QString& groupId,
                           TDateTime stamp, const QString& description) {
        connection.Execute(QStringLiteral("INSERT INTO History (HistoryCode, Userid, BookingId, GroupBookingId, "
                                          "HistoryTimeStamp, Description) VALUES (%1, 'ann', %2, %3, %4, '%5')")
                               .arg(code)
                               .arg(bookingId, groupId)
                               .arg(stamp, 0, 'f', 8)
                               .arg(description));
    }

    static void AddBooking(TADOConnection& connection, int id, int resourceId, TDateTime start, TDateTime end,
                           const QString& client, const QString& groupId = QStringLiteral("NULL")) {
        QString quoted = client;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        connection.Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                                          "Description, Phone, GroupBookingId, Client) VALUES (%1, %2, %3, %4, "
                                          "'about %1', '555 %1', %5, '")
                               .arg(id)
                               .arg(resourceId)
                               .arg(start, 0, 'f', 8)
                               .arg(end, 0, 'f', 8)
                               .arg(groupId) +
                           quoted + QStringLiteral("')"));
    }
};

}  // namespace find_test
