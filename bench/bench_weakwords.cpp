#include <benchmark/benchmark.h>

#include <random>

#include "practice/weakwords.h"

// The weak-word list of a long history: 10,000 tests of 10 questions over
// the 1,700 words of the standard bank, about one test in six a practice test.
namespace
{
    QList<WordAnswer> history(int questions)
    {
        std::mt19937 engine(1208);
        const QDate first(2024, 1, 1);
        QList<WordAnswer> answers;
        answers.reserve(questions);
        for (int i = 0; i < questions; ++i)
        {
            const int test = i / 10;
            WordAnswer answer;
            answer.day = first.addDays(test / 14);
            answer.practice = test % 6 == 5;
            answer.word = int(engine() % 1700);
            const unsigned roll = engine() % 20;
            answer.result = roll == 0 ? WordAnswer::Result::Unanswered
                            : roll < 3 ? WordAnswer::Result::Wrong
                                       : WordAnswer::Result::Correct;
            if (answer.result != WordAnswer::Result::Unanswered)
                answer.seconds = 1.0 + (engine() % 8000) / 1000.0;
            answers.append(answer);
        }
        return answers;
    }

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
}

BENCHMARK(WeakWordList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
