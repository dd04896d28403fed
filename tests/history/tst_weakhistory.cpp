#include <QSignalSpy>
#include <QTest>

#include <algorithm>

#include "history/historystore.h"
#include "history/weakhistory.h"
#include "historysupport.h"
#include "testsupport.h"

namespace
{
    const QDateTime Day1(QDate(2026, 11, 2), QTime(9, 0));

    Common::QuestionEntry entry(const QString &prompt, const QString &answer)
    {
        return {prompt, answer, QStringLiteral("いみ"), QString()};
    }

    QList<int> indexes(const WeakWords &weak)
    {
        QList<int> list;
        for (const WeakWords::Word &word : weak.words())
            list.append(word.index);
        std::sort(list.begin(), list.end());
        return list;
    }
}

class WeakHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void wordsFollowTheBank();
    void marksJoinTheAnswers();
    void readInTheBackground_data();
    void readInTheBackground();
};

void WeakHistoryTest::wordsFollowTheBank()
{
    ProgramFolderFixture folder;
    for (int i = 0; i < 40; ++i)
        Common::QuestionBank.append(entry(QStringLiteral("word%1").arg(i), QStringLiteral("意味%1").arg(i)));
    HistoryStore store(HistoryStore::defaultPath());
    HistoryTest missed = seededTest(Day1, 0, {1, 2, 3, 4});
    HistoryTest practice = seededTest(Day1.addSecs(600), 0);
    practice.kind = TestKind::WeakWords;
    practice.questions = practice.questions.mid(3, 1);
    HistoryTest otherDirection = seededTest(Day1, 10, {1}, QStringLiteral("英訳"));
    for (HistoryTest *test : {&missed, &practice, &otherDirection})
        QVERIFY(store.addTest(*test));

    // Since then the bank has changed: word2 has moved to index 30, word3 is
    // gone and index 3 holds another word.
    Common::QuestionBank[30] = Common::QuestionBank[2];
    Common::QuestionBank[2] = entry(QStringLiteral("word2"), QStringLiteral("別の意味"));
    Common::QuestionBank[3] = entry(QStringLiteral("new"), QStringLiteral("新しい"));

    WeakHistory history(store);
    WeakWords weak = history.weakWords(Day1.date());
    QCOMPARE(indexes(weak), (QList<int>{1, 4, 30}));
    // The practice answer counted: one step on.
    QCOMPARE(weak.find(4)->step, 1);
    QCOMPARE(weak.find(1)->step, 0);
    QCOMPARE(weak.dueCount(), 2);

    // A test just kept joins the answers read, without reading them again.
    HistoryTest later = seededTest(Day1.addSecs(1200), 10, {5});
    history.testKept(later);
    QCOMPARE(indexes(history.weakWords(Day1.date())), (QList<int>{1, 4, 15, 30}));
    // After the bank is loaded again, the store is read afresh (it never got that test).
    history.forget();
    QCOMPARE(indexes(history.weakWords(Day1.date())), (QList<int>{1, 4, 30}));

    // The other direction has its own weak words.
    folder.setCommon(Common::KeyTransMode, QStringLiteral("英訳"));
    QCOMPARE(indexes(history.weakWords(Day1.date())), (QList<int>{11}));

    // Words heard are weak apart from both directions, found whichever way
    // round the bank holds them; a listening practice moves them on.
    HistoryTest heard = seededTest(Day1, 20, {2, 3}, HistoryFilter::ListeningDirection);
    heard.kind = TestKind::Listening;
    QVERIFY(store.addTest(heard));
    Common::QuestionBank[23] = entry(QStringLiteral("意味23"), QStringLiteral("word23"));
    WeakHistory listening(store, WeakHistory::Side::Listening);
    QCOMPARE(indexes(listening.weakWords(Day1.date())), (QList<int>{22, 23}));
    HistoryTest practised = seededTest(Day1.addSecs(60), 20, {}, HistoryFilter::ListeningDirection);
    practised.kind = TestKind::DictationWeakWords;
    practised.questions = practised.questions.mid(2, 1);
    listening.testKept(practised);
    listening.testKept(later);
    QCOMPARE(indexes(listening.weakWords(Day1.date())), (QList<int>{22, 23}));
    QCOMPARE(listening.weakWords(Day1.date()).find(23)->step, 1);
    QCOMPARE(indexes(history.weakWords(Day1.date())), (QList<int>{11}));
    listening.testKept(seededTest(Day1.addSecs(90), 20, {7}, HistoryFilter::ListeningDirection));
    QCOMPARE(indexes(listening.weakWords(Day1.date())), (QList<int>{22, 23, 27}));
}

void WeakHistoryTest::marksJoinTheAnswers()
{
    ProgramFolderFixture folder;
    for (int i = 0; i < 40; ++i)
        Common::QuestionBank.append(entry(QStringLiteral("word%1").arg(i), QStringLiteral("意味%1").arg(i)));
    const HistoryFilter bank = HistoryFilter::current();
    auto mark = [&bank](const QDateTime &at, int index, WordMark::Kind kind) {
        return HistoryStore::Mark {at, bank.bankKind, bank.bankName, bank.direction,
                                   QStringLiteral("word%1").arg(index), QStringLiteral("意味%1").arg(index), index,
                                   kind};
    };
    HistoryStore store(HistoryStore::defaultPath());
    // Day 1: words 1, 2 and 3 missed; word 2 then marked known, word 3 taken
    // off, word 20 (never asked) added; word 3 missed again on day 2.
    HistoryTest missed = seededTest(Day1, 0, {1, 2, 3});
    QVERIFY(store.addTest(missed));
    QVERIFY(store.addMarks({mark(Day1.addSecs(60), 2, WordMark::Kind::Known),
                            mark(Day1.addSecs(60), 3, WordMark::Kind::NotWeak),
                            mark(Day1.addSecs(60), 20, WordMark::Kind::Weak)}));
    HistoryTest again = seededTest(Day1.addDays(1), 0, {3});
    QVERIFY(store.addTest(again));

    WeakHistory history(store);
    QCOMPARE(indexes(history.weakWords(Day1.date().addDays(1))), (QList<int>{1, 3, 20}));
    QCOMPARE(history.weakWords(Day1.date()).schedule(2)->state(), WordSchedule::State::Known);

    // Marks kept now join those read; marks of another bank do not.
    const QList<HistoryStore::Mark> now {mark(Day1.addDays(1).addSecs(60), 1, WordMark::Kind::Known),
                                         mark(Day1.addDays(1).addSecs(60), 2, WordMark::Kind::NotKnown)};
    QVERIFY(store.addMarks(now));
    history.marksKept(now);
    HistoryStore::Mark elsewhere = mark(Day1.addDays(1).addSecs(90), 3, WordMark::Kind::Known);
    elsewhere.direction = QStringLiteral("英訳");
    history.marksKept({elsewhere});
    const QList<int> expected {2, 3, 20};
    QCOMPARE(indexes(history.weakWords(Day1.date().addDays(1))), expected);
    history.forget();
    QCOMPARE(indexes(history.weakWords(Day1.date().addDays(1))), expected);

    // The bank changes: word 20 is gone but keeps its place under its old text.
    Common::QuestionBank[20] = entry(QStringLiteral("new"), QStringLiteral("新しい"));
    history.forget();
    const WeakWords weak = history.weakWords(Day1.date().addDays(1));
    QCOMPARE(indexes(weak), (QList<int>{2, 3}));
    const BankHistory &held = history.bankHistory();
    QCOMPARE(held.absentCount(), 1);
    QCOMPARE(held.absentWord(-1).prompt, QStringLiteral("word20"));
    QCOMPARE(held.absentWord(-1).bankIndex, 20);
    QCOMPARE(weak.schedule(-1)->state(), WordSchedule::State::Weak);
}

void WeakHistoryTest::readInTheBackground_data()
{
    QTest::addColumn<HistoryFault>("fault");
    QTest::addColumn<int>("told");
    QTest::addColumn<bool>("readable");

    QTest::newRow("sound") << HistoryFault::None << 0 << true;
    QTest::newRow("newer version") << HistoryFault::NewerVersion << 1 << false;
    // Set aside: a fresh history begins, and it is read.
    QTest::newRow("garbage") << HistoryFault::Garbage << 1 << true;
}

// The reading on a thread of its own holds what a reading here would; a test
// kept while it reads is counted once; a history that cannot be read is told
// once, however often it is tried, and leaves an empty list.
void WeakHistoryTest::readInTheBackground()
{
    QFETCH(HistoryFault, fault);
    QFETCH(int, told);
    QFETCH(bool, readable);
    ProgramFolderFixture folder;
    for (int i = 0; i < 40; ++i)
        Common::QuestionBank.append(entry(QStringLiteral("word%1").arg(i), QStringLiteral("意味%1").arg(i)));
    const QDate today = Day1.date();
    {
        HistoryStore seed(HistoryStore::defaultPath());
        for (int day = 0; day < 50; ++day)
        {
            HistoryTest test = seededTest(Day1.addSecs(60 * day), day % 3 * 10, {1 + day % 10});
            QVERIFY(seed.addTest(test));
        }
    }
    const auto harm = injectFault(fault, HistoryStore::defaultPath());
    HistoryStore store(HistoryStore::defaultPath());
    WeakHistory history(store);
    QSignalSpy loaded(&history, &WeakHistory::loaded);
    for (int round = 0; round < 2; ++round)
    {
        history.forget();
        history.load();
        // Kept while the reading runs: the reading is done again, so it counts once.
        HistoryTest later = seededTest(Day1.addSecs(6000 + round), 30, {9});
        if (store.addTest(later))
            history.testKept(later);
        QTRY_VERIFY_WITH_TIMEOUT(history.isReady(), 20000);
        QCOMPARE(loaded.size(), round + 1);
        QCOMPARE(history.unreadable(), !readable);
        QCOMPARE(history.heldWeakWords(today).find(39) != nullptr, readable);
        if (!readable)
            continue;
        HistoryStore again(HistoryStore::defaultPath(), HistoryStore::Creation::ExistingOnly);
        WeakHistory here(again);
        QCOMPARE(indexes(history.heldWeakWords(today)), indexes(here.weakWords(today)));
    }
    QCOMPARE(folder.messages().size(), told);
}

QTEST_GUILESS_MAIN(WeakHistoryTest)
#include "tst_weakhistory.moc"
