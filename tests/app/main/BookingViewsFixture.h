// A main window over a real database file with rooms, a van, two groups and a few bookings, for the tests of
// the booking views and their commands.
#pragma once

#include "app/grids/BookingGrid.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "controls/edit/MonthCalendar.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/DateUtils.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace testing_env {

// Tuesday 3 March 2026.
inline const TDateTime kViewsDay = EncodeDate(2026, 3, 3);

inline TDateTime At(TDateTime date, int hour, int minute) { return date + EncodeTime(hour, minute, 0, 0); }

class BookingViewsTest : public ::testing::Test {
protected:
    TData data;
    std::unique_ptr<TSQLData> lookup;

    BookingViewsTest() {
        CreateVersionHistory();
        Data = &data;
        lookup = std::make_unique<TSQLData>(data);
        SQLData = lookup.get();
    }
    ~BookingViewsTest() override {
        SQLData = nullptr;
        Data = nullptr;
    }

    // Rooms A (id 2) and B (id 1) and a van (id 3); the group "Floor 1" holds both rooms, "Empty" nothing.
    // Room A: 9:00-10:30 on kViewsDay and 14:00-15:00 the day after; Room B: 8:00-9:00 on kViewsDay; the van: a
    // booking on 20 March.
    QString Fixture(const QString& name = QStringLiteral("views.tvd")) {
        const QString path = QDir(TempDir()).filePath(name);
        TADOConnection connection;
        booking_db::Create(connection, path);
        booking_db::AddResource(connection, 1, QStringLiteral("Room B"));
        booking_db::AddResource(connection, 2, QStringLiteral("Room A"));
        booking_db::AddResource(connection, 3, QStringLiteral("Van"));
        connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Floor 1')"));
        connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Empty')"));
        connection.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 1)"));
        connection.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 2)"));
        booking_db::BookingWriter writer(connection);
        const TDateTime day = kViewsDay;
        writer.Add({10, 2, day + EncodeTime(9, 0, 0, 0), day + EncodeTime(10, 30, 0, 0)});
        writer.Add({11, 2, day + 1 + EncodeTime(14, 0, 0, 0), day + 1 + EncodeTime(15, 0, 0, 0)});
        writer.Add({12, 1, day + EncodeTime(8, 0, 0, 0), day + EncodeTime(9, 0, 0, 0)});
        writer.Add({13, 3, day + 17 + EncodeTime(8, 0, 0, 0), day + 17 + EncodeTime(9, 0, 0, 0)});
        connection.Close();
        return path;
    }

    // Another user's booking written straight into the open file.
    void AddAsAnotherUser(const booking_db::BookingValues& booking) {
        TADOConnection other;
        other.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(data.DatabaseFileName);
        other.LoginPrompt = false;
        other.Open();
        booking_db::BookingWriter(other).Add(booking);
    }

    // The window on the view, over the file (the fixture's when empty), on kViewsDay.
    std::unique_ptr<TMainForm> Open(const QString& view = QStringLiteral("day"),
                                    TMainWindowServices services = TMainWindowServices{},
                                    const QString& path = QString()) {
        auto form = std::make_unique<TMainForm>(data, std::move(services));
        form->Preferences.BookingView = view;
        form->Preferences.ResourceView = QStringLiteral("Resources");
        form->Show();
        form->OpenDatabase(path.isEmpty() ? Fixture() : path, QString(), QString());
        // The calendar opens on today; the tests work on a fixed date.
        form->Calendar->SetDate(kViewsDay);
        form->RefreshView();
        return form;
    }

    static void Select(TMainForm& form, TTreeNode* branch, const QString& name) {
        for (int i = 0; i < branch->Count(); ++i)
            if (branch->Item(i)->Text() == name) form.ResourceTreeView->SetSelected(branch->Item(i));
        ASSERT_EQ(form.ResourceTreeView->Selected()->Text(), name);
    }

    // The booking ids laid in a grid column, in row order, one entry per booking.
    static QList<int> ColumnIds(const TBookingGrid& grid, int col) {
        QList<int> ids;
        for (int row = 1; row < grid.RowCount(); ++row)
            if (const TBookingCell* cell = grid.GetCell(col, row))
                for (int i = 0; i < cell->BookingIds.Count(); ++i)
                    if (!ids.contains(cell->BookingIds.GetItem(i))) ids << cell->BookingIds.GetItem(i);
        return ids;
    }
};

}  // namespace testing_env
