#include <QTest>

#include <limits>
#include <random>

#include "practice/weakwords.h"
#include "practice/wordschedule.h"

namespace
{
    const QDate Day0(2026, 11, 2);
    constexpr double QuickSeconds = 2.0;
    constexpr double SlowSeconds = 100.0;
    constexpr double SlowLimit = 30.0;

    // One answer per token: the day (from Day0), "p" for a practice test,
    // then "+" correct, "-" a wrong candidate, "?" unanswered; "s" makes a
    // correct answer slow. "4p+s" is a slow correct answer in practice on day 4.
    QList<WordAnswer> answers(const QString &script, int word = 0)
    {
        QList<WordAnswer> list;
        for (const QString &token : script.split(u' ', Qt::SkipEmptyParts))
        {
            qsizetype i = 0;
            while (i < token.size() && token[i].isDigit())
                ++i;
            WordAnswer answer;
            answer.word = word;
            answer.day = Day0.addDays(token.left(i).toInt());
            const QString rest = token.mid(i);
            answer.practice = rest.contains(u'p');
            answer.result = rest.contains(u'-')   ? WordAnswer::Result::Wrong
                            : rest.contains(u'?') ? WordAnswer::Result::Unanswered
                                                  : WordAnswer::Result::Correct;
            if (answer.result != WordAnswer::Result::Unanswered)
                answer.seconds = rest.contains(u's') ? SlowSeconds : QuickSeconds;
            list.append(answer);
        }
        return list;
    }

    int dayOf(const QDate &date)
    {
        return date.isValid() ? int(Day0.daysTo(date)) : -1;
    }
}

class WeakWordsTest : public QObject
{
    Q_OBJECT

private slots:
    void schedule_data();
    void schedule();
    void slowLimit_data();
    void slowLimit();
    void dueListOrder();
    void seededHistoryAgreesWithEachWord();
};

void WeakWordsTest::schedule_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("weak");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("due");
    QTest::addColumn<double>("misses");

    QTest::newRow("never missed") << "0+ 1+ 2p+" << false << 0 << -1 << 0.0;
    QTest::newRow("enters on a wrong candidate, due at once") << "0+ 1-" << true << 0 << 1 << 1.0;
    QTest::newRow("enters when left unanswered") << "2?" << true << 0 << 2 << 1.0;
    QTest::newRow("practice on the day of the miss is the first step") << "0- 0p+" << true << 1 << 1 << 1.0;
    QTest::newRow("second step after a day") << "0- 0p+ 1p+" << true << 2 << 4 << 1.0;
    QTest::newRow("third step after three days") << "0- 0p+ 1p+ 4p+" << true << 3 << 11 << 1.0;
    QTest::newRow("leaves after seven more days") << "0- 0p+ 1p+ 4p+ 11p+" << false << 0 << -1 << 1.0;
    QTest::newRow("late answers count as well") << "0- 2p+ 9p+ 20p+ 40p+" << false << 0 << -1 << 1.0;
    QTest::newRow("one day short of the last gap") << "0- 0p+ 1p+ 4p+ 10p+" << true << 3 << 11 << 1.0;
    QTest::newRow("early answers neither help nor harm") << "0- 0p+ 0p+ 0p+ 1p+ 2p+" << true << 2 << 4 << 1.0;
    QTest::newRow("correct answers outside practice count for nothing")
        << "0- 1+ 2+ 5+ 12+" << true << 0 << 0 << 1.0;
    QTest::newRow("a practice miss in between starts over") << "0- 0p+ 1p+ 4p- 5p+" << true << 1 << 6 << 2.0;
    QTest::newRow("a test miss in between starts over") << "0- 0p+ 1p+ 3-" << true << 0 << 3 << 2.0;
    QTest::newRow("unanswered in practice starts over") << "0- 0p+ 1p+ 4p+ 11p?" << true << 0 << 11 << 2.0;
    QTest::newRow("a slow answer is half a miss and no step") << "0- 0p+ 1p+s" << true << 1 << 1 << 1.5;
    QTest::newRow("a quick answer after a slow one moves on") << "0- 0p+ 1p+s 1p+" << true << 2 << 4 << 1.5;
    QTest::newRow("two slow answers make a miss") << "0+s 3+s" << true << 0 << 3 << 1.0;
    QTest::newRow("two slow answers in practice start over") << "0- 0p+ 1p+ 4p+s 5p+s" << true << 0 << 5 << 2.0;
    QTest::newRow("a quick answer between forgives the half") << "0+s 1+ 2+s" << false << 0 << -1 << 1.0;
    QTest::newRow("a slow wrong answer is a whole miss") << "0-s" << true << 0 << 0 << 1.0;
    QTest::newRow("missed again after leaving") << "0- 0p+ 1p+ 4p+ 11p+ 12-" << true << 0 << 12 << 2.0;
}

void WeakWordsTest::schedule()
{
    QFETCH(QString, script);
    const WordSchedule schedule = WordSchedule::of(answers(script), SlowLimit);

    QTEST(schedule.weak, "weak");
    QTEST(schedule.step, "step");
    QTEST(dayOf(schedule.due), "due");
    QTEST(schedule.misses(), "misses");
    QCOMPARE(schedule.isDue(Day0.addDays(40)), schedule.weak);
}

void WeakWordsTest::slowLimit_data()
{
    QTest::addColumn<QList<double>>("seconds");
    QTest::addColumn<double>("limit");

    const double none = std::numeric_limits<double>::infinity();
    QTest::newRow("nothing answered") << QList<double>{-1, -1} << none;
    QTest::newRow("odd count") << QList<double>{5, 1, 3} << 9.0;
    QTest::newRow("even count") << QList<double>{4, 1, 2, 100} << 9.0;
    QTest::newRow("unanswered left out") << QList<double>{2, -1, -1, -1, 4, 6} << 12.0;
}

void WeakWordsTest::slowLimit()
{
    QFETCH(QList<double>, seconds);
    QList<WordAnswer> list;
    for (double s : seconds)
    {
        WordAnswer answer;
        answer.seconds = s;
        answer.result = s < 0 ? WordAnswer::Result::Unanswered : WordAnswer::Result::Correct;
        list.append(answer);
    }
    QTEST(WeakWords::slowLimit(list), "limit");
}

void WeakWordsTest::dueListOrder()
{
    // Today is day 10. Each word's answers are given in order; they are
    // merged by day, as a history holds them.
    const QList<std::pair<int, QString>> history{
        {5, "0-"},                  // due since day 0, missed once
        {3, "0- 0-"},               // due since day 0, missed twice
        {7, "8-"},                  // due since day 8
        {8, "7- 9p+"},              // one step on, due today
        {1, "10?"},                 // missed today, due today
        {2, "6- 10p+"},             // one step on, due tomorrow
        {4, "0- 0p+ 1p+ 4p+ 10+"},  // three steps on, due tomorrow
        {6, "0- 0- 0p+ 1p+ 4p+"},   // the same, missed twice
        {9, "1- 2- 3- 9p+ 10p+"},   // due in three days, missed three times
        {0, "0+ 1+ 2+"},            // never missed
    };
    QList<WordAnswer> all;
    for (const auto &[word, script] : history)
        all += answers(script, word);
    std::stable_sort(all.begin(), all.end(), [](const WordAnswer &a, const WordAnswer &b) { return a.day < b.day; });

    const WeakWords weak(all, Day0.addDays(10));

    QList<int> order;
    for (const WeakWords::Word &word : weak.words())
        order.append(word.index);
    // Due: the longest overdue first, then the most missed, then the index.
    // Not due: the soonest first, then the most missed, then the index.
    QCOMPARE(order, (QList<int>{3, 5, 7, 1, 8, 6, 2, 4, 9}));
    QCOMPARE(weak.dueCount(), 5);
    QCOMPARE(weak.practiceWords(3), (QList<int>{3, 5, 7}));
    QCOMPARE(weak.practiceWords(10), order);
    QVERIFY(!weak.find(0));
    QCOMPARE(weak.find(9)->due, Day0.addDays(13));
    QCOMPARE(weak.find(9)->misses(), 3.0);
}

void WeakWordsTest::seededHistoryAgreesWithEachWord()
{
    // A long random history: the list agrees with each word's own schedule
    // and keeps its order.
    std::mt19937 engine(20261208);
    const QDate today = Day0.addDays(60);
    QList<WordAnswer> all;
    QHash<int, QList<WordAnswer>> byWord;
    for (int day = 0; day <= 60; ++day)
    {
        for (int n = 0; n < 40; ++n)
        {
            WordAnswer answer;
            answer.word = int(engine() % 80);
            answer.day = Day0.addDays(day);
            answer.practice = engine() % 3 == 0;
            const unsigned roll = engine() % 20;
            answer.result = roll == 0 ? WordAnswer::Result::Unanswered
                            : roll < 4 ? WordAnswer::Result::Wrong
                                       : WordAnswer::Result::Correct;
            if (answer.result != WordAnswer::Result::Unanswered)
                answer.seconds = roll == 19 ? 40.0 : 1.0 + engine() % 5;
            all.append(answer);
            byWord[answer.word].append(answer);
        }
    }

    const WeakWords weak(all, today);
    const double slow = WeakWords::slowLimit(all);
    QCOMPARE(slow, 9.0);

    int weakCount = 0;
    int dueCount = 0;
    for (auto it = byWord.cbegin(); it != byWord.cend(); ++it)
    {
        const WordSchedule own = WordSchedule::of(*it, slow);
        const WordSchedule *listed = weak.find(it.key());
        QCOMPARE(bool(listed), own.weak);
        if (!listed)
            continue;
        QCOMPARE(*listed, own);
        ++weakCount;
        dueCount += own.isDue(today);
    }
    QVERIFY(weakCount > 10);
    QVERIFY(dueCount > 0 && dueCount < weakCount);
    QCOMPARE(weak.words().size(), weakCount);
    QCOMPARE(weak.dueCount(), dueCount);

    const QList<WeakWords::Word> &words = weak.words();
    for (qsizetype i = 0; i < dueCount; ++i)
        QVERIFY(words[i].schedule.isDue(today));
    for (qsizetype i = 1; i < words.size(); ++i)
    {
        const WordSchedule &a = words[i - 1].schedule;
        const WordSchedule &b = words[i].schedule;
        if (a.isDue(today) != b.isDue(today))
            continue;
        QVERIFY(a.due < b.due || (a.due == b.due && a.missHalves >= b.missHalves));
    }
}

QTEST_APPLESS_MAIN(WeakWordsTest)
#include "tst_weakwords.moc"
