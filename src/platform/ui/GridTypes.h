// The framework's grid coordinates, cell rectangles and the error a grid raises for a misuse.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <algorithm>

// A cell: X is the column, Y the row.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
};

TAVORIN_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

namespace ui {

// Moves one item of a list of cells to another place; the items between shift by one.
template <class List>
void MoveItem(List& list, int from, int to) {
    if (from < to) std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
    else if (to < from) std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
}

}  // namespace ui
