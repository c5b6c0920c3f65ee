// TTreeView: a tree of text nodes that own their data, with the framework's changing, change and expand events.
#pragma once

#include "platform/ui/Control.h"

#include <QTreeWidget>
#include <memory>
#include <unordered_map>

class TTreeView;

// What a node carries; the node owns it and frees it with itself.
class TTreeNodeData {
public:
    virtual ~TTreeNodeData() = default;
};

class TTreeNode {
public:
    TTreeNode(TTreeView& tree, QTreeWidgetItem* item) : tree_(tree), item_(item) {}

    QString Text() const { return item_->text(0); }
    void SetText(const QString& text) { item_->setText(0, text); }
    TTreeNode* Parent() const;
    // The children in the order shown.
    int Count() const { return item_->childCount(); }
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstChild() const { return Count() > 0 ? Item(0) : nullptr; }
    bool HasChildren() const { return Count() > 0; }
    TTreeNodeData* Data() const { return data_.get(); }
    void SetData(std::unique_ptr<TTreeNodeData> data) { data_ = std::move(data); }
    bool Expanded() const { return item_->isExpanded(); }
    void SetExpanded(bool expanded) { item_->setExpanded(expanded); }
    bool Selected() const;
    // Deletes the node, its children and their data.
    void Delete();

    QTreeWidgetItem* Widget() const { return item_; }

private:
    TTreeView& tree_;
    QTreeWidgetItem* item_;
    std::unique_ptr<TTreeNodeData> data_;
};

using TTVChangingEvent = std::function<void(QObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(QObject* Sender, TTreeNode* Node)>;
using TTVExpandedEvent = std::function<void(QObject* Sender, TTreeNode* Node)>;

class TTreeView : public ui::ControlOf<QTreeWidget> {
public:
    explicit TTreeView(QWidget* parent);
    ~TTreeView() override;

    // A node at the top level when parent is null; the nodes are kept sorted by text when SortByText is set.
    TTreeNode* AddChild(TTreeNode* parent, const QString& text, std::unique_ptr<TTreeNodeData> data = {});
    int RootCount() const { return topLevelItemCount(); }
    TTreeNode* Root(int index) const { return NodeOf(topLevelItem(index)); }
    void DeleteNode(TTreeNode* node);
    bool SortByText() const { return isSortingEnabled(); }
    void SetSortByText(bool sort);

    // The selected node; setting it asks OnChanging first, as a click does.
    TTreeNode* Selected() const { return NodeOf(currentItem()); }
    void SetSelected(TTreeNode* node);

    TTreeNode* NodeOf(QTreeWidgetItem* item) const;

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;

private:
    void CurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void Forget(QTreeWidgetItem* item);

    std::unordered_map<QTreeWidgetItem*, std::unique_ptr<TTreeNode>> nodes_;
    bool reverting_ = false;
};
