// Generating SQLite DDL from Jet table definitions.
#include "platform/sql/SchemaSql.h"

#include "platform/sql/Database.h"
#include "platform/sql/TextCompare.h"

namespace sql {
namespace {

QString NameList(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names) quoted << QuoteName(name);
    return quoted.join(QLatin1String(", "));
}

QString CounterKey(const QString& table, const QString& column) {
    return QStringLiteral("TableName = %1 AND ColumnName = %2").arg(QuoteText(table), QuoteText(column));
}

QString TriggerName(const char* kind, const QString& table, const QString& column) {
    return QuoteName(QStringLiteral("%1:%2:%3").arg(QLatin1String(kind), table, column));
}

}  // namespace

QString ColumnSql(const TableDef& table, const ColumnDef& column) {
    const QString name = QuoteName(column.name);
    QString sql = name + QLatin1Char(' ') + DeclaredType(column.type, column.size);
    if (IsTextType(column.type)) sql += QLatin1String(" COLLATE ") + kTextCollation;
    if (column.type == JetType::Boolean) return sql + QLatin1String(" NOT NULL ON CONFLICT REPLACE DEFAULT 0");
    // A counter column is filled by its trigger after the row is in, so it must accept the row without a value.
    if (column.type != JetType::Counter && (column.notNull || table.InPrimaryKey(column.name)))
        sql += QLatin1String(" NOT NULL");
    if (column.type == JetType::Text)
        sql += QStringLiteral(" CONSTRAINT TvTextTooLong CHECK (length(%1) <= %2)").arg(name).arg(column.size);
    // SQLite keeps any 64-bit number in a column declared INTEGER; Jet holds its type's range only. The check
    // sees the value before the column's affinity turns number text into a number, hence the cast.
    if (const std::optional<IntegerRange> range = IntegerRangeOf(column.type)) {
        sql += QStringLiteral(" CONSTRAINT TvOverflow CHECK (CAST(%1 AS REAL) BETWEEN %2 AND %3)")
                   .arg(name)
                   .arg(range->low)
                   .arg(range->high);
    }
    return sql;
}

QString CreateTableSql(const TableDef& table, const QString& sqliteName) {
    QStringList parts;
    for (const ColumnDef& column : table.columns) parts << ColumnSql(table, column);
    for (const ForeignKeyDef& key : table.foreignKeys) {
        QString clause =
            QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4)")
                .arg(QuoteName(key.name), NameList(key.columns), QuoteName(key.refTable), NameList(key.refColumns));
        if (key.updateCascade) clause += QLatin1String(" ON UPDATE CASCADE");
        if (key.deleteCascade) clause += QLatin1String(" ON DELETE CASCADE");
        parts << clause;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(QuoteName(sqliteName), parts.join(QLatin1String(", ")));
}

QString IndexSqliteName(const QString& table, const QString& index) { return table + QLatin1Char('.') + index; }

QString CreateIndexSql(const QString& table, const IndexDef& index) {
    QStringList columns;
    for (const IndexColumn& c : index.columns) columns << QuoteName(c.name) + (c.descending ? " DESC" : "");
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique || index.primary ? QStringLiteral("UNIQUE ") : QString(),
             QuoteName(IndexSqliteName(table, index.name)), QuoteName(table), columns.join(QLatin1String(", ")));
}

QStringList CounterTriggerSql(const QString& table, const QString& column) {
    const QString key = CounterKey(table, column);
    const QString newValue = QLatin1String("NEW.") + QuoteName(column);
    return {
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 FOR EACH ROW WHEN %3 IS NULL BEGIN "
                       "UPDATE %4 SET NextValue = NextValue + Step WHERE %5; "
                       "UPDATE %2 SET %6 = (SELECT NextValue - Step FROM %4 WHERE %5) WHERE rowid = NEW.rowid; END")
            .arg(TriggerName("TvCounter", table, column), QuoteName(table), newValue, kCountersCatalog, key,
                 QuoteName(column)),
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 FOR EACH ROW WHEN %3 IS NOT NULL BEGIN "
                       "UPDATE %4 SET NextValue = %3 + Step WHERE %5 AND NextValue <= %3; END")
            .arg(TriggerName("TvCounterGiven", table, column), QuoteName(table), newValue, kCountersCatalog, key),
    };
}

}  // namespace sql
