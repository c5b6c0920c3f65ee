// A read-only cursor over rows given as values, for schema rowsets.
#pragma once

#include "platform/db/Cursor.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

namespace db {

class RowsetCursor : public Cursor {
public:
    RowsetCursor(const QStringList& columns, const QList<QVariantList>& rows);
    QVector<ColumnDesc> Columns() const override { return columns_; }
    int Count() const override { return rows_.size(); }
    const Row& Fetch(int index) override { return rows_[index]; }
    qint64 RowId(int index) override { return index; }
    int IndexOf(qint64 rowId) override { return rowId >= 0 && rowId < rows_.size() ? static_cast<int>(rowId) : -1; }
    bool CanModify() const override { return false; }
    void Update(int, const Row&, const Row&, const QVector<bool>&) override {}
    void Insert(int, const Row&, const QVector<bool>&) override {}
    void Remove(int) override {}

private:
    QVector<ColumnDesc> columns_;
    QVector<Row> rows_;
};

}  // namespace db
