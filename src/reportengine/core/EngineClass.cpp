// Class metadata lookups and the registry of classes created by name.
#include "reportengine/core/EngineClass.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>

namespace reportengine {

const EnumTypeInfo& BooleanTypeInfo() {
    static const EnumTypeInfo info{QStringLiteral("Boolean"), {QStringLiteral("False"), QStringLiteral("True")}};
    return info;
}

bool EngineClass::InheritsFrom(const EngineClass& other) const {
    for (const EngineClass* cls = this; cls; cls = cls->parent_)
        if (cls == &other) return true;
    return false;
}

std::vector<const PropertyInfo*> EngineClass::Properties() const {
    std::vector<const PropertyInfo*> result = parent_ ? parent_->Properties() : std::vector<const PropertyInfo*>();
    for (const PropertyInfo& own : properties_) {
        auto same = std::find_if(result.begin(), result.end(), [&](const PropertyInfo* inherited) {
            return inherited->name.compare(own.name, Qt::CaseInsensitive) == 0;
        });
        if (same != result.end()) *same = &own;
        else result.push_back(&own);
    }
    return result;
}

const PropertyInfo* EngineClass::FindProperty(const QString& name) const {
    for (const EngineClass* cls = this; cls; cls = cls->parent_)
        for (const PropertyInfo& property : cls->properties_)
            if (property.name.compare(name, Qt::CaseInsensitive) == 0) return &property;
    return nullptr;
}

const MethodInfo* EngineClass::FindMethod(const QString& name) const {
    for (const EngineClass* cls = this; cls; cls = cls->parent_)
        for (const MethodInfo& method : cls->methods_)
            if (method.name.compare(name, Qt::CaseInsensitive) == 0) return &method;
    return nullptr;
}

namespace {

// Background printing creates report copies by class name on its worker thread.
struct ClassRegistryState {
    QRecursiveMutex lock;
    std::vector<const EngineClass*> classes;
};

ClassRegistryState& ClassRegistry() {
    static ClassRegistryState state;
    return state;
}

}  // namespace

void RegisterClass(const EngineClass& engineClass) {
    ClassRegistryState& registry = ClassRegistry();
    QMutexLocker guard(&registry.lock);
    if (std::find(registry.classes.begin(), registry.classes.end(), &engineClass) == registry.classes.end())
        registry.classes.push_back(&engineClass);
}

void UnregisterClass(const EngineClass& engineClass) {
    ClassRegistryState& registry = ClassRegistry();
    QMutexLocker guard(&registry.lock);
    std::erase(registry.classes, &engineClass);
}

const EngineClass* FindClass(const QString& name) {
    ClassRegistryState& registry = ClassRegistry();
    QMutexLocker guard(&registry.lock);
    for (const EngineClass* cls : registry.classes)
        if (cls->Name().compare(name, Qt::CaseInsensitive) == 0) return cls;
    return nullptr;
}

}  // namespace reportengine
