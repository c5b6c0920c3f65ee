// The statement that lists which rows a plain one-table SELECT returns, in its order, without their values.
#pragma once

#include "platform/sql/Connection.h"

#include <QString>
#include <optional>

namespace db {

// Prepares the SELECT with the rowid of table as its last column (its only one where the select list is not
// needed for the order). Null for anything but SELECT [list] FROM table [alias] [WHERE ...] [ORDER BY ...]:
// joins, DISTINCT, TOP, grouping and unions keep their rows whole. Kept: the connection's cached statement.
std::optional<sql::StatementLease> RowIdStatement(const sql::Connection& connection, const QString& jetSql,
                                                  const QString& table, bool kept);

// The column a SELECT * FROM table ... ORDER BY column [ASC][, ...] sorts by first, as written; empty for any
// other order (descending, an expression, a position) and for a select list, whose names may stand for
// other columns.
QString LeadingOrderColumn(const QString& jetSql);

}  // namespace db
