// The tokenizer for Jet SQL and the parser for its #date# literals.
#include "platform/sql/Tokenizer.h"

#include "platform/rtl/DateUtils.h"
#include "platform/sql/EngineError.h"

#include <QRegularExpression>

namespace sql {
namespace {

bool IsWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsWordPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Text up to the closing quote; the quote doubled stands for itself.
QString ReadQuoted(const QString& sql, qsizetype& i, QChar close) {
    QString value;
    ++i;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != QLatin1Char(']') && i + 1 < sql.size() && sql[i + 1] == close) {
                value += close;
                i += 2;
                continue;
            }
            ++i;
            return value;
        }
        value += sql[i++];
    }
    RaiseSyntaxError(QStringLiteral("Syntax error in string in query expression '%1'.").arg(sql.trimmed()));
}

qsizetype NumberEnd(const QString& sql, qsizetype i) {
    while (i < sql.size() && sql[i].isDigit()) ++i;
    if (i < sql.size() && sql[i] == QLatin1Char('.')) {
        ++i;
        while (i < sql.size() && sql[i].isDigit()) ++i;
    }
    // An exponent only when digits follow: "1e5" is a number, "1else" is 1 and a word.
    if (i < sql.size() && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < sql.size() && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-'))) ++j;
        if (j < sql.size() && sql[j].isDigit()) {
            while (j < sql.size() && sql[j].isDigit()) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

bool Token::Is(const char* word) const {
    return (kind == Word || kind == Symbol) && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool ParseDateLiteral(const QString& text, double& result) {
    static const QRegularExpression us(QStringLiteral(R"(^(\d{1,2})\s*/\s*(\d{1,2})\s*/\s*(\d{1,4})(.*)$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})\s*-\s*(\d{1,2})\s*-\s*(\d{1,2})(.*)$)"));
    static const QRegularExpression time(
        QStringLiteral(R"(^(\d{1,2})\s*:\s*(\d{1,2})(?:\s*:\s*(\d{1,2}))?\s*(am|pm|a|p)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    double date = 0;
    QString rest = trimmed;
    QRegularExpressionMatch match = us.match(trimmed);
    if (match.hasMatch()) {
        int year = match.captured(3).toInt();
        if (match.captured(3).size() <= 2) year += year < 30 ? 2000 : 1900;
        if (!TryEncodeDate(year, match.captured(1).toInt(), match.captured(2).toInt(), date)) return false;
        rest = match.captured(4).trimmed();
    } else if ((match = iso.match(trimmed)).hasMatch()) {
        if (!TryEncodeDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), date))
            return false;
        rest = match.captured(4).trimmed();
    }
    if (rest.isEmpty()) {
        result = date;
        return rest != trimmed;
    }
    match = time.match(rest);
    if (!match.hasMatch()) return false;
    int hour = match.captured(1).toInt();
    const QString half = match.captured(4).toLower();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (half.startsWith(QLatin1Char('p')) ? 12 : 0);
    }
    double timeOfDay = 0;
    if (!TryEncodeTime(hour, match.captured(2).toInt(), match.captured(3).toInt(), 0, timeOfDay)) return false;
    result = date + timeOfDay;
    return true;
}

QList<Token> Tokenize(const QString& sql) {
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const qsizetype start = i;
        if (IsBlank(c)) {
            while (i < sql.size() && IsBlank(sql[i])) ++i;
            tokens << Token{Token::Space, QStringLiteral(" ")};
        } else if (c == QLatin1Char('[')) {
            tokens << Token{Token::Name, ReadQuoted(sql, i, QLatin1Char(']'))};
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            tokens << Token{Token::Text, ReadQuoted(sql, i, c)};
        } else if (c == QLatin1Char('#')) {
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            Token token{Token::Date, sql.mid(i, close < 0 ? -1 : close - i + 1)};
            if (close < 0 || !ParseDateLiteral(sql.mid(i + 1, close - i - 1), token.date)) {
                RaiseSyntaxError(QStringLiteral("Syntax error in date in query expression '%1'.").arg(token.text));
            }
            tokens << token;
            i = close + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < sql.size() && sql[i + 1].isDigit())) {
            i = NumberEnd(sql, i);
            tokens << Token{Token::Number, sql.mid(start, i - start)};
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && IsWordStart(sql[i + 1])) {
            ++i;
            while (i < sql.size() && IsWordPart(sql[i])) ++i;
            tokens << Token{Token::Parameter, sql.mid(start + 1, i - start - 1)};
        } else if (IsWordStart(c)) {
            while (i < sql.size() && IsWordPart(sql[i])) ++i;
            tokens << Token{Token::Word, sql.mid(start, i - start)};
        } else if (c.isNull()) {
            // SQLite reads a statement only up to a NUL: what follows would be dropped without a word.
            RaiseSyntaxError(QStringLiteral("Syntax error in query expression '%1'.")
                                 .arg(QString(sql).replace(QChar(), QLatin1Char(' ')).trimmed()));
        } else {
            static const QStringList pairs = {"<>", "<=", ">=", "!=", "||"};
            const QString two = sql.mid(i, 2);
            i += pairs.contains(two) ? 2 : 1;
            tokens << Token{Token::Symbol, sql.mid(start, i - start)};
        }
        tokens.back().position = start;
    }
    return tokens;
}

}  // namespace sql
