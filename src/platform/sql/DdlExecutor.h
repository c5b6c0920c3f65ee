// Running Jet DDL against a database: in place where SQLite can, through the table rebuild where it cannot.
#pragma once

#include <QString>

namespace sql {

class Catalog;
class Database;

void ExecuteDdl(const Database& database, const Catalog& catalog, const QString& jetSql);

}  // namespace sql
