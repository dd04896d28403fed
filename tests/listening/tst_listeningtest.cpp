#include <QHash>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "bank/questions.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "history/weakhistory.h"
#include "judge/judgetable.h"
#include "judge/keycodelookup.h"
#include "judge/keycodetable.h"
#include "listening/listeningtest.h"
#include "listening/listeningword.h"
#include "records/recordsstore.h"
#include "testsupport.h"

// A listening test run by the session alone, typed at with the keys of a JIS
// keyboard: what is heard, what is kept, and that nothing else moves.
namespace
{
    // Short words close to each other, none typed on the way to another.
    const QStringList Words {"cat", "cut", "hat", "cap", "cot", "bat", "car", "can", "cab", "map", "mat", "man",
                             "pan", "pat", "pen", "pet", "pin", "pit", "ten", "tan", "tin", "hit", "hot", "hut",
                             "bit", "but", "bet", "bed", "bad", "bud", "red", "rod", "rid", "rat"};
    const QList<int> Asked {3, 10, 21};
}

class ListeningTestTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scripts_data();
    void scripts();
    void knownWordsAreNotAsked();

private:
    void type(ListeningTest &test, const QString &text);
    static void loadBank(ProgramFolderFixture &folder, const QString &bank);

    QHash<QChar, int> m_keys;
};

void ListeningTestTest::initTestCase()
{
    CodeChangeTableSet::BuildKeyCodeTable();
    for (int code = 1; code < 256; ++code)
    {
        CodeChage::KeyLookup lookup;
        lookup.KeyCodeIn = code;
        CodeChage::LookupKeyCode(lookup);
        if (lookup.KeyNotFound == u"0" && lookup.KeyRomaChar.size() == 1 && !m_keys.contains(lookup.KeyRomaChar[0]))
            m_keys.insert(lookup.KeyRomaChar[0], code);
    }
}

void ListeningTestTest::type(ListeningTest &test, const QString &text)
{
    for (QChar c : text)
    {
        QVERIFY2(m_keys.contains(c), qPrintable(QStringLiteral("no key types ") + c));
        test.KeyDown(m_keys[c], 0);
    }
}

// Script steps: c types the word heard, 1 the first wrong candidate, z a
// key no word takes, r is Tab (heard again), f ends the look at the answer,
// s stops the test and t lets the time limit pass. The bank asks entries 3,
// 10 and 21 (cap, mat, hit), standard or the learner's own, written either
// way round.
// The words as a bank of the kind named: the standard bank in a direction
// (和訳, 英訳), a learner's own list with the English first (user) or second
// (reversed); loaded as the program loads it.
void ListeningTestTest::loadBank(ProgramFolderFixture &folder, const QString &bank)
{
    if (bank == u"user" || bank == u"reversed")
    {
        QStringList lines;
        for (int i = 0; i < Words.size(); ++i)
        {
            const QString meaning = QStringLiteral("意味%1").arg(i);
            lines << (bank == u"user" ? QStringList {Words[i], meaning, QStringLiteral("いみ")}
                                      : QStringList {meaning, Words[i], Words[i]});
        }
        folder.useUserBank(QStringLiteral("mine"), lines);
    }
    else
    {
        QStringList groups;
        for (int i = 0; i < Words.size(); ++i)
            groups << Words[i] << QStringLiteral("意味%1").arg(i) << QStringLiteral("いみ");
        folder.writeStandardBank(groups);
        folder.setCommon(Common::KeyTransMode, bank);
    }
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
}

void ListeningTestTest::scripts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("bank");      // standard 和訳 or 英訳, user (English prompt) or reversed
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("marks");     // of the questions shown so far
    QTest::addColumn<QString>("replays");   // per question, as kept
    QTest::addColumn<QString>("keys");      // rejected keys per question, as kept
    QTest::addColumn<QString>("lastShown"); // the last answer shown: word|meaning|right
    QTest::addColumn<QString>("box");       // a dictation's box: typed|shown letter|marks
    QTest::addColumn<int>("score");         // -1 while running

    QTest::newRow("heard, right and wrong") << "H" << "和訳" << "cf1fcf" << "○×○" << "000" << "000"
                                            << "hit|意味21|1" << "" << 20;
    QTest::newRow("the word and its meaning the other way") << "H" << "英訳" << "1f" << "××" << "0" << "0"
                                                           << "cap|意味3|0" << "" << -1;
    QTest::newRow("replays counted, after the answer too") << "J" << "和訳" << "rrcrfrcf" << "○○×" << "31" << "00"
                                                           << "mat|意味10|1" << "" << -1;
    QTest::newRow("keys wait while the answer shows") << "H" << "user" << "czzzrf" << "○×" << "1" << "0"
                                                       << "cap|意味3|1" << "" << -1;
    QTest::newRow("a rejected key counts") << "H" << "reversed" << "zcf" << "○×" << "0" << "1" << "cap|意味3|1"
                                           << "" << -1;
    QTest::newRow("stopped") << "H" << "和訳" << "cfs" << "○×" << "0" << "0" << "cap|意味3|1" << "" << 10;
    QTest::newRow("timed out while the answer shows") << "H" << "和訳" << "ct" << "○" << "0" << "0"
                                                      << "cap|意味3|1" << "" << 10;
    QTest::newRow("dictation, shown") << "D" << "和訳" << "" << "×" << "" << "" << "" << "||•••" << -1;
    QTest::newRow("dictation, two refused keys") << "D" << "和訳" << "zz" << "×" << "" << "" << "" << "||•••" << -1;
    QTest::newRow("dictation, the letter shown") << "D" << "英訳" << "zzz" << "×" << "" << "" << "" << "|c|••" << -1;
    QTest::newRow("dictation typed") << "D" << "user" << "cfcfcf" << "○○○" << "000" << "000" << "hit|意味21|1"
                                     << "hit||" << 30;
    QTest::newRow("dictation with a hint is a miss") << "E" << "reversed" << "zzzc" << "×" << "0" << "3"
                                                     << "cap|意味3|0" << "cap||" << -1;
}

void ListeningTestTest::scripts()
{
    QFETCH(QString, kind);
    QFETCH(QString, bank);
    QFETCH(QString, script);
    QFETCH(QString, marks);
    QFETCH(QString, replays);
    QFETCH(QString, keys);
    QFETCH(QString, lastShown);
    QFETCH(QString, box);
    QFETCH(int, score);

    ProgramFolderFixture folder;
    double now = 1000;
    Clock::setSource([&now] { return now; });
    JudgeTableSet::BuildJudgeTable();
    loadBank(folder, bank);
    const int levelBefore = Common::CurrentLevel;

    HistoryStore store(HistoryStore::defaultPath());
    WeakHistory weak(store, WeakHistory::Side::Listening);
    weak.weakWords(Clock::currentDateTime().date()); // read, as the dialog reads it before a test
    const TestKind testKind = TestKinds::fromLetter(kind).value();
    ListeningTest test(testKind, Asked, 2, Common::TimeLimitStudy, {&store, &weak});
    QStringList heard;
    connect(&test, &ListeningTest::listen, this,
            [&heard](const QString &file, const QString &word) { heard << file + u'|' + word; });
    QStringList shown;
    connect(&test, &ListeningTest::answerShown, this, [&shown](const QString &word, const QString &meaning, bool right) {
        shown << QStringList {word, meaning, right ? QStringLiteral("1") : QStringLiteral("0")}.join(u'|');
    });
    QString dictationBox;
    connect(&test, &TestSession::targetDrawn, this,
            [&dictationBox](int box, const QString &typed, const QString &current, const QString &rest) {
                if (box == ListeningTest::DictationBox)
                    dictationBox = typed + u'|' + current + u'|' + rest;
            });
    QSignalSpy prompts(&test, &TestSession::questionShown);
    QSignalSpy ended(&test, &TestSession::ended);

    test.Start();
    int questionsHeard = 0;
    for (QChar step : script)
    {
        now += 500;
        const int asked = Asked.value(Common::TestQuestionIndex - 1);
        const QString word = ListeningWord::typedOf(Common::QuestionBank[asked]);
        switch (step.unicode())
        {
        case u'c':
            type(test, word.mid(test.dictation().typed().size()));
            break;
        case u'1':
            type(test, ListeningWord::typedOf(Common::QuestionBank[test.targets()[1].question]));
            break;
        case u'z':
            type(test, QStringLiteral("9"));
            break;
        case u'r':
            test.KeyDown(ListeningTest::ReplayKey, 0);
            break;
        case u'f':
            test.finishFeedback();
            break;
        case u's':
            test.EndTest();
            break;
        case u't':
            now = test.StartTime + Common::CurrentTimeLimit * 1000.0 + 80;
            test.Tick();
            break;
        }
        questionsHeard = Common::TestQuestionIndex;
    }

    // Every question hides its word and plays it: from its file in the
    // standard bank, spoken in a user bank.
    QStringList marksShown;
    for (int n = 1; n <= Common::TestQuestionIndex; ++n)
        marksShown << Common::TestMarks[n];
    QCOMPARE(marksShown.join(QString()), marks);
    QCOMPARE(prompts.size(), Common::TestQuestionIndex);
    for (const QList<QVariant> &prompt : prompts)
        QCOMPARE(prompt.at(1).toString(), ListeningTest::HiddenPrompt);
    QVERIFY(heard.size() >= questionsHeard);
    for (int n = 0; n < Common::TestQuestionIndex; ++n)
    {
        const QString word = ListeningWord::typedOf(Common::QuestionBank[Asked[n]]);
        const bool spoken = bank == u"user" || bank == u"reversed";
        QVERIFY2(heard.contains((spoken ? QString() : Common::SoundFilePath(Asked[n])) + u'|' + word), qPrintable(word));
    }
    if (TestKinds::isDictation(testKind))
        QCOMPARE(dictationBox, box);
    QCOMPARE(shown.isEmpty() ? QString() : shown.last(), lastShown);
    QCOMPARE(test.isRunning(), score < 0);
    if (score < 0)
    {
        QVERIFY(ended.isEmpty());
        test.EndTest();
    }
    else
        QCOMPARE(ended.first().at(0).value<TestOutcome>().score, score);

    // No LEVEL moves, no records file; the history keeps the words heard
    // apart from both directions, with their replays and refused keys.
    QCOMPARE(Common::CurrentLevel, levelBefore);
    QVERIFY(!QFile::exists(Common::RecordDataPath()));
    QList<HistoryTest> kept;
    HistoryFilter all;
    all.all = true;
    QVERIFY(store.forEachTest(all, [&kept](const HistoryTest &t) { kept.append(t); }));
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].kind, testKind);
    QCOMPARE(kept[0].direction, HistoryFilter::ListeningDirection);
    QString replaysKept;
    QString keysKept;
    for (const HistoryTest::Question &q : kept[0].questions)
    {
        if (!q.answered)
            continue;
        replaysKept += QString::number(q.replays);
        keysKept += QString::number(q.keysRejected);
        QCOMPARE(q.prompt, ListeningWord::shownOf(Common::QuestionBank[q.bankIndex]));
        QCOMPARE(q.answer, ListeningWord::meaningOf(Common::QuestionBank[q.bankIndex]));
    }
    QCOMPARE(replaysKept, replays);
    QCOMPARE(keysKept, keys);
    // A word missed is weak for listening only.
    const qsizetype missed = std::count_if(kept[0].questions.cbegin(), kept[0].questions.cend(),
                                           [&kept](const HistoryTest::Question &q) { return kept[0].missed(q); });
    const QDate today = Clock::currentDateTime().date();
    QCOMPARE(weak.weakWords(today).words().size(), missed);
    QVERIFY(WeakHistory(store).weakWords(today).words().isEmpty());
    // A test of weak words tells each word's place in the schedule, as a practice does.
    QStringList notes = ended.last().at(0).value<TestOutcome>().scheduleNotes;
    notes.removeAll(QString());
    QCOMPARE(notes.size(), TestKinds::practisesWeakWords(testKind) ? missed : 0);
}

void ListeningTestTest::knownWordsAreNotAsked()
{
    ProgramFolderFixture folder;
    loadBank(folder, Common::TransModeJapanese);

    // Marked in either direction; the last mark of a word stands, so the
    // word taken back (30) is asked again.
    const HistoryFilter bank = HistoryFilter::current();
    const QDateTime at(QDate(2026, 12, 1), QTime(9, 0));
    QList<HistoryStore::Mark> marks;
    for (int i = 0; i <= 30; ++i)
    {
        const QString meaning = QStringLiteral("意味%1").arg(i);
        const bool english = i >= 15;
        marks.append({at, bank.bankKind, bank.bankName,
                      english ? Common::TransModeEnglish : Common::TransModeJapanese, english ? meaning : Words[i],
                      english ? Words[i] : meaning, i, WordMark::Kind::Known});
    }
    marks.append(marks.last());
    marks.last().at = at.addSecs(60);
    marks.last().kind = WordMark::Kind::NotKnown;
    HistoryStore store(HistoryStore::defaultPath());
    QVERIFY(store.addMarks(marks));

    QList<int> asked =
        ListeningTest::chooseWords(TestKind::Dictation, int(Words.size()), {}, ListeningTest::knownWords(&store));
    std::sort(asked.begin(), asked.end());
    QCOMPARE(asked, (QList<int> {30, 31, 32, 33}));
}

QTEST_GUILESS_MAIN(ListeningTestTest)
#include "tst_listeningtest.moc"
