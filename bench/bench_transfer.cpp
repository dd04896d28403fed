#include <benchmark/benchmark.h>

#include <QFile>

#include <memory>

#include "bank/gsxseq.h"
#include "core/programfolder.h"
#include "historyseed.h"
#include "transfer/learnerexport.h"
#include "transfer/learnerimport.h"

// A learner's data file of a long study: 100 records files (the standard
// bank and 49 user banks, both ways, each with its 100 LEVEL rows) and a
// history of 10,000 tests of 10 questions. Written from the study's folder,
// and imported into a folder holding the same study, which is exported to
// its backup first, as every import does.
namespace
{
    constexpr int UserBanks = 49;
    constexpr int Levels = 100;

    void writeRecords(const QString &path)
    {
        QStringList lines {QStringLiteral("57,1,\"\",99,\"\",#1899-12-30#")};
        for (int row = 1; row <= Levels; ++row)
            lines.append(QStringLiteral("#2025-03-01#,%1,2,3,4,90,#2025-03-01#,12345.5,#2025-03-02#").arg(row));
        GsxSeq::WriteContainerFile(path, lines);
    }

    const HistorySeed::HistoryFolder &study()
    {
        static const std::unique_ptr<HistorySeed::HistoryFolder> folder = [] {
            auto made = std::make_unique<HistorySeed::HistoryFolder>(HistorySeed::history(100000));
            for (const QString &suffix : {QString(), QStringLiteral("E")})
            {
                writeRecords(ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1%1.dat").arg(suffix)));
                for (int bank = 0; bank < UserBanks; ++bank)
                {
                    const QString name = QStringLiteral("bank%1").arg(bank);
                    writeRecords(ProgramFolder::filePath(ProgramFolder::UserRecordDir, name + suffix + QStringLiteral(".dat")));
                    QFile text(ProgramFolder::filePath(ProgramFolder::UserWordDir, name + QStringLiteral(".txt")));
                    if (text.open(QIODevice::WriteOnly))
                        text.write(QByteArray("word\r\n言葉\r\nことば\r\n").repeated(200));
                }
            }
            return made;
        }();
        return *folder;
    }

    void ExportStudy(benchmark::State &state)
    {
        study();
        const QTemporaryDir out;
        for (auto _ : state)
        {
            if (!LearnerExport::Write(ProgramFolder::path(), out.filePath(QStringLiteral("study.zip"))).ok())
                state.SkipWithError("export failed");
        }
        state.counters["bytes"] = double(QFileInfo(out.filePath(QStringLiteral("study.zip"))).size());
    }

    void ImportStudy(benchmark::State &state)
    {
        study();
        const QTemporaryDir out;
        const QString zip = out.filePath(QStringLiteral("study.zip"));
        const QString target = out.filePath(QStringLiteral("learner"));
        QDir(target).mkpath(ProgramFolder::IniDir);
        if (!LearnerExport::Write(ProgramFolder::path(), zip).ok())
            state.SkipWithError("export failed");
        {
            LearnerImport first(target);
            if (!first.check(zip).ok() || first.switchIn().outcome != DataSwitch::Outcome::Switched)
                state.SkipWithError("first import failed");
        }
        for (auto _ : state)
        {
            LearnerImport import(target);
            QString backup;
            if (!import.check(zip).ok() || !import.keepBackup(nullptr, &backup).ok()
                || import.switchIn().outcome != DataSwitch::Outcome::Switched)
                state.SkipWithError("import failed");
            state.PauseTiming();
            QFile::remove(backup);
            state.ResumeTiming();
        }
    }
}

BENCHMARK(ExportStudy)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportStudy)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
