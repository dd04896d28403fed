#include "soundplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTextToSpeech>
#include <QUrl>
#include <QVoice>

#include <utility>

namespace
{
    // The offline engine: the others Debian ships talk to a speech service.
    const QString Engine = QStringLiteral("flite");

    struct Seam
    {
        std::function<void(const QString &)> handler;
        SoundPlayer::Readiness readiness = SoundPlayer::Readiness::Ready;
    };

    Seam &seam()
    {
        static Seam instance;
        return instance;
    }

    // An English voice, American first as the shipped files speak; false when there is none.
    bool chooseEnglishVoice(QTextToSpeech &engine)
    {
        QList<QLocale> english;
        for (const QLocale &locale : engine.availableLocales())
        {
            if (locale.language() == QLocale::English)
                english.append(locale);
        }
        if (english.isEmpty())
            return false;
        const QLocale american(QLocale::English, QLocale::UnitedStates);
        engine.setLocale(english.contains(american) ? american : english.constFirst());
        const QList<QVoice> voices = engine.availableVoices();
        const auto voice = std::find_if(voices.cbegin(), voices.cend(),
                                        [](const QVoice &v) { return v.locale().language() == QLocale::English; });
        if (voice == voices.cend())
            return false;
        engine.setVoice(*voice);
        return true;
    }

    // A word is spoken to its end. Qt's flite engine crashes when a word is
    // stopped or replaced while it is spoken (a quick second Tab did it), so
    // the sound asked for meanwhile waits for the word, the last one asked
    // replacing any before it.
    struct Waiting
    {
        std::function<void()> play;
        QElapsedTimer since; // of the word spoken
    };

    Waiting &waiting()
    {
        static Waiting instance;
        return instance;
    }

    // An engine that says nothing of its state for this long has lost the word.
    constexpr qint64 LongestWordMs = 5000;

    // Asks the engine only after a word was said: files alone never load it.
    bool speaking()
    {
        if (!waiting().since.isValid() || waiting().since.elapsed() >= LongestWordMs)
            return false;
        QTextToSpeech *engine = SoundPlayer::speech();
        return engine && engine->state() != QTextToSpeech::Error;
    }

    // Plays `sound` now, or once the word spoken has ended.
    void whenQuiet(std::function<void()> sound)
    {
        if (speaking())
            waiting().play = std::move(sound);
        else
            sound();
    }

    void wordEnded()
    {
        waiting().since.invalidate();
        if (auto next = std::exchange(waiting().play, {}))
            next();
    }

    bool hasEnglishVoice()
    {
        QTextToSpeech *engine = SoundPlayer::speech();
        return engine && engine->state() != QTextToSpeech::Error
               && engine->voice().locale().language() == QLocale::English;
    }
}

// One player for the whole run: a new file replaces the one playing.
QMediaPlayer &SoundPlayer::mediaPlayer()
{
    static QAudioOutput *output = new QAudioOutput;
    static QMediaPlayer *instance = [] {
        auto *p = new QMediaPlayer;
        p->setAudioOutput(output);
        return p;
    }();
    return *instance;
}

QTextToSpeech *SoundPlayer::speech()
{
    static QTextToSpeech *engine = []() -> QTextToSpeech * {
        if (!QTextToSpeech::availableEngines().contains(Engine))
            return nullptr;
        auto *made = new QTextToSpeech(Engine);
        chooseEnglishVoice(*made);
        QObject::connect(made, &QTextToSpeech::stateChanged, made, [](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Ready || state == QTextToSpeech::Error)
                wordEnded();
        });
        return made;
    }();
    return engine;
}

void SoundPlayer::play(const QString &path)
{
    if (seam().handler)
    {
        seam().handler(path);
        return;
    }
    whenQuiet([path] {
        QMediaPlayer &p = mediaPlayer();
        p.setSource(QUrl::fromLocalFile(path));
        p.setPosition(0);
        p.play();
    });
}

void SoundPlayer::speak(const QString &text)
{
    if (seam().handler)
    {
        seam().handler(SpeechMark + text);
        return;
    }
    QTextToSpeech *engine = speech();
    if (!engine)
        return;
    mediaPlayer().stop();
    whenQuiet([engine, text] {
        waiting().since.start();
        engine->say(text);
    });
}

void SoundPlayer::playWord(const QString &path, const QString &text)
{
    if (!path.isEmpty() && QFileInfo(path).isFile())
        play(path);
    else
        speak(text);
}

SoundPlayer::Readiness SoundPlayer::readiness(bool speech)
{
    if (seam().handler)
        return seam().readiness;
    if (QMediaDevices::audioOutputs().isEmpty())
        return Readiness::NoOutput;
    if (speech && !hasEnglishVoice())
        return Readiness::NoEnglishVoice;
    return Readiness::Ready;
}

QString SoundPlayer::readinessText(Readiness readiness)
{
    switch (readiness)
    {
    case Readiness::Ready:
        return {};
    case Readiness::NoOutput:
        return QStringLiteral("音声を出力する装置が見つからないため、聞き取りテストを始められません。\n"
                              "スピーカーやヘッドホンのつなぎ方と、音の出力の設定を確かめてください。");
    case Readiness::NoEnglishVoice:
        return QStringLiteral("英語の音声合成が見つからないため、この問題集の聞き取りテストを始められません。\n"
                              "音声ファイルのない単語は音声合成で読み上げます（パッケージ qt6-speech-flite-plugin）。");
    }
    return {};
}

void SoundPlayer::setHandler(std::function<void(const QString &path)> handler, Readiness readiness)
{
    seam() = {std::move(handler), readiness};
}
