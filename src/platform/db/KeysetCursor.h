// The paged cursor: the rowids of a one-table SELECT kept in order, their rows read a page at a time.
#pragma once

#include "platform/db/BaseTable.h"
#include "platform/db/RowCache.h"

#include <memory>
#include <utility>
#include <vector>

namespace db {

// The rows are those the statement returned at open, in its order (a snapshot until it is opened again);
// their values are read from the table when first shown. A row someone else deleted since shows all null,
// and writing it back raises the optimistic-update error.
// A cursor over rows in hand lists nothing at open: it holds the rows a Locate found in the table, in the
// order they were found, and those inserted through it, where they were inserted.
class KeysetCursor : public Cursor {
public:
    static constexpr int kPageRows = 200;
    static constexpr int kCachedRows = 8 * kPageRows;

    // Reads the rowids from the bound statement's last column.
    KeysetCursor(sql::Connection& connection, BaseTable table, sql::Statement& rowIds, bool readOnly);
    // Over rows in hand: starts empty.
    KeysetCursor(sql::Connection& connection, BaseTable table, bool readOnly);
    ~KeysetCursor() override;

    QVector<ColumnDesc> Columns() const override { return table_.Columns(); }
    int Count() const override { return ids_.size(); }
    const Row& Fetch(int index) override;
    qint64 RowId(int index) override { return ids_[index]; }
    int IndexOf(qint64 rowId) override;
    bool CanModify() const override { return !readOnly_; }
    void Update(int index, const Row& original, const Row& values, const QVector<bool>& changed) override;
    void Insert(int index, const Row& values, const QVector<bool>& assigned) override;
    void Remove(int index) override;
    std::optional<std::vector<int>> LocateCandidates(const QVector<LocateTerm>& terms) override;
    std::optional<int> LocateFirst(const QVector<LocateTerm>& terms) override;
    // The statement sorted its rows by this table column first (as the table names it), ascending.
    void SetOrderColumn(const QString& name);

    int CachedRows() const { return cache_.Size(); }

private:
    void ReadPage(int index);
    sql::Statement& PageStatement(const std::vector<qint64>& wanted);
    // Keeps the position index true when a row comes in at index or goes from it.
    void PositionInserted(int index, qint64 rowId);
    void PositionRemoved(int index, qint64 rowId);
    void Hold(qint64 rowId);
    // The store's test of every term, with the values it binds.
    QString Conditions(const QVector<LocateTerm>& terms, QVariantList& binds) const;

    sql::Connection& connection_;
    BaseTable table_;
    bool readOnly_;
    // A QVector grows in place (realloc), which matters for a million rowids.
    QVector<qint64> ids_;
    bool inHand_ = false;
    // While the rowids ascend (a table in stored order) a binary search finds a position; otherwise the
    // (rowid, position) pairs sorted by rowid, made when first needed and kept up to date from then on.
    bool ascending_ = true;
    bool positionsMade_ = false;
    std::vector<std::pair<qint64, int>> positions_;
    // The result column the rows are sorted by, while they still are (-1 when unknown): the rows a term on
    // it matches then stand together, and the first of them is the first the engine finds in that order.
    int orderColumn_ = -1;
    RowCache cache_{kCachedRows};
    // Prepared once: rows by a range of rowids, and by a list of them.
    std::unique_ptr<sql::Statement> range_;
    std::unique_ptr<sql::Statement> listed_;
};

}  // namespace db
