// The grid axis: positions of fixed, scrolled and hidden cells, the cell under a point and whole-cell scrolling.
#include "platform/ui/GridAxis.h"
#include "platform/ui/GridTypes.h"

#include <gtest/gtest.h>

namespace {

// One fixed cell of 30 pixels, nine cells of 50, one-pixel lines, 200 pixels of client.
ui::GridAxis MakeAxis() {
    ui::GridAxis axis;
    axis.SetDefaultExtent(50);
    axis.SetCount(10);
    axis.SetFixedCount(1);
    axis.SetExtent(0, 30);
    axis.SetClientExtent(200);
    return axis;
}

TEST(GridAxis, CellsStartAfterTheirPredecessorsAndLines) {
    ui::GridAxis axis = MakeAxis();
    EXPECT_EQ(axis.Start(0), 0);
    EXPECT_EQ(axis.Start(1), 31);
    EXPECT_EQ(axis.Start(2), 82);
    EXPECT_EQ(axis.FixedBoundary(), 31);
    // A point on a line belongs to the cell left of it.
    const struct {
        int position, cell;
    } cases[] = {{0, 0}, {29, 0}, {30, 0}, {31, 1}, {80, 1}, {81, 1}, {82, 2}, {199, 4}, {200, -1}, {-1, -1}};
    for (const auto& c : cases) EXPECT_EQ(axis.CellAt(c.position), c.cell) << "at " << c.position;
}

TEST(GridAxis, HiddenCellsTakeNoPixelsAndNoLine) {
    ui::GridAxis axis = MakeAxis();
    axis.SetExtent(2, -1);
    EXPECT_TRUE(axis.IsHidden(2));
    EXPECT_FALSE(axis.IsShown(2));
    EXPECT_EQ(axis.Start(3), 82);
    EXPECT_EQ(axis.CellAt(82), 3);
    for (int i = 0; i < axis.Count(); ++i) {
        if (!axis.IsShown(i)) continue;
        EXPECT_EQ(axis.CellAt(axis.Start(i)), i);
        EXPECT_EQ(axis.CellAt(std::min(axis.Start(i) + axis.Extent(i) - 1, 199)), i);
    }
}

TEST(GridAxis, ScrollsByWholeCellsAndKeepsTheFixedCells) {
    ui::GridAxis axis = MakeAxis();
    axis.SetFirst(3);
    EXPECT_EQ(axis.Start(0), 0);
    EXPECT_EQ(axis.Start(1), -1);
    EXPECT_EQ(axis.Start(3), 31);
    EXPECT_EQ(axis.CellAt(31), 3);
    EXPECT_EQ(axis.ScrolledAway(), 102);
    // Three cells of 50 fit into the 169 pixels after the fixed cell (the last line may be cut off).
    EXPECT_EQ(axis.MaxFirst(), 7);
    axis.SetFirst(100);
    EXPECT_EQ(axis.First(), 7);
    axis.SetFirst(0);
    EXPECT_EQ(axis.First(), 1);
}

TEST(GridAxis, VisibleCountHoldsOnlyWholeCells) {
    ui::GridAxis axis = MakeAxis();
    EXPECT_EQ(axis.LastFullyVisible(), 3);
    EXPECT_EQ(axis.VisibleCount(), 3);
    axis.SetClientExtent(20);  // not even the first scrollable cell fits: it still counts
    EXPECT_EQ(axis.VisibleCount(), 1);
}

TEST(GridAxis, ScrollInViewMovesTheLeastAndReportsAChange) {
    ui::GridAxis axis = MakeAxis();
    EXPECT_FALSE(axis.ScrollInView(3));
    EXPECT_TRUE(axis.ScrollInView(6));
    EXPECT_EQ(axis.First(), 4);
    EXPECT_EQ(axis.LastFullyVisible(), 6);
    EXPECT_TRUE(axis.ScrollInView(2));
    EXPECT_EQ(axis.First(), 2);
    EXPECT_FALSE(axis.ScrollInView(0));
}

TEST(GridAxis, AGrowingClientScrollsBackToStayFilled) {
    ui::GridAxis axis = MakeAxis();
    axis.SetFirst(7);
    axis.SetClientExtent(400);
    EXPECT_EQ(axis.First(), 3);
}

TEST(GridAxis, CountsExtentsAndFixedCells) {
    ui::GridAxis axis = MakeAxis();
    axis.SetExtent(5, 77);
    axis.SetCount(4);
    axis.SetCount(8);
    EXPECT_EQ(axis.Extent(3), 50);
    EXPECT_EQ(axis.Extent(5), 50);   // a cell that left and came back starts from the default
    EXPECT_EQ(axis.Extent(99), 50);  // reads past the end answer the default
    EXPECT_THROW(axis.SetExtent(8, 10), EInvalidGridOperation);
    EXPECT_THROW(axis.SetFixedCount(8), EInvalidGridOperation);
    axis.SetFixedCount(3);
    axis.SetCount(2);
    EXPECT_EQ(axis.FixedCount(), 1);
    axis.SetCount(0);
    EXPECT_EQ(axis.Count(), 1);
    EXPECT_EQ(axis.FixedCount(), 0);
    axis.SetDefaultExtent(20);
    EXPECT_EQ(axis.Extent(0), 20);
}

}  // namespace
