// The engine-backed cursor: the rows of one SELECT kept as a snapshot, written back by key and original values.
#pragma once

#include "platform/db/Cursor.h"

#include <QHash>
#include <QStringList>
#include <QVariantList>

namespace sql {
class Connection;
class Statement;
}

namespace db {

// The provider's text for an update or delete that finds no row; callers compare it.
extern const QString kRowNotLocated;

class SqlCursor : public Cursor {
public:
    // Runs the statement with the named values bound. A result whose columns all come from one table can be
    // written back unless readOnly is set.
    SqlCursor(sql::Connection& connection, const QString& jetSql, const QVariantHash& parameters, bool readOnly);

    QVector<ColumnDesc> Columns() const override { return columns_; }
    int Count() const override { return rows_.size(); }
    const Row& Fetch(int index) override { return rows_[index]; }
    qint64 RowId(int index) override { return ids_[index]; }
    int IndexOf(qint64 rowId) override;
    bool CanModify() const override { return !table_.isEmpty(); }
    void Update(int index, const Row& values, const QVector<bool>& changed) override;
    void Insert(int index, const Row& values, const QVector<bool>& assigned) override;
    void Remove(int index) override;

    // The table rows are written to; empty for a read-only result.
    const QString& Table() const { return table_; }

private:
    void FindBaseTable(const QStringList& tables, const QStringList& origins);
    // "col IS ?" terms that identify the stored row: its key, or every comparable column, plus the changed ones.
    QString WhereOriginal(const Row& original, const QVector<bool>& changed, QVariantList& binds) const;
    QString OneRow(const QString& where) const;
    Row ReadStored(qint64 rowid) const;

    sql::Connection& connection_;
    QVector<ColumnDesc> columns_;
    QVector<Row> rows_;
    QVector<qint64> ids_;
    mutable QHash<qint64, int> indexOf_;
    mutable bool indexValid_ = false;
    qint64 nextId_ = 1;
    QString table_;
    QStringList origins_;  // the table column each result column reads
    QVector<int> key_;     // result columns of the table's primary key
};

TFieldType FieldTypeOfJet(int jetType);

// Runs one Jet statement with its :Name values bound (any statement when there are none) and answers the
// number of rows it changed.
int RunCommand(sql::Connection& connection, const QString& jetSql, const QVariantHash& values);

}  // namespace db
