// The tree view over Qt's tree widget: one node object per item, kept until the item is deleted.
#include "platform/ui/TreeView.h"

#include "platform/ui/Dispatch.h"

#include <QHeaderView>

TTreeNode* TTreeNode::Parent() const { return tree_.NodeOf(item_->parent()); }

TTreeNode* TTreeNode::Item(int index) const { return tree_.NodeOf(item_->child(index)); }

bool TTreeNode::Selected() const { return tree_.Selected() == this; }

void TTreeNode::Delete() { tree_.DeleteNode(this); }

TTreeView::TTreeView(QWidget* parent) : ControlOf<QTreeWidget>(parent) {
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(true);
    SetColor(clWhite);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
        ui::Dispatch(this, [&] { CurrentChanged(current, previous); });
    });
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { ui::Dispatch(this, [&] { ui::Fire(OnExpanded, this, NodeOf(item)); }); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { ui::Dispatch(this, [&] { ui::Fire(OnCollapsed, this, NodeOf(item)); }); });
}

// The items go before the node objects, so no signal of theirs meets a freed node.
TTreeView::~TTreeView() {
    const QSignalBlocker blocker(this);
    clear();
}

void TTreeView::SetSortByText(bool sort) {
    setSortingEnabled(sort);
    if (sort) sortItems(0, Qt::AscendingOrder);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const QString& text, std::unique_ptr<TTreeNodeData> data) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    if (parent) parent->Widget()->addChild(item);
    else addTopLevelItem(item);
    auto node = std::make_unique<TTreeNode>(*this, item);
    node->SetData(std::move(data));
    TTreeNode* added = node.get();
    nodes_.emplace(item, std::move(node));
    if (SortByText()) sortItems(0, Qt::AscendingOrder);
    return added;
}

TTreeNode* TTreeView::NodeOf(QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const auto found = nodes_.find(item);
    return found == nodes_.end() ? nullptr : found->second.get();
}

void TTreeView::Forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) Forget(item->child(i));
    nodes_.erase(item);
}

void TTreeView::DeleteNode(TTreeNode* node) {
    if (!node) return;
    QTreeWidgetItem* item = node->Widget();
    // Deleting the selected item moves the selection without asking; the tree's owner reselects.
    const QSignalBlocker blocker(this);
    for (QTreeWidgetItem* at = currentItem(); at; at = at->parent())
        if (at == item) setCurrentItem(nullptr);
    Forget(item);
    delete item;
}

void TTreeView::SetSelected(TTreeNode* node) { setCurrentItem(node ? node->Widget() : nullptr); }

void TTreeView::CurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (reverting_) return;
    bool allow = true;
    if (current) ui::Fire(OnChanging, this, NodeOf(current), allow);
    if (!allow) {
        reverting_ = true;
        setCurrentItem(previous);
        reverting_ = false;
        return;
    }
    ui::Fire(OnChange, this, NodeOf(current));
}
