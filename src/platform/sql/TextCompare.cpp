// The UNICASE collation and the LIKE that goes with it.
#include "platform/sql/TextCompare.h"

#include <sqlite3.h>

namespace sql {
namespace {

int CollateUtf8(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* p = static_cast<const unsigned char*>(a);
    const auto* q = static_cast<const unsigned char*>(b);
    const int common = qMin(lengthA, lengthB);
    // Most keys are ASCII: compare them without converting; anything else goes the Unicode way.
    for (int i = 0; i < common; ++i) {
        if ((p[i] | q[i]) & 0x80) {
            return CompareText(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                               QString::fromUtf8(static_cast<const char*>(b), lengthB));
        }
        const int x = (p[i] >= 'A' && p[i] <= 'Z') ? p[i] + 32 : p[i];
        const int y = (q[i] >= 'A' && q[i] <= 'Z') ? q[i] + 32 : q[i];
        if (x != y) return x < y ? -1 : 1;
    }
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

QString ArgumentText(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
}

void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    // SQLite calls like(pattern, text [, escape]).
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(context);
    }
    const QString escape = argc == 3 ? ArgumentText(argv[2]) : QString();
    if (argc == 3 && escape.size() != 1) {
        return sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
    }
    const bool match = MatchesLike(ArgumentText(argv[1]), ArgumentText(argv[0]), escape.isEmpty() ? QChar() : escape[0]);
    sqlite3_result_int(context, match ? 1 : 0);
}

bool MatchFrom(const QString& text, qsizetype t, const QString& pattern, qsizetype p, QChar escape) {
    while (p < pattern.size()) {
        const QChar c = pattern[p];
        if (!escape.isNull() && c == escape && p + 1 < pattern.size()) {
            if (t >= text.size() || text[t] != pattern[p + 1]) return false;
            ++t;
            p += 2;
        } else if (c == QLatin1Char('%')) {
            while (p < pattern.size() && pattern[p] == QLatin1Char('%')) ++p;
            if (p == pattern.size()) return true;
            for (qsizetype start = t; start <= text.size(); ++start) {
                if (MatchFrom(text, start, pattern, p, escape)) return true;
            }
            return false;
        } else {
            if (t >= text.size() || (c != QLatin1Char('_') && text[t] != c)) return false;
            ++t;
            ++p;
        }
    }
    return t == text.size();
}

}  // namespace

int CompareText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive); }

bool MatchesLike(const QString& text, const QString& pattern, QChar escape) {
    return MatchFrom(text.toCaseFolded(), 0, pattern.toCaseFolded(), 0, escape.toCaseFolded());
}

void RegisterTextCompare(sqlite3* db) {
    sqlite3_create_collation_v2(db, kTextCollation.toUtf8().constData(), SQLITE_UTF8, nullptr, CollateUtf8, nullptr);
    for (int argc : {2, 3}) {
        sqlite3_create_function_v2(db, "like", argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction,
                                   nullptr, nullptr, nullptr);
    }
}

}  // namespace sql
