// From the start of the main window to its first paint, with a standard bank
// of 1,700 questions. Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_startup
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "app/mainwindow.h"
#include "bank/gsxseq.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"

namespace
{
    void prepareFolder(const QString &path)
    {
        for (const QString &folder : ProgramFolder::InstallationFolders)
            QDir(path).mkpath(folder);
        QStringList groups;
        for (int i = 0; i < 1700; ++i)
            groups << QStringLiteral("vocabulary%1").arg(i) << QStringLiteral("語彙、語句の集まり%1").arg(i)
                   << QStringLiteral("ごい、ごくのあつまり");
        GsxSeq::WriteContainerFile(path + QStringLiteral("/word/標準テキスト/data2.dat"), groups);
    }

    void startUpToPaintedWindow(benchmark::State &state)
    {
        QTemporaryDir dir;
        ProgramFolder::setPath(dir.path());
        prepareFolder(dir.path());
        Message::setHandler([](const QString &) {});
        for (auto _ : state)
        {
            Common::ResetState();
            MainWindow window;
            if (!window.Form_Load())
            {
                state.SkipWithError("the bank did not load");
                return;
            }
            window.show();
            window.repaint();
            benchmark::DoNotOptimize(Common::QuestionCount);
        }
        Message::setHandler({});
    }
}

BENCHMARK(startUpToPaintedWindow)->Unit(benchmark::kMillisecond);
