// A file opened read-only, or whose Bookings table was rebuilt, shows what a writable one shows: the open, the
// booking views and the overlap check give the same answers, and the views' statements stay bounded by the
// booking-length index.
#include "data/support/DataFixture.h"
#include "data/support/ScriptedDataWindows.h"
#include "support/OrdinaryUser.h"

#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/module/DataModule.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <functional>

using namespace data_test;

namespace {

const TDateTime kMonday = EncodeDate(2031, 3, 3);

TResourceList BothRooms() {
    TResourceList list;
    list.Add(QStringLiteral("Room"), 1, QString());
    list.Add(QStringLiteral("Studio"), 2, QString());
    return list;
}

// A new file with two resources and bookings saved through the bulk path: short ones, one over several days,
// one running from the week before.
QString SavedFile() {
    // In a folder of its own, which a read-only share makes unwritable.
    QDir().mkpath(DbPath(QStringLiteral("share")));
    const QString path = QDir(DbPath(QStringLiteral("share"))).filePath(QStringLiteral("shared.tvd"));
    {
        const auto connection = CreateDatabase(path);
        connection->Execute("INSERT INTO Resources (ResourceName, MaxBookDays) VALUES ('Studio', 0)");
        // Made with the file, before any open of the data module.
        EXPECT_TRUE(connection->Native()
                        .QueryValue(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'tavorin_BookingLength'"))
                        .isValid());
    }
    TData data;
    EXPECT_TRUE(data.ConnectDatabase(path, {}));
    const auto batch = data.BeginBookingBatch();
    const auto record = data.NewBookingRecord(data.BookingsTable);
    record->Owner = data.CurrentUserId();
    const struct {
        int resource;
        TDateTime start;
        TDateTime end;
    } bookings[] = {
        {1, kMonday + 9 / 24.0, kMonday + 10 / 24.0},          {1, kMonday + 1 + 11 / 24.0, kMonday + 3 + 12 / 24.0},
        {2, kMonday - 4 + 9 / 24.0, kMonday + 2 + 15 / 24.0},  {2, kMonday + 4 + 8 / 24.0, kMonday + 4 + 8.5 / 24.0},
        {1, kMonday + 6 + 16 / 24.0, kMonday + 6 + 17 / 24.0},
    };
    for (const auto& booking : bookings) {
        record->ResourceId = booking.resource;
        record->StartDate = DateOf(booking.start);
        record->StartTime = TimeOf(booking.start);
        record->EndDate = DateOf(booking.end);
        record->EndTime = TimeOf(booking.end);
        record->Client = QStringLiteral("client of %1").arg(booking.start);
        EXPECT_NE(batch->Add(*record).BookingId, 0);
    }
    batch->Commit();
    return path;
}

// Everything the views and the overlap check read of the file, as text; empty when the open fails.
QString WhatTheProgramSees(const QString& path, bool expectReadOnly) {
    ScriptedDataWindows windows;
    TData data;
    if (!data.ConnectDatabase(path, {})) return {};
    QStringList seen{QStringLiteral("read-only %1").arg(data.ReadOnlyAccess),
                     QStringLiteral("engine read-only %1").arg(data.ADOConnection.Engine().IsReadOnly())};
    if (data.ReadOnlyAccess != expectReadOnly) return seen.join(u'\n');

    TResourceBookings week;
    week.SetConnection(&data.ADOConnection);
    if (!week.LoadDays(BothRooms(), 60, kMonday, kMonday + 6, EncodeTime(8, 0, 0, 0), EncodeTime(18, 0, 0, 0)))
        seen << QStringLiteral("week failed");
    for (int r = 0; r < week.ResourceCount; ++r)
        for (int d = 0; d < week.GetResourceDays(r)->GetCount(); ++d)
            for (int k = 0; k < week.SlotTimes.Count(); ++k)
                if (const TBookingCell* cell = week.GetResourceDays(r)->GetDay(d)->GetCell(k); cell && cell->Count())
                    seen << QStringLiteral("week %1 %2 %3: %4 %5 %6")
                                .arg(r)
                                .arg(d)
                                .arg(k)
                                .arg(cell->BookingIds.GetItem(0))
                                .arg(static_cast<int>(cell->State))
                                .arg(cell->Clients.Count() ? cell->Clients[0] : QString());

    TResourceDateBookings month;
    month.SetConnection(&data.ADOConnection);
    if (!month.LoadBookings(BothRooms(), 2, kMonday - 2, kMonday + 28)) seen << QStringLiteral("month failed");
    for (int r = 0; r < month.ResourceCount; ++r)
        for (int d = 0; d < month.DateCaptions.Count(); ++d)
            if (const TMonthDateBookingCell* cell = month.GetResourceDates(r)->GetMonthCell(d))
                for (int lane = 0; lane < cell->GetRowCount(); ++lane)
                    if (const TMonthDateBookingCellRow* row = cell->GetRow(lane))
                        seen << QStringLiteral("month %1 %2 %3: %4").arg(r).arg(d).arg(lane).arg(row->BookingId);

    // Another booking's period seen by the check, as a save of a changed booking would ask.
    TBookingConflictResult conflicts;
    const int someBooking =
        data.ADOConnection.Engine().Native().QueryValue(QStringLiteral("SELECT min(BookingId) FROM Bookings")).toInt();
    data::FindBookingConflicts(data.ADOConnection, 2, someBooking, kMonday + 1, kMonday + 5, conflicts);
    seen << QStringLiteral("conflicts %1: %2 %3 %4")
                .arg(conflicts.Status)
                .arg(conflicts.Ids[0])
                .arg(conflicts.Ids[1])
                .arg(conflicts.Ids[2]);

    const auto plan = data.ADOConnection.Engine().Native().Prepare(
        QStringLiteral("EXPLAIN QUERY PLAN SELECT BookingEnd - BookingStart FROM Bookings WHERE ResourceId = 2 "
                       "ORDER BY BookingEnd - BookingStart DESC LIMIT 1"));
    seen << QStringLiteral("longest booking through the index %1")
                .arg(plan->Step() && plan->Value(3).toString().contains(QLatin1String("tavorin_BookingLength")));
    return seen.join(u'\n');
}

}  // namespace

TEST(ReadOnlyFile, ShowsWhatAWritableOneShowsAfterARebuildOfBookingsToo) {
    const QString path = SavedFile();
    const QString writable = WhatTheProgramSees(path, false);
    ASSERT_TRUE(writable.contains(QLatin1String("longest booking through the index 1"))) << writable.toStdString();
    ASSERT_TRUE(writable.contains(QLatin1String("conflicts 3: 2"))) << writable.toStdString();
    const QString expected = QString(writable).replace(QLatin1String("read-only 0\nengine read-only 0"),
                                                       QLatin1String("read-only 1\nengine read-only 1"));

    testing_env::MakeReadOnly(path);
    EXPECT_EQ(testing_env::AsAnOrdinaryUser([&] { return WhatTheProgramSees(path, true); }).toStdString(),
              expected.toStdString());
    testing_env::MakeWritable(path);

    // A design change rebuilds the table; a file only ever opened read-only afterwards keeps the index.
    sql::Connection(Plain(path)).Execute("ALTER TABLE Bookings ALTER COLUMN Client TEXT(40)");
    testing_env::MakeReadOnly(path);
    EXPECT_EQ(testing_env::AsAnOrdinaryUser([&] { return WhatTheProgramSees(path, true); }).toStdString(),
              expected.toStdString());
    testing_env::MakeWritable(path);
}

TEST(ReadOnlyFile, WithoutTheLengthIndexGivesTheSameRows) {
    const QString path = SavedFile();
    const QString writable = WhatTheProgramSees(path, false);
    // A file from before the index, which a read-only open cannot add.
    sql::Connection(Plain(path)).Native().Exec(QStringLiteral("DROP INDEX tavorin_BookingLength"));
    testing_env::MakeReadOnly(path);
    const QString seen = testing_env::AsAnOrdinaryUser([&] { return WhatTheProgramSees(path, true); });
    testing_env::MakeWritable(path);
    EXPECT_EQ(
        seen.toStdString(),
        QString(writable)
            .replace(QLatin1String("read-only 0\nengine read-only 0"), QLatin1String("read-only 1\nengine read-only 1"))
            .replace(QLatin1String("through the index 1"), QLatin1String("through the index 0"))
            .toStdString());
}
