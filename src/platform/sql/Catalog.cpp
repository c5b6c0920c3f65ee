// Reading and writing the catalog's tables.
#include "platform/sql/Catalog.h"

#include "platform/sql/Database.h"
#include "platform/sql/SchemaSql.h"
#include "platform/sql/Statement.h"

#include <sqlite3.h>

namespace sql {

void Catalog::CreateStorage(const Database& database) {
    database.Exec(QStringLiteral("CREATE TABLE %1 (TableName TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, "
                                 "Definition TEXT NOT NULL)")
                      .arg(kTablesCatalog));
    database.Exec(QStringLiteral("CREATE TABLE %1 (TableName TEXT NOT NULL COLLATE NOCASE, ColumnName TEXT NOT NULL "
                                 "COLLATE NOCASE, NextValue INTEGER NOT NULL, Step INTEGER NOT NULL, "
                                 "PRIMARY KEY (TableName, ColumnName))")
                      .arg(kCountersCatalog));
}

bool Catalog::HasStorage(const Database& database) {
    return database
               .QueryValue(
                   QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN (%1, %2)")
                       .arg(QuoteText(kTablesCatalog), QuoteText(kCountersCatalog)))
               .toInt() == 2;
}

QStringList Catalog::TableNames() const {
    QStringList names;
    const auto statement =
        database_.Prepare(QStringLiteral("SELECT TableName FROM %1 ORDER BY TableName").arg(kTablesCatalog));
    while (statement->Step()) names << statement->Value(0).toString();
    return names;
}

std::optional<TableDef> Catalog::Find(const QString& table) const {
    // Within a transaction a definition may yet be rolled back: read, not kept.
    if (!sqlite3_get_autocommit(database_.Handle())) return Read(table);
    const qint64 version = database_.QueryValue(QStringLiteral("PRAGMA data_version")).toLongLong();
    if (version != foundVersion_) {
        found_.clear();
        foundVersion_ = version;
    }
    // The catalog compares names without case in ASCII only, and so does the key.
    QString key = table;
    for (QChar& c : key)
        if (c.unicode() < 0x80) c = c.toLower();
    const auto known = found_.constFind(key);
    if (known != found_.constEnd()) return *known;
    return *found_.insert(key, Read(table));
}

void Catalog::Forget() const {
    found_.clear();
    foundVersion_ = -1;
}

std::optional<TableDef> Catalog::Read(const QString& table) const {
    const QVariant json = database_.QueryValue(
        QStringLiteral("SELECT Definition FROM %1 WHERE TableName = %2").arg(kTablesCatalog, QuoteText(table)));
    if (json.isNull()) return std::nullopt;
    return TableDef::FromJson(json.toString().toUtf8());
}

void Catalog::Store(const TableDef& table) const {
    Forget();
    const auto statement = database_.Prepare(
        QStringLiteral("INSERT OR REPLACE INTO %1 (TableName, Definition) VALUES (?, ?)").arg(kTablesCatalog));
    statement->Bind(0, table.name);
    statement->Bind(1, QString::fromUtf8(table.ToJson()));
    statement->Step();
}

void Catalog::Remove(const QString& table) const {
    Forget();
    database_.Exec(QStringLiteral("DELETE FROM %1 WHERE TableName = %2").arg(kTablesCatalog, QuoteText(table)));
    database_.Exec(QStringLiteral("DELETE FROM %1 WHERE TableName = %2").arg(kCountersCatalog, QuoteText(table)));
}

qint64 Catalog::NextCounterValue(const QString& table, const QString& column) const {
    return database_
        .QueryValue(QStringLiteral("SELECT NextValue FROM %1 WHERE TableName = %2 AND ColumnName = %3")
                        .arg(kCountersCatalog, QuoteText(table), QuoteText(column)))
        .toLongLong();
}

void Catalog::SetCounter(const QString& table, const QString& column, qint64 next, qint64 step) const {
    database_.Exec(QStringLiteral("INSERT OR REPLACE INTO %1 (TableName, ColumnName, NextValue, Step) "
                                  "VALUES (%2, %3, %4, %5)")
                       .arg(kCountersCatalog, QuoteText(table), QuoteText(column))
                       .arg(next)
                       .arg(step));
}

void Catalog::RemoveCounter(const QString& table, const QString& column) const {
    database_.Exec(QStringLiteral("DELETE FROM %1 WHERE TableName = %2 AND ColumnName = %3")
                       .arg(kCountersCatalog, QuoteText(table), QuoteText(column)));
}

}  // namespace sql
