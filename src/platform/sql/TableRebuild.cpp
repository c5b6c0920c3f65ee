// Rebuilding a table under a temporary name and putting it in the old one's place.
#include "platform/sql/TableRebuild.h"

#include "platform/sql/Catalog.h"
#include "platform/sql/Database.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/SchemaSql.h"
#include "platform/sql/Statement.h"
#include "platform/sql/ValueConversion.h"

#include <sqlite3.h>

namespace sql {
namespace {

void CopyRows(const Database& database, const TableDef& from, const TableDef& to, const QString& target,
              const QString& convertedColumn) {
    QStringList columns;
    QList<int> sourceIndexes;
    for (const ColumnDef& column : to.columns) {
        const int source = from.ColumnIndex(column.name);
        if (source < 0) continue;
        columns << QuoteName(column.name);
        sourceIndexes << source;
    }
    const QString list = columns.isEmpty() ? QString() : QLatin1String(", ") + columns.join(QLatin1String(", "));
    const QString select = QStringLiteral("SELECT rowid%1 FROM %2 ORDER BY rowid").arg(list, QuoteName(from.name));
    if (convertedColumn.isEmpty()) {
        database.Exec(QStringLiteral("INSERT INTO %1 (rowid%2) %3").arg(QuoteName(target), list, select));
        return;
    }
    QStringList marks(columns.size() + 1, QStringLiteral("?"));
    const auto insert = database.Prepare(QStringLiteral("INSERT INTO %1 (rowid%2) VALUES (%3)")
                                             .arg(QuoteName(target), list, marks.join(QLatin1Char(','))));
    const auto rows = database.Prepare(select);
    while (rows->Step()) {
        insert->Reset();
        insert->Bind(0, rows->Value(0));
        for (int i = 0; i < sourceIndexes.size(); ++i) {
            const ColumnDef& source = from.columns[sourceIndexes[i]];
            QVariant value = rows->Value(i + 1);
            if (source.name.compare(convertedColumn, Qt::CaseInsensitive) == 0)
                value = ConvertValue(value, source.type, to.columns[to.ColumnIndex(source.name)]);
            insert->Bind(i + 1, value);
        }
        insert->Step();
    }
}

// The indexes and triggers made on the table in native SQL, outside the catalog (the catalog's indexes are
// named after their table, its counter triggers carry the engine's prefix): DROP TABLE takes them along, so
// the rebuild makes them again.
QStringList EngineSideObjects(const Database& database, const TableDef& table) {
    QStringList catalogIndexes;
    for (const IndexDef& index : table.indexes) catalogIndexes << IndexSqliteName(table.name, index.name);
    const auto objects = database.Prepare(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND tbl_name = ? COLLATE NOCASE "
        "AND sql IS NOT NULL ORDER BY type, name"));
    objects->Bind(0, table.name);
    QStringList sql;
    while (objects->Step()) {
        const QString name = objects->Value(0).toString();
        if (catalogIndexes.contains(name, Qt::CaseInsensitive) || name.startsWith(QLatin1String("TvCounter"))) continue;
        sql << objects->Value(1).toString();
    }
    return sql;
}

// An index on a column the new table no longer has cannot be made again; the engine refuses it when the
// statement is compiled, before anything is written.
bool Compiles(const Database& database, const QString& nativeSql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = nativeSql.toUtf8();
    const int rc = sqlite3_prepare_v2(database.Handle(), text.constData(), text.size(), &statement, nullptr);
    sqlite3_finalize(statement);
    return rc == SQLITE_OK;
}

}  // namespace

void CreateIndexesAndCounters(const Database& database, const TableDef& table) {
    for (const IndexDef& index : table.indexes) database.Exec(CreateIndexSql(table.name, index));
    for (const ColumnDef& column : table.columns) {
        if (column.type != JetType::Counter) continue;
        for (const QString& trigger : CounterTriggerSql(table.name, column.name)) database.Exec(trigger);
    }
}

void RebuildTable(const Database& database, const Catalog& catalog, const TableDef& from, const TableDef& to,
                  const QString& convertedColumn, const std::function<void()>& alsoDo) {
    if (sqlite3_get_autocommit(database.Handle()) == 0) {
        RaiseEngineError(
            QStringLiteral("The design of table '%1' cannot be changed inside a transaction.").arg(from.name));
    }
    // Foreign keys are off while the old table is dropped, or dropping it would act on the rows that refer to it.
    database.Exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    try {
        database.Exec(QStringLiteral("BEGIN IMMEDIATE"));
        const QString temporary = kRebuildPrefix + to.name;
        const QStringList engineSide =
            from.name.compare(to.name, Qt::CaseInsensitive) == 0 ? EngineSideObjects(database, from) : QStringList();
        database.Exec(CreateTableSql(to, temporary));
        CopyRows(database, from, to, temporary, convertedColumn);
        database.Exec(QLatin1String("DROP TABLE ") + QuoteName(from.name));
        database.Exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteName(temporary), QuoteName(to.name)));
        CreateIndexesAndCounters(database, to);
        for (const QString& object : engineSide)
            if (Compiles(database, object)) database.Exec(object);
        catalog.Store(to);
        if (alsoDo) alsoDo();
        if (!database.QueryValue(QStringLiteral("PRAGMA foreign_key_check")).isNull()) {
            RaiseEngineError(QStringLiteral("You cannot add or change a record because a related record is "
                                            "required in table '%1'.")
                                 .arg(to.name));
        }
        database.Exec(QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(database.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        database.Exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        throw;
    }
    database.Exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

}  // namespace sql
