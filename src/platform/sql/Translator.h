// Jet SQL in, SQLite SQL out: names, quoted texts, dates, Jet's yes/no words, parameters and aliases.
#pragma once

#include <QString>

namespace sql {

enum class StatementKind { Select, Insert, Update, Delete, Ddl, Other };

struct Translation {
    StatementKind kind = StatementKind::Other;
    QString sql;  // empty for DDL, which the DDL executor reads itself
};

// Translates one Jet statement. Raises a syntax error for text the tokenizer cannot read.
Translation TranslateStatement(const QString& jetSql);

}  // namespace sql
