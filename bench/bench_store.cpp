#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "bank/gsxseq.h"
#include "bank/questions.h"
#include "core/atomicfile.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "records/recordsstore.h"

// Loading the standard bank and a save/load round of the records, in a
// temporary program folder.
namespace
{
    class Folder
    {
    public:
        Folder()
        {
            for (const QString &dir : {ProgramFolder::IniDir, ProgramFolder::StandardWordDir,
                                       ProgramFolder::StandardRecordDir})
                QDir(m_dir.path()).mkpath(dir);
            ProgramFolder::setPath(m_dir.path());
            Message::setHandler([](const QString &) {});
        }

    private:
        QTemporaryDir m_dir;
    };

    void writeBank(int questions)
    {
        QStringList strings;
        for (int i = 0; i < questions; ++i)
            strings << QStringLiteral("headword%1").arg(i) << QStringLiteral("見出し語の意味%1").arg(i)
                    << QStringLiteral("みだしごのいみ%1").arg(i);
        GsxSeq::WriteContainerFile(Common::StandardQuestionPath(), strings);
    }

    void fillRecords()
    {
        Common::CurrentLevel = Common::HighestLevel = Common::LevelCount;
        for (int level = 1; level <= Common::LevelCount; ++level)
        {
            Common::LevelRecord &row = Common::LevelRecords[level];
            row.ReachedDate = row.BestScoreDate = row.BestTimeDate = QDate(2026, 12, 7);
            row.ChallengePassCount = 3;
            row.PracticeFailCount = 12;
            row.BestScore = 90;
            row.BestTime = 41250;
        }
    }

    void LoadStandardBank(benchmark::State &state)
    {
        Folder folder;
        writeBank(1700);
        for (auto _ : state)
        {
            Common::LoadStandardQuestions();
            benchmark::DoNotOptimize(Common::QuestionCount);
        }
        state.counters["questions"] = Common::QuestionCount;
    }
    BENCHMARK(LoadStandardBank)->Unit(benchmark::kMicrosecond);

    void SaveThenLoadRecords(benchmark::State &state)
    {
        Folder folder;
        Common::QuestionCount = 1700;
        Common::LoadTestSettings();
        Common::LoadRecords();
        fillRecords();
        for (auto _ : state)
        {
            Common::SaveRecords();
            Common::LoadRecords();
        }
    }
    BENCHMARK(SaveThenLoadRecords)->Unit(benchmark::kMicrosecond);

    // The share of a save that is the disk sync: the same bytes written with
    // and without the atomic replacement (temporary file, fsync, rename).
    void WriteRecordsBytesAtomically(benchmark::State &state)
    {
        Folder folder;
        const QByteArray bytes(12000, 'x');
        const QString path = ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1.dat"));
        for (auto _ : state)
            AtomicFile::write(path, bytes);
    }
    BENCHMARK(WriteRecordsBytesAtomically)->Unit(benchmark::kMicrosecond);

    void WriteRecordsBytesPlainly(benchmark::State &state)
    {
        Folder folder;
        const QByteArray bytes(12000, 'x');
        const QString path = ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1.dat"));
        for (auto _ : state)
        {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
    }
    BENCHMARK(WriteRecordsBytesPlainly)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
