// Jet's text comparison: Unicode-aware and without regard to case, for =, <, ORDER BY, keys and LIKE.
#pragma once

#include <QString>

struct sqlite3;

namespace sql {

// The collation every text column is declared with.
inline const QString kTextCollation = QStringLiteral("UNICASE");

// Registers the collation and a LIKE (% and _) that ignores case the same way.
void RegisterTextCompare(sqlite3* db);

// The comparison behind the collation: <0, 0 or >0.
int CompareText(const QString& a, const QString& b);
// LIKE with % (any run) and _ (one character), without regard to case.
bool MatchesLike(const QString& text, const QString& pattern, QChar escape = QChar());

}  // namespace sql
