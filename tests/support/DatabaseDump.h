// A database file as text, to tell whether a change left it at its old or its new state.
#pragma once

#include "platform/sql/Connection.h"

#include <QStringList>

namespace testing_env {

// Everything the file holds, read through a connection of its own: the engine's schema (tables, indexes,
// triggers), then every row of every table, the catalog's tables and the counters included, in rowid order.
// Byte images differ between equal files, so changes are compared on this. The planner's statistics
// (sqlite_stat*) are left out: they describe the content, they are not part of it.
inline QStringList DumpDatabase(const QString& path, const QString& password = {}) {
    const sql::Connection connection(sql::ConnectOptions{path, password});
    const sql::Database& database = connection.Native();
    QStringList lines;
    QStringList tables;
    const auto schema =
        database.Prepare(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master "
                                        "WHERE name NOT LIKE 'sqlite\\_stat%' ESCAPE '\\' ORDER BY type, name"));
    while (schema->Step()) {
        lines << QStringLiteral("%1 %2 on %3: %4")
                     .arg(schema->Value(0).toString(), schema->Value(1).toString(), schema->Value(2).toString(),
                          schema->Value(3).toString());
        if (schema->Value(0).toString() == QLatin1String("table")) tables << schema->Value(1).toString();
    }
    for (const QString& table : tables) {
        const auto rows =
            database.Prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(sql::QuoteName(table)));
        while (rows->Step()) {
            QStringList values;
            for (int i = 0; i < rows->ColumnCount(); ++i) {
                const QVariant value = rows->Value(i);
                values << (value.isNull() ? QStringLiteral("<null>") : value.toString());
            }
            lines << table + QStringLiteral(": ") + values.join(u'|');
        }
    }
    return lines;
}

}  // namespace testing_env
