// A database file with the tables bookings need, the data module's tables over it and a fixed clock.
#pragma once

#include "data/NewBookingId.h"
#include "data/Trans.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>

namespace bookings_test {

inline QString DatabasePath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("bookings.tvd")); }

inline QString ConnectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(path);
}

// The tables of the current schema that bookings touch, with their indexes.
inline void CreateBookingTables(TADOConnection& connection) {
    for (const char* statement : {
             "CREATE TABLE RanvelGlobal (BookingRestrictMode INTEGER, BookingRestrictDaysAhead INTEGER, "
             "BookingRestrictUntilDate DATETIME, UseridMode INTEGER)",
             "INSERT INTO RanvelGlobal (BookingRestrictMode, BookingRestrictDaysAhead, BookingRestrictUntilDate, "
             "UseridMode) VALUES (1, 365, #1/1/2027#, 1)",
             "CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)",
             "CREATE TABLE Resources (ResourceId AUTOINCREMENT, ResourceName TEXT(25) NOT NULL, "
             "MaxBookDays INTEGER NOT NULL, BookingRestrictMode INTEGER, BookingRestrictDaysAhead INTEGER, "
             "BookingRestrictUntilDate DATETIME, Ep TEXT(16), MaxBookDaysRestrict LOGICAL)",
             "CREATE INDEX PrimaryKey ON Resources (ResourceId) WITH PRIMARY",
             "CREATE TABLE Bookings (BookingId INTEGER NOT NULL, Trans LOGICAL, TransDateTime DATETIME, "
             "ResourceId INTEGER NOT NULL, GroupBookingId INTEGER, BookingStart DATETIME NOT NULL, "
             "BookingEnd DATETIME NOT NULL, Client TEXT(30) NOT NULL, Phone TEXT(20), Email TEXT(50), Address TEXT, "
             "Ep TEXT(16), Description TEXT, Notes TEXT, Reminder TEXT, EMailHeader TEXT, Owner TEXT(32))",
             "CREATE INDEX PrimaryKey ON Bookings (BookingId) WITH PRIMARY",
             "CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)",
             "CREATE TABLE History (HistoryId AUTOINCREMENT, HistoryCode TINYINT, Userid TEXT(20), Trans LOGICAL, "
             "TransDateTime DATETIME, BookingId INTEGER, GroupBookingId INTEGER, HistoryTimeStamp DATETIME NOT NULL, "
             "Description TEXT, TaskId INTEGER)",
             "CREATE INDEX PrimaryKey ON History (HistoryId) WITH PRIMARY",
             "CREATE INDEX BookingIdIndex ON History (BookingId, HistoryId)",
             // Room 1 and Room 2, without limits.
             "INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, MaxBookDaysRestrict) "
             "VALUES (\"Room 1\", 0, 1, False)",
             "INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, MaxBookDaysRestrict) "
             "VALUES (\"Room 2\", 0, 1, False)",
         })
        connection.Execute(QString::fromLatin1(statement));
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
            d.FieldByName(QStringLiteral("BookingId")).SetAsInteger(data::DrawBookingId(nextIds));
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
        sql::Connection::CreateDatabase({DatabasePath(), {}});
        {
            TADOConnection creator;
            creator.ConnectionString = ConnectionStringFor(DatabasePath());
            creator.Open();
            CreateBookingTables(creator);
        }
        db = std::make_unique<BookingTables>(DatabasePath());
    }
};

}  // namespace bookings_test
