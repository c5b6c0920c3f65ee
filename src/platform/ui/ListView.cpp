#include "platform/ui/ListView.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/ImageList.h"

#include <QHeaderView>
#include <QPixmap>
#include <algorithm>

QString TListColumn::Caption() const { return view_.headerItem()->text(index_); }

void TListColumn::SetCaption(const QString& caption) { view_.headerItem()->setText(index_, caption); }

int TListColumn::Width() const { return view_.columnWidth(index_); }

void TListColumn::SetWidth(int width) {
    view_.setColumnWidth(index_, width);
    // A column of width 0 is hidden, as the framework's is.
    view_.header()->setSectionHidden(index_, width <= 0);
}

void TListColumn::SetImageIndex(int index) {
    imageIndex_ = index;
    view_.headerItem()->setIcon(index_, view_.ImageIcon(index));
}

void TListItem::SetSubItem(int index, const QString& text) {
    if (index < 0) return;
    subItems_ = std::max(subItems_, index + 1);
    setText(index + 1, text);
}

void TListItem::SetImageIndex(int index) {
    imageIndex_ = index;
    if (auto* view = dynamic_cast<TListView*>(treeWidget())) view->ShowImage(*this);
}

int TListItem::Index() const {
    QTreeWidget* view = treeWidget();
    return view ? view->indexOfTopLevelItem(const_cast<TListItem*>(this)) : -1;
}

TListView::TListView(QWidget* parent) : ControlOf<QTreeWidget>(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        ui::Dispatch(this, [this, section] {
            if (OnColumnClick && section >= 0 && section < ColumnCount()) OnColumnClick(this, Column(section));
        });
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this] { ui::Dispatch(this, [this] { ui::Fire(OnDblClick, this); }); });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        ui::Dispatch(this, [this] {
            std::vector<const TListItem*> now;
            for (QTreeWidgetItem* item : selectedItems()) now.push_back(static_cast<TListItem*>(item));
            std::sort(now.begin(), now.end());
            std::vector<const TListItem*> was;
            was.swap(lastSelection_);
            lastSelection_ = now;
            if (!OnSelectItem) return;
            std::vector<const TListItem*> left, entered;
            std::set_difference(was.begin(), was.end(), now.begin(), now.end(), std::back_inserter(left));
            std::set_difference(now.begin(), now.end(), was.begin(), was.end(), std::back_inserter(entered));
            for (const TListItem* item : left)
                if (item->treeWidget() == this) OnSelectItem(this, const_cast<TListItem&>(*item), false);
            for (const TListItem* item : entered) OnSelectItem(this, const_cast<TListItem&>(*item), true);
        });
    });
}

TListView::~TListView() = default;

TListColumn& TListView::AddColumn(const QString& caption, int width) {
    const int index = ColumnCount();
    columns_.push_back(std::make_unique<TListColumn>(*this, index));
    setColumnCount(index + 1);
    TListColumn& column = *columns_.back();
    column.SetCaption(caption);
    // A shown column is at least as wide as its caption, so that a larger desktop font never cuts the title.
    const int captionWidth = caption.isEmpty() ? 0 : header()->fontMetrics().horizontalAdvance(caption) + 16;
    column.SetWidth(width > 0 ? std::max(width, captionWidth) : width);
    return column;
}

TListItem& TListView::AddItem() {
    auto* item = new TListItem;
    addTopLevelItem(item);
    return *item;
}

TListItem& TListView::Item(int index) const { return *static_cast<TListItem*>(topLevelItem(index)); }

void TListView::DeleteItem(int index) {
    QTreeWidgetItem* item = takeTopLevelItem(index);
    lastSelection_.erase(std::remove(lastSelection_.begin(), lastSelection_.end(), item), lastSelection_.end());
    delete item;
}

TListItem* TListView::Selected() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i).isSelected()) return &Item(i);
    return nullptr;
}

TListItem* TListView::ItemFocused() const { return static_cast<TListItem*>(currentItem()); }

void TListView::SetItemFocused(TListItem* item) { setCurrentItem(item, 0, QItemSelectionModel::NoUpdate); }

void TListView::SetMultiSelect(bool multi) {
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListView::SetHideSelection(bool hide) {
    // The inactive selection keeps the active colours unless it is to be hidden.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     hide ? colours.color(QPalette::Inactive, QPalette::Base)
                          : colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     hide ? colours.color(QPalette::Inactive, QPalette::Text)
                          : colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void TListView::SetSmallImages(const TImageList* images) {
    smallImages_ = images;
    if (images) setIconSize(QSize(images->Width(), images->Height()));
    for (int i = 0; i < ItemCount(); ++i) ShowImage(Item(i));
    for (const auto& column : columns_) column->SetImageIndex(column->ImageIndex());
}

QIcon TListView::ImageIcon(int index) const {
    const QImage image = smallImages_ ? smallImages_->Image(index) : QImage();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

void TListView::ShowImage(TListItem& item) const { item.setIcon(0, ImageIcon(item.ImageIndex())); }

void TListView::AlphaSort() {
    if (OnCompare) return CustomSort(OnCompare);
    CustomSort([](const TListItem& a, const TListItem& b) {
        return QString::compare(a.Caption(), b.Caption(), Qt::CaseInsensitive);
    });
}

void TListView::CustomSort(const std::function<int(const TListItem& a, const TListItem& b)>& compare) {
    TListItem* focused = ItemFocused();
    std::vector<TListItem*> items;
    std::vector<TListItem*> selected;
    for (int i = 0; i < ItemCount(); ++i) {
        items.push_back(&Item(i));
        if (Item(i).isSelected()) selected.push_back(&Item(i));
    }
    std::stable_sort(items.begin(), items.end(),
                     [&](const TListItem* a, const TListItem* b) { return compare(*a, *b) < 0; });
    const QSignalBlocker quiet(this);
    while (topLevelItemCount() > 0) takeTopLevelItem(0);
    for (TListItem* item : items) addTopLevelItem(item);
    for (TListItem* item : selected) item->setSelected(true);
    if (focused) SetItemFocused(focused);
}

bool TListView::WantsKey(Word key, TShiftState) const {
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END;
}
