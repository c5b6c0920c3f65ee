// The SQLite statements that store a Jet table definition: table, indexes and counter triggers.
#pragma once

#include "platform/sql/TableDef.h"

#include <QStringList>

namespace sql {

// The catalog's own tables: one row per table (its definition) and one per counter (its next value).
inline const QString kTablesCatalog = QStringLiteral("TvSysTables");
inline const QString kCountersCatalog = QStringLiteral("TvSysCounters");
// The prefix of the temporary name a table is rebuilt under.
inline const QString kRebuildPrefix = QStringLiteral("TvRebuild:");

// CREATE TABLE for the definition under the given SQLite name (a rebuild creates it under a temporary one).
QString CreateTableSql(const TableDef& table, const QString& sqliteName);
// The column clause as ALTER TABLE ADD COLUMN takes it.
QString ColumnSql(const TableDef& table, const ColumnDef& column);
// Index names are global in SQLite but belong to a table in Jet: the stored name carries both.
QString IndexSqliteName(const QString& table, const QString& index);
QString CreateIndexSql(const QString& table, const IndexDef& index);
// The triggers that number a counter column: a new row without a value gets the next one, a row given a
// value moves the counter past it, so no number is ever issued twice.
QStringList CounterTriggerSql(const QString& table, const QString& column);

}  // namespace sql
