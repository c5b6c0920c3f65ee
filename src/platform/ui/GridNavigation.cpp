// Where the keyboard moves a grid's current cell, and the selection an anchor and the current cell span.
#include "platform/ui/GridNavigation.h"

#include <algorithm>

namespace ui {

namespace {

// The shown cell nearest to index, looking in the direction first, then back; fallback when there is none.
int ShownNear(const GridAxis& axis, int index, int direction, int fallback) {
    index = std::clamp(index, axis.FixedCount(), axis.Count() - 1);
    int found = NearestShownCell(axis, index, direction);
    if (found < 0) found = NearestShownCell(axis, index, -direction);
    return found < 0 ? fallback : found;
}

// A step that must land on a shown cell beyond the current one, or not move at all.
int StepTo(const GridAxis& axis, int current, int direction) {
    const int found = NearestShownCell(axis, current + direction, direction);
    return found < 0 ? current : found;
}

TGridCoord TabTarget(TGridCoord current, int direction, const GridAxis& cols, const GridAxis& rows,
                     const GridNavigationRules& rules) {
    const auto stops = [&](int col) { return !cols.IsHidden(col) && (!rules.tabStop || rules.tabStop(col)); };
    int col = current.X;
    int row = current.Y;
    for (;;) {
        col += direction;
        if (col >= cols.Count() || col < cols.FixedCount()) {
            const int nextRow = NearestShownCell(rows, row + direction, direction);
            if (nextRow < 0) return current;
            row = nextRow;
            col = direction > 0 ? cols.FixedCount() - 1 : cols.Count();
            continue;
        }
        if (stops(col)) return {col, row};
    }
}

}  // namespace

int NearestShownCell(const GridAxis& axis, int index, int direction) {
    for (int i = index; i >= axis.FixedCount() && i < axis.Count(); i += direction)
        if (!axis.IsHidden(i)) return i;
    return -1;
}

TGridCoord NavigationTarget(GridMove move, TGridCoord current, const GridAxis& cols, const GridAxis& rows,
                            const GridNavigationRules& rules) {
    const int page = std::max(1, rows.VisibleCount());
    const int firstCol = ShownNear(cols, cols.FixedCount(), +1, current.X);
    const int lastCol = ShownNear(cols, cols.Count() - 1, -1, current.X);
    const int firstRow = ShownNear(rows, rows.FixedCount(), +1, current.Y);
    const int lastRow = ShownNear(rows, rows.Count() - 1, -1, current.Y);
    switch (move) {
        case GridMove::Left: return rules.rowSelect ? current : TGridCoord{StepTo(cols, current.X, -1), current.Y};
        case GridMove::Right: return rules.rowSelect ? current : TGridCoord{StepTo(cols, current.X, +1), current.Y};
        case GridMove::Up: return {current.X, StepTo(rows, current.Y, -1)};
        case GridMove::Down: return {current.X, StepTo(rows, current.Y, +1)};
        case GridMove::PageUp: return {current.X, ShownNear(rows, current.Y - page, -1, current.Y)};
        case GridMove::PageDown: return {current.X, ShownNear(rows, current.Y + page, +1, current.Y)};
        case GridMove::Home: return rules.rowSelect ? TGridCoord{current.X, firstRow} : TGridCoord{firstCol, current.Y};
        case GridMove::End: return rules.rowSelect ? TGridCoord{current.X, lastRow} : TGridCoord{lastCol, current.Y};
        case GridMove::First: return {firstCol, firstRow};
        case GridMove::Last: return {lastCol, lastRow};
        case GridMove::NextTab: return TabTarget(current, +1, cols, rows, rules);
        case GridMove::PriorTab: return TabTarget(current, -1, cols, rows, rules);
    }
    return current;
}

DragReach DragReachAt(const GridAxis& axis, int position) {
    const int firstShown = NearestShownCell(axis, axis.First(), +1);
    const int lastShown = NearestShownCell(axis, axis.Count() - 1, -1);
    if (firstShown < 0) return {};
    if (position < axis.FixedBoundary()) {
        const bool more = NearestShownCell(axis, axis.First() - 1, -1) >= 0;
        return {firstShown, more ? -1 : 0};
    }
    const int lastVisible = NearestShownCell(axis, axis.LastFullyVisible(), -1);
    if (position >= axis.ClientExtent()) return {lastVisible, lastVisible < lastShown ? +1 : 0};
    const int cell = axis.CellAt(position);
    return {cell < 0 ? lastShown : cell, 0};
}

TGridRect SelectionBetween(TGridCoord anchor, TGridCoord current, bool rowSelect, const GridAxis& cols) {
    TGridRect r{std::min(anchor.X, current.X), std::min(anchor.Y, current.Y), std::max(anchor.X, current.X),
                std::max(anchor.Y, current.Y)};
    if (rowSelect) {
        r.Left = cols.FixedCount();
        r.Right = cols.Count() - 1;
    }
    return r;
}

}  // namespace ui
