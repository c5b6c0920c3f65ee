// The Jet-to-SQLite translation over tokens.
#include "platform/sql/Translator.h"

#include "platform/sql/Database.h"
#include "platform/sql/TextCompare.h"
#include "platform/sql/Tokenizer.h"

#include <QHash>
#include <QLocale>
#include <QSet>

namespace sql {
namespace {

StatementKind KindOf(const QList<Token>& tokens) {
    for (const Token& token : tokens) {
        if (token.kind == Token::Space || token.Is("(")) continue;
        if (token.Is("select")) return StatementKind::Select;
        if (token.Is("insert")) return StatementKind::Insert;
        if (token.Is("update")) return StatementKind::Update;
        if (token.Is("delete")) return StatementKind::Delete;
        if (token.Is("create") || token.Is("alter") || token.Is("drop")) return StatementKind::Ddl;
        break;
    }
    return StatementKind::Other;
}

bool IsTableName(const Token& token) { return token.kind == Token::Word || token.kind == Token::Name; }

bool IsComparison(const Token& token) {
    return token.kind == Token::Symbol && QStringList{"=", "<>", "<", ">", "<=", ">=", "!="}.contains(token.text);
}

// Works on the significant tokens (blanks kept apart so the output keeps the statement's layout). Removed
// tokens are only marked, so that dropping many of them stays linear in the statement's length.
class Rewriter {
public:
    explicit Rewriter(QList<Token> tokens) : tokens_(std::move(tokens)), removed_(tokens_.size(), false) {}

    QString Translate(StatementKind kind) {
        if (kind == StatementKind::Update) DropUpdateAlias();
        if (kind == StatementKind::Delete) DropDeleteAlias();
        return Render();
    }

private:
    // Index of the n-th significant token after (n > 0) or before (n < 0) position i; -1 when none.
    int Significant(int i, int n) const {
        const int direction = n > 0 ? 1 : -1;
        for (int j = i + direction; j >= 0 && j < tokens_.size(); j += direction) {
            if (tokens_[j].kind == Token::Space || removed_[j]) continue;
            n -= direction;
            if (n == 0) return j;
        }
        return -1;
    }
    const Token* At(int i) const { return i >= 0 && i < tokens_.size() ? &tokens_[i] : nullptr; }
    bool AtIs(int i, const char* word) const { return At(i) && At(i)->Is(word); }

    // The blanks around a removed token fold into one when rendered.
    void Remove(int i) { removed_[i] = true; }

    // UPDATE t A SET A.c = ... loses the alias; SET's targets lose their qualifier; elsewhere A means t.
    void DropUpdateAlias() {
        const int update = Significant(-1, 1);
        const int table = Significant(update, 1);
        if (!At(table) || !IsTableName(tokens_[table])) return;
        QSet<QString> qualifiers{tokens_[table].text.toLower()};
        int alias = Significant(table, 1);
        if (AtIs(alias, "as")) {
            Remove(alias);
            alias = Significant(table, 1);
        }
        if (At(alias) && IsTableName(tokens_[alias]) && !tokens_[alias].Is("set")) {
            qualifiers << tokens_[alias].text.toLower();
            Remove(alias);
        }
        const int set = Significant(table, 1);
        if (!AtIs(set, "set")) return;
        int depth = 0;
        bool target = true;  // the next name is an assignment's target
        for (int i = set + 1; i < tokens_.size(); ++i) {
            if (removed_[i]) continue;
            const Token& token = tokens_[i];
            if (token.Is("(")) ++depth;
            if (token.Is(")")) --depth;
            if (depth == 0 && token.Is("where")) break;
            if (depth == 0 && token.Is(",")) target = true;
            if (token.Is("=") && depth == 0) target = false;
            if (!IsTableName(token) || !qualifiers.contains(token.text.toLower()) || !AtIs(Significant(i, 1), "."))
                continue;
            if (target) {
                Remove(Significant(i, 1));
                Remove(i);
            }
        }
        RenameQualifiers(qualifiers, tokens_[table]);
    }

    // DELETE [*|t.*] FROM t [A] WHERE ...: the select list and the alias go.
    void DropDeleteAlias() {
        const int del = Significant(-1, 1);
        int from = Significant(del, 1);
        while (At(from) && !tokens_[from].Is("from")) {
            Remove(from);
            from = Significant(from, 1);
        }
        const int table = Significant(from, 1);
        if (!At(table) || !IsTableName(tokens_[table])) return;
        int alias = Significant(table, 1);
        if (AtIs(alias, "as")) {
            Remove(alias);
            alias = Significant(table, 1);
        }
        if (At(alias) && IsTableName(tokens_[alias]) && !tokens_[alias].Is("where")) {
            const QSet<QString> qualifiers{tokens_[alias].text.toLower()};
            Remove(alias);
            RenameQualifiers(qualifiers, tokens_[table]);
        }
    }

    void RenameQualifiers(const QSet<QString>& qualifiers, const Token& table) {
        const Token replacement = table;
        for (int i = 0; i < tokens_.size(); ++i) {
            if (!removed_[i] && IsTableName(tokens_[i]) && qualifiers.contains(tokens_[i].text.toLower()) &&
                AtIs(Significant(i, 1), ".") && !AtIs(Significant(i, -1), "."))
                tokens_[i] = replacement;
        }
    }

    // Yes/No/On/Off are values only where a value may stand; True/False always are.
    bool IsValuePosition(int i) const {
        const Token* before = At(Significant(i, -1));
        if (!before) return false;
        if (before->kind == Token::Symbol)
            return before->text != QLatin1String(")") && before->text != QLatin1String(".");
        for (const char* word : {"and", "or", "not", "then", "else", "when", "select", "is"}) {
            if (before->Is(word)) return true;
        }
        return false;
    }

    // A literal compared with a parameter has no column to lend it the text collation.
    bool ComparedWithParameter(int i) const {
        const int before = Significant(i, -1);
        const int after = Significant(i, 1);
        const auto isParameter = [this](int j) { return At(j) && At(j)->kind == Token::Parameter; };
        return (At(before) && IsComparison(*At(before)) && isParameter(Significant(before, -1))) ||
               (At(after) && IsComparison(*At(after)) && isParameter(Significant(after, 1)));
    }

    QString RenderToken(int i) {
        const Token& token = tokens_[i];
        switch (token.kind) {
            case Token::Space: return QStringLiteral(" ");
            case Token::Name: return QuoteName(token.text);
            case Token::Text:
                return QuoteText(token.text) +
                       (ComparedWithParameter(i) ? QLatin1String(" COLLATE ") + kTextCollation : QString());
            case Token::Date: return QString::number(token.date, 'g', QLocale::FloatingPointShortest);
            case Token::Parameter: {
                // Jet matches parameter names without case; SQLite shares a parameter only between equal names.
                const QString key = token.text.toLower();
                if (!parameterNames_.contains(key)) parameterNames_.insert(key, token.text);
                return QLatin1Char(':') + parameterNames_.value(key);
            }
            case Token::Symbol: return token.text == QLatin1String("&") ? QStringLiteral("||") : token.text;
            case Token::Word:
                if (!AtIs(Significant(i, 1), ".") && !AtIs(Significant(i, -1), ".")) {
                    if (token.Is("true")) return QStringLiteral("-1");
                    if (token.Is("false")) return QStringLiteral("0");
                    if ((token.Is("yes") || token.Is("on")) && IsValuePosition(i)) return QStringLiteral("-1");
                    if ((token.Is("no") || token.Is("off")) && IsValuePosition(i)) return QStringLiteral("0");
                }
                return token.text;
            case Token::Number: return token.text;
        }
        return token.text;
    }

    QString Render() {
        QString sql;
        bool afterSpace = false;
        for (int i = 0; i < tokens_.size(); ++i) {
            if (removed_[i] || (afterSpace && tokens_[i].kind == Token::Space)) continue;
            afterSpace = tokens_[i].kind == Token::Space;
            const QString text = RenderToken(i);
            // Tokens that touched in Jet ("-1or") must not run together in the output.
            if (!sql.isEmpty() && !text.isEmpty() && sql.back().isLetterOrNumber() && text.front().isLetterOrNumber())
                sql += QLatin1Char(' ');
            sql += text;
        }
        return sql.trimmed();
    }

    QList<Token> tokens_;
    QList<bool> removed_;
    QHash<QString, QString> parameterNames_;
};

}  // namespace

Translation TranslateStatement(const QString& jetSql) {
    QList<Token> tokens = Tokenize(jetSql);
    Translation translation;
    translation.kind = KindOf(tokens);
    if (translation.kind != StatementKind::Ddl)
        translation.sql = Rewriter(std::move(tokens)).Translate(translation.kind);
    return translation;
}

}  // namespace sql
