// Reading and setting published properties of any component by name.
#include "controls/edit/WwProps.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Parameters.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Control.h"

#include <QWidget>

using controls::Published;

QObject* Published::WidgetOf(TControl* control) { return &control->Widget(); }

namespace {

bool IsStatic(const QObject* object, const char* name) { return object->metaObject()->indexOfProperty(name) >= 0; }

QWidget* AsWindowedControl(Published control) { return qobject_cast<QWidget*>(control.object()); }

}  // namespace

bool controls::HasProp(Published component, const char* name) {
    const QObject* object = component.object();
    return object && (IsStatic(object, name) || object->dynamicPropertyNames().contains(name));
}

QVariant controls::GetProp(Published component, const char* name) {
    return HasProp(component, name) ? component.object()->property(name) : QVariant();
}

bool controls::SetProp(Published component, const char* name, const QVariant& value) {
    if (!HasProp(component, name)) return false;
    QObject* object = component.object();
    QVariant converted = value;
    const QMetaType type = object->property(name).metaType();
    if (type.isValid() && type != value.metaType() && !converted.convert(type)) return false;
    // Qt answers false for dynamic properties even when it stores the value.
    const bool stored = object->setProperty(name, converted);
    return stored || !IsStatic(object, name);
}

bool controls::SetTypedProp(Published component, const char* name, const QVariant& value) {
    const QVariant current = GetProp(component, name);
    return current.isValid() && current.metaType() == value.metaType() && SetProp(component, name, value);
}

int GetOrdinalPropByName(Published component, const char* name) {
    const QVariant value = controls::GetProp(component, name);
    bool ok = false;
    const int ordinal = value.toInt(&ok);
    return ok ? ordinal : 0;
}

bool SetOrdinalPropByName(Published component, const char* name, int value) {
    const QVariant current = controls::GetProp(component, name);
    if (!current.isValid()) return false;
    bool ordinal = false;
    current.toInt(&ordinal);
    return ordinal && controls::SetProp(component, name, value);
}

QString GetStringPropByName(Published component, const char* name) {
    return controls::GetPropAs<QString>(component, name);
}

TStrings* GetPictureMasksProp(Published component) { return controls::GetPropAs<TStrings*>(component, "PictureMasks"); }
TStrings* GetControlTypeProp(Published component) { return controls::GetPropAs<TStrings*>(component, "ControlType"); }
TStrings* GetLookupFieldsProp(Published component) { return controls::GetPropAs<TStrings*>(component, "LookupFields"); }
TStrings* GetLookupLinksProp(Published component) { return controls::GetPropAs<TStrings*>(component, "LookupLinks"); }

int GetCursorLocationProp(Published component) { return GetOrdinalPropByName(component, "CursorLocation"); }
bool SetCursorLocationProp(Published component, int location) {
    return SetOrdinalPropByName(component, "CursorLocation", location);
}
bool SetMaxRecordsProp(Published component, int maxRecords) {
    return SetOrdinalPropByName(component, "MaxRecords", maxRecords);
}

bool GetControlInfoInDataSetProp(Published component) {
    return controls::GetPropAs<bool>(component, "ControlInfoInDataSet", true);
}
bool GetPictureMaskFromDataSetProp(Published component) {
    return controls::GetPropAs<bool>(component, "PictureMaskFromDataSet", true);
}

QString GetDatabaseNameProp(Published component) { return GetStringPropByName(component, "DatabaseName"); }
bool SetDatabaseNameProp(Published component, const QString& name) {
    return controls::SetTypedProp(component, "DatabaseName", name);
}
TADOConnection* GetConnectionProp(Published component) {
    return controls::GetPropAs<TADOConnection*>(component, "Connection");
}
bool SetConnectionProp(Published component, TADOConnection* connection) {
    return controls::SetTypedProp(component, "Connection", QVariant::fromValue(connection));
}
QString GetConnectionStringProp(Published component) { return GetStringPropByName(component, "ConnectionString"); }
bool SetConnectionStringProp(Published component, const QString& connectionString) {
    return controls::SetProp(component, "ConnectionString", connectionString);
}
QString GetSessionNameProp(Published component) { return GetStringPropByName(component, "SessionName"); }
bool SetSessionNameProp(Published component, const QString& name) {
    return controls::SetTypedProp(component, "SessionName", name);
}
QString GetTableNameProp(Published component) { return GetStringPropByName(component, "TableName"); }
TDataSet* GetDataSetProp(Published component) { return controls::GetPropAs<TDataSet*>(component, "DataSet"); }

TParameters* GetParamsProp(Published component) { return controls::GetPropAs<TParameters*>(component, "Params"); }
bool AssignParamsProp(Published component, const TParameters& params) {
    TParameters* own = GetParamsProp(component);
    if (!own) return false;
    if (own == &params) return true;
    own->Clear();
    for (int i = 0; i < params.Count(); ++i) {
        const TParameter& source = *params[i];
        own->CreateParameter(source.Name, source.DataType, source.Direction, source.Size, source.Value());
    }
    return true;
}

TDataSource* GetMasterSourceProp(Published component) {
    return controls::GetPropAs<TDataSource*>(component, "MasterSource");
}
TDataSource* GetDataSourceProp(Published component) {
    return controls::GetPropAs<TDataSource*>(component, "DataSource");
}
bool SetDataSourceProp(Published control, TDataSource* dataSource) {
    return AsWindowedControl(control) && controls::SetTypedProp(control, "DataSource", QVariant::fromValue(dataSource));
}
QString GetDataFieldProp(Published control) { return GetStringPropByName(control, "DataField"); }
bool SetDataFieldProp(Published control, const QString& fieldName) {
    return AsWindowedControl(control) && controls::SetTypedProp(control, "DataField", fieldName);
}

bool GetTransparentProp(Published component) {
    const char* name = controls::HasProp(component, "AlwaysTransparent") ? "AlwaysTransparent" : "Transparent";
    return controls::GetPropAs<bool>(component, name);
}

bool GetBorderStyleProp(Published control) {
    return controls::HasProp(control, "BorderStyle") && GetOrdinalPropByName(control, "BorderStyle") != bsNone;
}
bool SetBorderStyleProp(Published control, bool bordered) {
    return SetOrdinalPropByName(control, "BorderStyle", bordered ? bsSingle : bsNone);
}

bool GetWantReturnsProp(Published control) { return controls::GetPropAs<bool>(control, "WantReturns"); }
bool GetEditCalculatedProp(Published component) { return controls::GetPropAs<bool>(component, "EditCalculated"); }

bool SetStringsPropByName(Published dataSet, const char* name, const TStrings& lines) {
    if (TStrings* list = controls::GetPropAs<TStrings*>(dataSet, name)) {
        list->Assign(lines);
        return true;
    }
    controls::SetTypedProp(dataSet, name, lines.ToStringList().join(QStringLiteral("\r\n")));
    return false;
}
