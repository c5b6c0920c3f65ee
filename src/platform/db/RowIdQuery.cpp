// Rewriting a one-table Jet SELECT to list rowids, by its top-level tokens.
#include "platform/db/RowIdQuery.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Tokenizer.h"

namespace db {
namespace {

// The statement's tokens outside parentheses, blanks left out.
QList<sql::Token> TopLevel(const QString& jetSql) {
    QList<sql::Token> tokens;
    int depth = 0;
    for (const sql::Token& token : sql::Tokenize(jetSql)) {
        if (token.Is(")")) --depth;
        if (depth == 0 && token.kind != sql::Token::Space) tokens << token;
        if (token.Is("(")) ++depth;
    }
    return tokens;
}

bool IsName(const sql::Token& token) { return token.kind == sql::Token::Word || token.kind == sql::Token::Name; }

bool AnyOf(const QList<sql::Token>& tokens, std::initializer_list<const char*> words) {
    for (const sql::Token& token : tokens)
        for (const char* word : words)
            if (token.Is(word)) return true;
    return false;
}

// ORDER BY 2: the select list decides the order.
bool OrdersByPosition(const QList<sql::Token>& tokens, int orderBy) {
    for (int i = orderBy + 1; i + 1 < tokens.size(); ++i)
        if ((tokens[i].Is("by") || tokens[i].Is(",")) && tokens[i + 1].kind == sql::Token::Number) return true;
    return false;
}

}  // namespace

std::optional<sql::StatementLease> RowIdStatement(const sql::Connection& connection, const QString& jetSql,
                                                  const QString& table, bool kept) {
    const QList<sql::Token> tokens = TopLevel(jetSql);
    if (tokens.size() < 4 || !tokens[0].Is("select") || tokens[1].Is("distinct") || tokens[1].Is("distinctrow") ||
        tokens[1].Is("top"))
        return std::nullopt;
    if (AnyOf(tokens, {"into", "group", "having", "union", "join", ";"})) return std::nullopt;
    int from = 2;
    while (from < tokens.size() && !tokens[from].Is("from")) ++from;
    if (from + 1 >= tokens.size() || !IsName(tokens[from + 1]) ||
        tokens[from + 1].text.compare(table, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    int next = from + 2;
    QString qualifier = tokens[from + 1].text;
    if (next < tokens.size() && tokens[next].Is("as")) ++next;
    if (next < tokens.size() && IsName(tokens[next]) && !tokens[next].Is("where") && !tokens[next].Is("order"))
        qualifier = tokens[next++].text;
    if (next < tokens.size() && !tokens[next].Is("where") && !tokens[next].Is("order")) return std::nullopt;

    int orderBy = next;
    while (orderBy < tokens.size() && !tokens[orderBy].Is("order")) ++orderBy;
    const bool ordered = orderBy < tokens.size();
    const bool star = tokens[from - 1].Is("*");
    const QString rowid = QStringLiteral("[%1].rowid ").arg(qualifier);
    const qsizetype fromAt = tokens[from].position;
    // Without the select list the order may not mention it: then the list stays and the rowid follows it.
    const QString text = !ordered || (star && !OrdersByPosition(tokens, orderBy))
                             ? QString(jetSql.left(tokens[1].position) + rowid + jetSql.mid(fromAt))
                             : QString(jetSql.left(fromAt) + QStringLiteral(", ") + rowid + jetSql.mid(fromAt));
    try {
        return kept ? connection.Cached(text) : sql::StatementLease(connection.Prepare(text));
    } catch (const Exception&) {
        return std::nullopt;
    }
}

QString LeadingOrderColumn(const QString& jetSql) {
    const QList<sql::Token> tokens = TopLevel(jetSql);
    if (tokens.size() < 4 || !tokens[0].Is("select") || !tokens[1].Is("*") || !tokens[2].Is("from")) return {};
    int at = 0;
    while (at + 1 < tokens.size() && !(tokens[at].Is("order") && tokens[at + 1].Is("by"))) ++at;
    at += 2;
    if (at >= tokens.size() || !IsName(tokens[at])) return {};
    // table.column
    while (at + 2 < tokens.size() && tokens[at + 1].Is(".") && IsName(tokens[at + 2])) at += 2;
    const int after = at + 1;
    if (after < tokens.size() && !tokens[after].Is(",") && !tokens[after].Is("asc")) return {};
    return tokens[at].text;
}

}  // namespace db
