// One axis of a cell grid (its columns or its rows): extents, fixed cells, lines and whole-cell scrolling.
#pragma once

#include <vector>

namespace ui {

// Positions are pixels from the client edge. The fixed cells come first and never scroll; the scrollable
// cells start at First() and are scrolled by whole cells. A negative extent hides a cell: it takes no
// pixels and no line. Every shown cell is followed by one grid line of LineWidth() pixels.
class GridAxis {
public:
    int Count() const { return static_cast<int>(extents_.size()); }
    // At least one cell; the fixed cells shrink so that one scrollable cell remains.
    void SetCount(int count);
    int FixedCount() const { return fixedCount_; }
    // Raises EInvalidGridOperation unless one scrollable cell remains.
    void SetFixedCount(int count);

    // The stored extent; cells outside the axis answer the default, as loops that step one past the end expect.
    int Extent(int index) const;
    // Raises EInvalidGridOperation for an index outside the axis.
    void SetExtent(int index, int extent);
    int DefaultExtent() const { return defaultExtent_; }
    // Gives every cell the new default extent.
    void SetDefaultExtent(int extent);
    bool IsHidden(int index) const { return Extent(index) < 0; }
    // Moves a cell's extent to another place; the cells between shift by one. Raises EInvalidGridOperation
    // for an index outside the axis.
    void MoveCell(int from, int to);

    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int width) { lineWidth_ = width < 0 ? 0 : width; }
    int ClientExtent() const { return clientExtent_; }
    // A larger client may scroll back so that it stays filled.
    void SetClientExtent(int extent);

    // The first scrollable cell shown (LeftCol or TopRow).
    int First() const { return first_; }
    // Kept between FixedCount() and MaxFirst().
    void SetFirst(int first);
    // The largest First() that still fills the client: the last cell then ends inside it.
    int MaxFirst() const;
    // Brings a scrollable cell fully into view with the least scrolling; answers whether First() changed.
    bool ScrollInView(int index);

    // Pixels a shown cell takes with its line.
    int Step(int index) const;
    int FixedBoundary() const;
    // The pixels of the scrollable cells scrolled away before First().
    int ScrolledAway() const;
    // Where a cell starts, or -1 when it is scrolled away or outside the axis.
    int Start(int index) const;
    // Whether some pixel of the cell lies in the client.
    bool IsShown(int index) const;
    // The end of the last cell, as laid out from First() (may lie beyond the client).
    int GridEnd() const;
    // The cell under a position in the client; its line belongs to it. -1 outside the cells or the client.
    int CellAt(int position) const;
    // The last cell whose pixels all lie in the client (at least First()).
    int LastFullyVisible() const;
    // The scrollable cells from First() to LastFullyVisible().
    int VisibleCount() const { return LastFullyVisible() - first_ + 1; }

private:
    void Clamp();
    // The smallest first cell from which the cells up to last all end inside the client.
    int EarliestFirstShowing(int last) const;

    std::vector<int> extents_ = std::vector<int>(5, 64);
    int fixedCount_ = 1;
    int defaultExtent_ = 64;
    int lineWidth_ = 1;
    int clientExtent_ = 0;
    int first_ = 1;
};

}  // namespace ui
