// Run-time descriptions: parameter lists, the base descriptions, the description registry and the registry of
// enumerated types.
#include "reportengine/core/ppRTTI.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/FloatFormat.h"
#include "reportengine/core/ppTypes.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cmath>

using reportengine::DataCode;
using reportengine::EngineClass;
using reportengine::EngineComponent;
using reportengine::EngineObject;
using reportengine::EnginePersistent;
using reportengine::EnumTypeInfo;
using reportengine::PropertyInfo;
using reportengine::tkEnumeration;
using reportengine::tkMethod;

// ---- TraParamList

int TraParamList::AddParam(const QString& name, DataCode dataType, const EngineClass* classType,
                           const QString& typeName, bool isConst, bool isVar) {
    Entry entry;
    entry.rec = {name.left(255), dataType, classType, typeName.left(255), isConst, isVar};
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

int TraParamList::IndexOf(const QString& name) const {
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<size_t>(i)].rec.Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TraParamList::Suits(DataCode code, bool isEnum, bool isObject, const QMetaType& type) {
    switch (code) {
        case DataCode::Integer: return type == QMetaType::fromType<int>();
        case DataCode::Single:
        case DataCode::Double:
        case DataCode::Extended:
        case DataCode::Currency:
        case DataCode::DateTime:
        case DataCode::Date:
        case DataCode::Time: return type == QMetaType::fromType<double>();
        case DataCode::Char: return type == QMetaType::fromType<QChar>();
        case DataCode::String: return type == QMetaType::fromType<QString>();
        case DataCode::Boolean: return type == QMetaType::fromType<bool>();
        case DataCode::Variant: return type == QMetaType::fromType<QVariant>();
        case DataCode::ClassReference: return isObject;
        case DataCode::Enumerated: return isEnum || type == QMetaType::fromType<int>();
        default: return false;
    }
}

void TraParamList::RaiseUnsuitedVariable(const QString& name) {
    throw EVediduRizererError(
        QStringLiteral("TraParamList.SetParamPointer: The variable does not suit parameter %1.").arg(name));
}

void TraParamList::SetParamObject(int index, EngineObject* object) { At(index).object = object; }

bool TraParamList::SetParamValue(int index, const QVariant& value) {
    Entry& entry = At(index);
    if (entry.rec.IsConst || !entry.write) return false;
    return entry.write(value);
}

QVariant TraParamList::GetParamValue(int index) const {
    const Entry& entry = entries_.at(static_cast<size_t>(index));
    return entry.read ? entry.read() : QVariant();
}

EngineObject* TraParamList::GetParamObject(int index) const { return entries_.at(static_cast<size_t>(index)).object; }

// ---- list helpers

void AddPropToList(QStringList& list, const QString& name) {
    if (!list.contains(name, Qt::CaseInsensitive)) list.append(name);
}

void AddMethodToList(QStringList& list, const QString& name) { AddPropToList(list, name); }

void RemoveStringFromList(QStringList& list, const QString& name) {
    for (qsizetype i = list.size() - 1; i >= 0; --i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0) list.removeAt(i);
}

// ---- TraRTTI

namespace reportengine {
namespace {

DataCode CodeOfProperty(const PropertyInfo& property) {
    switch (property.kind) {
        case tkInteger: return DataCode::Integer;
        case tkChar: return DataCode::Char;
        case tkEnumeration:
            return property.enumType && property.enumType->name == QLatin1String("Boolean") ? DataCode::Boolean
                                                                                            : DataCode::Enumerated;
        case tkFloat:
            switch (property.floatKind) {
                case FloatKind::Single: return DataCode::Single;
                case FloatKind::Double: return DataCode::Double;
                case FloatKind::Currency: return DataCode::Currency;
                default: return DataCode::Extended;
            }
        case tkString:
        case tkLString:
        case tkWString: return DataCode::String;
        case tkClass: return DataCode::ClassReference;
        case tkVariant: return DataCode::Variant;
        default: return DataCode::NotSupported;
    }
}

bool ListedKind(TTypeKind kind) {
    switch (kind) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkFloat:
        case tkString:
        case tkLString:
        case tkWString:
        case tkClass:
        case tkWChar:
        case tkVariant:
        case tkInt64:
        case tkDynArray: return true;
        default: return false;
    }
}

QStringList SortedPropertyNames(const EngineClass& cls, bool events) {
    QStringList names;
    for (const PropertyInfo* property : cls.Properties())
        if (events ? property->kind == tkMethod : ListedKind(property->kind)) names.append(property->name);
    names.sort(Qt::CaseInsensitive);
    return names;
}

}  // namespace
}  // namespace reportengine

const TraRTTI& TraRTTI::Instance() {
    static const TraRTTI description;
    return description;
}

bool TraRTTI::DescendsFrom(const TraRTTI& other) const {
    for (const TraRTTI* description = this; description; description = description->ParentDescription())
        if (description == &other) return true;
    return false;
}

void TraRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    list.append(reportengine::SortedPropertyNames(cls, false));
}

void TraRTTI::GetEventList(const EngineClass& cls, QStringList& list) const {
    list.append(reportengine::SortedPropertyNames(cls, true));
}

const EngineClass& TraRTTI::GetRefClass() const { return EngineObject::StaticClass(); }

bool TraRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    const PropertyInfo* property = cls.FindProperty(name);
    if (!property || property->kind == tkMethod) return false;
    const DataCode code = reportengine::CodeOfProperty(*property);
    InitPropRec(property->name, code, false, rec);
    if (code == DataCode::ClassReference) rec.ClassType = property->classType;
    if (property->kind == tkEnumeration && property->enumType) rec.TypeName = property->enumType->name.left(255);
    rec.IsFromTypeInfo = true;
    rec.ReadOnly = !property->Writable();
    return true;
}

bool TraRTTI::CallMethod(EngineObject*, const QString&, TraParamList&) const { return false; }

std::unique_ptr<TraParamList> TraRTTI::GetParams(const QString&) const { return nullptr; }

bool TraRTTI::GetPropValue(EngineObject* object, const QString& name, QVariant& value) const {
    const PropertyInfo* property = object ? object->ClassType().FindProperty(name) : nullptr;
    if (!property || property->kind == tkMethod) return false;
    const QVariant raw = property->read(*object);
    switch (reportengine::CodeOfProperty(*property)) {
        case DataCode::Integer:
        case DataCode::Enumerated: value = raw.toInt(); return true;
        case DataCode::Char: value = QChar(static_cast<char16_t>(raw.toInt())); return true;
        case DataCode::Boolean: value = raw.toBool(); return true;
        case DataCode::ClassReference: value = QVariant::fromValue(raw.value<EngineObject*>()); return true;
        case DataCode::Single: value = static_cast<double>(static_cast<float>(raw.toDouble())); return true;
        case DataCode::Double:
        case DataCode::Extended: value = raw.toDouble(); return true;
        case DataCode::Currency: value = static_cast<qint64>(std::llround(raw.toDouble() * 10000.0)); return true;
        case DataCode::String: value = raw.toString(); return true;
        case DataCode::Variant: value = raw; return true;
        default: return false;
    }
}

QString TraRTTI::GetPropValueText(EngineObject* object, const QString& name) const {
    TraPropRec rec;
    QVariant value;
    if (!object || !GetPropRec(object->ClassType(), name, rec) || !GetPropValue(object, name, value)) return QString();
    switch (rec.DataType) {
        case DataCode::Integer: return QString::number(value.toInt());
        case DataCode::Char: return QString::number(value.value<QChar>().unicode());
        case DataCode::Single: return FloatToStrF(value.toDouble(), ffGeneral, 8, 0);
        case DataCode::Double: return FloatToStrF(value.toDouble(), ffGeneral, 15, 0);
        case DataCode::Extended: return FloatToStrF(value.toDouble(), ffGeneral, 18, 0);
        case DataCode::Currency:
            return FloatToStrF(static_cast<double>(value.toLongLong()) / 10000.0, ffCurrency, 15, 2);
        case DataCode::String: return value.toString();
        case DataCode::DateTime: return DateTimeToStr(value.toDouble());
        case DataCode::Date: return DateToStr(value.toDouble());
        case DataCode::Time: return TimeToStr(value.toDouble());
        case DataCode::Boolean: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case DataCode::Variant: return value.toString();
        case DataCode::Enumerated: {
            const PropertyInfo* property = object->ClassType().FindProperty(name);
            const int ordinal = value.toInt();
            if (!property || !property->enumType || ordinal < 0 || ordinal >= property->enumType->values.size())
                return QString();
            return property->enumType->values[ordinal];
        }
        default: return QString();
    }
}

bool TraRTTI::SetPropValue(EngineObject* object, const QString& name, const QVariant& value) const {
    const PropertyInfo* property = object ? object->ClassType().FindProperty(name) : nullptr;
    if (!property || !property->Writable() || property->kind == tkMethod) return false;
    switch (reportengine::CodeOfProperty(*property)) {
        case DataCode::Integer:
        case DataCode::Enumerated: property->write(*object, value.toInt()); return true;
        case DataCode::Char: property->write(*object, static_cast<int>(value.value<QChar>().unicode())); return true;
        case DataCode::Boolean: property->write(*object, value.toBool()); return true;
        case DataCode::ClassReference:
            property->write(*object, QVariant::fromValue(value.value<EngineObject*>()));
            return true;
        case DataCode::Single:
            property->write(*object, static_cast<double>(static_cast<float>(value.toDouble())));
            return true;
        case DataCode::Double:
        case DataCode::Extended: property->write(*object, value.toDouble()); return true;
        case DataCode::Currency:
            property->write(*object, static_cast<double>(value.toLongLong()) / 10000.0);
            return true;
        case DataCode::String: property->write(*object, value.toString()); return true;
        case DataCode::Variant: property->write(*object, value); return true;
        default: return false;
    }
}

void TraRTTI::InitPropRec(const QString& name, DataCode dataType, bool readOnly, TraPropRec& rec) {
    rec = TraPropRec();
    rec.Name = name.left(255);
    rec.DataType = dataType;
    rec.ReadOnly = readOnly;
}

void TraRTTI::ClassPropToRec(const QString& name, const EngineClass& cls, TraPropRec& rec, bool readOnly) {
    InitPropRec(name, DataCode::ClassReference, readOnly, rec);
    rec.ClassType = &cls;
}

void TraRTTI::EnumPropToRec(const QString& name, const QString& typeName, TraPropRec& rec, bool readOnly) {
    InitPropRec(name, DataCode::Enumerated, readOnly, rec);
    rec.TypeName = typeName.left(255);
}

void TraRTTI::MethodToRec(const QString& name, bool fetchParams, TraPropRec& rec) const {
    InitPropRec(name, DataCode::Method, true, rec);
    if (!fetchParams) return;
    rec.Params = GetParams(name);
    if (rec.Params && rec.Params->Count() > 0) {
        const TraParamRec last = rec.Params->GetParamRec(rec.Params->Count() - 1);
        if (last.Name.compare(QLatin1String("Result"), Qt::CaseInsensitive) == 0 &&
            last.DataType == DataCode::ClassReference)
            rec.ClassType = last.ClassType;
    }
}

void TraRTTI::ArrayPropToRec(const QString& name, TraPropRec& rec) const {
    MethodToRec(name, true, rec);
    rec.Indexed = true;
}

void TraRTTI::EventToRec(const QString& name, qint32 eventId, TraPropRec& rec, bool fetchParams) const {
    MethodToRec(name, fetchParams, rec);
    rec.EventID = eventId;
}

void TraRTTI::ConstructorToRec(const QString& name, const EngineClass& cls, TraPropRec& rec) const {
    MethodToRec(name, true, rec);
    rec.ClassType = &cls;
    if (!rec.Params) rec.Params = std::make_unique<TraParamList>();
    rec.Params->AddParam(QStringLiteral("Class"), DataCode::ClassReference, &cls, QString(), false, false);
    rec.Params->AddParam(QStringLiteral("Result"), DataCode::ClassReference, nullptr, QString(), false, false);
    rec.IsConstructor = true;
}

// ---- TraTObjectRTTI

void TraTObjectRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraRTTI::GetPropList(cls, list);
    AddMethodToList(list, QStringLiteral("ClassName"));
    AddMethodToList(list, QStringLiteral("Create"));
    AddMethodToList(list, QStringLiteral("Free"));
}

const EngineClass& TraTObjectRTTI::GetRefClass() const { return EngineObject::StaticClass(); }

bool TraTObjectRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (name.compare(QLatin1String("ClassName"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("Free"), Qt::CaseInsensitive) == 0)
        MethodToRec(name, true, rec);
    else if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) == 0) ConstructorToRec(name, cls, rec);
    else return TraRTTI::GetPropRec(cls, name, rec);
    return true;
}

bool TraTObjectRTTI::CallMethod(EngineObject* object, const QString& name, TraParamList& params) const {
    if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) == 0) {
        const EngineClass* cls = params.GetParamRec(0).ClassType;
        EngineObject* created = cls ? cls->Create(nullptr) : nullptr;
        params.SetParamValue(1, QVariant::fromValue(created));
    } else if (name.compare(QLatin1String("Free"), Qt::CaseInsensitive) == 0) {
        EngineObject::FreeObject(object);
    } else if (name.compare(QLatin1String("ClassName"), Qt::CaseInsensitive) == 0) {
        params.SetParamValue(0, object->ClassName());
    } else {
        return TraRTTI::CallMethod(object, name, params);
    }
    return true;
}

std::unique_ptr<TraParamList> TraTObjectRTTI::GetParams(const QString& name) const {
    auto params = std::make_unique<TraParamList>();
    if (name.compare(QLatin1String("ClassName"), Qt::CaseInsensitive) == 0)
        params->AddParam(QStringLiteral("Result"), DataCode::String, nullptr, QString(), false, false);
    else if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) != 0 &&
             name.compare(QLatin1String("Free"), Qt::CaseInsensitive) != 0)
        return TraRTTI::GetParams(name);
    return params;
}

// ---- TraTPersistentRTTI

void TraTPersistentRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraTObjectRTTI::GetPropList(cls, list);
    AddMethodToList(list, QStringLiteral("Assign"));
}

const EngineClass& TraTPersistentRTTI::GetRefClass() const { return EnginePersistent::StaticClass(); }

bool TraTPersistentRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (name.compare(QLatin1String("Assign"), Qt::CaseInsensitive) != 0)
        return TraTObjectRTTI::GetPropRec(cls, name, rec);
    MethodToRec(name, true, rec);
    return true;
}

bool TraTPersistentRTTI::CallMethod(EngineObject* object, const QString& name, TraParamList& params) const {
    if (name.compare(QLatin1String("Assign"), Qt::CaseInsensitive) != 0)
        return TraTObjectRTTI::CallMethod(object, name, params);
    auto* target = dynamic_cast<EnginePersistent*>(object);
    if (!target) return false;
    target->Assign(dynamic_cast<EnginePersistent*>(params.GetParamValue(0).value<EngineObject*>()));
    return true;
}

std::unique_ptr<TraParamList> TraTPersistentRTTI::GetParams(const QString& name) const {
    if (name.compare(QLatin1String("Assign"), Qt::CaseInsensitive) != 0) return TraTObjectRTTI::GetParams(name);
    auto params = std::make_unique<TraParamList>();
    params->AddParam(QStringLiteral("Source"), DataCode::ClassReference, &EnginePersistent::StaticClass(), QString(),
                     false, false);
    return params;
}

// ---- TraTComponentRTTI

void TraTComponentRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraTPersistentRTTI::GetPropList(cls, list);
    AddPropToList(list, QStringLiteral("Owner"));
}

const EngineClass& TraTComponentRTTI::GetRefClass() const { return EngineComponent::StaticClass(); }

bool TraTComponentRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (name.compare(QLatin1String("Owner"), Qt::CaseInsensitive) == 0)
        ClassPropToRec(name, EngineComponent::StaticClass(), rec, false);
    else if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) == 0) ConstructorToRec(name, cls, rec);
    else return TraTPersistentRTTI::GetPropRec(cls, name, rec);
    return true;
}

bool TraTComponentRTTI::CallMethod(EngineObject* object, const QString& name, TraParamList& params) const {
    if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) != 0)
        return TraTPersistentRTTI::CallMethod(object, name, params);
    auto* owner = dynamic_cast<EngineComponent*>(params.GetParamValue(0).value<EngineObject*>());
    const EngineClass* cls = params.GetParamRec(1).ClassType;
    EngineObject* created = cls && cls->InheritsFrom(EngineComponent::StaticClass()) ? cls->Create(owner) : nullptr;
    params.SetParamValue(2, QVariant::fromValue(created));
    return true;
}

std::unique_ptr<TraParamList> TraTComponentRTTI::GetParams(const QString& name) const {
    if (name.compare(QLatin1String("Create"), Qt::CaseInsensitive) != 0) return TraTPersistentRTTI::GetParams(name);
    auto params = std::make_unique<TraParamList>();
    params->AddParam(QStringLiteral("Owner"), DataCode::ClassReference, &EngineComponent::StaticClass(), QString(),
                     false, false);
    return params;
}

bool TraTComponentRTTI::GetPropValue(EngineObject* object, const QString& name, QVariant& value) const {
    auto* component = dynamic_cast<EngineComponent*>(object);
    if (component && name.compare(QLatin1String("Owner"), Qt::CaseInsensitive) == 0) {
        value = QVariant::fromValue(static_cast<EngineObject*>(component->Owner()));
        return true;
    }
    return TraTPersistentRTTI::GetPropValue(object, name, value);
}

// ---- the registries

namespace {

struct DescriptionRegistryState {
    DescriptionRegistryState() {
        entries.push_back(&TraTObjectRTTI::Instance());
        entries.push_back(&TraTComponentRTTI::Instance());
    }
    QRecursiveMutex lock;
    std::vector<const TraRTTI*> entries;  // in registration order
};

DescriptionRegistryState& DescriptionRegistry() {
    static DescriptionRegistryState state;
    return state;
}

struct EnumRegistryState {
    QMutex lock;
    std::vector<std::pair<QString, const EnumTypeInfo*>> types;
};

EnumRegistryState& EnumRegistry() {
    static EnumRegistryState state;
    return state;
}

}  // namespace

const TraRTTI* TraRTTIClassRegistry::FindRTTIClass(const EngineClass& cls) {
    DescriptionRegistryState& registry = DescriptionRegistry();
    QMutexLocker guard(&registry.lock);
    for (const TraRTTI* description : registry.entries)
        if (description->GetRefClass().Name().compare(cls.Name(), Qt::CaseInsensitive) == 0) return description;
    const TraRTTI* taken = nullptr;
    for (const TraRTTI* description : registry.entries)
        if (cls.InheritsFrom(description->GetRefClass()) && (!taken || description->DescendsFrom(*taken)))
            taken = description;
    return taken;
}

void RegisterRTTI(const TraRTTI& description) {
    DescriptionRegistryState& registry = DescriptionRegistry();
    QMutexLocker guard(&registry.lock);
    const QString key = description.GetRefClass().Name();
    for (const TraRTTI* present : registry.entries)
        if (present->GetRefClass().Name().compare(key, Qt::CaseInsensitive) == 0) return;
    registry.entries.push_back(&description);
}

void UnregisterRTTI(const TraRTTI& description) {
    DescriptionRegistryState& registry = DescriptionRegistry();
    QMutexLocker guard(&registry.lock);
    std::erase(registry.entries, &description);
}

void RegisterEnumType(const QString& name, const EnumTypeInfo& typeInfo) {
    EnumRegistryState& registry = EnumRegistry();
    QMutexLocker guard(&registry.lock);
    for (auto& entry : registry.types)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0) {
            entry.second = &typeInfo;
            return;
        }
    registry.types.emplace_back(name, &typeInfo);
}

void UnregisterEnumType(const QString& name) {
    EnumRegistryState& registry = EnumRegistry();
    QMutexLocker guard(&registry.lock);
    std::erase_if(registry.types,
                  [&](const auto& entry) { return entry.first.compare(name, Qt::CaseInsensitive) == 0; });
}

const EnumTypeInfo* FindEnumType(const QString& name) {
    EnumRegistryState& registry = EnumRegistry();
    QMutexLocker guard(&registry.lock);
    for (const auto& entry : registry.types)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0) return entry.second;
    return nullptr;
}

QStringList RegisteredEnumTypes() {
    EnumRegistryState& registry = EnumRegistry();
    QMutexLocker guard(&registry.lock);
    QStringList names;
    for (const auto& entry : registry.types) names.append(entry.first);
    return names;
}
