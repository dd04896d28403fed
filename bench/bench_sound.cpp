// From asking for a word's sound to the player's playing state: a shipped
// pronunciation file through QMediaPlayer, and a word spoken offline through
// Qt TextToSpeech; with the memory of the process after the first of each.
// Needs a sound output: bench/with-null-sound runs it against a PulseAudio
// null sink. The pronunciation files come from VOCAMIRA_SOUND_DIR (a sound1
// folder), by default the build's own.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTextToSpeech>

#include <benchmark/benchmark.h>

#include "gui_shared/soundplayer.h"

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

    // Waits, handling events, until `done` or ten seconds; the milliseconds taken, or -1.
    template<typename Done>
    double waitFor(const QElapsedTimer &timer, Done done)
    {
        while (!done())
        {
            if (timer.elapsed() > 10000)
                return -1;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return double(timer.nsecsElapsed()) / 1e6;
    }

    QString soundFile(int index)
    {
        const QString folder = qEnvironmentVariable("VOCAMIRA_SOUND_DIR", QStringLiteral(VOCAMIRA_PROGRAM_DIR "/sound1"));
        return QStringLiteral("%1/%2.wma").arg(folder).arg(index, 4, 10, QChar(u'0'));
    }

    void ShippedFileToPlaying(benchmark::State &state)
    {
        if (SoundPlayer::readiness(false) != SoundPlayer::Readiness::Ready || !QFileInfo::exists(soundFile(0)))
        {
            state.SkipWithError("no sound output, or no pronunciation files (see the top of this file)");
            return;
        }
        QMediaPlayer &player = SoundPlayer::mediaPlayer();
        int index = 0;
        for (auto _ : state)
        {
            player.stop();
            QElapsedTimer timer;
            timer.start();
            SoundPlayer::playWord(soundFile(index++ % 170), QStringLiteral("word"));
            const double playing = waitFor(timer, [&player] { return player.position() > 0; });
            state.SetIterationTime(playing / 1000.0);
        }
        state.counters["MB after first file"] = residentMegabytes();
    }

    void SpokenWordToSpeaking(benchmark::State &state)
    {
        if (SoundPlayer::readiness(true) != SoundPlayer::Readiness::Ready)
        {
            state.SkipWithError("no sound output or no English voice (see the top of this file)");
            return;
        }
        QTextToSpeech *speech = SoundPlayer::speech();
        const QStringList words {QStringLiteral("listen"), QStringLiteral("apple"), QStringLiteral("weather")};
        int index = 0;
        for (auto _ : state)
        {
            speech->stop(QTextToSpeech::BoundaryHint::Immediate);
            waitFor(QElapsedTimer(), [speech] { return speech->state() != QTextToSpeech::Speaking; });
            QElapsedTimer timer;
            timer.start();
            SoundPlayer::playWord({}, words[index++ % words.size()]);
            const double speaking = waitFor(timer, [speech] { return speech->state() == QTextToSpeech::Speaking; });
            state.SetIterationTime(speaking / 1000.0);
        }
        state.counters["MB after first spoken word"] = residentMegabytes();
    }
}

BENCHMARK(ShippedFileToPlaying)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(SpokenWordToSpeaking)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
