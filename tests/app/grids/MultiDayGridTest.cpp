// The multi-day grid over a real database file: date columns, bars at the hours' share of a date, the clicked
// booking shown selected on all its dates, the red cell of an other meeting, the resource column.
#include "GridFixture.h"
#include "app/grids/BookingGrid.h"
#include "app/grids/ResourceEditorHook.h"

#include <gtest/gtest.h>

namespace {

using namespace grid_test;

class MultiDayGridTest : public GridDatabase {
protected:
    TResourceDateBookings bookings;
    TMultiDayGrid* grid = new TMultiDayGrid(&form);

    void Load(std::initializer_list<int> ids, int days) {
        ASSERT_TRUE(LoadDates(bookings, Resources(ids), 0, Day(1), Day(days)));
        grid->LoadMultiDayBookings(bookings);
    }
    // The colour a share of the way across a cell, near its bottom (below any text).
    QRgb ColourAt(int col, int row, double share) {
        const TRect r = grid->CellRect(col, row);
        return Picture(*grid).pixel(r.Left + static_cast<int>(share * r.Width()), r.Bottom - 2) & 0xFFFFFF;
    }
};

TEST_F(MultiDayGridTest, ABookingFromTenOnDayOneToThreeOnDayThreeIsABarAcrossThreeCells) {
    Add({{1, 1, At("10:00"), At("3 15:00")}});
    Show(grid, 900, 200);
    grid->SetScrollBars(ssNone);
    grid->BookingColor = clAqua;
    grid->ColumnSize = 100;
    Load({1, 2}, 14);
    Click(*grid, Centre(grid->CellRect(10, 2)));  // away from the first cell, selected after creation
    EXPECT_EQ(grid->ColCount(), 15);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->GetText(1, 0), "Jan 05");
    EXPECT_EQ(grid->GetText(14, 0), "Jan 18");
    EXPECT_EQ(grid->GetText(0, 2), "Room B");
    EXPECT_EQ(grid->ColWidths(3), 99);
    const QRgb bar = Rgb(clAqua) & 0xFFFFFF;
    const QRgb window = Rgb(clWindow) & 0xFFFFFF;
    // 10:00 is 41.7 % of the day.
    EXPECT_EQ(ColourAt(1, 1, 0.40), window);
    EXPECT_EQ(ColourAt(1, 1, 0.44), bar);
    EXPECT_EQ(ColourAt(1, 1, 0.97), bar);
    for (int col : {2, 3})
        for (double share : {0.03, 0.5, 0.97}) EXPECT_EQ(ColourAt(col, 1, share), bar) << col << " " << share;
    EXPECT_EQ(ColourAt(4, 1, 0.5), window);
    EXPECT_EQ(ColourAt(1, 2, 0.5), window);
    // The text begins in day 1's cell and runs on: day 2's cell holds its continuation, named by the head.
    const TBookingCell* second = grid->GetCell(2, 1);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second->HeadCell, nullptr);
    EXPECT_EQ(second->HeadCell, grid->GetCell(1, 1));
    EXPECT_TRUE(grid->GetCell(3, 1)->IsLastCell);
    EXPECT_FALSE(grid->GetCell(1, 1)->IsLastCell);

    // A press on day 3 shows every cell of the booking selected: the free part of day 1 turns grey.
    Click(*grid, Centre(grid->CellRect(3, 1)));
    EXPECT_EQ(ColourAt(1, 1, 0.2), Rgb(0x808080) & 0xFFFFFF);
    EXPECT_EQ(ColourAt(4, 1, 0.2), window);
}

TEST_F(MultiDayGridTest, AShortBookingStillShowsAndAnOtherMeetingIsARedCell) {
    Add({{1, 1, At("13:00"), At("13:05")}, {2, 2, At("9:00"), At("3 9:00")}, {3, 2, At("2 10:00"), At("2 11:00")}});
    Show(grid, 700, 200);
    grid->SetScrollBars(ssNone);
    grid->BookingColor = clAqua;
    grid->ColumnSize = 101;
    Load({1, 2}, 5);
    Click(*grid, Centre(grid->CellRect(5, 1)));
    const TRect r = grid->CellRect(1, 1);
    const int half = grid->Font().Size() / 2;
    const int x0 = static_cast<int>(13.0 / 24 * r.Width());
    const QImage picture = Picture(*grid);
    // In the right half of the cell it grows to the left.
    EXPECT_EQ(picture.pixel(r.Left + x0 - half + 1, r.Bottom - 2) & 0xFFFFFF, Rgb(clAqua) & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(r.Left + x0 + 2, r.Bottom - 2) & 0xFFFFFF, Rgb(clWindow) & 0xFFFFFF);

    ASSERT_NE(grid->GetCell(2, 2), nullptr);
    EXPECT_EQ(grid->GetCell(2, 2)->State, data::kOtherMeeting);
    EXPECT_EQ(picture.pixel(Centre(grid->CellRect(2, 2))) & 0xFFFFFF, Rgb(clRed) & 0xFFFFFF);
}

TEST_F(MultiDayGridTest, TheResourceColumnNamesItsResourcesAndOpensTheirEditor) {
    Show(grid, 700, 200);
    Load({1, 3}, 3);
    grid->SetShowRollover(true);
    Hover(*grid, Centre(grid->CellRect(0, 2)));
    EXPECT_EQ(grid->Hint(), "Van\nabout Van");
    std::vector<qint32> opened;
    grids::CurrentResourceEditor() = [&](qint32 id) { opened.push_back(id); };
    Click(*grid, Centre(grid->CellRect(0, 2)));
    Click(*grid, Centre(grid->CellRect(2, 2)));
    grids::CurrentResourceEditor() = nullptr;
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], 3);
}

}  // namespace
