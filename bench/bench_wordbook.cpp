// The word book on a long history. Run
// offscreen: QT_QPA_PLATFORM=offscreen ./bench_wordbook
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include "history/historystore.h"
#include "history/weakhistory.h"
#include "history/wordbookmodel.h"
#include "history/wordbookwindow.h"
#include "historyseed.h"

namespace
{
    constexpr int OtherBanks = 11;
    constexpr int OtherBankWords = 1664; // with the 1,700 of the standard bank, 20,004 words

    // The standard bank's history of `questions`, and with `others` the
    // histories of eleven user banks whose every word was asked once.
    struct Folder
    {
        HistorySeed::HistoryFolder folder;
        HistoryStore store {HistoryStore::defaultPath()};
        WeakHistory weak {store};

        Folder(int questions, bool others)
            : folder(HistorySeed::history(questions))
        {
            for (int bank = 0; others && bank < OtherBanks; ++bank)
            {
                for (int first = 0; first < OtherBankWords; first += 10)
                {
                    HistoryTest test;
                    test.startedAt = test.endedAt = QDateTime(QDate(2024, 3, 1), QTime(9, 0)).addSecs(first);
                    test.bankKind = QStringLiteral("USER");
                    test.bankName = QStringLiteral("bank%1").arg(bank);
                    test.direction = QStringLiteral("和訳");
                    for (int i = first; i < first + 10 && i < OtherBankWords; ++i)
                    {
                        HistoryTest::Question q;
                        q.number = i - first + 1;
                        q.bankIndex = i;
                        q.prompt = QStringLiteral("user%1").arg(i);
                        q.answer = QStringLiteral("意味%1").arg(i);
                        q.answered = true;
                        q.correct = i % 7 != 0;
                        q.seconds = 2.0;
                        test.questions.append(q);
                    }
                    store.addTest(test);
                }
            }
            weak.bankHistory();
        }
    };

    WordBookWindow *open(Folder &folder, bool all)
    {
        auto *window = new WordBookWindow(folder.store, folder.weak, nullptr);
        window->findChild<QCheckBox *>(QStringLiteral("showAll"))->setChecked(all);
        window->show();
        return window;
    }

    // state.range(0): 0 for the standard bank alone, 1 for every bank.
    void WordBookPainted(benchmark::State &state)
    {
        Folder folder(100000, state.range(0) != 0);
        int rows = 0;
        for (auto _ : state)
        {
            std::unique_ptr<WordBookWindow> window(open(folder, state.range(0) != 0));
            benchmark::DoNotOptimize(window->grab());
            rows = window->model().rowCount();
        }
        state.counters["words"] = rows;
    }

    void WordBookSearch(benchmark::State &state)
    {
        Folder folder(100000, true);
        std::unique_ptr<WordBookWindow> window(open(folder, true));
        auto *search = window->findChild<QLineEdit *>(QStringLiteral("search"));
        auto *states = window->findChild<QComboBox *>(QStringLiteral("stateFilter"));
        int turn = 0;
        for (auto _ : state)
        {
            // A search typed, then a state chosen, each painted.
            if (state.range(0) == 0)
                search->setText(++turn % 2 ? QStringLiteral("意味12") : QStringLiteral("word1"));
            else
                states->setCurrentIndex(++turn % states->count());
            benchmark::DoNotOptimize(window->grab());
        }
        state.counters["words"] = window->model().book().entries().size();
    }

    void MarkHundredWords(benchmark::State &state)
    {
        Folder folder(100000, true);
        std::unique_ptr<WordBookWindow> window(open(folder, true));
        auto *table = window->findChild<QTableView *>(QStringLiteral("words"));
        QItemSelection rows(table->model()->index(1000, 0), table->model()->index(1099, 0));
        table->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        bool known = false;
        for (auto _ : state)
        {
            known = !known;
            window->markSelected(known ? WordMark::Kind::Known : WordMark::Kind::NotKnown);
        }
    }
}

BENCHMARK(WordBookPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(WordBookSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MarkHundredWords)->Unit(benchmark::kMillisecond);
