// Reading rows by rowid a page at a time, writing them back, and asking the table for Locate.
#include "platform/db/KeysetCursor.h"

#include "platform/sql/Connection.h"

#include <algorithm>

namespace db {

KeysetCursor::KeysetCursor(sql::Connection& connection, BaseTable table, sql::Statement& rowIds, bool readOnly)
    : connection_(connection), table_(std::move(table)), readOnly_(readOnly) {
    const int column = rowIds.ColumnCount() - 1;
    while (rowIds.Step()) ids_.append(rowIds.Value(column).toLongLong());
    ascending_ = std::is_sorted(ids_.begin(), ids_.end());
    // The rows shown first are read with the rowids, as the snapshot they belong to.
    if (!ids_.empty()) ReadPage(0);
}

KeysetCursor::KeysetCursor(sql::Connection& connection, BaseTable table, bool readOnly)
    : connection_(connection), table_(std::move(table)), readOnly_(readOnly), inHand_(true) {}

KeysetCursor::~KeysetCursor() = default;

void KeysetCursor::ReadPage(int index) {
    const int first = index - index % kPageRows;
    const int end = std::min(first + kPageRows, Count());
    std::vector<qint64> wanted;
    for (int i = first; i < end; ++i)
        if (!cache_.Find(ids_[i])) wanted.push_back(ids_[i]);
    if (wanted.empty()) return;
    std::sort(wanted.begin(), wanted.end());
    std::vector<bool> read(wanted.size());
    sql::Statement& page = PageStatement(wanted);
    while (page.Step()) {
        const qint64 rowId = page.Value(0).toLongLong();
        const auto it = std::lower_bound(wanted.begin(), wanted.end(), rowId);
        if (it == wanted.end() || *it != rowId) continue;
        cache_.Put(rowId, table_.ReadRow(page, 1));
        read[it - wanted.begin()] = true;
    }
    page.Reset();
    // Rows deleted since the rowids were read.
    for (size_t i = 0; i < wanted.size(); ++i)
        if (!read[i]) cache_.Put(wanted[i], Row(table_.Columns().size()));
}

// Rows stored close together are read as one range; others by their rowids.
sql::Statement& KeysetCursor::PageStatement(const std::vector<qint64>& wanted) {
    const QString select =
        QStringLiteral("SELECT rowid, %1 FROM %2 WHERE ").arg(table_.SelectList(), sql::QuoteName(table_.Table()));
    const qint64 span = wanted.back() - wanted.front() + 1;
    if (span <= 2 * static_cast<qint64>(wanted.size())) {
        if (!range_) range_ = connection_.Native().Prepare(select + QStringLiteral("rowid BETWEEN ? AND ?"));
        range_->Bind(0, wanted.front());
        range_->Bind(1, wanted.back());
        return *range_;
    }
    if (!listed_)
        listed_ = connection_.Native().Prepare(
            select + QStringLiteral("rowid IN (%1)").arg(QStringList(kPageRows, QStringLiteral("?")).join(u',')));
    for (int i = 0; i < kPageRows; ++i)
        listed_->Bind(i, i < static_cast<int>(wanted.size()) ? QVariant(wanted[i]) : QVariant());
    return *listed_;
}

const Row& KeysetCursor::Fetch(int index) {
    if (Row* row = cache_.Find(ids_[index])) return *row;
    ReadPage(index);
    return *cache_.Find(ids_[index]);
}

int KeysetCursor::IndexOf(qint64 rowId) {
    if (ascending_) {
        const auto it = std::lower_bound(ids_.begin(), ids_.end(), rowId);
        return it != ids_.end() && *it == rowId ? static_cast<int>(it - ids_.begin()) : -1;
    }
    if (!positionsMade_) {
        positions_.reserve(ids_.size());
        for (int i = 0; i < Count(); ++i) positions_.emplace_back(ids_[i], i);
        std::sort(positions_.begin(), positions_.end());
        positionsMade_ = true;
    }
    const auto it = std::lower_bound(positions_.begin(), positions_.end(), std::make_pair(rowId, -1));
    return it != positions_.end() && it->first == rowId ? it->second : -1;
}

void KeysetCursor::Update(int index, const Row& original, const Row& values, const QVector<bool>& changed) {
    table_.Update(original, values, changed);
    if (orderColumn_ >= 0 && changed[orderColumn_]) orderColumn_ = -1;
    if (Row* row = cache_.Find(ids_[index]))
        for (int i = 0; i < values.size(); ++i)
            if (changed[i]) (*row)[i] = values[i];
}

void KeysetCursor::Insert(int index, const Row& values, const QVector<bool>& assigned) {
    const qint64 rowId = table_.Insert(values, assigned);
    // The new row stands where it was inserted, not in the order.
    orderColumn_ = -1;
    PositionInserted(index, rowId);
    ids_.insert(index, rowId);
    // The stored row holds the counter and the defaults the table gave it.
    cache_.Put(rowId, table_.ReadStored(rowId));
}

void KeysetCursor::Remove(int index) {
    const Row original = Fetch(index);
    table_.Remove(original);
    cache_.Erase(ids_[index]);
    PositionRemoved(index, ids_[index]);
    ids_.remove(index);
}

// A shift of the positions after the row costs one pass; sorting them all again would cost far more.
void KeysetCursor::PositionInserted(int index, qint64 rowId) {
    ascending_ = ascending_ && (index == 0 || ids_[index - 1] < rowId) && (index == Count() || rowId < ids_[index]);
    if (!positionsMade_) return;
    for (auto& entry : positions_)
        if (entry.second >= index) ++entry.second;
    const auto at = std::lower_bound(positions_.begin(), positions_.end(), std::make_pair(rowId, -1));
    positions_.insert(at, {rowId, index});
}

void KeysetCursor::PositionRemoved(int index, qint64 rowId) {
    if (!positionsMade_) return;
    const auto at = std::lower_bound(positions_.begin(), positions_.end(), std::make_pair(rowId, index));
    if (at != positions_.end() && at->first == rowId) positions_.erase(at);
    for (auto& entry : positions_)
        if (entry.second > index) --entry.second;
}

void KeysetCursor::Hold(qint64 rowId) {
    PositionInserted(Count(), rowId);
    ids_.append(rowId);
}

QString KeysetCursor::Conditions(const QVector<LocateTerm>& terms, QVariantList& binds) const {
    // The highest code point bounds every text that starts with the prefix.
    static const QString kAfterEveryText = QString::fromUcs4(U"\U0010FFFF", 1);
    QStringList conditions;
    for (const LocateTerm& term : terms) {
        const QString column = table_.ColumnName(term.column);
        if (term.value.isNull()) {
            conditions << column + QStringLiteral(" IS NULL");
        } else if (term.prefix) {
            conditions << QStringLiteral("%1 >= ? AND %1 < ?").arg(column);
            binds << term.value << QString(term.value.toString() + kAfterEveryText);
        } else {
            conditions << column + QStringLiteral(" = ?");
            binds << term.value;
        }
    }
    return conditions.join(QLatin1String(" AND "));
}

std::optional<std::vector<int>> KeysetCursor::LocateCandidates(const QVector<LocateTerm>& terms) {
    if (terms.isEmpty()) return std::nullopt;
    QVariantList binds;
    const QString conditions = Conditions(terms, binds);
    // A search as the user types asks the same statement again and again: it is kept prepared.
    const sql::StatementLease statement = connection_.CachedNative(
        QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(sql::QuoteName(table_.Table()), conditions));
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    std::vector<int> indexes;
    while (statement->Step()) {
        const qint64 rowId = statement->Value(0).toLongLong();
        int index = IndexOf(rowId);
        if (index < 0 && inHand_) {
            Hold(rowId);
            index = Count() - 1;
        }
        if (index >= 0) indexes.push_back(index);
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

void KeysetCursor::SetOrderColumn(const QString& name) {
    const QString quoted = sql::QuoteName(name);
    for (int i = 0; i < table_.Columns().size(); ++i)
        if (table_.ColumnName(i).compare(quoted, Qt::CaseInsensitive) == 0) orderColumn_ = i;
}

std::optional<int> KeysetCursor::LocateFirst(const QVector<LocateTerm>& terms) {
    if (inHand_ || orderColumn_ < 0 || terms.size() != 1 || terms[0].column != orderColumn_) return std::nullopt;
    QVariantList binds;
    const QString conditions = Conditions(terms, binds);
    const QString table = sql::QuoteName(table_.Table());
    const QString column = table_.ColumnName(orderColumn_);
    const sql::StatementLease first = connection_.CachedNative(
        QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3, rowid LIMIT 1").arg(table, conditions, column));
    for (int i = 0; i < binds.size(); ++i) first->Bind(i, binds[i]);
    if (!first->Step()) return -1;
    const int index = IndexOf(first->Value(0).toLongLong());
    // A row the statement left out, or one stored since.
    if (index < 0) return std::nullopt;
    if (index == 0) return index;
    // Rows that compare equal may stand in another order: the row before must be stored and not match.
    const sql::StatementLease before = connection_.CachedNative(
        QStringLiteral("SELECT coalesce(%1, 0) FROM %2 WHERE rowid = ?").arg(conditions, table));
    for (int i = 0; i < binds.size(); ++i) before->Bind(i, binds[i]);
    before->Bind(binds.size(), RowId(index - 1));
    return before->Step() && before->Value(0).toLongLong() == 0 ? std::optional<int>(index) : std::nullopt;
}

}  // namespace db
