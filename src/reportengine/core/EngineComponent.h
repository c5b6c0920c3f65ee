// The engine's object, persistent and component bases: class metadata, owners and owned components, names,
// free notification, the reading and loading states, and destruction that starts while the object is whole.
#pragma once

#include "reportengine/core/EngineClass.h"

#include <QString>
#include <memory>
#include <vector>

// Declares a class's metadata: StaticClass is defined beside the class, ClassType answers it.
#define REPORTENGINE_CLASS(Self)                             \
public:                                                      \
    static const ::reportengine::EngineClass& StaticClass(); \
    const ::reportengine::EngineClass& ClassType() const override { return StaticClass(); }

namespace reportengine {

// The root of the engine's classes (the class library's TObject). Objects are freed with Free (or by their
// owner, or through EnginePtr), never with delete: Free lets the object take itself apart while every
// override still answers, before the first destructor runs.
class EngineObject {
public:
    EngineObject() = default;
    EngineObject(const EngineObject&) = delete;
    EngineObject& operator=(const EngineObject&) = delete;

    static const EngineClass& StaticClass();
    virtual const EngineClass& ClassType() const { return StaticClass(); }
    QString ClassName() const { return ClassType().Name(); }
    bool InheritsFrom(const EngineClass& engineClass) const { return ClassType().InheritsFrom(engineClass); }

    void Free();
    static void FreeObject(EngineObject* object) {
        if (object) object->Free();
    }

protected:
    virtual ~EngineObject() = default;
    // Runs first when the object is freed.
    virtual void BeforeDestruction() {}
};

struct EngineObjectDeleter {
    void operator()(EngineObject* object) const { EngineObject::FreeObject(object); }
};
template <class T>
using EnginePtr = std::unique_ptr<T, EngineObjectDeleter>;

// The class library's TPersistent: objects that can be assigned from each other.
class EnginePersistent : public EngineObject {
    REPORTENGINE_CLASS(EnginePersistent)
public:
    // Raises EConvertError "Cannot assign a <source class> to a <own class>" unless source or target knows how.
    virtual void Assign(EnginePersistent* source);

protected:
    virtual bool AssignTo(EnginePersistent* target) { return false; }
};

enum ComponentStateFlag : unsigned { csLoading = 0x1, csReading = 0x2, csWriting = 0x4, csDestroying = 0x8 };
enum TOperation { opInsert, opRemove };

// A platform identifier: a letter or underscore, then letters, digits and underscores.
bool IsValidIdent(const QString& name);

// The class library's TComponent.
class EngineComponent : public EnginePersistent {
    REPORTENGINE_CLASS(EngineComponent)
public:
    explicit EngineComponent(EngineComponent* owner);

    EngineComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    EngineComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    // By Name without regard to case; null when none.
    EngineComponent* FindComponent(const QString& name) const;
    void InsertComponent(EngineComponent* component);
    void RemoveComponent(EngineComponent* component);
    // Frees the owned components, last first.
    void DestroyComponents();

    const QString& Name() const { return name_; }
    // Raises EComponentError for a name that is no identifier or that another component of the owner bears.
    virtual void SetName(const QString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    unsigned ComponentState() const { return state_; }
    // For readers and the loading scope.
    void IncludeState(unsigned flags) { state_ |= flags; }
    void ExcludeState(unsigned flags) { state_ &= ~flags; }

    // The other component's Notification (this, opRemove) runs when this one is freed, and the other way round.
    void FreeNotification(EngineComponent* component);
    void RemoveFreeNotification(EngineComponent* component);

    // After reading: ends the loading state.
    virtual void Loaded();
    // The component that encloses this one in a stream, for components that have one.
    virtual bool HasParent() const { return false; }
    virtual EngineComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(EngineComponent* parent) {}

    // An owned component was inserted or a component is going away; passed on to the owned components.
    virtual void Notification(EngineComponent* component, TOperation operation);

protected:
    ~EngineComponent() override;
    // Takes the component apart while it is whole: overrides do their part first, then call the base.
    virtual void Dismantle();
    void ChangeName(const QString& name) { name_ = name; }

private:
    void BeforeDestruction() final;
    void Insert(EngineComponent* component);
    void Remove(EngineComponent* component);

    EngineComponent* owner_ = nullptr;
    std::vector<EngineComponent*> components_;
    std::vector<EngineComponent*> freeNotifies_;
    QString name_;
    int tag_ = 0;
    unsigned state_ = 0;
};

}  // namespace reportengine
