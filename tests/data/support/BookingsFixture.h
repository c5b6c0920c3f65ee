// A database file with the tables bookings need, the data module's tables over it and a fixed clock.
#pragma once

#include "data/bookings/NewBookingId.h"
#include "data/bookings/Trans.h"
#include "data/module/DataModule.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

namespace bookings_test {

inline QString DatabasePath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("bookings.tvd")); }

inline QString ConnectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(path);
}

// A new database of the current schema with two resources without limits, Room 1 and Room 2.
inline void CreateBookingDatabase(const QString& path) {
    TData creator;
    ASSERT_TRUE(creator.CreateDatabase(path, true));
    TADOConnection connection;
    connection.ConnectionString = ConnectionStringFor(path);
    connection.Open();
    for (const char* name : {"Room 1", "Room 2"})
        connection.Execute(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, "
                                          "MaxBookDaysRestrict) VALUES (\"%1\", 0, 1, False)")
                               .arg(QLatin1String(name)));
}

// The data module's tables over the file, as the booking code uses them.
struct BookingTables {
    TADOConnection connection;
    TADOTable bookings, shadow, history, nextIds, resources, global;
    TTrans bookingsTrans{kTransBookings};
    TTrans historyTrans{kTransHistory};

    explicit BookingTables(const QString& path) {
        connection.ConnectionString = ConnectionStringFor(path);
        connection.LoginPrompt = false;
        connection.Open();
        const auto open = [this](TADOTable& table, const char* name, const char* index) {
            table.SetConnection(&connection);
            table.TableName = QLatin1String(name);
            table.IndexName = QLatin1String(index);
            table.Open();
        };
        bookings.OnNewRecord = [this](TDataSet& d) {
            d.FieldByName(QStringLiteral("BookingId")).SetAsInteger(data::NewBookingId(connection));
        };
        open(global, "RanvelGlobal", "");
        open(resources, "Resources", "");
        open(bookings, "Bookings", "StartDateTime");
        open(shadow, "Bookings", "StartDateTime");
        open(history, "History", "BookingIdIndex");
        open(nextIds, "NextBookingId", "");
        bookingsTrans.Table = &bookings;
        bookingsTrans.ShadowTable = &shadow;
        bookingsTrans.HistorySet = &historyTrans;
        historyTrans.Table = &history;
    }

    // A committed booking, inserted through the table; answers its id.
    int Book(int resourceId, TDateTime start, TDateTime end, const QString& client = QStringLiteral("Smith")) {
        bookings.Insert();
        bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(resourceId);
        bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(start);
        bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(end);
        bookings.FieldByName(QStringLiteral("Client")).SetAsString(client);
        bookings.Post();
        return static_cast<int>(bookings.FieldByName(QStringLiteral("BookingId")).AsInteger());
    }

    // One value of the stored row, read fresh from the file.
    QVariant Stored(const QString& jetSql) {
        const auto statement = connection.Engine().Prepare(jetSql);
        return statement->Step() ? statement->Value(0) : QVariant();
    }
};

inline TDateTime At(int day, int hour, int minute = 0, int second = 0, int ms = 0) {
    return EncodeDateTime(2026, 1, day, hour, minute, second, ms);
}

class BookingsTest : public ::testing::Test {
protected:
    std::shared_ptr<rtl::FakeClock> clock = std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 1, 1, 8, 0, 0, 0));
    std::unique_ptr<BookingTables> db;

    void SetUp() override {
        rtl::SetClock(clock);
        CreateBookingDatabase(DatabasePath());
        db = std::make_unique<BookingTables>(DatabasePath());
    }
};

}  // namespace bookings_test
