// The report-style list view: columns with captions and widths, items with a caption, sub-items, a picture
// and a pointer of the caller's, selection of one or many rows, and sorting by the caller's comparison.
#pragma once

#include "platform/ui/Control.h"

#include <QIcon>
#include <QTreeWidget>
#include <functional>
#include <vector>

class TImageList;
class TListView;

class TListColumn {
public:
    TListColumn(TListView& view, int index) : view_(view), index_(index) {}
    int Index() const { return index_; }
    QString Caption() const;
    void SetCaption(const QString& caption);
    int Width() const;
    void SetWidth(int width);
    // The picture of the view's small images shown in the column's header (a sort mark); -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

private:
    TListView& view_;
    int index_;
    int imageIndex_ = -1;
};

// Column 0 shows the caption, column i + 1 sub-item i.
class TListItem : public QTreeWidgetItem {
public:
    QString Caption() const { return text(0); }
    void SetCaption(const QString& caption) { setText(0, caption); }
    int SubItemCount() const { return subItems_; }
    // An empty text for a sub-item not set.
    QString SubItem(int index) const { return text(index + 1); }
    // Sets sub-item index, adding empty ones before it as needed.
    void SetSubItem(int index, const QString& text);
    void AddSubItem(const QString& text) { SetSubItem(subItems_, text); }
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Selected() const { return isSelected(); }
    void SetSelected(bool selected) { setSelected(selected); }
    // The row number in the list, -1 when the item is not in one.
    int Index() const;

private:
    friend class TListView;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int subItems_ = 0;
};

class TListView : public ui::ControlOf<QTreeWidget> {
public:
    explicit TListView(QWidget* parent);
    ~TListView() override;

    TListColumn& AddColumn(const QString& caption, int width);
    int ColumnCount() const { return int(columns_.size()); }
    TListColumn& Column(int index) { return *columns_.at(index); }

    TListItem& AddItem();
    int ItemCount() const { return topLevelItemCount(); }
    TListItem& Item(int index) const;
    void DeleteItem(int index);
    void ClearItems() { clear(); }

    // The first selected item in row order, nullptr when none; the item with the focus frame.
    TListItem* Selected() const;
    int SelCount() const { return int(selectedItems().size()); }
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void SetMultiSelect(bool multi);
    // Selection always covers the whole row, and items are never edited in place: the report view's only mode.
    void SetHideSelection(bool hide);
    void SetSmallImages(const TImageList* images);

    // Orders the rows by OnCompare (negative, zero or positive, as the first item sorts before, with or after
    // the second), keeping selection and focus; rows comparing equal keep their order. Without OnCompare the
    // captions are compared, ignoring case.
    void AlphaSort();
    void CustomSort(const std::function<int(const TListItem& a, const TListItem& b)>& compare);

    bool WantsKey(Word key, TShiftState shift) const override;

    std::function<int(const TListItem& a, const TListItem& b)> OnCompare;
    std::function<void(QObject* sender, TListColumn& column)> OnColumnClick;
    // Runs for each item whose selection changes.
    std::function<void(QObject* sender, TListItem& item, bool selected)> OnSelectItem;

protected:
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

private:
    friend class TListItem;
    friend class TListColumn;
    void ShowImage(TListItem& item) const;
    QIcon ImageIcon(int index) const;

    std::vector<std::unique_ptr<TListColumn>> columns_;
    const TImageList* smallImages_ = nullptr;
    std::vector<const TListItem*> lastSelection_;
};
