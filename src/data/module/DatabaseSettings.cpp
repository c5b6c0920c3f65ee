// The Settings table read and written by name.
#include "data/module/DatabaseSettings.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/Exceptions.h"

namespace {

const QString kAllowUserSQLQueries = QStringLiteral("AllowUserSQLQueries");
const QString kNameParam = QStringLiteral("SettingNameParam");
const QString kValueParam = QStringLiteral("SettingValueParam");

void PrepareCommand(TADOCommand& command, TADOConnection* connection, const QString& text) {
    command.Connection = connection;
    command.SetCommandText(text);
}

void Write(TADOCommand& command, const QString& name, const QString& value) {
    command.Parameters.ParamByName(kNameParam).SetValue(name);
    command.Parameters.ParamByName(kValueParam).SetValue(value);
    command.Execute();
}

}  // namespace

bool TDatabaseSettings::Connected() const { return Connection && Connection->Connected(); }

void TDatabaseSettings::Clear() {
    Values.Clear();
    LoadedValues.Clear();
    TableExists = false;
    Connection = nullptr;
}

void TDatabaseSettings::Load() {
    Values.Clear();
    LoadedValues.Clear();
    if (!Connected()) return;
    if (CheckTableExists()) {
        TADOQuery query;
        query.SetConnection(Connection);
        query.SQL.SetText(QStringLiteral("select * from Settings"));
        query.Open();
        for (; !query.Eof(); query.Next()) {
            Values.Add(query.FieldByName(QStringLiteral("SettingName")).AsString() + QLatin1Char('=') +
                       query.FieldByName(QStringLiteral("SettingValue")).AsString());
        }
    }
    if (Values.IndexOfName(kAllowUserSQLQueries) < 0) Values.Add(kAllowUserSQLQueries + QStringLiteral("=True"));
    LoadedValues.Assign(Values);
}

void TDatabaseSettings::Save() {
    if (!Connected()) return;
    if (!TableExists) {
        CreateTable();
        if (!CheckTableExists()) return;
    }
    TADOQuery SelectQuery;
    SelectQuery.SetConnection(Connection);
    SelectQuery.SQL.SetText(QStringLiteral("select * from Settings where SettingName = :SettingNameParam"));
    TADOCommand InsertCommand;
    PrepareCommand(InsertCommand, Connection,
                   QStringLiteral("insert into Settings (SettingName, SettingValue)   Values (:SettingNameParam, "
                                  ":SettingValueParam)"));
    TADOCommand UpdateCommand;
    PrepareCommand(UpdateCommand, Connection,
                   QStringLiteral("update Settings set SettingValue = :SettingValueParam   where SettingName = "
                                  ":SettingNameParam"));
    for (int i = 0; i < Values.Count(); ++i) {
        const QString name = Values.Names(i);
        const QString value = Values.ValueFromIndex(i);
        if (value.compare(LoadedValues.Values(name), Qt::CaseInsensitive) == 0) continue;
        SelectQuery.Close();
        SelectQuery.Parameters.ParamByName(kNameParam).SetValue(name);
        SelectQuery.Open();
        const bool stored = !SelectQuery.Eof();
        try {
            Write(stored ? UpdateCommand : InsertCommand, name, value);
        } catch (const Exception&) {
            // Another instance stored the name between the look and the insert: this value replaces its.
            if (stored) throw;
            Write(UpdateCommand, name, value);
        }
    }
    // What is stored now is what the next save compares with, so that a value changed back is written too.
    LoadedValues.Assign(Values);
}

bool TDatabaseSettings::GetBool(const QString& name) const {
    return GetValue(name).compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

void TDatabaseSettings::SetBool(const QString& name, bool value) {
    SetValue(name, value ? QStringLiteral("True") : QStringLiteral("False"));
}

bool TDatabaseSettings::CheckTableExists() {
    TableExists = false;
    if (!Connected()) return false;
    TADOQuery tables;
    Connection->OpenSchema(siTables, QVariant(), QString(), tables);
    for (; !tables.Eof(); tables.Next()) {
        if (tables.FieldByName(QStringLiteral("TABLE_NAME"))
                .AsString()
                .compare(QStringLiteral("Settings"), Qt::CaseInsensitive) == 0)
            TableExists = true;
    }
    return TableExists;
}

void TDatabaseSettings::CreateTable() {
    if (!Connected()) return;
    try {
        Connection->Execute(QStringLiteral(
            "CREATE TABLE Settings ([SettingName] VARCHAR(30) Primary Key, [SettingValue] VARCHAR(30))"));
    } catch (const Exception&) {
        // Two instances opening a new file both find the table missing; the second finds it made.
        if (!CheckTableExists()) throw;
    }
}
