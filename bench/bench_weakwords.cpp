#include <benchmark/benchmark.h>

#include "history/historystore.h"
#include "history/weakhistory.h"
#include "historyseed.h"

// The weak-word list of a long history: 10,000 tests of 10 questions over
// the 1,700 words of the standard bank, about one test in six a practice test.
// First the schedule alone, then with the reading of the study history.
namespace
{
    using HistorySeed::history;
    using HistorySeed::HistoryFolder;

    void WeakWordList(benchmark::State &state)
    {
        const QList<WordAnswer> answers = history(int(state.range(0)));
        const QDate today = answers.last().day.addDays(1);
        for (auto _ : state)
        {
            const WeakWords weak(answers, today);
            benchmark::DoNotOptimize(weak.practiceWords(10));
        }
        state.SetItemsProcessed(state.iterations() * state.range(0));
    }

    void WeakWordsFromHistory(benchmark::State &state)
    {
        const QList<WordAnswer> answers = history(int(state.range(0)));
        const HistoryFolder folder(answers);
        HistoryStore store(HistoryStore::defaultPath());
        const QDate today = answers.last().day.addDays(1);
        for (auto _ : state)
        {
            WeakHistory weak(store);
            benchmark::DoNotOptimize(weak.weakWords(today).dueCount());
        }
        state.SetItemsProcessed(state.iterations() * state.range(0));
    }
}

BENCHMARK(WeakWordList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(WeakWordsFromHistory)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
