// Keyboard moves of the grid's current cell and the selection between an anchor and the current cell.
#include "platform/ui/GridNavigation.h"

#include <gtest/gtest.h>

namespace {

using ui::GridMove;

// Six columns and twenty rows of 20 pixels, one fixed of each; five rows fit the client.
struct Axes {
    ui::GridAxis cols, rows;
    Axes() {
        cols.SetDefaultExtent(40);
        cols.SetCount(6);
        cols.SetClientExtent(1000);
        rows.SetDefaultExtent(19);
        rows.SetCount(20);
        rows.SetClientExtent(120);
    }
    TGridCoord Move(GridMove move, TGridCoord from, const ui::GridNavigationRules& rules = {}) const {
        return ui::NavigationTarget(move, from, cols, rows, rules);
    }
};

TEST(GridNavigation, MovesStayAmongTheScrollableCells) {
    Axes g;
    const struct {
        GridMove move;
        TGridCoord from, to;
    } cases[] = {
        {GridMove::Left, {1, 1}, {1, 1}},     {GridMove::Up, {1, 1}, {1, 1}},
        {GridMove::Right, {5, 3}, {5, 3}},    {GridMove::Down, {2, 19}, {2, 19}},
        {GridMove::Right, {2, 3}, {3, 3}},    {GridMove::Down, {2, 3}, {2, 4}},
        {GridMove::PageDown, {2, 3}, {2, 8}}, {GridMove::PageDown, {2, 17}, {2, 19}},
        {GridMove::PageUp, {2, 8}, {2, 3}},   {GridMove::PageUp, {2, 3}, {2, 1}},
        {GridMove::Home, {4, 7}, {1, 7}},     {GridMove::End, {2, 7}, {5, 7}},
        {GridMove::First, {4, 7}, {1, 1}},    {GridMove::Last, {2, 7}, {5, 19}},
    };
    for (const auto& c : cases) {
        const TGridCoord to = g.Move(c.move, c.from);
        EXPECT_EQ(to, c.to) << "move " << static_cast<int>(c.move) << " from " << c.from.X << "," << c.from.Y
                            << " gave " << to.X << "," << to.Y;
    }
}

TEST(GridNavigation, MovesPassOverHiddenColumnsAndRows) {
    Axes g;
    g.cols.SetExtent(3, -1);
    g.cols.SetExtent(5, -1);
    g.rows.SetExtent(4, -1);
    EXPECT_EQ(g.Move(GridMove::Right, {2, 2}), (TGridCoord{4, 2}));
    EXPECT_EQ(g.Move(GridMove::Right, {4, 2}), (TGridCoord{4, 2}));
    EXPECT_EQ(g.Move(GridMove::Left, {4, 2}), (TGridCoord{2, 2}));
    EXPECT_EQ(g.Move(GridMove::End, {1, 2}), (TGridCoord{4, 2}));
    EXPECT_EQ(g.Move(GridMove::Down, {1, 3}), (TGridCoord{1, 5}));
    EXPECT_EQ(g.Move(GridMove::NextTab, {2, 2}), (TGridCoord{4, 2}));
    EXPECT_EQ(g.Move(GridMove::NextTab, {4, 3}), (TGridCoord{1, 5}));
}

TEST(GridNavigation, TabWrapsAcrossRowsAtTabStopsOnly) {
    Axes g;
    ui::GridNavigationRules rules;
    rules.tabStop = [](int col) { return col != 2 && col != 5; };
    EXPECT_EQ(g.Move(GridMove::NextTab, {1, 3}, rules), (TGridCoord{3, 3}));
    EXPECT_EQ(g.Move(GridMove::NextTab, {4, 3}, rules), (TGridCoord{1, 4}));
    EXPECT_EQ(g.Move(GridMove::PriorTab, {1, 4}, rules), (TGridCoord{4, 3}));
    EXPECT_EQ(g.Move(GridMove::NextTab, {4, 19}, rules), (TGridCoord{4, 19}));
    EXPECT_EQ(g.Move(GridMove::PriorTab, {1, 1}, rules), (TGridCoord{1, 1}));
}

TEST(GridNavigation, RowSelectMovesByRowsOnly) {
    Axes g;
    ui::GridNavigationRules rules;
    rules.rowSelect = true;
    EXPECT_EQ(g.Move(GridMove::Right, {1, 3}, rules), (TGridCoord{1, 3}));
    EXPECT_EQ(g.Move(GridMove::Home, {1, 9}, rules), (TGridCoord{1, 1}));
    EXPECT_EQ(g.Move(GridMove::End, {1, 9}, rules), (TGridCoord{1, 19}));
}

TEST(GridNavigation, SelectionSpansAnchorAndCurrentCell) {
    Axes g;
    EXPECT_EQ(ui::SelectionBetween({4, 7}, {2, 3}, false, g.cols), (TGridRect{2, 3, 4, 7}));
    EXPECT_EQ(ui::SelectionBetween({4, 7}, {2, 3}, true, g.cols), (TGridRect{1, 3, 5, 7}));
}

}  // namespace

namespace {

TEST(GridNavigation, DragReachesTheCellUnderTheMouseAndScrollsAtTheEdges) {
    Axes g;  // rows 1..5 show; row 0 is fixed
    g.rows.SetExtent(6, -1);
    const struct {
        int first, position, cell, scroll;
    } cases[] = {
        {1, 50, 2, 0},    // inside the cells
        {1, 5, 1, 0},     // over the fixed row with nothing scrolled away
        {4, 5, 4, -1},    // over the fixed row after scrolling
        {1, 130, 5, +1},  // below the client
        {1, -3, 1, 0},    // above the client
    };
    for (const auto& c : cases) {
        g.rows.SetFirst(c.first);
        const ui::DragReach reach = ui::DragReachAt(g.rows, c.position);
        EXPECT_EQ(reach.cell, c.cell) << "at " << c.position;
        EXPECT_EQ(reach.scroll, c.scroll) << "at " << c.position;
    }
    // At the end nothing is left to scroll to; the hidden last row is passed over.
    g.rows.SetCount(7);
    g.rows.SetClientExtent(110);
    g.rows.SetFirst(10);
    const ui::DragReach end = ui::DragReachAt(g.rows, 200);
    EXPECT_EQ(end.cell, 5);
    EXPECT_EQ(end.scroll, 0);
}

}  // namespace
