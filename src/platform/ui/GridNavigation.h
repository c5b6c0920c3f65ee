// Where the keyboard moves a grid's current cell, and the selection that an anchor and the current cell span.
#pragma once

#include "platform/ui/GridAxis.h"
#include "platform/ui/GridTypes.h"

#include <functional>

namespace ui {

// The moves of the grid's navigation keys: arrows, Page Up/Down, Home/End, Ctrl+Home/End, Tab and Shift+Tab.
enum class GridMove { Left, Right, Up, Down, PageUp, PageDown, Home, End, First, Last, NextTab, PriorTab };

struct GridNavigationRules {
    // Whole rows are selected: Home/End go to the first/last row and Left/Right do not move.
    bool rowSelect = false;
    // Columns that Tab stops at; every column when empty.
    std::function<bool(int col)> tabStop;
};

// The cell a move leads to from the current cell. Moves stay among the scrollable cells and pass over
// hidden columns and rows; a move that finds no shown cell leaves the current cell where it is.
TGridCoord NavigationTarget(GridMove move, TGridCoord current, const GridAxis& cols, const GridAxis& rows,
                            const GridNavigationRules& rules = {});

// The selection from the anchor to the current cell; with rowSelect it spans every scrollable column.
TGridRect SelectionBetween(TGridCoord anchor, TGridCoord current, bool rowSelect, const GridAxis& cols);

// Where a selection drag reaches on one axis: the shown scrollable cell under the position (the nearest one when
// the position lies in the fixed cells, beyond the cells or outside the client) and the direction the axis
// scrolls while the mouse stays there (-1 back, +1 on, 0 not).
struct DragReach {
    int cell = -1;
    int scroll = 0;
};
DragReach DragReachAt(const GridAxis& axis, int position);

// The nearest shown scrollable cell from index in the direction (+1 or -1), index itself when shown; -1 when none.
int NearestShownCell(const GridAxis& axis, int index, int direction);

}  // namespace ui
