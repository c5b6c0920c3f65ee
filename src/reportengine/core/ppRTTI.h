// Run-time descriptions of the engine's classes ("Tra" + class name + "RTTI"), their registry, event
// parameter lists and the registry of enumerated types.
#pragma once

#include "reportengine/core/EngineComponent.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace reportengine {

// The data type of a property, parameter or result, as the descriptions record it.
enum class DataCode : quint8 {
    NotSupported = 0,
    Integer = 1,
    Single = 2,
    Double = 3,
    Extended = 4,
    Currency = 5,  // 64-bit integer scaled by 10000
    Char = 6,
    String = 7,
    DateTime = 8,
    Date = 9,
    Time = 10,
    Boolean = 11,
    Variant = 12,
    ObjectByReference = 13,
    ClassReference = 14,
    Enumerated = 15,
    Method = 16
};

}  // namespace reportengine

// One parameter of a TraParamList.
struct TraParamRec {
    QString Name;
    reportengine::DataCode DataType = reportengine::DataCode::NotSupported;
    const reportengine::EngineClass* ClassType = nullptr;
    QString TypeName;
    bool IsConst = false;
    bool IsVar = false;
};

// The parameters of a method, event or indexed property, in order of addition; the last entry of a method
// that answers something is "Result". A broadcaster binds each entry to its own typed variable; a listener
// reads through the list and writes back only "var" entries, converted to the variable's type.
class TraParamList {
public:
    int AddParam(const QString& name, reportengine::DataCode dataType, const reportengine::EngineClass* classType,
                 const QString& typeName, bool isConst, bool isVar);
    int Count() const { return static_cast<int>(entries_.size()); }
    QString Strings(int index) const { return entries_.at(static_cast<size_t>(index)).rec.Name; }
    // Without regard to case; -1 when absent.
    int IndexOf(const QString& name) const;
    TraParamRec GetParamRec(int index) const { return entries_.at(static_cast<size_t>(index)).rec; }

    // The entry stands for the caller's variable from now on; its type must suit the entry's data type.
    template <class T>
    void SetParamPointer(int index, T& variable);
    // Data type 13: the entry is the object itself.
    void SetParamObject(int index, reportengine::EngineObject* object);
    // Writes a value through the entry; false (and nothing written) for a const or unbound entry, data types
    // 0, 13 and 16, or a value that does not convert to the variable's type.
    bool SetParamValue(int index, const QVariant& value);
    // The value behind the entry; invalid for an unbound entry and for data types 0, 13 and 16.
    QVariant GetParamValue(int index) const;
    reportengine::EngineObject* GetParamObject(int index) const;

private:
    struct Entry {
        TraParamRec rec;
        std::function<QVariant()> read;
        std::function<bool(const QVariant&)> write;
        reportengine::EngineObject* object = nullptr;
    };
    template <class T>
    static bool Store(T& variable, const QVariant& value);
    static bool Suits(reportengine::DataCode code, bool isEnum, bool isObject, const QMetaType& type);
    [[noreturn]] static void RaiseUnsuitedVariable(const QString& name);
    Entry& At(int index) { return entries_.at(static_cast<size_t>(index)); }

    std::vector<Entry> entries_;
};

// The record a description gives for one name. Params, when present, belongs to the receiver.
struct TraPropRec {
    QString Name;
    const reportengine::EngineClass* ClassType = nullptr;
    QString TypeName;
    reportengine::DataCode DataType = reportengine::DataCode::NotSupported;
    bool IsFromTypeInfo = false;
    bool ReadOnly = false;
    bool IsConstructor = false;
    bool Indexed = false;
    qint32 EventID = -1;
    std::unique_ptr<TraParamList> Params;
};

// The root description. Descriptions hold no state: each is one shared instance whose operations dispatch
// virtually; an override answers for its own names and passes every other name to its parent description.
class TraRTTI {
public:
    virtual ~TraRTTI() = default;
    static const TraRTTI& Instance();
    virtual const TraRTTI* ParentDescription() const { return nullptr; }
    bool DescendsFrom(const TraRTTI& other) const;

    // The published properties of the kinds a description offers, sorted by name, then the description's own.
    virtual void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const;
    // The published events, sorted by name.
    virtual void GetEventList(const reportengine::EngineClass& cls, QStringList& list) const;
    virtual const reportengine::EngineClass& GetRefClass() const;
    virtual bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const;
    virtual bool CallMethod(reportengine::EngineObject* object, const QString& name, TraParamList& params) const;
    // A new list the caller owns, or null.
    virtual std::unique_ptr<TraParamList> GetParams(const QString& name) const;
    // The value typed by its data type: 1 and 15 int, 6 QChar, 11 bool, 14 EngineObject*, 2 to 4 double,
    // 5 the value x 10000 as qint64, 7 QString, 12 the variant itself.
    virtual bool GetPropValue(reportengine::EngineObject* object, const QString& name, QVariant& value) const;
    virtual QString GetPropValueText(reportengine::EngineObject* object, const QString& name) const;
    virtual bool SetPropValue(reportengine::EngineObject* object, const QString& name, const QVariant& value) const;

    // Record helpers.
    static void InitPropRec(const QString& name, reportengine::DataCode dataType, bool readOnly, TraPropRec& rec);
    static void ClassPropToRec(const QString& name, const reportengine::EngineClass& cls, TraPropRec& rec,
                               bool readOnly);
    static void EnumPropToRec(const QString& name, const QString& typeName, TraPropRec& rec, bool readOnly);
    void MethodToRec(const QString& name, bool fetchParams, TraPropRec& rec) const;
    void ArrayPropToRec(const QString& name, TraPropRec& rec) const;
    void EventToRec(const QString& name, qint32 eventId, TraPropRec& rec, bool fetchParams) const;
    void ConstructorToRec(const QString& name, const reportengine::EngineClass& cls, TraPropRec& rec) const;

protected:
    TraRTTI() = default;
};

// The shared instance and the parent link of a description class.
template <class Self, class Base>
class TraDescription : public Base {
public:
    static const Self& Instance() {
        static const Self description;
        return description;
    }
    const TraRTTI* ParentDescription() const override { return &Base::Instance(); }
};

class TraTObjectRTTI : public TraDescription<TraTObjectRTTI, TraRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool CallMethod(reportengine::EngineObject* object, const QString& name, TraParamList& params) const override;
    std::unique_ptr<TraParamList> GetParams(const QString& name) const override;
};

class TraTPersistentRTTI : public TraDescription<TraTPersistentRTTI, TraTObjectRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool CallMethod(reportengine::EngineObject* object, const QString& name, TraParamList& params) const override;
    std::unique_ptr<TraParamList> GetParams(const QString& name) const override;
};

class TraTComponentRTTI : public TraDescription<TraTComponentRTTI, TraTPersistentRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool CallMethod(reportengine::EngineObject* object, const QString& name, TraParamList& params) const override;
    std::unique_ptr<TraParamList> GetParams(const QString& name) const override;
    bool GetPropValue(reportengine::EngineObject* object, const QString& name, QVariant& value) const override;
};

// Which description serves a class; guarded, since background printing looks descriptions up on its thread.
// The registry starts with the descriptions of TObject and TComponent.
class TraRTTIClassRegistry {
public:
    // The description of the class itself, else of its nearest described ancestor; null for none.
    static const TraRTTI* FindRTTIClass(const reportengine::EngineClass& cls);
};

// The first registration for a class wins.
void RegisterRTTI(const TraRTTI& description);
void UnregisterRTTI(const TraRTTI& description);

// A unit's description, registered while the unit is loaded.
template <class Description>
struct TraUnitRegistration {
    TraUnitRegistration() { RegisterRTTI(Description::Instance()); }
    ~TraUnitRegistration() { UnregisterRTTI(Description::Instance()); }
    TraUnitRegistration(const TraUnitRegistration&) = delete;
    TraUnitRegistration& operator=(const TraUnitRegistration&) = delete;
};

void AddPropToList(QStringList& list, const QString& name);
void AddMethodToList(QStringList& list, const QString& name);
void RemoveStringFromList(QStringList& list, const QString& name);

// The enumerated types by name: a name registered again keeps its place and takes the new information.
void RegisterEnumType(const QString& name, const reportengine::EnumTypeInfo& typeInfo);
void UnregisterEnumType(const QString& name);
const reportengine::EnumTypeInfo* FindEnumType(const QString& name);
QStringList RegisteredEnumTypes();

template <class T>
bool TraParamList::Store(T& variable, const QVariant& value) {
    if constexpr (std::is_same_v<T, QVariant>) {
        variable = value;
    } else if constexpr (std::is_enum_v<T>) {
        if (!value.canConvert<int>()) return false;
        variable = static_cast<T>(value.toInt());
    } else if constexpr (std::is_pointer_v<T>) {
        auto* object = value.value<reportengine::EngineObject*>();
        T typed = dynamic_cast<T>(object);
        if (object && !typed) return false;
        variable = typed;
    } else {
        if (!value.canConvert<T>()) return false;
        variable = value.value<T>();
    }
    return true;
}

template <class T>
void TraParamList::SetParamPointer(int index, T& variable) {
    Entry& entry = At(index);
    if (!Suits(entry.rec.DataType, std::is_enum_v<T>, std::is_pointer_v<T>, QMetaType::fromType<T>()))
        RaiseUnsuitedVariable(entry.rec.Name);
    entry.read = [&variable] {
        if constexpr (std::is_enum_v<T>) return QVariant(static_cast<int>(variable));
        else if constexpr (std::is_pointer_v<T>)
            return QVariant::fromValue(static_cast<reportengine::EngineObject*>(variable));
        else return QVariant::fromValue(variable);
    };
    entry.write = [&variable](const QVariant& value) { return Store(variable, value); };
}
