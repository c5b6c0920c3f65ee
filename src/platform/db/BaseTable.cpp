// Describing a result's columns and writing its rows back to their table with optimistic checks.
#include "platform/db/BaseTable.h"

#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

namespace db {

const QString kRowNotLocated =
    QStringLiteral("Row cannot be located for updating. Some values may have been changed since it was last read.");

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

QVariant ReadValue(const sql::Statement& statement, int column, TFieldType type) {
    const QVariant value = statement.Value(column);
    if (type == ftBoolean && !value.isNull()) return value.toLongLong() != 0;
    return value;
}

void BindValues(sql::Statement& statement, const QVariantHash& values) {
    const QStringList names = statement.ParameterNames();
    for (int i = 0; i < names.size(); ++i)
        for (auto it = values.begin(); it != values.end(); ++it)
            if (it.key().compare(names[i], Qt::CaseInsensitive) == 0) statement.Bind(i, it.value());
}

BaseTable::BaseTable(sql::Connection& connection, const sql::Statement& statement) : connection_(connection) {
    QStringList tables, origins;
    for (int i = 0; i < statement.ColumnCount(); ++i) {
        ColumnDesc column;
        int size = 0;
        column.name = statement.ColumnName(i);
        column.type = FieldTypeOfJet(static_cast<int>(statement.ColumnType(i, &size)));
        if (column.type == ftWideString) column.size = size;
        column.readOnly = column.type == ftAutoInc;
        columns_.append(column);
        tables << statement.ColumnTable(i);
        origins << statement.ColumnOrigin(i);
    }
    FindTable(tables, origins);
}

void BaseTable::FindTable(const QStringList& tables, const QStringList& origins) {
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

QString BaseTable::ColumnName(int column) const { return sql::QuoteName(origins_[column]); }

QString BaseTable::SelectList() const {
    QStringList names;
    for (int i = 0; i < origins_.size(); ++i) names << ColumnName(i);
    return names.join(u',');
}

Row BaseTable::ReadRow(const sql::Statement& statement, int first) const {
    Row row(columns_.size());
    for (int i = 0; i < columns_.size(); ++i) row[i] = ReadValue(statement, first + i, columns_[i].type);
    return row;
}

// Rows without a key may repeat: the write touches one of them, as the provider does.
QString BaseTable::OneRow(const QString& where) const {
    return QStringLiteral("rowid = (SELECT rowid FROM %1 WHERE %2 LIMIT 1)").arg(sql::QuoteName(table_), where);
}

QString BaseTable::WhereOriginal(const Row& original, const QVector<bool>& changed, QVariantList& binds) const {
    QStringList terms;
    for (int i = 0; i < columns_.size(); ++i) {
        const bool identifies =
            key_.isEmpty() ? columns_[i].type != ftBlob && columns_[i].type != ftMemo : key_.contains(i);
        if (!identifies && !changed.value(i)) continue;
        terms << ColumnName(i) + QStringLiteral(" IS ?");
        binds << original[i];
    }
    return terms.join(QLatin1String(" AND "));
}

void BaseTable::RunChecked(const QString& nativeSql, const QVariantList& binds) const {
    const auto statement = connection_.Native().Prepare(nativeSql);
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    statement->Step();
    if (connection_.Changes() == 0) sql::RaiseEngineError(kRowNotLocated);
}

void BaseTable::Update(const Row& original, const Row& values, const QVector<bool>& changed) const {
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!changed[i]) continue;
        sets << ColumnName(i) + QStringLiteral(" = ?");
        binds << values[i];
    }
    if (sets.isEmpty()) return;
    const QString where = WhereOriginal(original, changed, binds);
    RunChecked(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(sql::QuoteName(table_), sets.join(u','), OneRow(where)),
               binds);
}

qint64 BaseTable::Insert(const Row& values, const QVector<bool>& assigned) const {
    QStringList names, marks;
    QVariantList binds;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!assigned[i] || columns_[i].type == ftAutoInc) continue;
        names << ColumnName(i);
        marks << QStringLiteral("?");
        binds << values[i];
    }
    const QString sqlText = names.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sql::QuoteName(table_))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(sql::QuoteName(table_), names.join(u','), marks.join(u','));
    const auto statement = connection_.Native().Prepare(sqlText);
    for (int i = 0; i < binds.size(); ++i) statement->Bind(i, binds[i]);
    statement->Step();
    return connection_.Native().QueryValue(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
}

void BaseTable::Remove(const Row& original) const {
    QVariantList binds;
    const QString where = WhereOriginal(original, {}, binds);
    RunChecked(QStringLiteral("DELETE FROM %1 WHERE %2").arg(sql::QuoteName(table_), OneRow(where)), binds);
}

Row BaseTable::ReadStored(qint64 rowid) const {
    const auto statement = connection_.Native().Prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3").arg(SelectList(), sql::QuoteName(table_)).arg(rowid));
    return statement->Step() ? ReadRow(*statement, 0) : Row(columns_.size());
}

}  // namespace db
