// The engine's object, persistent and component bases and the builder of their class metadata: owners and
// free notification, the reading and loading states, and destruction that starts while the object is whole.
#pragma once

#include "reportengine/core/EngineClass.h"

#include <QString>
#include <QVariant>
#include <any>
#include <functional>
#include <memory>
#include <type_traits>
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

}  // namespace reportengine

Q_DECLARE_METATYPE(reportengine::EngineObject*)

namespace reportengine {

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

template <class T>
struct IsStdFunction : std::false_type {};
template <class R, class... A>
struct IsStdFunction<std::function<R(A...)>> : std::true_type {};

// Builds the metadata of class C; a property's kind follows the C++ type its getter answers.
template <class C>
class ClassBuilder {
public:
    explicit ClassBuilder(EngineClass& engineClass) : class_(engineClass) {}

    // A class created by name with an owner (components) or without (plain objects).
    ClassBuilder& Creatable() {
        // Asked through new: components keep their destructors protected, which is_constructible rejects.
        if constexpr (requires(EngineComponent * owner) { new C(owner); })
            class_.SetFactory([](EngineComponent* owner) -> EngineObject* { return new C(owner); });
        else class_.SetFactory([](EngineComponent*) -> EngineObject* { return new C(); });
        return *this;
    }

    // A property read by getter and written by setter (none: no write access).
    template <class Get, class Set = std::nullptr_t>
    ClassBuilder& Property(const QString& name, Get getter, Set setter = nullptr) {
        using Value = std::decay_t<std::invoke_result_t<Get, const C&>>;
        PropertyInfo info = Describe<Value>(name);
        info.read = [getter](const EngineObject& object) {
            return ToVariant<Value>(std::invoke(getter, static_cast<const C&>(object)));
        };
        if constexpr (!std::is_same_v<Set, std::nullptr_t>)
            info.write = [setter](EngineObject& object, const QVariant& value) {
                std::invoke(setter, static_cast<C&>(object), FromVariant<Value>(value));
            };
        class_.AddProperty(std::move(info));
        return *this;
    }

    // A property of a C++ enumeration, stored by the value names of type.
    template <class Get, class Set = std::nullptr_t>
    ClassBuilder& EnumProperty(const QString& name, const EnumTypeInfo& type, Get getter, Set setter = nullptr) {
        Property(name, getter, setter);
        class_.LastProperty().enumType = &type;
        return *this;
    }

    // Adjust the property declared last.
    ClassBuilder& Default(qint64 value) {
        class_.LastProperty().defaultValue = value;
        return *this;
    }
    ClassBuilder& NotStored() {
        class_.LastProperty().stored = false;
        return *this;
    }
    ClassBuilder& Float(FloatKind kind) {
        class_.LastProperty().floatKind = kind;
        return *this;
    }

    // A published method: bind answers the handler bound to the object.
    template <class Handler>
    ClassBuilder& Method(const QString& name, Handler (C::*bind)()) {
        class_.AddMethod({name, [bind](EngineObject& object) { return std::any((static_cast<C&>(object).*bind)()); }});
        return *this;
    }

private:
    template <class Value>
    static PropertyInfo Describe(const QString& name) {
        PropertyInfo info;
        info.name = name;
        if constexpr (std::is_same_v<Value, bool>) {
            info.kind = tkEnumeration;
            info.enumType = &BooleanTypeInfo();
        } else if constexpr (std::is_enum_v<Value>) {
            info.kind = tkEnumeration;
        } else if constexpr (std::is_same_v<Value, QChar>) {
            info.kind = tkChar;
        } else if constexpr (std::is_same_v<Value, qint64>) {
            info.kind = tkInt64;
        } else if constexpr (std::is_integral_v<Value>) {
            info.kind = tkInteger;
        } else if constexpr (std::is_same_v<Value, float>) {
            info.kind = tkFloat;
            info.floatKind = FloatKind::Single;
        } else if constexpr (std::is_floating_point_v<Value>) {
            info.kind = tkFloat;
        } else if constexpr (std::is_same_v<Value, QString>) {
            info.kind = tkLString;
        } else if constexpr (std::is_same_v<Value, QVariant>) {
            info.kind = tkVariant;
        } else if constexpr (std::is_pointer_v<Value>) {
            info.kind = tkClass;
            info.classType = &std::remove_cv_t<std::remove_pointer_t<Value>>::StaticClass();
        } else if constexpr (IsStdFunction<Value>::value) {
            info.kind = tkMethod;
        } else {
            static_assert(sizeof(Value) == 0, "no property kind for this type");
        }
        return info;
    }

    template <class Value>
    static QVariant ToVariant(const Value& value) {
        if constexpr (std::is_enum_v<Value>) return static_cast<int>(value);
        else if constexpr (std::is_same_v<Value, QChar>) return static_cast<int>(value.unicode());
        else if constexpr (std::is_pointer_v<Value>)
            return QVariant::fromValue(
                static_cast<EngineObject*>(const_cast<std::remove_cv_t<std::remove_pointer_t<Value>>*>(value)));
        else if constexpr (IsStdFunction<Value>::value) return QVariant::fromValue(std::any(value));
        else if constexpr (std::is_same_v<Value, QVariant>) return value;
        else return QVariant::fromValue(value);
    }

    template <class Value>
    static Value FromVariant(const QVariant& value) {
        if constexpr (std::is_enum_v<Value>) return static_cast<Value>(value.toInt());
        else if constexpr (std::is_same_v<Value, QChar>) return QChar(static_cast<char16_t>(value.toInt()));
        else if constexpr (std::is_pointer_v<Value>) return dynamic_cast<Value>(value.value<EngineObject*>());
        else if constexpr (IsStdFunction<Value>::value) {
            const std::any held = value.value<std::any>();
            const Value* handler = std::any_cast<Value>(&held);
            return handler ? *handler : Value();
        } else if constexpr (std::is_same_v<Value, QVariant>) return value;
        else return value.value<Value>();
    }

    EngineClass& class_;
};

}  // namespace reportengine
