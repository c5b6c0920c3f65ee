// The engine's object, persistent and component bases.
#include "reportengine/core/EngineComponent.h"

#include "platform/rtl/Exceptions.h"
#include "reportengine/core/LoadingScope.h"

#include <algorithm>

namespace reportengine {

const EngineClass& EngineObject::StaticClass() {
    static const EngineClass cls(QStringLiteral("TObject"), nullptr);
    return cls;
}

void EngineObject::Free() {
    BeforeDestruction();
    delete this;
}

const EngineClass& EnginePersistent::StaticClass() {
    static const EngineClass cls(QStringLiteral("TPersistent"), &EngineObject::StaticClass());
    return cls;
}

void EnginePersistent::Assign(EnginePersistent* source) {
    if (source && source->AssignTo(this)) return;
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(source ? source->ClassName() : QStringLiteral("nil"), ClassName()));
}

bool IsValidIdent(const QString& name) {
    if (name.isEmpty() || !(name[0].isLetter() || name[0] == u'_')) return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_') || c.unicode() > 127) return false;
    return true;
}

namespace {

EngineClass& ComponentClassInfo() {
    static EngineClass cls(QStringLiteral("TComponent"), &EnginePersistent::StaticClass());
    return cls;
}

}  // namespace

const EngineClass& EngineComponent::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        ClassBuilder<EngineComponent>(ComponentClassInfo())
            .Property(QStringLiteral("Name"), &EngineComponent::Name, &EngineComponent::SetName)
            .NotStored()
            .Property(QStringLiteral("Tag"), &EngineComponent::Tag, &EngineComponent::SetTag)
            .Default(0);
        return ComponentClassInfo();
    }();
    return cls;
}

EngineComponent::EngineComponent(EngineComponent* owner) {
    if (owner) owner->InsertComponent(this);
    LoadingScope::Created(this);
}

EngineComponent::~EngineComponent() = default;

void EngineComponent::BeforeDestruction() {
    // Owned components go first, while this one is whole and known to be going.
    IncludeState(csDestroying);
    DestroyComponents();
    Dismantle();
}

void EngineComponent::Dismantle() {
    LoadingScope::Freed(this);
    while (!freeNotifies_.empty()) {
        EngineComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    if (owner_) owner_->RemoveComponent(this);
}

int EngineComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto found = std::find(owner_->components_.begin(), owner_->components_.end(), this);
    return static_cast<int>(found - owner_->components_.begin());
}

EngineComponent* EngineComponent::FindComponent(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (EngineComponent* component : components_)
        if (component->name_.compare(name, Qt::CaseInsensitive) == 0) return component;
    return nullptr;
}

void EngineComponent::InsertComponent(EngineComponent* component) {
    if (!component->name_.isEmpty() && FindComponent(component->name_))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(component->name_));
    if (component->owner_) component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void EngineComponent::RemoveComponent(EngineComponent* component) {
    Notification(component, opRemove);
    Remove(component);
}

void EngineComponent::Insert(EngineComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void EngineComponent::Remove(EngineComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
}

void EngineComponent::DestroyComponents() {
    while (!components_.empty()) {
        EngineComponent* last = components_.back();
        Remove(last);
        last->Free();
    }
}

void EngineComponent::SetName(const QString& name) {
    if (name == name_) return;
    if (!name.isEmpty() && !IsValidIdent(name))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(name));
    if (owner_ && name.compare(name_, Qt::CaseInsensitive) != 0) {
        EngineComponent* bearer = owner_->FindComponent(name);
        if (bearer && bearer != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    ChangeName(name);
}

void EngineComponent::FreeNotification(EngineComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void EngineComponent::RemoveFreeNotification(EngineComponent* component) {
    if (!component) return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void EngineComponent::Loaded() { ExcludeState(csLoading); }

void EngineComponent::Notification(EngineComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Owned components may be freed by what they are told; walk a copy.
    const std::vector<EngineComponent*> owned = components_;
    for (EngineComponent* each : owned)
        if (std::find(components_.begin(), components_.end(), each) != components_.end())
            each->Notification(component, operation);
}

}  // namespace reportengine
