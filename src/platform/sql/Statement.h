// One prepared statement: named parameters in, rows of values with Jet column names and types out.
#pragma once

#include "platform/sql/JetTypes.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;

namespace sql {

class Database;

// Values crossing the engine boundary are QVariants of five kinds: null (a default-constructed QVariant),
// qint64, double, QString and QByteArray. Binding also accepts bool (stored as Jet's -1/0) and the other
// integer types. Reading gives the kind the column's Jet type calls for: integers for INTEGER, SMALLINT,
// BYTE, LOGICAL (-1/0) and counters, doubles for DATETIME (the TDateTime day number), SINGLE, FLOAT and
// CURRENCY, QString for text, QByteArray for binary.
class Statement {
public:
    Statement(const Database& database, sqlite3_stmt* stmt);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The distinct parameter names in order of first use, without the colon; positional ones are empty.
    QStringList ParameterNames() const;
    void Bind(int index, const QVariant& value);            // zero-based, in ParameterNames() order
    void Bind(const QString& name, const QVariant& value);  // name compared without case
    void ClearBindings();

    // Runs to the next row: true when one is ready, false when the statement is done.
    bool Step();
    // Rewinds to run again; bindings stay.
    void Reset();

    int ColumnCount() const;
    // The name Jet gives the column: the alias, else the column's name, "Table.Column" for a name that
    // two tables of the select list share.
    QString ColumnName(int column) const;
    JetType ColumnType(int column, int* size = nullptr) const;
    // The table and column a result column comes from; empty for expressions.
    QString ColumnTable(int column) const;
    QString ColumnOrigin(int column) const;
    QVariant Value(int column) const;

private:
    void NameColumns();

    const Database& database_;
    sqlite3_stmt* stmt_;
    QStringList names_;
    // Declared types of the columns, read once: every Value needs its column's.
    QVector<JetType> types_;
    QVector<int> sizes_;
};

}  // namespace sql
