// A recursive-descent reader for the Jet DDL statements the program issues.
#include "platform/sql/DdlParser.h"

#include "platform/sql/EngineError.h"
#include "platform/sql/Tokenizer.h"

namespace sql {
namespace {

class Parser {
public:
    explicit Parser(const QString& sql) {
        for (const Token& token : Tokenize(sql)) {
            if (token.kind != Token::Space) tokens_ << token;
        }
        if (!tokens_.isEmpty() && tokens_.back().Is(";")) tokens_.removeLast();
    }

    DdlCommand Parse() {
        DdlCommand command;
        if (Accept("create")) {
            if (Accept("table")) {
                error_ = "Syntax error in CREATE TABLE statement.";
                command.kind = DdlCommand::CreateTable;
                command.definition.name = command.table = Name();
                Expect("(");
                do {
                    if (Peek("constraint") || Peek("primary") || Peek("unique") || Peek("foreign"))
                        TableConstraint(command.definition);
                    else ColumnDefinition(command.definition);
                } while (Accept(","));
                Expect(")");
            } else {
                error_ = "Syntax error in CREATE INDEX statement.";
                command.kind = DdlCommand::CreateIndex;
                IndexDef index;
                index.unique = Accept("unique");
                Expect("index");
                index.name = Name();
                Expect("on");
                command.table = Name();
                index.columns = IndexColumns();
                if (Accept("with")) {
                    Expect("primary");
                    // A primary key is unique whether or not UNIQUE was written.
                    index.primary = true;
                    index.unique = true;
                }
                command.definition.indexes << index;
            }
        } else if (Accept("drop")) {
            error_ = "Syntax error in DROP TABLE or DROP INDEX.";
            if (Accept("table")) {
                command.kind = DdlCommand::DropTable;
                command.table = Name();
            } else {
                Expect("index");
                command.kind = DdlCommand::DropIndex;
                command.name = Name();
                Expect("on");
                command.table = Name();
            }
        } else {
            error_ = "Syntax error in ALTER TABLE statement.";
            Expect("alter");
            Expect("table");
            command.table = command.definition.name = Name();
            if (Accept("add")) {
                if (Peek("constraint") || Peek("primary") || Peek("unique") || Peek("foreign")) {
                    command.kind = DdlCommand::AddConstraint;
                    TableConstraint(command.definition);
                } else {
                    Accept("column");
                    command.kind = DdlCommand::AddColumn;
                    ColumnDefinition(command.definition);
                }
            } else if (Accept("drop")) {
                command.kind = Accept("constraint") ? DdlCommand::DropConstraint : DdlCommand::DropColumn;
                if (command.kind == DdlCommand::DropColumn) Accept("column");
                command.name = Name();
            } else {
                Expect("alter");
                Accept("column");
                command.kind = DdlCommand::AlterColumn;
                command.counterSeedGiven = ColumnDefinition(command.definition);
            }
        }
        if (position_ != tokens_.size()) Fail();
        return command;
    }

private:
    [[noreturn]] void Fail() const { RaiseSyntaxError(QLatin1String(error_)); }

    bool Peek(const char* word) const { return position_ < tokens_.size() && tokens_[position_].Is(word); }
    bool Accept(const char* word) {
        if (!Peek(word)) return false;
        ++position_;
        return true;
    }
    void Expect(const char* word) {
        if (!Accept(word)) Fail();
    }

    QString Name() {
        if (position_ >= tokens_.size()) Fail();
        const Token& token = tokens_[position_];
        if (token.kind != Token::Word && token.kind != Token::Name) Fail();
        ++position_;
        return token.text;
    }

    qint64 Number() {
        const bool negative = Accept("-");
        if (position_ >= tokens_.size() || tokens_[position_].kind != Token::Number) Fail();
        bool ok = false;
        const qint64 value = tokens_[position_++].text.toLongLong(&ok);
        if (!ok) Fail();
        return negative ? -value : value;
    }

    QStringList NameList() {
        QStringList names;
        Expect("(");
        do names << Name();
        while (Accept(","));
        Expect(")");
        return names;
    }

    QList<IndexColumn> IndexColumns() {
        QList<IndexColumn> columns;
        Expect("(");
        do {
            IndexColumn column{Name(), false};
            if (Accept("desc")) column.descending = true;
            else Accept("asc");
            columns << column;
        } while (Accept(","));
        Expect(")");
        return columns;
    }

    static QList<IndexColumn> AsIndexColumns(const QStringList& names) {
        QList<IndexColumn> columns;
        for (const QString& name : names) columns << IndexColumn{name, false};
        return columns;
    }

    // A column: name, Jet type, size or counter seed, then NOT NULL and constraints in any order.
    // Answers whether a counter's seed was written out.
    bool ColumnDefinition(TableDef& table) {
        const char* outer = error_;
        error_ = "Syntax error in field definition.";
        ColumnDef column;
        column.name = Name();
        const QString typeName = Name();
        const std::optional<JetType> type = JetTypeFromName(typeName);
        if (!type) Fail();
        column.type = *type;
        bool seedGiven = false;
        if (Accept("(")) {
            const qint64 first = Number();
            if (column.type == JetType::Counter) {
                Expect(",");
                column.seed = first;
                column.step = Number();
                seedGiven = true;
            } else if (column.type == JetType::Text) {
                if (first < 1 || first > kDefaultTextSize) Fail();
                column.size = static_cast<int>(first);
            } else {
                Fail();
            }
            Expect(")");
        } else if (column.type == JetType::Text) {
            // TEXT without a size is a memo; VARCHAR, CHAR and the others hold 255 characters.
            if (typeName.compare(QLatin1String("text"), Qt::CaseInsensitive) == 0) column.type = JetType::Memo;
            else column.size = kDefaultTextSize;
        }
        table.columns << column;
        for (;;) {
            if (Accept("not")) {
                Expect("null");
                table.columns.last().notNull = true;
            } else if (Accept("null")) {
            } else if (Peek("constraint") || Peek("primary") || Peek("unique") || Peek("references")) {
                ColumnConstraint(table, column.name);
            } else {
                break;
            }
        }
        error_ = outer;
        return seedGiven;
    }

    void ColumnConstraint(TableDef& table, const QString& column) {
        QString name;
        if (Accept("constraint")) name = Name();
        if (Accept("primary")) {
            Expect("key");
            table.indexes << IndexDef{name, AsIndexColumns({column}), true, true};
        } else if (Accept("unique")) {
            table.indexes << IndexDef{name, AsIndexColumns({column}), true, false};
        } else if (Accept("not")) {
            Expect("null");
            table.columns.last().notNull = true;
        } else {
            References(table, name, {column});
        }
    }

    void TableConstraint(TableDef& table) {
        QString name;
        if (Accept("constraint")) name = Name();
        if (Accept("primary")) {
            Expect("key");
            table.indexes << IndexDef{name, AsIndexColumns(NameList()), true, true};
        } else if (Accept("unique")) {
            table.indexes << IndexDef{name, AsIndexColumns(NameList()), true, false};
        } else {
            Expect("foreign");
            Expect("key");
            References(table, name, NameList());
        }
    }

    void References(TableDef& table, const QString& name, const QStringList& columns) {
        Expect("references");
        ForeignKeyDef key{name, columns, Name(), {}, false, false};
        if (Peek("(")) key.refColumns = NameList();
        while (Accept("on")) {
            const bool update = Accept("update");
            if (!update) Expect("delete");
            bool cascade = false;
            if (Accept("cascade")) cascade = true;
            else if (Accept("no")) Expect("action");
            else Fail();
            (update ? key.updateCascade : key.deleteCascade) = cascade;
        }
        table.foreignKeys << key;
    }

    QList<Token> tokens_;
    qsizetype position_ = 0;
    const char* error_ = "Syntax error in ALTER TABLE statement.";
};

}  // namespace

DdlCommand ParseDdl(const QString& jetSql) { return Parser(jetSql).Parse(); }

}  // namespace sql
