#include <QHash>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <random>

#include "bank/questions.h"
#include "judge/judgetable.h"
#include "judge/keycodelookup.h"
#include "judge/keycodetable.h"
#include "records/recordsstore.h"
#include "testrun/leveltest.h"
#include "testrun/practicetest.h"
#include "testsupport.h"

// A whole test run by the session alone, typed at with the key codes a JIS
// keyboard sends: no window, no widget.
namespace
{
    struct KeyCode
    {
        int code = 0;
        int shift = 0;
    };

    // LEVEL 1 opens with りんご, りんどう and みかん: r keeps the first two
    // and drops the third. The other readings are two plain kana and い.
    QStringList bank()
    {
        QStringList groups {"apple", "林檎", "りんご", "gentian", "竜胆", "りんどう", "tangerine", "蜜柑", "みかん"};
        const QString kana = QStringLiteral("かきくけこさしすせそたちつてとなにぬねのはひふへほまむめも");
        for (int i = 3; i < 17 * 3; ++i)
            groups << QStringLiteral("word%1").arg(i) << QStringLiteral("意味%1").arg(i)
                   << QString(kana[i % kana.size()]) + kana[i / kana.size()] + QStringLiteral("い");
        return groups;
    }
}

class TestSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keySequences_data();
    void keySequences();

private:
    // Types the whole text as the key-code table says each character is typed.
    void type(TestSession &session, const QString &text, bool kana);

    QHash<QChar, KeyCode> m_romaKeys;
    QHash<QChar, KeyCode> m_kanaKeys;
};

void TestSessionTest::initTestCase()
{
    CodeChangeTableSet::BuildKeyCodeTable();
    for (int shift : {0, 1})
    {
        for (int code = 1; code < 256; ++code)
        {
            CodeChage::KeyLookup lookup;
            lookup.KeyCodeIn = code;
            lookup.ShiftIn = shift;
            CodeChage::LookupKeyCode(lookup);
            if (lookup.KeyNotFound != u"0")
                continue;
            if (lookup.KeyRomaChar.size() == 1 && !m_romaKeys.contains(lookup.KeyRomaChar[0]))
                m_romaKeys.insert(lookup.KeyRomaChar[0], {code, shift});
            if (lookup.KeyKanaChar.size() == 1 && !m_kanaKeys.contains(lookup.KeyKanaChar[0]))
                m_kanaKeys.insert(lookup.KeyKanaChar[0], {code, shift});
        }
    }
}

void TestSessionTest::type(TestSession &session, const QString &text, bool kana)
{
    for (QChar c : text)
    {
        const QHash<QChar, KeyCode> &keys = kana && m_kanaKeys.contains(c) ? m_kanaKeys : m_romaKeys;
        QVERIFY2(keys.contains(c), qPrintable(QStringLiteral("no key types ") + c));
        session.KeyDown(keys[c].code, keys[c].shift);
    }
}

// Each step of a script: c types the correct answer, 1 or 2 the wrong answer
// of that target, r the key R, q the key Q (which no target of the first
// question takes), e is Esc, k switches to the kana keyboard, s stops the
// test and t lets the time limit pass. W tests practise the first three
// LEVEL 2 words; the others draw the first question as above.
void TestSessionTest::keySequences_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("marks");     // of the questions shown so far
    QTest::addColumn<QString>("alive");     // of targets 0 to 2, while running
    QTest::addColumn<QString>("drawn");     // the last drawing of box 0, parts joined by |
    QTest::addColumn<int>("score");         // -1 while running
    QTest::addColumn<int>("level");         // the LEVEL held after the script

    QTest::newRow("shown") << "L" << "" << "×" << "111" << "||りんご|||ringo" << -1 << 0;
    QTest::newRow("a key two targets take") << "L" << "r" << "×" << "110" << "|り|んご|r|i|ngo" << -1 << 0;
    QTest::newRow("a key no target takes") << "L" << "rq" << "×" << "110" << "|り|んご|r|i|ngo" << -1 << 0;
    QTest::newRow("Esc brings all back") << "L" << "re" << "×" << "111" << "||りんご|||ringo" << -1 << 0;
    QTest::newRow("wrong answer") << "L" << "1" << "××" << "111" << "" << -1 << 0;
    QTest::newRow("passed challenge") << "L" << "cccccccccc" << "○○○○○○○○○○" << "" << "" << 100 << 1;
    QTest::newRow("failed challenge") << "L" << "c1c2c1cccc" << "○×○×○×○○○○" << "" << "" << 70 << 0;
    QTest::newRow("stopped") << "L" << "ccs" << "○○×" << "" << "" << 20 << 0;
    QTest::newRow("timed out") << "P" << "ct" << "○×" << "" << "" << 10 << 0;
    QTest::newRow("kana keyboard") << "L" << "kecc" << "○○×" << "111" << "" << -1 << 0;
    QTest::newRow("kana guide after Esc") << "L" << "ke" << "×" << "111" << "||りんご|||ﾘﾝｺﾞ" << -1 << 0;
    QTest::newRow("practice") << "W" << "c1c" << "○×○" << "" << "" << 20 << 0;
}

void TestSessionTest::keySequences()
{
    QFETCH(QString, kind);
    QFETCH(QString, script);
    QFETCH(QString, marks);
    QFETCH(QString, alive);
    QFETCH(QString, drawn);
    QFETCH(int, score);
    QFETCH(int, level);

    ProgramFolderFixture folder;
    folder.writeStandardBank(bank());
    double now = 1000;
    Clock::setSource([&now] { return now; });
    JudgeTableSet::BuildJudgeTable();
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
    // The first question and its wrong answers as above, then a fixed generator.
    QList<double> first {0.0, 0.0, 1.5 / Common::QuestionCount, 2.5 / Common::QuestionCount};
    Random::setSource([&first, engine = std::mt19937(7)]() mutable {
        return first.isEmpty() ? std::uniform_real_distribution<double>(0.0, 1.0)(engine) : first.takeFirst();
    });

    std::unique_ptr<TestSession> session;
    if (kind == u"W")
    {
        first.clear();
        session = std::make_unique<PracticeTest>(QList<int> {17, 18, 19}, Common::TimeLimitStudy, TestSession::History {});
    }
    else
    {
        const TestKind testKind = TestKinds::fromLetter(kind).value();
        const int testLevel = testKind == TestKind::LevelUp ? Common::CurrentLevel + 1 : 1;
        const int limit = testKind == TestKind::Preview ? Common::TimeLimitStudy : Common::TimeLimitChallenge;
        session = std::make_unique<LevelTest>(testKind, testLevel, limit, TestSession::History {});
    }
    QStringList lastDrawing;
    connect(session.get(), &TestSession::targetDrawn, this,
            [&lastDrawing](int box, const QString &typed, const QString &current, const QString &rest,
                           const QString &guideTyped, const QString &guideCurrent, const QString &guideRest) {
                if (box == 0)
                    lastDrawing = {typed, current, rest, guideTyped, guideCurrent, guideRest};
            });
    QSignalSpy shown(session.get(), &TestSession::questionShown);
    QSignalSpy stopped(session.get(), &TestSession::stopped);
    QSignalSpy ended(session.get(), &TestSession::ended);
    QSignalSpy counter(session.get(), &TestSession::counterChanged);

    bool kana = false;
    session->Start();
    for (QChar step : script)
    {
        now += 500;
        switch (step.unicode())
        {
        case u'c':
        case u'1':
        case u'2':
        {
            // A copy: the guide shrinks as it is typed.
            const QString guide = session->targets()[step == u'c' ? 0 : step.digitValue()].guide;
            type(*session, guide, kana);
            break;
        }
        case u'r':
            type(*session, QStringLiteral("r"), false);
            break;
        case u'q':
            type(*session, QStringLiteral("q"), false);
            break;
        case u'e':
            session->KeyDown(27, 0);
            break;
        case u'k':
            kana = true;
            session->setKanaInput(true);
            break;
        case u's':
            session->EndTest();
            break;
        case u't':
            now = session->StartTime + Common::CurrentTimeLimit * 1000.0 + 80;
            session->Tick();
            break;
        }
    }

    QStringList shownMarks;
    for (int n = 1; n <= Common::TestQuestionIndex; ++n)
        shownMarks << Common::TestMarks[n];
    QCOMPARE(shownMarks.join(QString()), marks);
    QCOMPARE(shown.size(), Common::TestQuestionIndex);
    QCOMPARE(shown.last().at(0).toInt(), Common::TestQuestionIndex);
    QCOMPARE(session->isRunning(), score < 0);
    if (!drawn.isEmpty())
        QCOMPARE(lastDrawing.join(u'|'), drawn);
    if (score < 0)
    {
        QString flags;
        for (const Target &target : session->targets())
            flags += target.alive ? u'1' : u'0';
        QCOMPARE(flags, alive);
        QVERIFY(ended.isEmpty());
        QCOMPARE(Common::CurrentLevel, level);
        return;
    }
    QCOMPARE(stopped.size(), 1);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.first().at(0).value<TestOutcome>().score, score);
    QCOMPARE(Common::CurrentLevel, level);
    // Only a LEVEL's test leaves records; a practice test leaves the file as it was.
    QCOMPARE(QFile::exists(Common::RecordDataPath()), kind != u"W");
    if (script.endsWith(u't'))
        QCOMPARE(counter.last().at(0).toString(), QString::number(Common::CurrentTimeLimit));
}

QTEST_GUILESS_MAIN(TestSessionTest)
#include "tst_testsession.moc"
