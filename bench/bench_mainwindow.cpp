// From a key event's arrival in the running main window to the three target
// boxes repainted. Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_mainwindow
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app/mainwindow.h"
#include "app/targetbox.h"
#include "bank/gsxseq.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "gui_shared/modal.h"
#include "gui_shared/soundplayer.h"

namespace
{
    // A program folder with a standard bank of twelve LEVELs of plain kana readings.
    void prepareFolder(const QString &path)
    {
        for (const QString &folder : ProgramFolder::InstallationFolders)
            QDir(path).mkpath(folder);
        const QString kana = QStringLiteral("かきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも");
        QStringList groups;
        for (int i = 0; i < 17 * 12; ++i)
            groups << QStringLiteral("word%1").arg(i) << QStringLiteral("意味%1").arg(i)
                   << QString(kana[i % 30]) + kana[(i / 30) % 30] + QStringLiteral("いかく");
        GsxSeq::WriteContainerFile(path + QStringLiteral("/word/標準テキスト/data2.dat"), groups);
    }

    void sendKey(QWidget *to, int key)
    {
        QKeyEvent shortcut(QEvent::ShortcutOverride, key, Qt::NoModifier);
        QApplication::sendEvent(to, &shortcut);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(to, &press);
    }

    double percentile(std::vector<double> values, double share)
    {
        std::sort(values.begin(), values.end());
        return values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))];
    }

    void keyToRepaintedBoxes(benchmark::State &state)
    {
        QTemporaryDir dir;
        ProgramFolder::setPath(dir.path());
        prepareFolder(dir.path());
        Message::setHandler([](const QString &) {});
        Modal::setRunner([](QDialog &dialog) {
            dialog.close();
            return 0;
        });
        SoundPlayer::setHandler([](const QString &) {});

        MainWindow window;
        if (!window.Form_Load())
        {
            state.SkipWithError("the bank did not load");
            return;
        }
        window.show();
        std::vector<double> micros;
        std::vector<double> nextMicros;
        std::vector<double> endingMicros;
        int question = 0;
        auto running = [&window] { return window.session() && window.session()->isRunning(); };
        for (auto _ : state)
        {
            if (!running())
                window.Command1_Click();
            const QChar next = window.session()->targets()[0].guide.at(0);
            const int key = Qt::Key_A + (next.unicode() - u'a');
            const auto start = std::chrono::steady_clock::now();
            sendKey(&window, key);
            for (TargetBox *box : window.Picture1)
                box->repaint();
            const auto end = std::chrono::steady_clock::now();
            const double us = std::chrono::duration<double, std::micro>(end - start).count();
            // The key that ends a test opens the notices instead of redrawing the boxes.
            (running() ? micros : endingMicros).push_back(us);
            if (question != Common::TestQuestionIndex && running())
                nextMicros.push_back(us);
            question = Common::TestQuestionIndex;
        }
        // Tests that ended inside the loop have been scored; their records go with the folder.
        state.counters["median_us"] = percentile(micros, 0.5);
        state.counters["p99_us"] = percentile(micros, 0.99);
        state.counters["next_question_median_us"] = percentile(nextMicros, 0.5);
        state.counters["test_end_median_us"] = percentile(endingMicros, 0.5);
        Modal::setRunner({});
        SoundPlayer::setHandler({});
        Message::setHandler({});
    }
}

BENCHMARK(keyToRepaintedBoxes)->Iterations(5000)->Unit(benchmark::kMicrosecond);
