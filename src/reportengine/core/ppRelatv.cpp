// TppRelative and its description.
#include "reportengine/core/ppRelatv.h"

#include <algorithm>

using reportengine::DataCode;
using reportengine::EngineClass;
using reportengine::EngineComponent;
using reportengine::EngineObject;

namespace {

const TraUnitRegistration<TraTppRelativeRTTI> relativeUnitRegistration;

}  // namespace

const EngineClass& TppRelative::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppRelative"), &TppCommunicator::StaticClass());
    return cls;
}

TppRelative::TppRelative(EngineComponent* owner) : TppCommunicator(owner) {}

TppRelative::~TppRelative() = default;

void TppRelative::Dismantle() {
    SetParent(nullptr);
    FreeChildren();
    TppCommunicator::Dismantle();
}

void TppRelative::SetParent(TppRelative* parent) {
    if (parent_) parent_->RemoveChild(this);
    parent_ = parent;
    if (parent_) parent_->AddChild(this);
}

void TppRelative::AddChild(TppRelative* child) { children_.push_back(child); }

void TppRelative::InsertChild(int index, TppRelative* child) {
    index = std::clamp(index, 0, GetChildCount());
    children_.insert(children_.begin() + index, child);
}

int TppRelative::IndexOfChild(TppRelative* child) const {
    auto found = std::find(children_.begin(), children_.end(), child);
    return found == children_.end() ? -1 : static_cast<int>(found - children_.begin());
}

int TppRelative::RemoveChild(TppRelative* child) {
    const int index = IndexOfChild(child);
    if (index >= 0) children_.erase(children_.begin() + index);
    return index;
}

void TppRelative::SetChildType(int childType) {
    TppRelative* parent = parent_;
    if (parent) SetParent(nullptr);
    childType_ = childType;
    if (parent) SetParent(parent);
}

void TppRelative::SetPosition(int position) {
    if (ComponentState() & reportengine::csReading) {
        storedPosition_ = position;
        return;
    }
    MoveTo(position);
    PropertyChange();
}

void TppRelative::MoveTo(int index) {
    if (!parent_) return;
    const int count = parent_->GetChildCount();
    index = std::max(index, 0);
    if (count > 0) index = std::min(index, count - 1);
    const int current = GetIndex();
    if (index == current) return;
    if (current >= 0) parent_->RemoveChild(this);
    parent_->InsertChild(index, this);
}

void TppRelative::FreeChildren() {
    freeingChildren_ = true;
    try {
        while (!children_.empty()) {
            TppRelative* child = children_.back();
            children_.pop_back();
            child->parent_ = nullptr;
            child->Free();
        }
    } catch (...) {
        children_.clear();
        freeingChildren_ = false;
        throw;
    }
    freeingChildren_ = false;
}

void TppRelative::ReorderChildren() {
    if (!orderedChildren_ || children_.empty()) return;
    const int count = GetChildCount();
    std::vector<TppRelative*> slots(static_cast<size_t>(count), nullptr);
    for (TppRelative* child : children_)
        if (child->storedPosition_ >= 0 && child->storedPosition_ <= count - 1)
            slots[static_cast<size_t>(child->storedPosition_)] = child;
    for (int slot = 0; slot < count; ++slot)
        if (TppRelative* child = slots[static_cast<size_t>(slot)]) child->MoveTo(slot);
}

void TppRelative::PropertyChange() {
    TppCommunicator::PropertyChange();
    if (parent_) parent_->PropertyChange();
    PropertyChanged();
}

void TppRelative::ChangeOwner(EngineComponent* newOwner) {
    EngineComponent* oldOwner = Owner();
    if (newOwner == oldOwner) return;
    TppCommunicator::ChangeOwner(newOwner);
    const std::vector<TppRelative*> children = children_;
    for (TppRelative* child : children)
        if (child->Owner() == oldOwner) child->ChangeOwner(newOwner);
}

void TppRelative::TakeChildrenFrom(TppRelative* source) {
    if (!source) return;
    orderedChildren_ = source->orderedChildren_;
    SetParent(source->parent_);
    FreeChildren();
    while (!source->children_.empty()) {
        TppRelative* child = source->children_.front();
        const bool sharedOwner = child->Owner() == source->Owner();
        child->SetParent(this);
        if (sharedOwner) child->ChangeOwner(Owner());
    }
}

void TppRelative::SetParentComponent(EngineComponent* parent) {
    if (auto* relative = dynamic_cast<TppRelative*>(parent)) SetParent(relative);
}

void TppRelative::Loaded() {
    TppCommunicator::Loaded();
    ReorderChildren();
}

// ---- TraTppRelativeRTTI

namespace {

const char* const relativeDescribedNames[] = {"AllChildCount", "ChildCount",      "ChildType", "FreeingChildren",
                                              "Index",         "OrderedChildren", "Parent",    "Position"};

bool RelativeNameIs(const QString& name, const char* described) {
    return name.compare(QLatin1String(described), Qt::CaseInsensitive) == 0;
}

}  // namespace

void TraTppRelativeRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraTppCommunicatorRTTI::GetPropList(cls, list);
    for (const char* name : relativeDescribedNames) AddPropToList(list, QLatin1String(name));
}

const EngineClass& TraTppRelativeRTTI::GetRefClass() const { return TppRelative::StaticClass(); }

bool TraTppRelativeRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (RelativeNameIs(name, "Parent")) ClassPropToRec(name, TppRelative::StaticClass(), rec, false);
    else if (RelativeNameIs(name, "FreeingChildren") || RelativeNameIs(name, "OrderedChildren"))
        InitPropRec(name, DataCode::Boolean, true, rec);
    else if (RelativeNameIs(name, "ChildType") || RelativeNameIs(name, "Position"))
        InitPropRec(name, DataCode::Integer, false, rec);
    else if (RelativeNameIs(name, "AllChildCount") || RelativeNameIs(name, "ChildCount") ||
             RelativeNameIs(name, "Index"))
        InitPropRec(name, DataCode::Integer, true, rec);
    else return TraTppCommunicatorRTTI::GetPropRec(cls, name, rec);
    return true;
}

bool TraTppRelativeRTTI::GetPropValue(EngineObject* object, const QString& name, QVariant& value) const {
    auto* relative = dynamic_cast<TppRelative*>(object);
    if (!relative) return TraTppCommunicatorRTTI::GetPropValue(object, name, value);
    if (RelativeNameIs(name, "AllChildCount")) value = relative->GetAllChildCount();
    else if (RelativeNameIs(name, "ChildCount")) value = relative->GetChildCount();
    else if (RelativeNameIs(name, "ChildType")) value = relative->ChildType();
    else if (RelativeNameIs(name, "FreeingChildren")) value = relative->FreeingChildren();
    else if (RelativeNameIs(name, "Index") || RelativeNameIs(name, "Position")) value = relative->GetIndex();
    else if (RelativeNameIs(name, "OrderedChildren")) value = relative->OrderedChildren();
    else if (RelativeNameIs(name, "Parent"))
        value = QVariant::fromValue(static_cast<EngineObject*>(relative->Parent()));
    else return TraTppCommunicatorRTTI::GetPropValue(object, name, value);
    return true;
}

bool TraTppRelativeRTTI::SetPropValue(EngineObject* object, const QString& name, const QVariant& value) const {
    auto* relative = dynamic_cast<TppRelative*>(object);
    if (!relative) return TraTppCommunicatorRTTI::SetPropValue(object, name, value);
    if (RelativeNameIs(name, "ChildType")) relative->SetChildType(value.toInt());
    else if (RelativeNameIs(name, "Position")) relative->SetPosition(value.toInt());
    else if (RelativeNameIs(name, "Parent"))
        relative->SetParent(dynamic_cast<TppRelative*>(value.value<EngineObject*>()));
    else if (std::any_of(std::begin(relativeDescribedNames), std::end(relativeDescribedNames),
                         [&](const char* described) { return RelativeNameIs(name, described); }))
        return false;  // the others are read-only
    else return TraTppCommunicatorRTTI::SetPropValue(object, name, value);
    return true;
}
