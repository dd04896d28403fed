#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <algorithm>

#include "history/historystore.h"
#include "history/weakhistory.h"
#include "historyseed.h"

// The weak-word list of a long history: 10,000 tests of 10 questions over
// the 1,700 words of the standard bank, about one test in six a practice test.
// First the schedule alone, then with the reading of the study history, then
// that reading in the background: what the main thread's longest event waits.
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

    // Times every event the main thread handles, so the longest wait of a
    // key or a click while the history is read shows.
    class TimedApplication : public QCoreApplication
    {
    public:
        using QCoreApplication::QCoreApplication;

        bool notify(QObject *receiver, QEvent *event) override
        {
            QElapsedTimer timer;
            timer.start();
            const bool done = QCoreApplication::notify(receiver, event);
            longestNs = std::max(longestNs, timer.nsecsElapsed());
            return done;
        }

        qint64 longestNs = 0;
    };

    void WeakWordsInTheBackground(benchmark::State &state)
    {
        auto *app = static_cast<TimedApplication *>(QCoreApplication::instance());
        const QList<WordAnswer> answers = history(int(state.range(0)));
        const HistoryFolder folder(answers);
        HistoryStore store(HistoryStore::defaultPath());
        const QDate today = answers.last().day.addDays(1);
        qint64 longest = 0;
        qint64 starting = 0;
        for (auto _ : state)
        {
            WeakHistory weak(store);
            QEventLoop loop;
            QObject::connect(&weak, &WeakHistory::loaded, &loop, &QEventLoop::quit);
            app->longestNs = 0;
            QElapsedTimer start;
            start.start();
            weak.load();
            starting = std::max(starting, start.nsecsElapsed());
            loop.exec();
            // The first list drawn from what was read, as the status bar does.
            QElapsedTimer list;
            list.start();
            benchmark::DoNotOptimize(weak.heldWeakWords(today).dueCount());
            longest = std::max({longest, app->longestNs, list.nsecsElapsed()});
        }
        state.counters["start_ms"] = double(starting) / 1e6;
        state.counters["longest_event_ms"] = double(longest) / 1e6;
        state.SetItemsProcessed(state.iterations() * state.range(0));
    }
}

BENCHMARK(WeakWordList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(WeakWordsFromHistory)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK(WeakWordsInTheBackground)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
