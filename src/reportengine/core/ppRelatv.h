// TppRelative: one parent and an ordered list of owned children, apart from the component owner.
#pragma once

#include "reportengine/core/ppComm.h"

#include <vector>

class TppRelative : public TppCommunicator {
    REPORTENGINE_CLASS(TppRelative)
public:
    explicit TppRelative(reportengine::EngineComponent* owner);

    virtual bool StoresDesignPosition() const { return false; }
    // Runs on the object itself after a PropertyChange went to its parent.
    virtual void PropertyChanged() {}
    // Leaves the old parent and joins the end of the new one's children.
    virtual void SetParent(TppRelative* parent);
    virtual int GetAllChildCount() const { return GetChildCount(); }
    virtual TppRelative* GetAllChildren(int index) const { return GetChild(index); }
    virtual void AddChild(TppRelative* child);
    virtual void InsertChild(int index, TppRelative* child);
    virtual int IndexOfChild(TppRelative* child) const;
    // Answers the index the child had, -1 when it was none.
    virtual int RemoveChild(TppRelative* child);
    // Frees the own children and takes over the source's, with its parent and ordering.
    virtual void TakeChildrenFrom(TppRelative* source);

    TppRelative* Parent() const { return parent_; }
    int GetChildCount() const { return static_cast<int>(children_.size()); }
    TppRelative* GetChild(int index) const { return children_.at(static_cast<size_t>(index)); }
    int GetIndex() const { return parent_ ? parent_->IndexOfChild(const_cast<TppRelative*>(this)) : -1; }
    int ChildType() const { return childType_; }
    // Moves the relative to the end of its parent's children, as a changed child type did in older streams.
    void SetChildType(int childType);
    bool FreeingChildren() const { return freeingChildren_; }
    bool OrderedChildren() const { return orderedChildren_; }

    // The live index in the parent; while reading, SetPosition only stores the value for ReorderChildren.
    int GetPosition() const { return GetIndex(); }
    void SetPosition(int position);
    // Clamped to the parent's children.
    void MoveTo(int index);
    // Frees the children, last first, with FreeingChildren set.
    void FreeChildren();
    // With ordered children: each child whose stored position names a slot moves there.
    void ReorderChildren();

    void PropertyChange() override;
    void ChangeOwner(reportengine::EngineComponent* newOwner) override;
    bool HasParent() const override { return true; }
    reportengine::EngineComponent* GetParentComponent() const override { return parent_; }
    // An enclosing object that is no relative leaves the child without parent.
    void SetParentComponent(reportengine::EngineComponent* parent) override;
    // A definition read or built in a loading scope takes the order of its children's stored positions.
    void Loaded() override;

protected:
    ~TppRelative() override;
    void Dismantle() override;
    void SetOrderedChildren(bool ordered) { orderedChildren_ = ordered; }

private:
    std::vector<TppRelative*> children_;
    int childType_ = 0;
    bool freeingChildren_ = false;
    bool orderedChildren_ = false;
    TppRelative* parent_ = nullptr;
    int storedPosition_ = -1;
};

class TraTppRelativeRTTI : public TraDescription<TraTppRelativeRTTI, TraTppCommunicatorRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool GetPropValue(reportengine::EngineObject* object, const QString& name, QVariant& value) const override;
    bool SetPropValue(reportengine::EngineObject* object, const QString& name, const QVariant& value) const override;
};
