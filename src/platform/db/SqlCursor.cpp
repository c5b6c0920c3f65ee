// Reading a SELECT into a snapshot and writing its rows back with optimistic checks.
#include "platform/db/SqlCursor.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

namespace db {

const QString kRowNotLocated = QStringLiteral(
    "Row cannot be located for updating. Some values may have been changed since it was last read.");

TFieldType FieldTypeOfJet(int jetType) {
    switch (static_cast<sql::JetType>(jetType)) {
        case sql::JetType::Text: return ftWideString;
        case sql::JetType::Memo: return ftMemo;
        case sql::JetType::Long: return ftInteger;
        case sql::JetType::Short: return ftSmallint;
        case sql::JetType::Byte: return ftWord;
        case sql::JetType::Boolean: return ftBoolean;
        case sql::JetType::DateTime: return ftDateTime;
        case sql::JetType::Single:
        case sql::JetType::Double: return ftFloat;
        case sql::JetType::Currency: return ftBCD;
        case sql::JetType::Counter: return ftAutoInc;
        case sql::JetType::Binary: return ftBlob;
        case sql::JetType::Variant: break;
    }
    return ftUnknown;
}

namespace {

// Yes/No columns come back as -1/0; fields hold them as Booleans.
QVariant ReadValue(const sql::Statement& statement, int column, TFieldType type) {
    const QVariant value = statement.Value(column);
    if (type == ftBoolean && !value.isNull()) return value.toLongLong() != 0;
    return value;
}

// Expression columns get the type of the value they hold in the first row.
TFieldType TypeOfValue(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::LongLong: return ftInteger;
        case QMetaType::Double: return ftFloat;
        case QMetaType::QByteArray: return ftBlob;
        default: return ftWideString;
    }
}

void BindValues(sql::Statement& statement, const QVariantHash& values) {
    const QStringList names = statement.ParameterNames();
    for (int i = 0; i < names.size(); ++i)
        for (auto it = values.begin(); it != values.end(); ++it)
            if (it.key().compare(names[i], Qt::CaseInsensitive) == 0) statement.Bind(i, it.value());
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

SqlCursor::SqlCursor(sql::Connection& connection, const QString& jetSql, const QVariantHash& parameters, bool readOnly)
    : connection_(connection) {
    const auto statement = connection.Prepare(jetSql);
    BindValues(*statement, parameters);
    QStringList tables, origins;
    const int columnCount = statement->ColumnCount();
    for (int i = 0; i < columnCount; ++i) {
        ColumnDesc column;
        int size = 0;
        column.name = statement->ColumnName(i);
        column.type = FieldTypeOfJet(static_cast<int>(statement->ColumnType(i, &size)));
        if (column.type == ftWideString) column.size = size;
        column.readOnly = column.type == ftAutoInc;
        columns_.append(column);
        tables << statement->ColumnTable(i);
        origins << statement->ColumnOrigin(i);
    }
    while (statement->Step()) {
        Row row(columnCount);
        for (int i = 0; i < columnCount; ++i) row[i] = ReadValue(*statement, i, columns_[i].type);
        rows_.append(row);
        ids_.append(nextId_++);
    }
    for (int i = 0; i < columnCount; ++i)
        if (columns_[i].type == ftUnknown) columns_[i].type = rows_.isEmpty() ? ftWideString : TypeOfValue(rows_[0][i]);
    if (!readOnly) FindBaseTable(tables, origins);
}

void SqlCursor::FindBaseTable(const QStringList& tables, const QStringList& origins) {
    if (tables.isEmpty() || tables.contains(QString())) return;
    for (const QString& table : tables)
        if (table.compare(tables[0], Qt::CaseInsensitive) != 0) return;
    const auto def = connection_.GetCatalog().Find(tables[0]);
    if (!def) return;
    table_ = def->name;
    origins_ = origins;
    for (int i = 0; i < origins.size(); ++i) {
        const int column = def->ColumnIndex(origins[i]);
        if (column >= 0) columns_[i].required = def->columns[column].notNull && columns_[i].type != ftAutoInc;
    }
    if (const sql::IndexDef* primary = def->PrimaryKey()) {
        for (const sql::IndexColumn& keyColumn : primary->columns) {
            int at = -1;
            for (int i = 0; i < origins.size() && at < 0; ++i)
                if (origins[i].compare(keyColumn.name, Qt::CaseInsensitive) == 0) at = i;
            if (at < 0) {
                key_.clear();
                break;
            }
            key_.append(at);
        }
    }
}

// Rows without a key may repeat: the write touches one of them, as the provider does.
QString SqlCursor::OneRow(const QString& where) const {
    return QStringLiteral("rowid = (SELECT rowid FROM %1 WHERE %2 LIMIT 1)").arg(sql::QuoteName(table_), where);
}

int SqlCursor::IndexOf(qint64 rowId) {
    if (!indexValid_) {
        indexOf_.clear();
        for (int i = 0; i < ids_.size(); ++i) indexOf_.insert(ids_[i], i);
        indexValid_ = true;
    }
    return indexOf_.value(rowId, -1);
}

QString SqlCursor::WhereOriginal(const Row& original, const QVector<bool>& changed, QVariantList& binds) const {
    QStringList terms;
    for (int i = 0; i < columns_.size(); ++i) {
        const bool identifies = key_.isEmpty() ? columns_[i].type != ftBlob && columns_[i].type != ftMemo : key_.contains(i);
        if (!identifies && !changed.value(i)) continue;
        terms << sql::QuoteName(origins_[i]) + QStringLiteral(" IS ?");
        binds << original[i];
    }
    return terms.join(QLatin1String(" AND "));
}

void SqlCursor::Update(int index, const Row& values, const QVector<bool>& changed) {
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!changed[i]) continue;
        sets << sql::QuoteName(origins_[i]) + QStringLiteral(" = ?");
        binds << values[i];
    }
    if (sets.isEmpty()) return;
    const QString where = WhereOriginal(rows_[index], changed, binds);
    const auto statement = connection_.Native().Prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(sql::QuoteName(table_), sets.join(u','), OneRow(where)));
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    statement->Step();
    if (connection_.Changes() == 0) sql::RaiseEngineError(kRowNotLocated);
    for (int i = 0; i < columns_.size(); ++i)
        if (changed[i]) rows_[index][i] = values[i];
}

void SqlCursor::Insert(int index, const Row& values, const QVector<bool>& assigned) {
    QStringList names, marks;
    QVariantList binds;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!assigned[i] || columns_[i].type == ftAutoInc) continue;
        names << sql::QuoteName(origins_[i]);
        marks << QStringLiteral("?");
        binds << values[i];
    }
    const QString sqlText = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sql::QuoteName(table_))
                                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                  .arg(sql::QuoteName(table_), names.join(u','), marks.join(u','));
    const auto statement = connection_.Native().Prepare(sqlText);
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    statement->Step();
    // The stored row holds the counter and the defaults the table gave it.
    const qint64 rowid = connection_.Native().QueryValue(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    rows_.insert(index, ReadStored(rowid));
    ids_.insert(index, nextId_++);
    indexValid_ = false;
}

Row SqlCursor::ReadStored(qint64 rowid) const {
    QStringList names;
    for (const QString& origin : origins_) names << sql::QuoteName(origin);
    const auto statement = connection_.Native().Prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3").arg(names.join(u','), sql::QuoteName(table_)).arg(rowid));
    Row row(columns_.size());
    if (statement->Step())
        for (int i = 0; i < columns_.size(); ++i) row[i] = ReadValue(*statement, i, columns_[i].type);
    return row;
}

void SqlCursor::Remove(int index) {
    QVariantList binds;
    const QString where = WhereOriginal(rows_[index], {}, binds);
    const auto statement =
        connection_.Native().Prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(sql::QuoteName(table_), OneRow(where)));
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    statement->Step();
    if (connection_.Changes() == 0) sql::RaiseEngineError(kRowNotLocated);
    rows_.remove(index);
    ids_.remove(index);
    indexValid_ = false;
}

}  // namespace db
