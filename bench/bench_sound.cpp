// From a listening question shown to its sound started: the session draws
// the question of the standard bank and asks for its word as the main window
// does, and the clock stops once the sound goes out: a shipped pronunciation
// file playing through QMediaPlayer with its position moving, or the word
// spoken offline through Qt TextToSpeech in its speaking state. With the
// memory of the process after the first sound; run one benchmark a process
// (--benchmark_filter) for that figure to stand alone.
// Needs a sound output: bench/with-null-sound runs it against a PulseAudio
// null sink. The bank and the pronunciation files (its sound1 and sound2
// folders) come from VOCAMIRA_SOUND_DIR, by default the build's program folder.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTextToSpeech>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "bank/questions.h"
#include "core/common.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "gui_shared/soundplayer.h"
#include "listening/listeningtest.h"
#include "records/recordsstore.h"

namespace
{
    double residentMegabytes()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : status.readAll().split('\n'))
        {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
        }
        return 0;
    }

    // Runs the event loop until `done`, looked at each millisecond, or ten
    // seconds; false when it never came.
    template<typename Done>
    bool waitFor(Done done)
    {
        if (done())
            return true;
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &done] {
            if (done())
                loop.exit(0);
        });
        QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
        poll.start(1);
        return loop.exec() == 0;
    }

    QString sourceFolder()
    {
        return qEnvironmentVariable("VOCAMIRA_SOUND_DIR", QStringLiteral(VOCAMIRA_PROGRAM_DIR));
    }

    // A program folder of the standard bank, with its pronunciation files or none.
    bool prepareFolder(const QTemporaryDir &dir, bool withFiles)
    {
        for (const QString &folder : ProgramFolder::InstallationFolders)
            QDir(dir.path()).mkpath(folder);
        const QString bank = ProgramFolder::StandardWordDir + QStringLiteral("/data2.dat");
        if (!QFile::copy(sourceFolder() + u'/' + bank, dir.filePath(bank)))
            return false;
        for (const QString &sounds : {ProgramFolder::Sound1Dir, ProgramFolder::Sound2Dir})
        {
            QDir(dir.path()).rmdir(sounds);
            if (withFiles && !QFile::link(sourceFolder() + u'/' + sounds, dir.filePath(sounds)))
                return false;
        }
        ProgramFolder::setPath(dir.path());
        Common::LoadQuestions();
        Common::LoadTestSettings();
        Common::LoadRecords();
        return Common::QuestionBank.size() >= 1700;
    }

    // Questions shown one after another, each the first of a test of its own,
    // timed from the question shown until `started`.
    template<typename Quiet, typename Started>
    void questionToSound(benchmark::State &state, bool withFiles, Quiet quiet, Started started)
    {
        QTemporaryDir dir;
        const SoundPlayer::Readiness ready = SoundPlayer::readiness(!withFiles);
        if (ready != SoundPlayer::Readiness::Ready || !prepareFolder(dir, withFiles))
        {
            state.SkipWithError("no sound output, no English voice or no bank (see the top of this file)");
            return;
        }
        int word = 0;
        double firstMegabytes = 0;
        for (auto _ : state)
        {
            if (!waitFor(quiet))
            {
                state.SkipWithError("the last sound did not stop");
                return;
            }
            ListeningTest test(TestKind::Listening, {word}, 1, Common::TimeLimitStudy, {});
            word = (word + 37) % 1700;
            QElapsedTimer timer;
            QObject::connect(&test, &TestSession::questionShown, &test, [&timer] { timer.start(); });
            QObject::connect(&test, &ListeningTest::listen, &test,
                             [](const QString &file, const QString &text) { SoundPlayer::playWord(file, text); });
            test.Start();
            if (!waitFor(started))
            {
                state.SkipWithError("no sound started");
                return;
            }
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
            test.EndTest();
            if (firstMegabytes == 0)
                firstMegabytes = residentMegabytes();
        }
        state.counters["MB after the first"] = firstMegabytes;
    }

    void QuestionToShippedFile(benchmark::State &state)
    {
        QMediaPlayer &player = SoundPlayer::mediaPlayer();
        questionToSound(
            state, true,
            [&player] {
                player.stop();
                return player.playbackState() == QMediaPlayer::StoppedState;
            },
            [&player] {
                return player.playbackState() == QMediaPlayer::PlayingState
                       && player.mediaStatus() == QMediaPlayer::BufferedMedia;
            });
    }

    // The engine is made after the sound output is known, as the test makes
    // it; each word is spoken to its end before the next question.
    void QuestionToSpokenWord(benchmark::State &state)
    {
        const auto speaking = [] {
            return SoundPlayer::speech() && SoundPlayer::speech()->state() == QTextToSpeech::Speaking;
        };
        questionToSound(state, false, [speaking] { return !speaking(); }, speaking);
    }
}

BENCHMARK(QuestionToShippedFile)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(QuestionToSpokenWord)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
