#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "core/message.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "history/historytest.h"

// The study history of a long-time learner: 10,000 tests of 10 questions,
// a test or more a day for years, over the 1,700 words of the standard bank,
// most of them in one direction, a few in the other and in a user bank. The
// end of a test writing to it, and the queries of the history window.
namespace
{
    constexpr int BankSize = 1700;
    constexpr int TestCount = 10000;

    HistoryFilter standardFilter()
    {
        return {false, QStringLiteral("STANDARD"), QString(), QStringLiteral("和訳")};
    }

    HistoryFilter filterOf(int all)
    {
        HistoryFilter filter = standardFilter();
        filter.all = all != 0;
        return filter;
    }

    HistoryTest makeTest(std::mt19937 &engine, int number)
    {
        HistoryTest test;
        test.startedAt = QDateTime(QDate(2020, 1, 1), QTime(7, 0)).addSecs(qint64(number) * 4 * 3600);
        test.endedAt = test.startedAt.addSecs(40);
        const unsigned bank = engine() % 20;
        test.bankKind = bank == 0 ? QStringLiteral("USER") : QStringLiteral("STANDARD");
        test.bankName = bank == 0 ? QStringLiteral("旅行の英語") : QString();
        test.direction = bank < 4 ? QStringLiteral("英訳") : QStringLiteral("和訳");
        test.inputMethod = QStringLiteral("ROMA");
        test.kind = TestKind::LevelUp;
        test.level = 1 + int(engine() % 170);
        test.levelBefore = test.levelAfter = test.level;
        test.seconds = 40.0;
        for (int n = 1; n <= 10; ++n)
        {
            HistoryTest::Question q;
            q.number = n;
            q.bankIndex = int(engine() % BankSize);
            q.prompt = QStringLiteral("headword%1").arg(q.bankIndex);
            q.answer = QStringLiteral("見出し語の意味%1").arg(q.bankIndex);
            const unsigned roll = engine() % 20;
            q.answered = roll != 0;
            q.correct = roll >= 3;
            if (q.answered && !q.correct)
            {
                q.chosenIndex = int(engine() % BankSize);
                q.chosenAnswer = QStringLiteral("見出し語の意味%1").arg(q.chosenIndex);
            }
            q.shownMs = (n - 1) * 4000;
            q.seconds = q.answered ? 1.0 + (engine() % 6000) / 1000.0 : -1;
            q.keysAccepted = 8 + int(engine() % 8);
            q.keysRejected = int(engine() % 3);
            test.questions.append(q);
        }
        test.score = 10 * int(std::count_if(test.questions.begin(), test.questions.end(),
                                            [](const HistoryTest::Question &q) { return q.correct; }));
        test.passed = test.score >= 80;
        return test;
    }

    // The history is written once, test by test as the program writes it, and
    // shared by every benchmark; the writing one works on a copy.
    class LongHistory
    {
    public:
        static LongHistory &instance()
        {
            static LongHistory history;
            return history;
        }

        QString path() const { return m_dir.filePath(QStringLiteral("history.sqlite3")); }
        QString copy(const QString &name) const
        {
            const QString target = m_dir.filePath(name);
            QFile::remove(target);
            QFile::copy(path(), target);
            return target;
        }
        double megabytes() const { return double(QFileInfo(path()).size()) / (1024.0 * 1024.0); }

    private:
        LongHistory()
        {
            Message::setHandler([](const QString &) {});
            std::mt19937 engine(1208);
            HistoryStore store(path());
            for (int number = 0; number < TestCount; ++number)
            {
                HistoryTest test = makeTest(engine, number);
                store.addTest(test);
            }
        }

        QTemporaryDir m_dir;
    };

    double percentile(std::vector<double> times, double fraction)
    {
        std::sort(times.begin(), times.end());
        return times.empty() ? 0 : times[std::min(times.size() - 1, size_t(fraction * double(times.size())))];
    }

    void AddTestToLongHistory(benchmark::State &state)
    {
        const QString path = LongHistory::instance().copy(QStringLiteral("write.sqlite3"));
        std::mt19937 engine(77);
        HistoryStore store(path);
        HistoryTest test = makeTest(engine, TestCount);
        store.addTest(test); // opens the file, as the program has done long before a test ends
        std::vector<double> milliseconds;
        for (auto _ : state)
        {
            test.startedAt = test.startedAt.addSecs(600);
            const auto start = std::chrono::steady_clock::now();
            if (!store.addTest(test))
                state.SkipWithError("the test was not written");
            const std::chrono::duration<double, std::milli> taken = std::chrono::steady_clock::now() - start;
            milliseconds.push_back(taken.count());
        }
        state.counters["median_ms"] = percentile(milliseconds, 0.5);
        state.counters["p95_ms"] = percentile(milliseconds, 0.95);
        state.counters["max_ms"] = percentile(milliseconds, 1.0);
    }

    // Each query on a store opened beforehand, as the window's is.
    void MostMissed(benchmark::State &state)
    {
        HistoryStore store(LongHistory::instance().path());
        const HistoryFilter filter = filterOf(int(state.range(0)));
        store.totals(filter);
        for (auto _ : state)
            benchmark::DoNotOptimize(store.mostMissed(filter, 100));
        state.counters["db_MB"] = LongHistory::instance().megabytes();
    }

    void TestPoints(benchmark::State &state)
    {
        HistoryStore store(LongHistory::instance().path());
        const HistoryFilter filter = filterOf(int(state.range(0)));
        store.totals(filter);
        for (auto _ : state)
            benchmark::DoNotOptimize(store.testPoints(filter));
    }

    void Totals(benchmark::State &state)
    {
        HistoryStore store(LongHistory::instance().path());
        const HistoryFilter filter = filterOf(int(state.range(0)));
        store.totals(filter);
        for (auto _ : state)
            benchmark::DoNotOptimize(store.totals(filter));
    }
}

// Argument 0: the standard bank in one direction, as the window opens; 1: every test.
BENCHMARK(AddTestToLongHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(MostMissed)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TestPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Totals)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
