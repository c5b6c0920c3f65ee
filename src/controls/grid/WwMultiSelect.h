// The data-aware grid's record multi-selection: the marked records as dataset bookmarks, the per-row cache
// painting reads, ranges between the current record and the anchor, and the marks' dataset order.
#pragma once

#include "platform/db/DataSet.h"

#include <QString>
#include <functional>
#include <vector>

class TwwCustomDBGrid;

namespace controls {

// Before one record is marked (Selecting true) or unmarked; Accept starts true, false cancels.
using MultiSelectRecordEvent = std::function<void(TwwCustomDBGrid* Grid, bool Selecting, bool& Accept)>;

// What a grid with dgMultiSelect keeps of its marks. The grid's own overrides of IsRowSelected and
// IsSelected answer from it; Space and a click in a "selected" check-box column call ToggleSelection, a
// shift-click SelectRangeToAnchor.
class GridMultiSelection {
public:
    explicit GridMultiSelection(TwwCustomDBGrid& grid);

    // One bookmark per marked record: insertion order until sorted.
    std::vector<TBookmark>& SelectedList() { return selectedList_; }
    const std::vector<TBookmark>& SelectedList() const { return selectedList_; }

    void SelectRecord();
    void UnselectRecord();
    // Marks the current record when it is not marked, else unmarks it (Space, the check-box column).
    void ToggleSelection();
    void UnselectAll();
    // Marks every record from a to b (a being the current record's bookmark, b the anchor); no event fires
    // for the records added. Nothing unless both are given.
    void SelectRecordRange(const TBookmark& a, const TBookmark& b);
    // The range from the current record to the anchor (a shift-click); nothing without a valid anchor.
    void SelectRangeToAnchor();
    // Unmarks the marks between a and b, both included, that OnMultiSelectRecord lets go.
    void UnselectRecordRange(const TBookmark& a, const TBookmark& b);
    // Whether the data link's active record is marked, and buffered data row dataRow, from the cache.
    bool IsSelected() const;
    bool IsRowSelected(int dataRow) const;
    void RefreshSelectedRows();
    // The index in SelectedList of the current record's mark; -1 when it has none.
    int FindSelectedBookmark() const;
    // Into dataset order.
    void SortSelectedList();

    // The remembered record shift ranges reach to.
    void SetAnchor(const TBookmark& bookmark);
    const TBookmark& Anchor() const { return anchor_; }
    bool AnchorValid() const { return anchorValid_; }

    MultiSelectRecordEvent OnMultiSelectRecord;
    // Before every mark is dropped (Selecting false).
    MultiSelectRecordEvent OnMultiSelectAllRecords;

private:
    TDataSet* DataSet() const;
    bool Accepts(const MultiSelectRecordEvent& event, bool selecting);
    // a lies before b.
    bool Before(const TBookmark& a, const TBookmark& b) const;
    void Sort(int left, int right);

    TwwCustomDBGrid& grid_;
    std::vector<TBookmark> selectedList_;
    // One per buffered record: the link's active record at each index is marked (never while editing).
    std::vector<bool> rowCache_;
    TBookmark anchor_;
    bool anchorValid_ = false;
};

// Scrolls the grid's dataset so that its current record shows on data row row again.
void KeepRecordOnRow(TwwCustomDBGrid& grid, int row);

}  // namespace controls
