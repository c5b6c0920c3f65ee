// Jet SQL split into tokens: names, bracketed names, both kinds of quoted text, numbers, #dates#, :parameters.
#pragma once

#include <QList>
#include <QString>

namespace sql {

struct Token {
    enum Kind { Space, Word, Name, Text, Number, Date, Parameter, Symbol };
    Kind kind;
    QString text;            // Word, Number, Symbol: as written; Name, Text, Parameter: the name or text itself
    double date = 0;         // Date: the TDateTime day number
    qsizetype position = 0;  // where the token starts in the statement's text

    bool Is(const char* word) const;  // a Word or Symbol equal to it without case
};

// Raises a syntax error for an unterminated quote or bracket, a date literal that is not a date, or a NUL
// outside them.
QList<Token> Tokenize(const QString& jetSql);

// #m/d/yyyy#, #m/d/yyyy h:nn[:ss] [am|pm]#, #yyyy-mm-dd ...# or a time alone; blanks allowed around the parts.
bool ParseDateLiteral(const QString& text, double& result);

}  // namespace sql
