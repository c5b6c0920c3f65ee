// Marking records of a data-aware grid, ranges of them, and their order.
#include "controls/grid/WwMultiSelect.h"

#include "controls/grid/Wwdbigrd.h"

#include <QSet>
#include <algorithm>

namespace controls {

GridMultiSelection::GridMultiSelection(TwwCustomDBGrid& grid) : grid_(grid) {}

TDataSet* GridMultiSelection::DataSet() const {
    TDataSet* dataSet = grid_.DataLink().DataSet();
    return dataSet && dataSet->Active() ? dataSet : nullptr;
}

bool GridMultiSelection::Before(const TBookmark& a, const TBookmark& b) const {
    return DataSet()->CompareBookmarks(a, b) < 0;
}

bool GridMultiSelection::Accepts(const MultiSelectRecordEvent& event, bool selecting) {
    bool accept = true;
    if (event) event(&grid_, selecting, accept);
    return accept;
}

void GridMultiSelection::SetAnchor(const TBookmark& bookmark) {
    anchor_ = bookmark;
    anchorValid_ = !bookmark.isEmpty();
}

void GridMultiSelection::RefreshSelectedRows() {
    rowCache_.clear();
    TwwGridDataLink& link = grid_.DataLink();
    const int records = link.Active() ? link.RecordCount() : 0;
    if (selectedList_.empty() || !DataSet()) {
        rowCache_.assign(records, false);
        return;
    }
    // A dataset gives one record the same bookmark every time, so the marks are looked up by their bytes
    // rather than compared one by one for every row of every paint.
    const QSet<TBookmark> marks(selectedList_.begin(), selectedList_.end());
    TDataSet* dataSet = DataSet();
    const bool editing = dataSet->State() == dsEdit || dataSet->State() == dsInsert;
    const int active = link.ActiveRecord();
    try {
        for (int record = 0; record < records; ++record) {
            link.SetActiveRecord(record);
            rowCache_.push_back(!editing && marks.contains(dataSet->ActiveBookmark()));
        }
    } catch (...) {
        link.SetActiveRecord(active);
        throw;
    }
    link.SetActiveRecord(active);
}

bool GridMultiSelection::IsSelected() const {
    const int record = grid_.DataLink().ActiveRecord();
    return record >= 0 && record < int(rowCache_.size()) && rowCache_[record];
}

bool GridMultiSelection::IsRowSelected(int dataRow) const {
    if (dataRow < 0) return false;
    const int record = dataRow - grid_.FirstRecordOffset();
    return record >= 0 && record < int(rowCache_.size()) && rowCache_[record];
}

int GridMultiSelection::FindSelectedBookmark() const {
    TDataSet* dataSet = DataSet();
    if (!dataSet) return -1;
    const TBookmark current = dataSet->GetBookmark();
    if (current.isEmpty()) return -1;
    for (int i = 0; i < int(selectedList_.size()); ++i)
        if (dataSet->CompareBookmarks(selectedList_[i], current) == 0) return i;
    return -1;
}

void GridMultiSelection::SelectRecord() {
    TDataSet* dataSet = DataSet();
    if (!dataSet) return;
    if (anchorValid_) {
        dataSet->CheckBrowseMode();
        anchor_ = dataSet->GetBookmark();
    }
    dataSet->CheckBrowseMode();
    RefreshSelectedRows();
    if (FindSelectedBookmark() >= 0) return;
    if (!Accepts(OnMultiSelectRecord, true)) return;
    const TBookmark current = dataSet->GetBookmark();
    if (current.isEmpty()) return;
    selectedList_.push_back(current);
    RefreshSelectedRows();
    grid_.InvalidateRow(grid_.Row());
}

void GridMultiSelection::UnselectRecord() {
    const int index = FindSelectedBookmark();
    if (index < 0) return;
    if (!Accepts(OnMultiSelectRecord, false)) return;
    selectedList_.erase(selectedList_.begin() + index);
    RefreshSelectedRows();
    grid_.InvalidateRow(grid_.Row());
}

void GridMultiSelection::ToggleSelection() {
    TDataSet* dataSet = DataSet();
    if (!dataSet) return;
    if (dataSet->State() == dsBrowse && FindSelectedBookmark() >= 0) UnselectRecord();
    else SelectRecord();
}

void GridMultiSelection::UnselectAll() {
    if (!Accepts(OnMultiSelectAllRecords, false)) return;
    selectedList_.clear();
    grid_.InvalidateGrid();
    RefreshSelectedRows();
}

void GridMultiSelection::UnselectRecordRange(const TBookmark& a, const TBookmark& b) {
    TDataSet* dataSet = DataSet();
    if (!dataSet) return;
    for (std::size_t i = 0; i < selectedList_.size();) {
        const TBookmark& mark = selectedList_[i];
        const bool inside = !Before(mark, a) && !Before(b, mark);
        if (inside && Accepts(OnMultiSelectRecord, false)) {
            selectedList_.erase(selectedList_.begin() + i);
            continue;
        }
        ++i;
    }
    RefreshSelectedRows();
    grid_.InvalidateGrid();
}

void GridMultiSelection::SelectRecordRange(const TBookmark& a, const TBookmark& b) {
    TDataSet* dataSet = DataSet();
    if (!dataSet || a.isEmpty() || b.isEmpty()) return;
    const int row = grid_.DataRowOf(grid_.Row());
    // A mark a handler kept while the range was cleared stays once: a second copy would keep the record
    // marked after it is unmarked.
    QSet<TBookmark> present;
    auto append = [&](const TBookmark& mark) {
        if (!mark.isEmpty() && !present.contains(mark)) {
            present.insert(mark);
            selectedList_.push_back(mark);
        }
    };
    dataSet->DisableControls();
    try {
        if (Before(a, b)) {
            UnselectRecordRange(a, b);
            present = QSet<TBookmark>(selectedList_.begin(), selectedList_.end());
            TBookmark last = dataSet->GetBookmark();
            append(last);
            while (Before(last, b)) {
                dataSet->Next();
                if (dataSet->Eof()) break;
                last = dataSet->GetBookmark();
                append(last);
            }
        } else {
            dataSet->GotoBookmark(b);
            UnselectRecordRange(b, a);
            present = QSet<TBookmark>(selectedList_.begin(), selectedList_.end());
            TBookmark last = dataSet->GetBookmark();
            append(last);
            try {
                while (Before(last, a)) {
                    dataSet->Next();
                    if (dataSet->Eof()) break;
                    last = dataSet->GetBookmark();
                    append(last);
                }
            } catch (...) {
                // The walk ends where it could go no further; the marks made so far stay.
            }
        }
        dataSet->GotoBookmark(a);
    } catch (...) {
        dataSet->EnableControls();
        throw;
    }
    dataSet->EnableControls();
    KeepRecordOnRow(grid_, row);
    RefreshSelectedRows();
    grid_.InvalidateGrid();
}

void GridMultiSelection::SelectRangeToAnchor() {
    TDataSet* dataSet = DataSet();
    if (!dataSet || !anchorValid_) return;
    SelectRecordRange(dataSet->GetBookmark(), anchor_);
}

void KeepRecordOnRow(TwwCustomDBGrid& grid, int row) {
    TDataSet* dataSet = grid.DataLink().DataSet();
    if (!dataSet || !dataSet->Active() || row < 0) return;
    const int shown = grid.DataLink().ActiveRecord() + grid.FirstRecordOffset();
    if (shown == row) return;
    dataSet->DisableControls();
    try {
        const int moved = dataSet->MoveBy(-row);
        dataSet->MoveBy(-moved);
    } catch (...) {
        dataSet->EnableControls();
        throw;
    }
    dataSet->EnableControls();
}

void GridMultiSelection::SortSelectedList() {
    if (DataSet() && selectedList_.size() > 1) Sort(0, int(selectedList_.size()) - 1);
}

void GridMultiSelection::Sort(int left, int right) {
    TDataSet* dataSet = DataSet();
    int i = left;
    int j = right;
    const TBookmark pivot = selectedList_[(left + right) / 2];
    do {
        while (dataSet->CompareBookmarks(selectedList_[i], pivot) < 0) ++i;
        while (dataSet->CompareBookmarks(selectedList_[j], pivot) > 0) --j;
        if (i <= j) {
            std::swap(selectedList_[i], selectedList_[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j) Sort(left, j);
    if (i < right) Sort(i, right);
}

}  // namespace controls
