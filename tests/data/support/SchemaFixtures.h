// Database files for the data module's tests: older schema versions with a few rows, and catalog dumps.
#pragma once

#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QStringList>

namespace data_test {

inline QString DbPath(const QString& name = QStringLiteral("test.tvd")) {
    return QDir(testing_env::TempDir()).filePath(name);
}

// The schema versions an older file can have; V52From51 is a 5.2 file that still carries the 5.1 marker.
enum class OlderSchema { V50, V51, V52, V52From51, V61, V62 };

// Builds a database file of the given version, as that version of the program left it, with these rows:
// types Room; resources "Room 1" (MaxBookDays 0, Ep "x") and "Room 2" (MaxBookDays 3); group "Floor 1"
// holding Room 2; booking 1001 on Room 1 (Ep "e"); one History row; address book entries b@x then a@x.
void BuildOlderDatabase(const QString& path, OlderSchema version, const QString& password = {});

// The Jet schema of the file, one line per column, index and foreign key:
//   "Table.Column TYPE(size) NOT NULL", "Table index Name (A, B) unique" or "... primary",
//   "Table fk Name (A) -> Other (B) update-cascade".
// Tables in name order; the columns, indexes and keys of a table in the catalog's order.
QStringList CatalogLines(const sql::Connection& connection);

// Every row of a Jet query, each row's values joined with "|" (null as "<null>").
QStringList RowTexts(const sql::Connection& connection, const QString& jetSql);

// The RanvelGlobal columns whose names mark a schema version.
QStringList MarkerColumns(const sql::Connection& connection);

}  // namespace data_test
