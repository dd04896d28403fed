#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>
#include <QVoice>

#include "gui_shared/soundplayer.h"

// A pronunciation file of the shipped standard bank really decodes through the
// player the program uses: the GStreamer plug-ins for the ASF container and
// WMA audio are installed and found.
class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void shippedFilePlaysToItsEnd();
    void missingFilePlaysNothingAndGoesOn();
    void wordWithoutFileIsSpoken();
    void offlineEnglishVoiceIsThere();
    void wordsAskedWhileOneIsSpokenFollowIt();
};

void TestSoundPlayer::shippedFilePlaysToItsEnd()
{
    const QString path = QStringLiteral(VOCAMIRA_PROGRAM_DIR "/sound1/0000.wma");
    if (!QFileInfo::exists(path))
        QSKIP("the pronunciation files were not made in this build");

    QMediaPlayer &player = SoundPlayer::mediaPlayer();
    QSignalSpy errors(&player, &QMediaPlayer::errorOccurred);
    SoundPlayer::play(path);
    QTRY_VERIFY_WITH_TIMEOUT(player.mediaStatus() == QMediaPlayer::EndOfMedia || !errors.isEmpty(), 20000);
    QVERIFY2(errors.isEmpty(), qPrintable(player.errorString()));
    QVERIFY(player.duration() > 100);
}

void TestSoundPlayer::missingFilePlaysNothingAndGoesOn()
{
    QMediaPlayer &player = SoundPlayer::mediaPlayer();
    SoundPlayer::play(QStringLiteral("/nonexistent/sound1/0007.wma"));
    QTRY_VERIFY_WITH_TIMEOUT(player.mediaStatus() == QMediaPlayer::InvalidMedia
                                 || player.mediaStatus() == QMediaPlayer::NoMedia,
                             20000);
}

void TestSoundPlayer::wordWithoutFileIsSpoken()
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(QStringLiteral("0007.wma"));
    QFile file(shipped);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QStringList played;
    SoundPlayer::setHandler([&played](const QString &what) { played.append(what); },
                            SoundPlayer::Readiness::NoEnglishVoice);
    SoundPlayer::playWord(shipped, QStringLiteral("seven"));
    SoundPlayer::playWord(dir.filePath(QStringLiteral("0008.wma")), QStringLiteral("eight"));
    SoundPlayer::playWord({}, QStringLiteral("my own word"));
    QCOMPARE(SoundPlayer::readiness(true), SoundPlayer::Readiness::NoEnglishVoice);
    SoundPlayer::setHandler({});
    QCOMPARE(played, (QStringList {shipped, SoundPlayer::SpeechMark + QStringLiteral("eight"),
                                   SoundPlayer::SpeechMark + QStringLiteral("my own word")}));
}

// The speech engine the package depends on is installed, offline, with an
// English voice; without a sound device the test that needs it says so.
void TestSoundPlayer::offlineEnglishVoiceIsThere()
{
    QTextToSpeech *speech = SoundPlayer::speech();
    QVERIFY2(speech, "the flite plug-in of Qt TextToSpeech is not installed");
    QCOMPARE(speech->voice().locale().language(), QLocale::English);
    const bool output = !QMediaDevices::audioOutputs().isEmpty();
    QCOMPARE(SoundPlayer::readiness(true), output ? SoundPlayer::Readiness::Ready : SoundPlayer::Readiness::NoOutput);
    if (!output)
        return;
    QSignalSpy states(speech, &QTextToSpeech::stateChanged);
    SoundPlayer::speak(QStringLiteral("apple"));
    const auto spoke = [&states] {
        return std::any_of(states.cbegin(), states.cend(), [](const QList<QVariant> &arguments) {
            return arguments.at(0).value<QTextToSpeech::State>() == QTextToSpeech::Speaking;
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(spoke(), 20000);
}

// Tab pressed quickly again and again: each word is spoken to its end (the
// engine crashed when one was cut short), and the last one asked follows.
void TestSoundPlayer::wordsAskedWhileOneIsSpokenFollowIt()
{
    if (SoundPlayer::readiness(true) != SoundPlayer::Readiness::Ready)
        QSKIP("no sound output (bench/with-null-sound gives one)");
    QTextToSpeech *speech = SoundPlayer::speech();
    QTRY_VERIFY_WITH_TIMEOUT(speech->state() == QTextToSpeech::Ready, 20000);
    QSignalSpy states(speech, &QTextToSpeech::stateChanged);
    SoundPlayer::speak(QStringLiteral("one"));
    QTRY_VERIFY_WITH_TIMEOUT(speech->state() == QTextToSpeech::Speaking, 20000);
    for (const char *word : {"two", "three", "four"})
        SoundPlayer::speak(QString::fromLatin1(word));
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 4, 20000); // one and four, each Speaking then Ready
    QCOMPARE(states.last().at(0).value<QTextToSpeech::State>(), QTextToSpeech::Ready);
    QTest::qWait(200);
    QCOMPARE(states.count(), 4);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
