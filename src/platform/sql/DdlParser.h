// Jet DDL read into commands: CREATE TABLE/INDEX, DROP TABLE/INDEX, ALTER TABLE ADD/DROP/ALTER.
#pragma once

#include "platform/sql/TableDef.h"

namespace sql {

struct DdlCommand {
    enum Kind {
        CreateTable,
        DropTable,
        CreateIndex,
        DropIndex,
        AddColumn,
        DropColumn,
        AlterColumn,
        AddConstraint,
        DropConstraint
    };
    Kind kind = CreateTable;
    QString table;
    // CreateTable: the whole table; AddColumn, AlterColumn: the one column with the constraints written on it;
    // AddConstraint: the constraint alone (an index or a foreign key).
    TableDef definition;
    bool counterSeedGiven = false;  // AlterColumn to AUTOINCREMENT(seed, step): a reseed
    QString name;                   // DropIndex, DropColumn, DropConstraint
};

// Raises Jet's syntax errors; a column type that is not a Jet type is one.
DdlCommand ParseDdl(const QString& jetSql);

}  // namespace sql
