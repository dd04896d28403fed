// Opening the history window on a long history, to a painted window: 10,000
// tests of 10 questions; and the calendar of a year of 10,000 tests.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_historywindow
#include <QFileInfo>

#include <algorithm>
#include <random>

#include <benchmark/benchmark.h>

#include "history/historystore.h"
#include "history/historywindow.h"
#include "history/studycalendar.h"
#include "history/weakhistory.h"
#include "historyseed.h"

namespace
{
    // The weak words as the main window holds them, read once per bank.
    void HistoryWindowPainted(benchmark::State &state)
    {
        const QList<WordAnswer> answers = HistorySeed::history(int(state.range(0)));
        const HistorySeed::HistoryFolder folder(answers);
        HistoryStore store(HistoryStore::defaultPath());
        WeakHistory weak(store);
        weak.weakWords(answers.last().day.addDays(1));
        for (auto _ : state)
        {
            HistoryWindow window(store, weak, true, nullptr);
            window.show();
            benchmark::DoNotOptimize(window.grab());
        }
        state.counters["database MB"] = QFileInfo(HistoryStore::defaultPath()).size() / 1e6;
    }

    // From the days of the tests and of the words that left the list to a
    // painted calendar, as the window builds it.
    void StudyCalendarPainted(benchmark::State &state)
    {
        std::mt19937 engine(1208);
        const QDate today(2026, 11, 4);
        QList<QDate> tests;
        for (int i = 0; i < state.range(0); ++i)
            tests.append(today.addDays(-int(engine() % 365)));
        std::sort(tests.begin(), tests.end());
        QList<QDate> left;
        for (int i = 0; i < state.range(0) / 10; ++i)
            left.append(today.addDays(-int(engine() % 365)));
        for (auto _ : state)
        {
            StudyCalendar calendar;
            calendar.setDays(StudyDays(tests, left, today));
            calendar.resize(calendar.sizeHint());
            benchmark::DoNotOptimize(calendar.grab());
        }
    }

    void MostMissedQuery(benchmark::State &state)
    {
        const HistorySeed::HistoryFolder folder(HistorySeed::history(int(state.range(0))));
        HistoryStore store(HistoryStore::defaultPath());
        for (auto _ : state)
            benchmark::DoNotOptimize(store.mostMissed(HistoryFilter::current(), HistoryWindow::MissedRows));
    }
}

BENCHMARK(HistoryWindowPainted)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(StudyCalendarPainted)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(MostMissedQuery)->Arg(100000)->Unit(benchmark::kMillisecond);
