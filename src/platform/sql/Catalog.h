// The catalog of ours inside each database: Jet table definitions and the counters' next values.
#pragma once

#include "platform/sql/TableDef.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

namespace sql {

class Database;

class Catalog {
public:
    explicit Catalog(const Database& database) : database_(database) {}

    // Creates the catalog's tables in a new database.
    static void CreateStorage(const Database& database);
    // A database without them was not made by this engine.
    static bool HasStorage(const Database& database);

    QStringList TableNames() const;
    std::optional<TableDef> Find(const QString& table) const;  // name compared without case
    void Store(const TableDef& table) const;                   // adds or replaces
    void Remove(const QString& table) const;                   // with its counters

    // The counter's next value, to be issued to the next new row.
    qint64 NextCounterValue(const QString& table, const QString& column) const;
    void SetCounter(const QString& table, const QString& column, qint64 next, qint64 step) const;
    void RemoveCounter(const QString& table, const QString& column) const;

private:
    std::optional<TableDef> Read(const QString& table) const;
    void Forget() const;

    const Database& database_;
    // Definitions read outside a transaction, by name in lower case, kept while no other connection has committed
    // (the engine's data version) and this catalog has stored or removed none: a dataset's open reads its
    // table's definition, and parsing it again at every open showed in the program's own timings.
    mutable QHash<QString, std::optional<TableDef>> found_;
    mutable qint64 foundVersion_ = -1;
};

}  // namespace sql
