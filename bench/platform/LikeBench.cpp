// LIKE's worst cases: patterns of "%a" groups that a backtracking matcher explores in exponential time, and
// the translator dropping a DELETE's select list of many words. Each should grow about linearly with n.
#include "platform/sql/TextCompare.h"
#include "platform/sql/Translator.h"

#include <benchmark/benchmark.h>

namespace {

// n "%a" groups and a "c" against forty a's and a "b": no split of the text matches.
void BM_LikeBacktrackingGroups(benchmark::State& state) {
    const QString text = QString(40, u'a') + u'b';
    const QString pattern = QStringLiteral("%a").repeated(int(state.range(0))) + u'c';
    for (auto _ : state) benchmark::DoNotOptimize(sql::MatchesLike(text, pattern));
}
BENCHMARK(BM_LikeBacktrackingGroups)->Arg(5)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

// n underscores against n characters: as deep as a recursive matcher would go.
void BM_LikeLongPattern(benchmark::State& state) {
    const QString text(int(state.range(0)), u'x');
    const QString pattern(int(state.range(0)), u'_');
    for (auto _ : state) benchmark::DoNotOptimize(sql::MatchesLike(text, pattern));
}
BENCHMARK(BM_LikeLongPattern)->Arg(2000)->Arg(200000)->Unit(benchmark::kMicrosecond);

void BM_TranslateDeleteWithManyWords(benchmark::State& state) {
    const QString statement =
        QStringLiteral("delete ") + QStringLiteral("w ").repeated(int(state.range(0))) + QStringLiteral("from T");
    for (auto _ : state) benchmark::DoNotOptimize(sql::TranslateStatement(statement));
}
BENCHMARK(BM_TranslateDeleteWithManyWords)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
