// The one table a result's columns come from: the columns as fields see them, the key, and the writes back.
#pragma once

#include "platform/db/Cursor.h"

#include <QStringList>
#include <QVariantHash>

namespace sql {
class Connection;
class Statement;
}  // namespace sql

namespace db {

// The provider's text for an update or delete that finds no row; callers compare it.
extern const QString kRowNotLocated;

class BaseTable {
public:
    // Describes the prepared statement's columns and finds the table when every column reads one table.
    BaseTable(sql::Connection& connection, const sql::Statement& statement);

    QVector<ColumnDesc>& Columns() { return columns_; }
    const QVector<ColumnDesc>& Columns() const { return columns_; }
    // Empty when the columns come from several tables or from expressions.
    const QString& Table() const { return table_; }

    // Writes the changed columns of the row read as original; raises the optimistic-update error when the
    // stored row is gone or differs.
    void Update(const Row& original, const Row& values, const QVector<bool>& changed) const;
    // Stores a new row with the assigned columns and answers its rowid.
    qint64 Insert(const Row& values, const QVector<bool>& assigned) const;
    void Remove(const Row& original) const;
    // The row as stored now, in result column order; all null when it is gone.
    Row ReadStored(qint64 rowid) const;
    // The result columns as the table names them, quoted for native SQL.
    QString SelectList() const;
    // The table column a result column reads, quoted for native SQL.
    QString ColumnName(int column) const;
    // Values of the result columns from a native statement's columns first.. on.
    Row ReadRow(const sql::Statement& statement, int first) const;

private:
    void FindTable(const QStringList& tables, const QStringList& origins);
    // "col IS ?" terms that identify the stored row: its key, or every comparable column, plus the changed ones.
    QString WhereOriginal(const Row& original, const QVector<bool>& changed, QVariantList& binds) const;
    QString OneRow(const QString& where) const;
    void RunChecked(const QString& nativeSql, const QVariantList& binds) const;

    sql::Connection& connection_;
    QVector<ColumnDesc> columns_;
    QString table_;
    QStringList origins_;  // the table column each result column reads
    QVector<int> key_;     // result columns of the table's primary key
};

// A result value as fields hold it: Yes/No columns come back as -1/0 and are held as Booleans.
QVariant ReadValue(const sql::Statement& statement, int column, TFieldType type);
TFieldType FieldTypeOfJet(int jetType);
// Binds the named values to the statement's parameters, names compared without case.
void BindValues(sql::Statement& statement, const QVariantHash& values);

}  // namespace db
