// Drawing the two close-sounding candidates of a listening question from the
// 1,700 words of the standard bank.
#include <benchmark/benchmark.h>

#include "judge/judgetable.h"
#include "listening/closewords.h"
#include "listening/standardenglish.h"

namespace
{
    void DrawCloseCandidates(benchmark::State &state)
    {
        JudgeTableSet::BuildJudgeTable();
        const QStringList english = standardEnglish();
        if (english.size() < 1700)
        {
            state.SkipWithError("data/standard-bank.tsv not read");
            return;
        }
        const CloseWords words(english);
        int question = 0;
        int seed = 0;
        const auto drawIndex = [&seed](int n) { return (seed += 7919) % n; };
        for (auto _ : state)
        {
            benchmark::DoNotOptimize(words.draw(question, drawIndex));
            question = (question + 1) % int(english.size());
        }
    }

    void IndexTheBank(benchmark::State &state)
    {
        const QStringList english = standardEnglish();
        for (auto _ : state)
            benchmark::DoNotOptimize(CloseWords(english).size());
    }
}

BENCHMARK(DrawCloseCandidates)->Unit(benchmark::kMicrosecond);
BENCHMARK(IndexTheBank)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
