#pragma once

#include <QString>

#include <functional>

class QMediaPlayer;
class QTextToSpeech;

// Plays pronunciation files through QtMultimedia, and speaks English words
// that have no file offline through Qt TextToSpeech (the flite engine: no
// network, no background service). One sound at a time: a new one stops a
// file playing, and follows a word being spoken, which is spoken to its end.
// Whether a file exists is not tested by play(): a missing file simply plays
// nothing.
namespace SoundPlayer
{
    // What stands in the way of a test that needs sound.
    enum class Readiness
    {
        Ready,
        NoOutput,       // no sound output device
        NoEnglishVoice, // speech wanted, and no offline English voice installed
    };

    // What tests see of a spoken text: this mark, then the text.
    inline const QString SpeechMark = QStringLiteral("speak:");

    void play(const QString &path);
    void speak(const QString &text);
    // A word's pronunciation: its file when there is one, else the word spoken.
    void playWord(const QString &path, const QString &text);

    // Whether sound can be heard now, and with speech an English voice too.
    Readiness readiness(bool speech);
    // What the learner is told when a listening test cannot start; "" when Ready.
    QString readinessText(Readiness readiness);

    // Tests see what would play (a file's path, or SpeechMark and the text),
    // with the readiness given; an empty function restores the real player.
    void setHandler(std::function<void(const QString &path)> handler, Readiness readiness = Readiness::Ready);
    // The one player of the run, for tests that watch a file really decode.
    QMediaPlayer &mediaPlayer();
    // The speech engine, made on first use; nullptr when flite is not installed.
    QTextToSpeech *speech();
}
