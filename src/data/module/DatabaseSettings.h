// TDatabaseSettings: the named settings a database keeps in its Settings table.
#pragma once

#include "platform/rtl/StringList.h"

class TADOConnection;

class TDatabaseSettings {
public:
    // Empties both lists and forgets the connection (the database is closing).
    void Clear();
    // The connection Load and Save use; null when no database is open.
    void SetConnection(TADOConnection* connection) { Connection = connection; }

    // Reads every row of the Settings table (when there is one) and supplies AllowUserSQLQueries=True
    // when the database has no such row.
    void Load();
    // Writes the values that differ from the ones as loaded (or last saved), creating the table first
    // when the database has none. SQL errors propagate.
    void Save();

    QString GetValue(const QString& name) const { return Values.Values(name); }
    void SetValue(const QString& name, const QString& value) { Values.SetValue(name, value); }
    // True exactly when the text is "true" in any letter case.
    bool GetBool(const QString& name) const;
    void SetBool(const QString& name, bool value);

    bool CheckTableExists();
    void CreateTable();

    TADOConnection* Connection = nullptr;
    TStringList Values;
    TStringList LoadedValues;
    bool TableExists = false;

private:
    bool Connected() const;
};
