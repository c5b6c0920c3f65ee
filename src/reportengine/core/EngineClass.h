// Class metadata of the engine's objects: published properties in declaration order, published methods, the
// parent class, creation by name and the process-wide registry of classes.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <any>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

namespace reportengine {

class EngineObject;
class EngineComponent;

// The kinds of the class library's type information.
enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray
};

// The width of a float property.
enum class FloatKind { Single, Double, Extended, Comp, Currency };

// The type information of an enumerated type: its name and its value names by ordinal.
struct EnumTypeInfo {
    QString name;
    QStringList values;
};

// The type information of Boolean (False, True).
const EnumTypeInfo& BooleanTypeInfo();

class EngineClass;

// One published property. Values travel as QVariant: ordinals (integers, enumerations, characters as their
// code) as int, Boolean as bool, floats and currency as double, strings as QString, objects as EngineObject*,
// methods as std::any holding the handler.
struct PropertyInfo {
    QString name;
    TTypeKind kind = tkUnknown;
    FloatKind floatKind = FloatKind::Double;
    const EnumTypeInfo* enumType = nullptr;
    const EngineClass* classType = nullptr;
    // The declared default of an ordinal property; a property at its default is not streamed.
    std::optional<qint64> defaultValue;
    bool stored = true;
    std::function<QVariant(const EngineObject&)> read;
    // Empty for a property without write access.
    std::function<void(EngineObject&, const QVariant&)> write;

    bool Writable() const { return static_cast<bool>(write); }
};

// A published method: binds the object and answers the handler (a std::function of the method's signature).
struct MethodInfo {
    QString name;
    std::function<std::any(EngineObject&)> bind;
};

class EngineClass {
public:
    using Factory = std::function<EngineObject*(EngineComponent* owner)>;

    EngineClass(QString name, const EngineClass* parent) : name_(std::move(name)), parent_(parent) {}
    EngineClass(const EngineClass&) = delete;
    EngineClass& operator=(const EngineClass&) = delete;

    const QString& Name() const { return name_; }
    const EngineClass* Parent() const { return parent_; }
    bool InheritsFrom(const EngineClass& other) const;
    // A new instance owned by owner (components) or by nobody; null for an abstract class.
    EngineObject* Create(EngineComponent* owner) const { return factory_ ? factory_(owner) : nullptr; }
    bool Creatable() const { return static_cast<bool>(factory_); }

    // The published properties, the ancestors' first, each in declaration order; a class that redeclares an
    // ancestor's property replaces it in place.
    std::vector<const PropertyInfo*> Properties() const;
    // By name, without regard to case; null when the class publishes none of that name.
    const PropertyInfo* FindProperty(const QString& name) const;
    const MethodInfo* FindMethod(const QString& name) const;

    // Declaration, used once per class while its description is built.
    void SetFactory(Factory factory) { factory_ = std::move(factory); }
    void AddProperty(PropertyInfo property) { properties_.push_back(std::move(property)); }
    void AddMethod(MethodInfo method) { methods_.push_back(std::move(method)); }
    PropertyInfo& LastProperty() { return properties_.back(); }

private:
    QString name_;
    const EngineClass* parent_;
    Factory factory_;
    std::vector<PropertyInfo> properties_;
    std::vector<MethodInfo> methods_;
};

// Classes registered for creation by name (the streaming registry). Guarded for use from a worker thread.
void RegisterClass(const EngineClass& engineClass);
void UnregisterClass(const EngineClass& engineClass);
// Without regard to case; null when not registered.
const EngineClass* FindClass(const QString& name);

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
        if constexpr (std::is_constructible_v<C, EngineComponent*>)
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

Q_DECLARE_METATYPE(reportengine::EngineObject*)
Q_DECLARE_METATYPE(std::any)
