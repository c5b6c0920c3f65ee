// The cursor a dataset reads and writes its rows through; the engine-backed datasets and tests implement it.
#pragma once

#include "platform/db/DbTypes.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace db {

// Values of one row in column order; a null value is a default-constructed QVariant.
using Row = QVector<QVariant>;

struct ColumnDesc {
    QString name;
    TFieldType type = ftUnknown;
    int size = 0;
    bool required = false;
    bool readOnly = false;
};

// Rows are numbered 0..Count()-1 in the cursor's order; each row keeps an id that survives inserts and deletes.
class Cursor {
public:
    virtual ~Cursor() = default;

    virtual QVector<ColumnDesc> Columns() const = 0;
    virtual int Count() const = 0;
    virtual const Row& Fetch(int index) = 0;
    virtual qint64 RowId(int index) = 0;
    // -1 when no row of the cursor has the id.
    virtual int IndexOf(qint64 rowId) = 0;

    virtual bool CanModify() const = 0;
    // Writes the changed columns of row index; raises the optimistic-update error when the stored row is
    // gone or differs. The cursor then holds the row as stored.
    virtual void Update(int index, const Row& values, const QVector<bool>& changed) = 0;
    // Stores a new row with the assigned columns and places it at index, counters filled in.
    virtual void Insert(int index, const Row& values, const QVector<bool>& assigned) = 0;
    virtual void Remove(int index) = 0;
    // Reads the row again from the store; false when it is gone.
    virtual bool Reread(int index) { return true; }
};

}  // namespace db
