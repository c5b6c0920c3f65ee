// The DDL commands, each checked against the catalog the way Jet checks them.
#include "platform/sql/DdlExecutor.h"

#include "platform/sql/Catalog.h"
#include "platform/sql/Database.h"
#include "platform/sql/DdlParser.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/SchemaSql.h"
#include "platform/sql/Statement.h"
#include "platform/sql/TableRebuild.h"

#include <sqlite3.h>

namespace sql {
namespace {

class Executor {
public:
    Executor(const Database& database, const Catalog& catalog) : database_(database), catalog_(catalog) {}

    void Run(const DdlCommand& command) {
        switch (command.kind) {
            case DdlCommand::CreateTable: return CreateTable(command.definition);
            case DdlCommand::DropTable: return DropTable(command.table);
            case DdlCommand::CreateIndex:
            case DdlCommand::AddConstraint: return AddConstraint(command.table, command.definition);
            case DdlCommand::DropIndex:
            case DdlCommand::DropConstraint: return DropConstraint(command.table, command.name);
            case DdlCommand::AddColumn: return AddColumn(command.table, command.definition);
            case DdlCommand::DropColumn: return DropColumn(command.table, command.name);
            case DdlCommand::AlterColumn:
                return AlterColumn(command.table, command.definition, command.counterSeedGiven);
        }
    }

private:
    TableDef Require(const QString& table) const {
        const std::optional<TableDef> def = catalog_.Find(table);
        if (!def) RaiseEngineError(QStringLiteral("Cannot find table '%1'.").arg(table), kErrorInCommand);
        return *def;
    }

    static void RequireColumns(const TableDef& table, const QStringList& columns) {
        for (const QString& column : columns) {
            if (table.ColumnIndex(column) < 0) {
                RaiseEngineError(QStringLiteral("Field '%1' not found in table '%2'.").arg(column, table.name),
                                 kErrorInCommand);
            }
        }
    }

    static QStringList Names(const QList<IndexColumn>& columns) {
        QStringList names;
        for (const IndexColumn& c : columns) names << c.name;
        return names;
    }

    // Runs the in-place steps of a change as one unit.
    template <typename Steps>
    void Atomically(Steps steps) const {
        database_.Exec(QStringLiteral("SAVEPOINT TvDdl"));
        try {
            steps();
        } catch (...) {
            // A full disk or an I/O error can end the whole transaction, savepoint and all: then nothing is
            // left to undo, and the error to report is the one that ended it.
            if (sqlite3_get_autocommit(database_.Handle()) == 0) {
                database_.Exec(QStringLiteral("ROLLBACK TO TvDdl"));
                database_.Exec(QStringLiteral("RELEASE TvDdl"));
            }
            throw;
        }
        database_.Exec(QStringLiteral("RELEASE TvDdl"));
    }

    // Names what the statement left unnamed, checks names and columns, and completes foreign keys.
    void AddIndex(TableDef& table, IndexDef index) const {
        RequireColumns(table, Names(index.columns));
        if (index.name.isEmpty())
            index.name = index.primary ? QStringLiteral("PrimaryKey") : Names(index.columns).join("_");
        if (index.primary && table.PrimaryKey()) RaiseEngineError(QStringLiteral("Primary key already exists."));
        if (table.IndexIndex(index.name) >= 0 || table.ForeignKeyIndex(index.name) >= 0) {
            RaiseEngineError(QStringLiteral("Table '%1' already has an index named '%2'.").arg(table.name, index.name));
        }
        table.indexes << index;
    }

    void AddForeignKey(TableDef& table, ForeignKeyDef key) const {
        RequireColumns(table, key.columns);
        const TableDef parent =
            key.refTable.compare(table.name, Qt::CaseInsensitive) == 0 ? table : Require(key.refTable);
        if (key.refColumns.isEmpty() && parent.PrimaryKey()) key.refColumns = Names(parent.PrimaryKey()->columns);
        RequireColumns(parent, key.refColumns);
        bool unique = false;
        for (const IndexDef& index : parent.indexes) {
            const QStringList columns = Names(index.columns);
            unique = unique || (index.unique && columns.size() == key.refColumns.size() &&
                                std::is_permutation(columns.begin(), columns.end(), key.refColumns.begin(),
                                                    [](const QString& a, const QString& b) {
                                                        return a.compare(b, Qt::CaseInsensitive) == 0;
                                                    }));
        }
        if (!unique || key.columns.size() != key.refColumns.size())
            RaiseEngineError(QStringLiteral("No unique index found for the referenced field of the primary table."));
        if (key.name.isEmpty()) key.name = parent.name + table.name;
        if (table.ForeignKeyIndex(key.name) >= 0 || table.IndexIndex(key.name) >= 0)
            RaiseEngineError(QStringLiteral("Table '%1' already has an index named '%2'.").arg(table.name, key.name));
        table.foreignKeys << key;
    }

    void AddConstraints(TableDef& table, const TableDef& constraints) const {
        for (const IndexDef& index : constraints.indexes) AddIndex(table, index);
        for (const ForeignKeyDef& key : constraints.foreignKeys) AddForeignKey(table, key);
    }

    void CreateTable(const TableDef& definition) {
        if (catalog_.Find(definition.name))
            RaiseEngineError(QStringLiteral("Table '%1' already exists.").arg(definition.name));
        TableDef table = definition;
        table.indexes.clear();
        table.foreignKeys.clear();
        for (int i = 0; i < table.columns.size(); ++i) {
            if (table.ColumnIndex(table.columns[i].name) != i) {
                RaiseEngineError(
                    QStringLiteral("Field '%1' already exists in table '%2'.").arg(table.columns[i].name, table.name));
            }
        }
        AddConstraints(table, definition);
        Atomically([&] {
            database_.Exec(CreateTableSql(table, table.name));
            for (const ColumnDef& column : table.columns) {
                if (column.type == JetType::Counter)
                    catalog_.SetCounter(table.name, column.name, column.seed, column.step);
            }
            CreateIndexesAndCounters(database_, table);
            catalog_.Store(table);
        });
    }

    void DropTable(const QString& name) {
        const TableDef table = Require(name);
        for (const QString& other : catalog_.TableNames()) {
            if (other.compare(table.name, Qt::CaseInsensitive) == 0) continue;
            for (const ForeignKeyDef& key : Require(other).foreignKeys) {
                if (key.refTable.compare(table.name, Qt::CaseInsensitive) == 0) {
                    RaiseEngineError(QStringLiteral("Cannot delete table '%1'; it is participating in one or more "
                                                    "relationships.")
                                         .arg(table.name));
                }
            }
        }
        Atomically([&] {
            database_.Exec(QLatin1String("DROP TABLE ") + QuoteName(table.name));
            catalog_.Remove(table.name);
        });
    }

    void AddConstraint(const QString& name, const TableDef& constraints) {
        const TableDef table = Require(name);
        TableDef changed = table;
        AddConstraints(changed, constraints);
        // A primary key makes its columns required and a foreign key is part of the table: both need a rebuild.
        const bool inPlace = constraints.foreignKeys.isEmpty() && !changed.PrimaryKey() == !table.PrimaryKey();
        if (!inPlace) return RebuildTable(database_, catalog_, table, changed);
        Atomically([&] {
            database_.Exec(CreateIndexSql(changed.name, changed.indexes.last()));
            catalog_.Store(changed);
        });
    }

    void DropConstraint(const QString& name, const QString& constraint) {
        const TableDef table = Require(name);
        TableDef changed = table;
        const int index = table.IndexIndex(constraint);
        const int key = table.ForeignKeyIndex(constraint);
        if (index < 0 && key < 0) {
            RaiseEngineError(
                QStringLiteral("Cannot find index or constraint '%1' on table '%2'.").arg(constraint, name),
                kErrorInCommand);
        }
        if (key >= 0) {
            changed.foreignKeys.removeAt(key);
            return RebuildTable(database_, catalog_, table, changed);
        }
        changed.indexes.removeAt(index);
        if (table.indexes[index].primary) return RebuildTable(database_, catalog_, table, changed);
        Atomically([&] {
            database_.Exec(QLatin1String("DROP INDEX ") +
                           QuoteName(IndexSqliteName(table.name, table.indexes[index].name)));
            catalog_.Store(changed);
        });
    }

    // A new counter column numbers the rows already there, in their order, and continues after them.
    void NumberRows(const TableDef& table, const ColumnDef& column) const {
        qint64 next = catalog_.NextCounterValue(table.name, column.name);
        const auto rows = database_.Prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 IS NULL ORDER BY rowid")
                                                .arg(QuoteName(table.name), QuoteName(column.name)));
        const auto update = database_.Prepare(
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(QuoteName(table.name), QuoteName(column.name)));
        while (rows->Step()) {
            update->Reset();
            update->Bind(0, next);
            update->Bind(1, rows->Value(0));
            update->Step();
            next += column.step;
        }
        const qint64 highest =
            database_
                .QueryValue(QStringLiteral("SELECT max(%1) FROM %2").arg(QuoteName(column.name), QuoteName(table.name)))
                .toLongLong();
        catalog_.SetCounter(table.name, column.name, qMax(next, highest + column.step), column.step);
    }

    void AddColumn(const QString& name, const TableDef& addition) {
        const TableDef table = Require(name);
        const ColumnDef& column = addition.columns.first();
        if (table.ColumnIndex(column.name) >= 0)
            RaiseEngineError(QStringLiteral("Field '%1' already exists in table '%2'.").arg(column.name, table.name));
        TableDef changed = table;
        changed.columns << column;
        AddConstraints(changed, addition);
        const bool required = column.notNull && column.type != JetType::Boolean && column.type != JetType::Counter;
        if (required || !addition.foreignKeys.isEmpty() || (!table.PrimaryKey() && changed.PrimaryKey())) {
            return RebuildTable(database_, catalog_, table, changed, {}, [&] {
                if (column.type != JetType::Counter) return;
                catalog_.SetCounter(table.name, column.name, column.seed, column.step);
                NumberRows(changed, column);
            });
        }
        Atomically([&] {
            database_.Exec(
                QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(QuoteName(table.name), ColumnSql(changed, column)));
            if (column.type == JetType::Counter) {
                catalog_.SetCounter(table.name, column.name, column.seed, column.step);
                NumberRows(changed, column);
                for (const QString& trigger : CounterTriggerSql(table.name, column.name)) database_.Exec(trigger);
            }
            for (qsizetype i = table.indexes.size(); i < changed.indexes.size(); ++i)
                database_.Exec(CreateIndexSql(changed.name, changed.indexes[i]));
            catalog_.Store(changed);
        });
    }

    void DropColumn(const QString& name, const QString& columnName) {
        const TableDef table = Require(name);
        const int position = table.ColumnIndex(columnName);
        RequireColumns(table, {columnName});
        const auto mentions = [&](const QStringList& columns) {
            return columns.contains(columnName, Qt::CaseInsensitive);
        };
        bool used = false;
        for (const IndexDef& index : table.indexes) used = used || mentions(Names(index.columns));
        for (const ForeignKeyDef& key : table.foreignKeys) used = used || mentions(key.columns);
        if (used)
            RaiseEngineError(
                QStringLiteral("Cannot delete a field that is part of an index or is needed by the system."));
        TableDef changed = table;
        changed.columns.removeAt(position);
        RebuildTable(database_, catalog_, table, changed, {}, [&] {
            if (table.columns[position].type == JetType::Counter) catalog_.RemoveCounter(table.name, columnName);
        });
    }

    void AlterColumn(const QString& name, const TableDef& alteration, bool counterSeedGiven) {
        const TableDef table = Require(name);
        const ColumnDef& column = alteration.columns.first();
        RequireColumns(table, {column.name});
        const int position = table.ColumnIndex(column.name);
        const ColumnDef old = table.columns[position];
        TableDef changed = table;
        changed.columns[position] = column;
        changed.columns[position].name = old.name;
        if (old.type == JetType::Counter && column.type == JetType::Counter) {
            // Reseeding changes only where the counter goes next.
            if (!counterSeedGiven) return;
            return Atomically([&] {
                catalog_.SetCounter(table.name, old.name, column.seed, column.step);
                catalog_.Store(changed);
            });
        }
        AddConstraints(changed, alteration);
        RebuildTable(database_, catalog_, table, changed, old.name, [&] {
            if (old.type == JetType::Counter) catalog_.RemoveCounter(table.name, old.name);
            if (column.type != JetType::Counter) return;
            catalog_.SetCounter(table.name, old.name, column.seed, column.step);
            NumberRows(changed, changed.columns[position]);
        });
    }

    const Database& database_;
    const Catalog& catalog_;
};

}  // namespace

void ExecuteDdl(const Database& database, const Catalog& catalog, const QString& jetSql) {
    Executor(database, catalog).Run(ParseDdl(jetSql));
}

}  // namespace sql
