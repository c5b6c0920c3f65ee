// The booking views at the first and last dates the calendar reaches, over bookings stored there: no view fails,
// and from the day-count origin on each shows the bookings of its dates.
#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/BookingViewsFixture.h"
#include "controls/edit/MonthCalendar.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Containers.h"

#include <gtest/gtest.h>
#include <QDir>
#include <set>

namespace {

// Each booking of a resource of its own, so that a view shows exactly the bookings of its dates.
struct Stored {
    int id;
    TDateTime start;
    TDateTime end;
};

const Stored kStored[] = {
    {20, EncodeDate(100, 1, 1), EncodeDate(100, 1, 2)},  // all day on the first date of the file's range
    {21, EncodeDateTime(100, 1, 2, 9, 0, 0, 0), EncodeDateTime(100, 1, 2, 10, 0, 0, 0)},
    {22, EncodeDateTime(1899, 12, 29, 9, 0, 0, 0), EncodeDateTime(1899, 12, 29, 10, 0, 0, 0)},
    {23, EncodeDateTime(1899, 12, 30, 9, 0, 0, 0), EncodeDateTime(1899, 12, 30, 10, 0, 0, 0)},
    {24, EncodeDateTime(9999, 12, 31, 9, 0, 0, 0), EncodeDateTime(9999, 12, 31, 10, 0, 0, 0)},
};

class MainFormExtremeDatesTest : public testing_env::BookingViewsTest {
protected:
    QString EdgeFixture() {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("edges.tvd"));
        TADOConnection connection;
        booking_db::Create(connection, path);
        booking_db::AddResource(connection, 1, QStringLiteral("Room"));
        booking_db::BookingWriter writer(connection);
        for (const Stored& booking : kStored) writer.Add({booking.id, 1, booking.start, booking.end});
        connection.Close();
        return path;
    }

    // The booking ids a grid shows, each once.
    static std::set<int> GridIds(const TBookingGrid& grid) {
        std::set<int> ids;
        for (int col = 1; col < grid.ColCount(); ++col)
            for (int row = 1; row < grid.RowCount(); ++row)
                if (const TBookingCell* cell = grid.GetCell(col, row))
                    for (int i = 0; i < cell->BookingIds.Count(); ++i) ids.insert(cell->BookingIds.GetItem(i));
        return ids;
    }
};

TEST_F(MainFormExtremeDatesTest, EveryViewShowsTheBookingsOfTheFirstAndLastDates) {
    struct Case {
        const char* view;
        TDateTime date;
        std::set<int> ids;
    };
    // The multi-day view shows the calendar's date and the 13 after it; weeks start on Sunday.
    const Case cases[] = {
        {"day", EncodeDate(100, 1, 1), {20}},
        {"day", EncodeDate(100, 1, 2), {21}},
        {"day", EncodeDate(1899, 12, 29), {22}},
        {"day", EncodeDate(1899, 12, 31), {}},
        {"day", EncodeDate(9999, 12, 31), {24}},
        {"multiday", EncodeDate(100, 1, 1), {20, 21}},
        {"multiday", EncodeDate(1899, 12, 29), {22, 23}},
        {"multiday", EncodeDate(9999, 12, 31), {24}},
        {"week", EncodeDate(100, 1, 1), {20, 21}},
        {"week", EncodeDate(1899, 12, 29), {22, 23}},
        {"week", EncodeDate(9999, 12, 31), {24}},
        {"month", EncodeDate(100, 1, 1), {20, 21}},
        {"month", EncodeDate(1899, 12, 29), {22, 23}},
        {"month", EncodeDate(9999, 12, 31), {24}},
    };
    const QString path = EdgeFixture();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.view) + " " + FormatDateTime(QStringLiteral("yyyy-mm-dd"), c.date).toStdString());
        testing_env::Messages().Clear();
        auto form = Open(QLatin1String(c.view), {}, path);
        Select(*form, form->ResourcesNode, QStringLiteral("Room"));
        form->Calendar->SetDate(c.date);
        form->RefreshView();
        EXPECT_TRUE(testing_env::Messages().Texts().empty()) << testing_env::Messages().Texts().front().toStdString();
        const QString view = QLatin1String(c.view);
        // Of bookings before the origin (which the program no longer makes) and of the month view: that the view
        // stands.
        if (c.date < 0 || view == QLatin1String("month")) continue;
        if (view == QLatin1String("day")) {
            EXPECT_EQ(GridIds(*form->DayGrid), c.ids);
        }
        if (view == QLatin1String("week")) {
            EXPECT_EQ(GridIds(*form->WeekGrid), c.ids);
        }
        if (view == QLatin1String("multiday")) {
            EXPECT_EQ(GridIds(*form->MultiDayGrid), c.ids);
        }
    }
}

}  // namespace
