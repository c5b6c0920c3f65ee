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

}  // namespace reportengine

Q_DECLARE_METATYPE(std::any)
