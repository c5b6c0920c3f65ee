// A database with rooms and bookings, the data module open on it and a booking window over it.
#pragma once

#include "booking/BookingForm.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/SchemaFixtures.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/ServiceSlot.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <memory>

namespace booking_form_test {

inline QString DatabasePath() { return QDir(testing_env::TempDir()).filePath(QStringLiteral("bookings.tvd")); }

// A day of January 2026 at a time.
inline TDateTime Jan(int day, int hour = 0, int minute = 0) { return EncodeDateTime(2026, 1, day, hour, minute, 0, 0); }

// Statements on the file through a connection of its own, as another program would run them.
class OtherProgram {
public:
    OtherProgram() {
        connection_.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(DatabasePath());
        connection_.LoginPrompt = false;
        connection_.Open();
    }
    void Execute(const QString& jetSql) { connection_.Execute(jetSql); }
    // The rows as texts, "|" between the values; a date and time reads "Jan 5 9:30".
    QStringList Rows(const QString& jetSql) {
        QStringList rows = data_test::RowTexts(connection_.Engine(), jetSql);
        for (QString& row : rows) {
            QStringList values = row.split(QLatin1Char('|'));
            for (QString& value : values) {
                bool number = false;
                const double day = value.toDouble(&number);
                if (number && value.contains(QLatin1Char('.')) && day > 40000)
                    value = FormatDateTime(QStringLiteral("mmm d h:nn"), day + OneMillisecond / 2);
            }
            row = values.join(QLatin1Char('|'));
        }
        return rows;
    }
    int Count(const QString& table) {
        return Rows(QStringLiteral("SELECT Count(*) FROM %1").arg(table)).value(0).toInt();
    }
    // A committed booking with this id.
    void Book(int id, int resourceId, TDateTime start, TDateTime end, const QString& client = QStringLiteral("Smith"),
              int groupId = 0) {
        Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, GroupBookingId, Trans, Client, "
                               "BookingStart, BookingEnd, Owner) VALUES (%1, %2, %3, False, \"%4\", %5, %6, \"owner\")")
                    .arg(id)
                    .arg(resourceId)
                    .arg(groupId ? QString::number(groupId) : QStringLiteral("Null"))
                    .arg(client)
                    .arg(start, 0, 'f', 10)
                    .arg(end, 0, 'f', 10));
    }

private:
    TADOConnection connection_;
};

// Room A (resource 1) and Room B (resource 2), without limits; the clock on Jan 1 2026 8:00.
class BookingFormTest : public ::testing::Test {
protected:
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(Jan(1, 8))};
    std::unique_ptr<OtherProgram> other;
    std::unique_ptr<TData> data;
    std::unique_ptr<TSQLData> sqlData;
    std::unique_ptr<TBookingForm> form;

    void SetUp() override {
        {
            TData creator;
            ASSERT_TRUE(creator.CreateDatabase(DatabasePath(), true));
        }
        other = std::make_unique<OtherProgram>();
        // New bookings get ids clear of the ones the tests give their bookings.
        other->Execute(QStringLiteral("ALTER TABLE NextBookingId ALTER COLUMN NextBookingId AUTOINCREMENT (5000,1)"));
        for (const char* name : {"Room A", "Room B"})
            other->Execute(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, "
                                          "MaxBookDaysRestrict) VALUES (\"%1\", 0, 1, False)")
                               .arg(QLatin1String(name)));
    }

    void TearDown() override {
        form.reset();
        sqlData.reset();
        data.reset();
    }

    // Opens the database and makes the window.
    void Open() {
        data = std::make_unique<TData>();
        ASSERT_TRUE(data->ConnectDatabase(DatabasePath(), {}));
        sqlData = std::make_unique<TSQLData>(*data);
        form = std::make_unique<TBookingForm>(nullptr, *data, *sqlData);
        testing_env::Messages().Clear();
    }

    // Opens the window on a stored booking, as the main window does.
    void OpenBooking(int id) {
        if (!form) Open();
        ASSERT_TRUE(form->LocateBooking(id));
        // Showing runs Init.
        form->Show();
    }

    // Opens the window on a new booking of Room A.
    void OpenNew(TDateTime start, TDateTime end, const QString& client = QStringLiteral("Jones")) {
        if (!form) Open();
        ASSERT_TRUE(form->InsertNewBooking(1, 0, DateOf(start), DateOf(end), TimeOf(start), TimeOf(end), client, {}, {},
                                           {}, {}, {}));
        form->Show();
    }

    TADOTable& Bookings() { return data->BookingsTable; }
    TDateTime Start() { return Bookings().FieldByName(QStringLiteral("BookingStart")).AsDateTime(); }
    TDateTime End() { return Bookings().FieldByName(QStringLiteral("BookingEnd")).AsDateTime(); }
    // Writes a field of the booking shown, as its editor does.
    void Type(const char* field, const QVariant& value) {
        if (Bookings().State() == dsBrowse) Bookings().Edit();
        Bookings().FieldByName(QLatin1String(field)).SetValue(value);
    }
    std::vector<QString> Shown() { return testing_env::Messages().Texts(); }
    // The stored rows: id, start, end and Trans of every booking, and every History row.
    QStringList Stored() {
        return other->Rows(QStringLiteral("SELECT BookingId, ResourceId, BookingStart, BookingEnd, Client, Trans FROM "
                                          "Bookings ORDER BY BookingId")) +
               other->Rows(QStringLiteral("SELECT BookingId, HistoryCode, Trans FROM History ORDER BY HistoryId"));
    }
};

}  // namespace booking_form_test
