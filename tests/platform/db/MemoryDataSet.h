// A dataset over rows held in memory, for testing the dataset machinery without the engine.
#pragma once

#include "platform/db/DataSet.h"

#include <memory>

namespace db_test {

class MemoryCursor : public db::Cursor {
public:
    QVector<db::ColumnDesc> columns;
    QVector<db::Row> rows;
    QVector<qint64> ids;
    bool readOnly = false;
    // The next Update fails as a changed row would.
    bool failNextUpdate = false;
    qint64 nextId = 1;

    QVector<db::ColumnDesc> Columns() const override { return columns; }
    int Count() const override { return rows.size(); }
    const db::Row& Fetch(int index) override { return rows[index]; }
    qint64 RowId(int index) override { return ids[index]; }
    int IndexOf(qint64 rowId) override { return ids.indexOf(rowId); }
    bool CanModify() const override { return !readOnly; }
    void Update(int index, const db::Row& original, const db::Row& values, const QVector<bool>& changed) override;
    void Insert(int index, const db::Row& values, const QVector<bool>& assigned) override;
    void Remove(int index) override;

    void AddRow(const db::Row& row);
};

// Columns Id (counter), Name (text 20), Amount (float), Flag (Boolean).
class MemoryDataSet : public TDataSet {
public:
    MemoryDataSet();
    std::shared_ptr<MemoryCursor> cursor;

protected:
    std::shared_ptr<db::Cursor> CreateCursor() override { return cursor; }
};

}  // namespace db_test
