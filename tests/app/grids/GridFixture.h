// A database file of three resources for the grids' tests, loaders over it and a window to show a grid in.
#pragma once

#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/support/BookingDatabaseFixture.h"
#include "data/support/LayoutFixtures.h"
#include "platform/ui/CustomGrid.h"
#include "platform/ui/Form.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

namespace grid_test {

using layout_test::At;
using layout_test::Day;

class GridDatabase : public ::testing::Test {
protected:
    TADOConnection connection;
    TForm form;

    GridDatabase() {
        booking_db::Create(connection, QDir(testing_env::TempDir()).filePath(QStringLiteral("grids.tvd")));
        booking_db::AddResource(connection, 1, QStringLiteral("Room A"));
        booking_db::AddResource(connection, 2, QStringLiteral("Room B"));
        booking_db::AddResource(connection, 3, QStringLiteral("Van"));
    }

    void Add(std::initializer_list<booking_db::BookingValues> bookings) {
        booking_db::BookingWriter writer(connection);
        for (const auto& b : bookings) writer.Add(b);
    }

    // Resources by id, named as in the file, described as the file describes them.
    static TResourceList Resources(std::initializer_list<int> ids) {
        TResourceList list;
        for (int id : ids) {
            const QString name = id == 1   ? QStringLiteral("Room A")
                                 : id == 2 ? QStringLiteral("Room B")
                                           : QStringLiteral("Van");
            list.Add(name, id, QStringLiteral("about ") + name);
        }
        return list;
    }

    // Days first..last from 8:00 to 18:00 in 30-minute slots.
    bool LoadSlots(TResourceBookings& bookings, const TResourceList& resources, TDateTime first, TDateTime last) {
        bookings.SetConnection(&connection);
        return bookings.LoadDays(resources, 30, first, last, EncodeTime(8, 0, 0, 0), EncodeTime(18, 0, 0, 0));
    }

    bool LoadDates(TResourceDateBookings& bookings, const TResourceList& resources, quint8 mode, TDateTime first,
                   TDateTime last) {
        bookings.SetConnection(&connection);
        return bookings.LoadBookings(resources, mode, first, last);
    }

    // Shows the grid in the test window at the size given.
    template <class Grid>
    Grid* Show(Grid* grid, int width, int height) {
        form.SetClientWidth(width);
        form.SetClientHeight(height);
        grid->SetBounds(0, 0, width, height);
        form.Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return grid;
    }
};

inline QImage Picture(TCustomGrid& grid) { return grid.viewport()->grab().toImage(); }

inline QPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

inline QRgb Rgb(TColor color) { return ui::ToQColor(color).rgb(); }

inline void SendMouse(TCustomGrid& grid, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons held = Qt::LeftButton) {
    QWidget* target = grid.viewport();
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(TCustomGrid& grid, QPoint at) {
    SendMouse(grid, QEvent::MouseButtonPress, at);
    SendMouse(grid, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void Hover(TCustomGrid& grid, QPoint at) { SendMouse(grid, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }

}  // namespace grid_test
