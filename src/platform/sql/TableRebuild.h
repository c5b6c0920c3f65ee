// The one table rebuild behind every change SQLite cannot make in place.
#pragma once

#include "platform/sql/TableDef.h"

#include <functional>

namespace sql {

class Catalog;
class Database;

// Replaces the table by one of the new definition inside a transaction, keeping rows (by rowid, so their
// order), indexes, constraints and counters, and the indexes and triggers made on it in native SQL outside
// the catalog (those on a column the new definition drops go). Columns are matched by name; convertedColumn, when
// given, has its values converted to its new type (ALTER COLUMN). alsoDo, when given, runs inside the same transaction
// once the new table is in place, so that what goes with the change commits with it or not at all. Must run outside a
// transaction.
void RebuildTable(const Database& database, const Catalog& catalog, const TableDef& from, const TableDef& to,
                  const QString& convertedColumn = {}, const std::function<void()>& alsoDo = {});

// Creates a table's indexes and counter triggers from its definition.
void CreateIndexesAndCounters(const Database& database, const TableDef& table);

}  // namespace sql
