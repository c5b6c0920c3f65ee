// The cursor a dataset reads and writes its rows through; the engine-backed datasets and tests implement it.
#pragma once

#include "platform/db/DbTypes.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>
#include <vector>

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

// One condition of a Locate that the store can test: the column equals the value (IS NULL for a null), or,
// for a prefix, the text column starts with it; texts compare without case.
struct LocateTerm {
    int column = 0;
    QVariant value;
    bool prefix = false;
};

// Rows are numbered 0..Count()-1 in the cursor's order; each row keeps an id that survives inserts and deletes.
class Cursor {
public:
    virtual ~Cursor() = default;

    virtual QVector<ColumnDesc> Columns() const = 0;
    virtual int Count() const = 0;
    // The reference is good until the cursor changes or fetches another row.
    virtual const Row& Fetch(int index) = 0;
    virtual qint64 RowId(int index) = 0;
    // -1 when no row of the cursor has the id.
    virtual int IndexOf(qint64 rowId) = 0;

    virtual bool CanModify() const = 0;
    // Writes the changed columns of row index, read as original; raises the optimistic-update error when the
    // stored row is gone or differs. The cursor then holds the row as stored.
    virtual void Update(int index, const Row& original, const Row& values, const QVector<bool>& changed) = 0;
    // Stores a new row with the assigned columns and places it at index, counters filled in.
    virtual void Insert(int index, const Row& values, const QVector<bool>& assigned) = 0;
    virtual void Remove(int index) = 0;
    // The indexes, ascending, of the rows that may match every term (the caller tests each); nothing when
    // the cursor cannot ask its store and the caller must look at every row.
    virtual std::optional<std::vector<int>> LocateCandidates(const QVector<LocateTerm>& terms) { return std::nullopt; }
    // The first index LocateCandidates would answer (-1 when it would answer none), where the cursor can find
    // it without listing them all; nothing otherwise.
    virtual std::optional<int> LocateFirst(const QVector<LocateTerm>& terms) { return std::nullopt; }
};

}  // namespace db
