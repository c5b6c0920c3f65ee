// The snapshot cursor: every row of one SELECT read at open, written back by key and original values.
#pragma once

#include "platform/db/BaseTable.h"

#include <QHash>
#include <memory>

namespace db {

class SqlCursor : public Cursor {
public:
    // Reads every row of the bound statement. Rows can be written back when they come from one table and
    // readOnly is not set.
    SqlCursor(BaseTable table, sql::Statement& statement, bool readOnly);

    QVector<ColumnDesc> Columns() const override { return table_.Columns(); }
    int Count() const override { return rows_.size(); }
    const Row& Fetch(int index) override { return rows_[index]; }
    qint64 RowId(int index) override { return ids_[index]; }
    int IndexOf(qint64 rowId) override;
    bool CanModify() const override { return !readOnly_ && !table_.Table().isEmpty(); }
    void Update(int index, const Row& original, const Row& values, const QVector<bool>& changed) override;
    void Insert(int index, const Row& values, const QVector<bool>& assigned) override;
    void Remove(int index) override;

private:
    BaseTable table_;
    bool readOnly_;
    QVector<Row> rows_;
    QVector<qint64> ids_;
    QHash<qint64, int> indexOf_;
    bool indexValid_ = false;
    qint64 nextId_ = 1;
};

// The cursor over a Jet SELECT with its :Name values bound: rows of one table are read a page at a time as
// they are shown; joins and expressions are read whole. With rowsInHand, a SELECT of every row of one table
// lists none of them: the cursor holds only the rows located or inserted through it.
std::shared_ptr<Cursor> OpenSelect(sql::Connection& connection, const QString& jetSql, const QVariantHash& parameters,
                                   bool readOnly, bool rowsInHand = false);

// Runs one Jet statement with its :Name values bound (any statement when there are none) and answers the
// number of rows it changed.
int RunCommand(sql::Connection& connection, const QString& jetSql, const QVariantHash& values);

}  // namespace db
