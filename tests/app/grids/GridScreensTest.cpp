// Pictures of each grid over a fixture database, for the architecture notes. Under a real X server:
//   TAVORIN_GRID_SHOTS=docs QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
//   build/tests/app/grids/test_app_grids --gtest_filter='GridScreens.*'
// Without the variable the grids are only shown and painted.
#include "GridFixture.h"
#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QScreen>

namespace {

using namespace grid_test;

class GridScreens : public GridDatabase {
protected:
    GridScreens() {
        Add({{1, 1, At("9:00"), At("10:30")},
             {2, 1, At("11:00"), At("11:30"), true},
             {3, 1, At("13:00"), At("15:00"), false, QStringLiteral("call")},
             {4, 1, At("13:30"), At("14:00")},
             {5, 2, At("8:30"), At("9:00")},
             {6, 2, At("8:30"), At("8:45")},
             {7, 2, At("10:00"), At("3 15:00")},
             {8, 3, At("12:00"), At("17:00")},
             {9, 3, At("2 9:00"), At("2 12:00"), true},
             {10, 1, At("3 9:00"), At("3 9:30")},
             {11, 1, At("4 14:00"), At("4 16:30"), false, QStringLiteral("ring")},
             {12, 3, At("4 10:00"), At("8 15:00")},
             {13, 2, At("5 0:00"), At("6 0:00")},
             {14, 1, At("8 10:00"), At("8 11:00")},
             {15, 2, At("8 12:00"), At("8 13:00")},
             {16, 3, At("8 14:00"), At("8 15:00")},
             {17, 1, At("8 16:00"), At("8 17:00")}});
    }

    // Every grid shows at least one booking in its colour; with TAVORIN_GRID_SHOTS set the window is saved
    // there as a picture for the architecture notes.
    void Save(TCustomGrid& grid, const QString& name) {
        QTest::qWait(100);
        const QImage shown = grid.grab().toImage();
        bool bookingShown = false;
        for (int y = 0; y < shown.height() && !bookingShown; ++y)
            for (int x = 0; x < shown.width() && !bookingShown; ++x)
                bookingShown = (shown.pixel(x, y) & 0xFFFFFF) == 0xB4E6FF;
        EXPECT_TRUE(bookingShown) << name.toStdString();
        const QString folder = qEnvironmentVariable("TAVORIN_GRID_SHOTS");
        if (folder.isEmpty()) return;
        const QPoint origin = form.mapToGlobal(QPoint(0, 0));
        ASSERT_TRUE(form.screen()
                        ->grabWindow(0, origin.x(), origin.y(), form.width(), form.height())
                        .save(QDir(folder).filePath(name)));
    }

    static void Colour(TBookingGrid& grid) {
        grid.BookingColor = RGB(0xB4, 0xE6, 0xFF);
        grid.ReminderColor = RGB(0xC8, 0xF0, 0xB4);
    }
};

TEST_F(GridScreens, DayGrid) {
    auto* grid = Show(new TDayGrid(&form), 640, 420);
    Colour(*grid);
    grid->AutoColumnSize = true;
    grid->ShowDescription = true;
    TResourceBookings bookings;
    ASSERT_TRUE(LoadSlots(bookings, Resources({1, 2, 3}), Day(1), Day(1)));
    grid->LoadDayBookings(bookings);
    grid->ResizeColumns();
    Save(*grid, QStringLiteral("booking-day-grid.png"));
}

TEST_F(GridScreens, WeekGrid) {
    auto* grid = Show(new TWeekGrid(&form), 900, 420);
    Colour(*grid);
    grid->AutoColumnSize = true;
    grid->SetFirstDayOfWeek(1);
    grid->SetDate(Day(1));
    TResourceBookings bookings;
    ASSERT_TRUE(LoadSlots(bookings, Resources({1}), grid->WeekInfo.FirstDate, grid->WeekInfo.LastDate));
    grid->LoadWeekBookings(bookings, 0);
    grid->Refresh();
    Save(*grid, QStringLiteral("booking-week-grid.png"));
}

TEST_F(GridScreens, MultiDayGrid) {
    auto* grid = Show(new TMultiDayGrid(&form), 900, 104);
    Colour(*grid);
    grid->AutoColumnSize = true;
    TResourceDateBookings bookings;
    ASSERT_TRUE(LoadDates(bookings, Resources({1, 2, 3}), 0, Day(1), Day(7)));
    grid->LoadMultiDayBookings(bookings);
    Save(*grid, QStringLiteral("booking-multiday-grid.png"));
}

TEST_F(GridScreens, MonthGrid) {
    auto* grid = Show(new TTavorinMonthGrid(&form), 900, 600);
    grid->BookingColor = RGB(0xB4, 0xE6, 0xFF);
    grid->ReminderColor = RGB(0xC8, 0xF0, 0xB4);
    grid->LineSpacing = 1;
    grid->Margin = 4;
    grid->ShowStartTime = true;
    grid->ShowMonth(Day(1));
    TResourceDateBookings bookings;
    ASSERT_TRUE(LoadDates(bookings, Resources({1, 2, 3}), 2, grid->Info.FirstShownDate, grid->Info.LastShownDate));
    grid->LoadMonthBookings(bookings);
    Save(*grid, QStringLiteral("booking-month-grid.png"));
}

}  // namespace
