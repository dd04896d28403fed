#include <QFileInfo>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTest>

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

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
