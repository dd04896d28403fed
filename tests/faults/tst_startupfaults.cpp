#include <QApplication>
#include <QComboBox>
#include <QRandomGenerator>
#include <QTest>

#include "app/mainwindow.h"
#include "judge/romansettings.h"
#include "records/recordsstore.h"
#include "testrun/testrules.h"
#include "testsupport.h"
#include "testsupport_ui.h"

// Start-up with a folder of the installation missing or a file damaged: the
// window either starts and runs a test, or refuses with a message. Never a
// crash or a hang, and never a learner's file overwritten.
namespace
{
    const QString NoBank = QStringLiteral("問題文ファイルが無いか問題数が不足しています。処理続行不能！！");
    const QString NoSettings = QStringLiteral("設定ファイルに書き込めませんでした。");
    const QString DamagedRecords = QStringLiteral("成績ファイルが壊れているため");

    QByteArray garbage(qsizetype size)
    {
        QRandomGenerator random(size);
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.bounded(256));
        return bytes;
    }

    void useUserBank(ProgramFolderFixture &folder, int questions)
    {
        QStringList lines;
        for (int i = 0; i < questions; ++i)
            lines << QStringLiteral("問%1").arg(i) << QStringLiteral("答%1").arg(i) << QStringLiteral("kotae%1").arg(i);
        folder.useUserBank(QStringLiteral("mybank"), lines);
        Common::WriteIniValue(Common::UserTextIni, Common::SectionSyutudai, Common::KeyNumberLevel, QStringLiteral("10"));
    }

    void removeFolder(ProgramFolderFixture &folder, const QString &name)
    {
        QVERIFY(QDir(folder.path() + u'/' + name).removeRecursively());
    }

    // Cuts a file to `keep` of its bytes, or replaces it by garbage when keep < 0.
    void damage(const QString &path, qsizetype keep)
    {
        const QByteArray bytes = ProgramFolderFixture::readFile(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        ProgramFolderFixture::writeFile(path, keep < 0 ? garbage(bytes.size()) : bytes.left(keep));
    }

    // A whole installation: a standard bank of three LEVELs, settings,
    // romaji choices and records; `user` selects a user bank of two LEVELs.
    void install(ProgramFolderFixture &folder, bool user)
    {
        folder.writeStandardBank(51);
        JudgeTableSet::WriteRomanSettings({{QStringLiteral("し"), QStringLiteral("shi")}});
        if (user)
            useUserBank(folder, 20);
        Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound, QStringLiteral("OFF"));
        Common::QuestionCount = user ? 20 : 51;
        Common::LoadTestSettings();
        Common::LoadRecords();
        Common::CurrentLevel = Common::HighestLevel = 1;
        QVERIFY(Common::SaveRecords());
        Common::ResetState();
    }
}

class TestStartupFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void damagedInstallation_data();
    void damagedInstallation();
};

void TestStartupFaults::damagedInstallation_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("message"); // a message that must be among those shown; "" for none

    // The input and sound options write themselves back as the window shows them.
    QTest::newRow("ini folder missing") << false << "rm ini" << true << NoSettings;
    QTest::newRow("user ini folder missing") << true << "rm ini/ユーザーテキスト" << true << "";
    QTest::newRow("standard word folder missing") << false << "rm word/標準テキスト" << false << NoBank;
    QTest::newRow("user word folder missing") << true << "rm word/ユーザーテキスト" << false << NoBank;
    QTest::newRow("standard records folder missing") << false << "rm seiseki/標準テキスト" << true << "";
    QTest::newRow("user records folder missing") << true << "rm seiseki/ユーザーテキスト" << true << "";
    QTest::newRow("sound folders missing") << false << "rm sound1 sound2" << true << "";
    QTest::newRow("whole installation missing") << false << "rm ini word seiseki sound1 sound2" << false << NoBank;
    QTest::newRow("tst.ini garbage") << true << "garbage ini/tst.ini" << true << "";
    QTest::newRow("Roman.ini garbage") << false << "garbage ini/Roman.ini" << true << "";
    QTest::newRow("per-bank ini garbage") << true << "garbage ini/ユーザーテキスト/mybank.ini" << true << "";
    QTest::newRow("data2.dat garbage") << false << "garbage word/標準テキスト/data2.dat" << false << NoBank;
    QTest::newRow("data2.dat cut in the key table") << false << "cut600 word/標準テキスト/data2.dat" << false << NoBank;
    QTest::newRow("data2.dat cut in the bank") << false << "cut2000 word/標準テキスト/data2.dat" << true << "";
    QTest::newRow("records garbage") << false << "garbage seiseki/標準テキスト/data1.dat" << true << DamagedRecords;
    QTest::newRow("records cut") << false << "cut1100 seiseki/標準テキスト/data1.dat" << true << DamagedRecords;
    QTest::newRow("user records garbage") << true << "garbage seiseki/ユーザーテキスト/mybank.dat" << true << DamagedRecords;
    QTest::newRow("user bank binary, short") << true << "garbage word/ユーザーテキスト/mybank.txt" << false << NoBank;
    QTest::newRow("user bank binary, 1 MB") << true << "binary word/ユーザーテキスト/mybank.txt" << true << "";
    QTest::newRow("user bank of 50 MB") << true << "huge word/ユーザーテキスト/mybank.txt" << true << "";
    QTest::newRow("user bank empty") << true << "cut0 word/ユーザーテキスト/mybank.txt" << false << NoBank;
}

void TestStartupFaults::damagedInstallation()
{
    QFETCH(bool, user);
    QFETCH(QString, fault);
    QFETCH(bool, starts);
    QFETCH(QString, message);

    ProgramFolderFixture folder;
    install(folder, user);
    const QStringList words = fault.split(u' ');
    for (const QString &target : words.mid(1))
    {
        const QString path = folder.path() + u'/' + target;
        if (words[0] == u"rm")
            removeFolder(folder, target);
        else if (words[0] == u"garbage")
            damage(path, -1);
        else if (words[0].startsWith(u"cut"))
            damage(path, words[0].mid(3).toInt());
        else if (words[0] == u"binary")
            ProgramFolderFixture::writeFile(path, garbage(1 << 20));
        else if (words[0] == u"huge")
            ProgramFolderFixture::writeFile(path, QByteArray("a long line of a hand-made bank\r\n").repeated(50 << 15));
    }
    const QByteArray recordsBefore = ProgramFolderFixture::readFile(Common::RecordDataPath());

    ModalRecorder modals;
    SoundRecorder sounds;
    MainWindow window;
    QCOMPARE(window.Form_Load(), starts);
    const QStringList messages = folder.takeMessages();
    QCOMPARE(messages.isEmpty(), message.isEmpty());
    QVERIFY2(messages.join(u'\n').contains(message), qPrintable(messages.join(u'\n')));
    // Loading alone never rewrites the learner's records.
    QCOMPARE(ProgramFolderFixture::readFile(Common::RecordDataPath()), recordsBefore);
    if (!starts)
        return;

    // The window runs a test from start to its scoring.
    QVERIFY(Common::LevelCount >= 1);
    QVERIFY(window.Combo1->count() >= 1);
    window.Command1_Click();
    QCOMPARE(window.session()->TestState, TestRules::Running);
    window.Form_KeyDown(13, 0);
    QVERIFY(window.session()->TestState != TestRules::Running);
    QVERIFY(modals.shown().contains(QStringLiteral("Result")));
}

QTEST_MAIN(TestStartupFaults)
#include "tst_startupfaults.moc"
