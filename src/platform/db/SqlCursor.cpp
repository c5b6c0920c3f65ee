// Reading a SELECT into a snapshot, and choosing between the snapshot and the paged cursor.
#include "platform/db/SqlCursor.h"

#include "platform/db/KeysetCursor.h"
#include "platform/db/RowIdQuery.h"
#include "platform/sql/Connection.h"

namespace db {
namespace {

// Expression columns get the type of the value they hold in the first row.
TFieldType TypeOfValue(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::LongLong: return ftInteger;
        case QMetaType::Double: return ftFloat;
        case QMetaType::QByteArray: return ftBlob;
        default: return ftWideString;
    }
}

}  // namespace

int RunCommand(sql::Connection& connection, const QString& jetSql, const QVariantHash& values) {
    if (values.isEmpty()) return connection.Execute(jetSql);
    const auto statement = connection.Prepare(jetSql);
    BindValues(*statement, values);
    while (statement->Step()) {
    }
    return connection.Changes();
}

std::shared_ptr<Cursor> OpenSelect(sql::Connection& connection, const QString& jetSql, const QVariantHash& parameters,
                                   bool readOnly, bool rowsInHand) {
    // A statement with parameters is one the program runs again with other values (a booking's task, its
    // history, a view's period): kept prepared on the connection, as its texts are few.
    const bool kept = !parameters.isEmpty();
    const sql::StatementLease statement =
        kept ? connection.Cached(jetSql) : sql::StatementLease(connection.Prepare(jetSql));
    BaseTable table(connection, *statement);
    if (rowsInHand && !table.Table().isEmpty())
        return std::make_shared<KeysetCursor>(connection, std::move(table), readOnly);
    if (!table.Table().isEmpty()) {
        if (const auto rowIds = RowIdStatement(connection, jetSql, table.Table(), kept)) {
            BindValues(**rowIds, parameters);
            auto cursor = std::make_shared<KeysetCursor>(connection, std::move(table), **rowIds, readOnly);
            cursor->SetOrderColumn(LeadingOrderColumn(jetSql));
            return cursor;
        }
    }
    BindValues(*statement, parameters);
    return std::make_shared<SqlCursor>(std::move(table), *statement, readOnly);
}

SqlCursor::SqlCursor(BaseTable table, sql::Statement& statement, bool readOnly)
    : table_(std::move(table)), readOnly_(readOnly) {
    while (statement.Step()) {
        Row row(table_.Columns().size());
        for (int i = 0; i < row.size(); ++i) row[i] = ReadValue(statement, i, table_.Columns()[i].type);
        rows_.append(row);
        ids_.append(nextId_++);
    }
    for (int i = 0; i < table_.Columns().size(); ++i) {
        ColumnDesc& column = table_.Columns()[i];
        if (column.type == ftUnknown) column.type = rows_.isEmpty() ? ftWideString : TypeOfValue(rows_[0][i]);
    }
}

int SqlCursor::IndexOf(qint64 rowId) {
    if (!indexValid_) {
        indexOf_.clear();
        for (int i = 0; i < ids_.size(); ++i) indexOf_.insert(ids_[i], i);
        indexValid_ = true;
    }
    return indexOf_.value(rowId, -1);
}

void SqlCursor::Update(int index, const Row& original, const Row& values, const QVector<bool>& changed) {
    table_.Update(original, values, changed);
    for (int i = 0; i < values.size(); ++i)
        if (changed[i]) rows_[index][i] = values[i];
}

void SqlCursor::Insert(int index, const Row& values, const QVector<bool>& assigned) {
    // The stored row holds the counter and the defaults the table gave it.
    rows_.insert(index, table_.ReadStored(table_.Insert(values, assigned)));
    ids_.insert(index, nextId_++);
    indexValid_ = false;
}

void SqlCursor::Remove(int index) {
    table_.Remove(rows_[index]);
    rows_.remove(index);
    ids_.remove(index);
    indexValid_ = false;
}

}  // namespace db
