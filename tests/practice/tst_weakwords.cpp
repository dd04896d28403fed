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

    struct Script
    {
        QList<WordAnswer> answers;
        QList<WordMark> marks;
    };

    // One answer or mark per token: the day (from Day0), then for an answer
    // "p" for a practice test, then "+" correct, "-" a wrong candidate, "?"
    // unanswered, and "s" makes a correct answer slow: "4p+s" is a slow
    // correct answer in practice on day 4. A mark is "K" known, "U" known no
    // more, "A" added to the weak words, "R" taken off them: "3K".
    Script script(const QString &text, int word = 0)
    {
        static const QHash<QChar, WordMark::Kind> markKinds {{u'K', WordMark::Kind::Known},
                                                             {u'U', WordMark::Kind::NotKnown},
                                                             {u'A', WordMark::Kind::Weak},
                                                             {u'R', WordMark::Kind::NotWeak}};
        Script list;
        qint64 at = 0;
        for (const QString &token : text.split(u' ', Qt::SkipEmptyParts))
        {
            qsizetype i = 0;
            while (i < token.size() && token[i].isDigit())
                ++i;
            const QDate day = Day0.addDays(token.left(i).toInt());
            const QString rest = token.mid(i);
            ++at;
            if (markKinds.contains(rest.front()))
            {
                list.marks.append({word, day, at, markKinds[rest.front()]});
                continue;
            }
            WordAnswer answer;
            answer.word = word;
            answer.day = day;
            answer.at = at;
            answer.practice = rest.contains(u'p');
            answer.result = rest.contains(u'-')   ? WordAnswer::Result::Wrong
                            : rest.contains(u'?') ? WordAnswer::Result::Unanswered
                                                  : WordAnswer::Result::Correct;
            if (answer.result != WordAnswer::Result::Unanswered)
                answer.seconds = rest.contains(u's') ? SlowSeconds : QuickSeconds;
            list.answers.append(answer);
        }
        return list;
    }

    QList<WordAnswer> answers(const QString &text, int word = 0)
    {
        return script(text, word).answers;
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
    void state_data();
    void state();
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

void WeakWordsTest::state_data()
{
    using State = WordSchedule::State;
    using Effect = WordSchedule::Effect;
    QTest::addColumn<QString>("script");
    QTest::addColumn<State>("state");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("due");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("missed");
    QTest::addColumn<Effect>("lastEffect"); // of the last answer

    QTest::newRow("never asked") << "" << State::Unasked << 0 << -1 << 0 << 0 << Effect::None;
    QTest::newRow("asked, never missed") << "0+ 1+" << State::Learning << 0 << -1 << 2 << 0 << Effect::None;
    QTest::newRow("missed") << "0+ 1-" << State::Weak << 0 << 1 << 2 << 1 << Effect::Missed;
    QTest::newRow("unanswered counts as missed") << "0?" << State::Weak << 0 << 0 << 1 << 1 << Effect::Missed;
    QTest::newRow("first step") << "0- 0p+" << State::Weak << 1 << 1 << 2 << 1 << Effect::Stepped;
    QTest::newRow("early answer") << "0- 0p+ 0p+" << State::Weak << 1 << 1 << 3 << 1 << Effect::Early;
    QTest::newRow("correct outside practice") << "0- 5+" << State::Weak << 0 << 0 << 2 << 1 << Effect::None;
    QTest::newRow("too slow to count") << "0- 0p+ 1p+s" << State::Weak << 1 << 1 << 3 << 1 << Effect::Slow;
    QTest::newRow("slow twice is a miss") << "0+s 3+s" << State::Weak << 0 << 3 << 2 << 0 << Effect::SlowMiss;
    QTest::newRow("learned after four days")
        << "0- 0p+ 1p+ 4p+ 11p+" << State::Learned << 0 << -1 << 5 << 1 << Effect::Left;
    QTest::newRow("learned, then correct again")
        << "0- 0p+ 1p+ 4p+ 11p+ 20+" << State::Learned << 0 << -1 << 6 << 1 << Effect::None;
    QTest::newRow("learned, then missed") << "0- 0p+ 1p+ 4p+ 11p+ 12-" << State::Weak << 0 << 12 << 6 << 2
                                          << Effect::Missed;
    QTest::newRow("added before ever asked") << "3A" << State::Weak << 0 << 3 << 0 << 0 << Effect::None;
    QTest::newRow("added, practised the same day") << "0+ 2A 2p+" << State::Weak << 1 << 3 << 2 << 0
                                                   << Effect::Stepped;
    QTest::newRow("added again starts over") << "0- 0p+ 1p+ 3A" << State::Weak << 0 << 3 << 3 << 1
                                             << Effect::Stepped;
    QTest::newRow("added after learning it") << "0- 0p+ 1p+ 4p+ 11p+ 13A" << State::Weak << 0 << 13 << 5 << 1
                                             << Effect::Left;
    QTest::newRow("taken off is no learning") << "0- 0p+ 1R" << State::Learning << 0 << -1 << 2 << 1
                                              << Effect::Stepped;
    QTest::newRow("taken off, then missed") << "0- 1R 2-" << State::Weak << 0 << 2 << 2 << 2 << Effect::Missed;
    QTest::newRow("added and taken off, never asked") << "0A 1R" << State::Unasked << 0 << -1 << 0 << 0
                                                      << Effect::None;
    QTest::newRow("known") << "0- 1K" << State::Known << 0 << 0 << 1 << 1 << Effect::Missed;
    QTest::newRow("known before ever asked") << "0K" << State::Known << 0 << -1 << 0 << 0 << Effect::None;
    QTest::newRow("known no more") << "0- 1K 2U" << State::Weak << 0 << 0 << 1 << 1 << Effect::Missed;
    QTest::newRow("missed while known: the schedule goes on")
        << "0+ 1K 2- 3U" << State::Weak << 0 << 2 << 2 << 1 << Effect::Missed;
    QTest::newRow("known after learning") << "0- 0p+ 1p+ 4p+ 11p+ 12K" << State::Known << 0 << -1 << 5 << 1
                                          << Effect::Left;
}

void WeakWordsTest::state()
{
    QFETCH(QString, script);
    const Script events = ::script(script);
    WordSchedule schedule;
    auto lastEffect = WordSchedule::Effect::None;
    WordSchedule::inTimeOrder(
        events.answers, events.marks,
        [&](const WordAnswer &answer) { lastEffect = schedule.apply(answer, SlowLimit); },
        [&](const WordMark &mark) { schedule.apply(mark); });

    QTEST(schedule.state(), "state");
    QTEST(schedule.step, "step");
    QTEST(dayOf(schedule.due), "due");
    QTEST(schedule.asked, "asked");
    QTEST(schedule.missed, "missed");
    QTEST(lastEffect, "lastEffect");
    QCOMPARE(WordSchedule::of(events.answers, events.marks, SlowLimit), schedule);
    // A known word is never practised, whatever its schedule.
    const WeakWords weak(events.answers, Day0.addDays(30), events.marks);
    const WordSchedule own = WordSchedule::of(events.answers, events.marks, weak.slowSeconds());
    QCOMPARE(bool(weak.find(0)), own.weak && !own.known);
    QCOMPARE(weak.schedule(0) ? *weak.schedule(0) : WordSchedule(), own);
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
    QCOMPARE(weak.practiceWords(10), order.first(5));
    QCOMPARE(weak.practiceWords(3, WeakWords::Take::Early), (QList<int>{6, 2, 4}));
    QCOMPARE(weak.practiceWords(10, WeakWords::Take::Early), order.sliced(5));
    QCOMPARE(weak.nextDue().day, Day0.addDays(11));
    QCOMPARE(weak.nextDue().count, 3);
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
