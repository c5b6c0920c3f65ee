// The UNICASE collation and the LIKE that goes with it.
#include "platform/sql/TextCompare.h"

#include <sqlite3.h>
#include <cstdint>
#include <vector>

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
    const bool match =
        MatchesLike(ArgumentText(argv[1]), ArgumentText(argv[0]), escape.isEmpty() ? QChar() : escape[0]);
    sqlite3_result_int(context, match ? 1 : 0);
}

// One step of a LIKE pattern: a character to match, any one character (_) or any run (%).
struct PatternStep {
    enum Kind { Literal, AnyOne, AnyRun } kind;
    QChar ch;
};

// The pattern as steps; an escaped character is a literal, and so is an escape character at the end.
std::vector<PatternStep> PatternSteps(const QString& pattern, QChar escape) {
    std::vector<PatternStep> steps;
    steps.reserve(size_t(pattern.size()));
    for (qsizetype p = 0; p < pattern.size(); ++p) {
        const QChar c = pattern[p];
        if (!escape.isNull() && c == escape && p + 1 < pattern.size())
            steps.push_back({PatternStep::Literal, pattern[++p]});
        else if (c == QLatin1Char('%')) steps.push_back({PatternStep::AnyRun, c});
        else if (c == QLatin1Char('_')) steps.push_back({PatternStep::AnyOne, c});
        else steps.push_back({PatternStep::Literal, c});
    }
    return steps;
}

// Greedy matching with one way back: on a mismatch only the latest % takes one more character, because
// whatever an earlier % could still take, the latest one can take as well. No recursion, and at most
// text length times pattern length steps, so a hostile pattern cannot blow the stack or the clock.
bool MatchSteps(const QString& text, const std::vector<PatternStep>& steps) {
    size_t s = 0;
    qsizetype t = 0;
    size_t runStep = SIZE_MAX;  // the step after the latest %, where a retry starts
    qsizetype runText = 0;      // where in the text that retry starts
    while (t < text.size()) {
        if (s < steps.size() && steps[s].kind == PatternStep::AnyRun) {
            runStep = ++s;
            runText = t;
        } else if (s < steps.size() && (steps[s].kind == PatternStep::AnyOne || steps[s].ch == text[t])) {
            ++s;
            ++t;
        } else if (runStep != SIZE_MAX) {
            s = runStep;
            t = ++runText;
        } else {
            return false;
        }
    }
    while (s < steps.size() && steps[s].kind == PatternStep::AnyRun) ++s;
    return s == steps.size();
}

}  // namespace

int CompareText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive); }

bool MatchesLike(const QString& text, const QString& pattern, QChar escape) {
    return MatchSteps(text.toCaseFolded(), PatternSteps(pattern.toCaseFolded(), escape.toCaseFolded()));
}

void RegisterTextCompare(sqlite3* db) {
    sqlite3_create_collation_v2(db, kTextCollation.toUtf8().constData(), SQLITE_UTF8, nullptr, CollateUtf8, nullptr);
    for (int argc : {2, 3}) {
        sqlite3_create_function_v2(db, "like", argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace sql
