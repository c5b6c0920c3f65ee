// Reading and setting published properties of any component by name; a missing property gives a default.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <type_traits>

class TControl;
class TStrings;
class TDataSet;
class TDataSource;
class TADOConnection;
class TParameters;

namespace controls {

// The object whose published (Qt) properties a component has: a QObject itself, a control's widget, or a
// dataset or other polymorphic object that also derives from QObject. Null when it publishes nothing.
// String lists are published as TStrings*, datasets as TDataSet*, data sources as TDataSource*.
class Published {
public:
    Published(std::nullptr_t) {}
    template <class T>
    Published(T* component) {
        using Plain = std::remove_const_t<T>;
        Plain* p = const_cast<Plain*>(component);
        if (!p) return;
        if constexpr (std::is_base_of_v<QObject, Plain>) object_ = p;
        else if constexpr (std::is_base_of_v<TControl, Plain>) object_ = WidgetOf(p);
        else object_ = dynamic_cast<QObject*>(p);
    }
    QObject* object() const { return object_; }

private:
    static QObject* WidgetOf(TControl* control);
    QObject* object_ = nullptr;
};

bool HasProp(Published component, const char* name);
// Invalid when the component has no such property.
QVariant GetProp(Published component, const char* name);
// False when the property is missing or refuses the value.
bool SetProp(Published component, const char* name, const QVariant& value);
// Typed: also false when the property holds another type than the value.
bool SetTypedProp(Published component, const char* name, const QVariant& value);

template <class T>
T GetPropAs(Published component, const char* name, T fallback = T()) {
    const QVariant value = GetProp(component, name);
    if (!value.isValid() || value.metaType() != QMetaType::fromType<T>()) return fallback;
    return value.value<T>();
}

}  // namespace controls

// Ordinal properties (integers, enumerations, Booleans): 0 when missing.
int GetOrdinalPropByName(controls::Published component, const char* name);
bool SetOrdinalPropByName(controls::Published component, const char* name, int value);
QString GetStringPropByName(controls::Published component, const char* name);

TStrings* GetPictureMasksProp(controls::Published component);
TStrings* GetControlTypeProp(controls::Published component);
TStrings* GetLookupFieldsProp(controls::Published component);
TStrings* GetLookupLinksProp(controls::Published component);
int GetCursorLocationProp(controls::Published component);
bool SetCursorLocationProp(controls::Published component, int location);
bool SetMaxRecordsProp(controls::Published component, int maxRecords);
// True when missing.
bool GetControlInfoInDataSetProp(controls::Published component);
bool GetPictureMaskFromDataSetProp(controls::Published component);
QString GetDatabaseNameProp(controls::Published component);
bool SetDatabaseNameProp(controls::Published component, const QString& name);
TADOConnection* GetConnectionProp(controls::Published component);
bool SetConnectionProp(controls::Published component, TADOConnection* connection);
QString GetConnectionStringProp(controls::Published component);
bool SetConnectionStringProp(controls::Published component, const QString& connectionString);
QString GetSessionNameProp(controls::Published component);
bool SetSessionNameProp(controls::Published component, const QString& name);
QString GetTableNameProp(controls::Published component);
TDataSet* GetDataSetProp(controls::Published component);
TParameters* GetParamsProp(controls::Published component);
// Assigns the parameters into the dataset's own collection.
bool AssignParamsProp(controls::Published component, const TParameters& params);
TDataSource* GetMasterSourceProp(controls::Published component);
TDataSource* GetDataSourceProp(controls::Published component);
// Data source and field of windowed controls only.
bool SetDataSourceProp(controls::Published control, TDataSource* dataSource);
QString GetDataFieldProp(controls::Published control);
bool SetDataFieldProp(controls::Published control, const QString& fieldName);
// "AlwaysTransparent", else "Transparent".
bool GetTransparentProp(controls::Published component);
// True when the BorderStyle is not bsNone; setting writes bsSingle or bsNone.
bool GetBorderStyleProp(controls::Published control);
bool SetBorderStyleProp(controls::Published control, bool bordered);
bool GetWantReturnsProp(controls::Published control);
bool GetEditCalculatedProp(controls::Published component);
// A TStrings property gets a copy of the lines (true); a text property the lines joined by CR LF (false).
bool SetStringsPropByName(controls::Published dataSet, const char* name, const TStrings& lines);
