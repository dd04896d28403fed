#include <QTest>

#include "history/studydays.h"

namespace
{
    // A Wednesday.
    const QDate Today(2026, 11, 4);

    // Days before today: "0 0 1 3" is two tests today, one yesterday, one three days ago.
    QList<QDate> days(const QList<int> &daysAgo)
    {
        QList<QDate> list;
        for (const int n : daysAgo)
            list.append(Today.addDays(-n));
        return list;
    }
}

class StudyDaysTest : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void shadesAndWeeks();
};

void StudyDaysTest::runs_data()
{
    QTest::addColumn<QList<int>>("daysAgo");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("longest");
    QTest::addColumn<int>("studied");

    QTest::newRow("never") << QList<int>{} << 0 << 0 << 0;
    QTest::newRow("today only, twice") << QList<int>{0, 0} << 1 << 1 << 1;
    QTest::newRow("yesterday keeps the run going") << QList<int>{1, 2, 3} << 3 << 3 << 3;
    QTest::newRow("a day missed ends it") << QList<int>{2, 3} << 0 << 2 << 2;
    QTest::newRow("longest before") << QList<int>{0, 1, 5, 6, 7, 8} << 2 << 4 << 6;
    QTest::newRow("in any order") << QList<int>{7, 0, 8, 1, 6, 5} << 2 << 4 << 6;
    // A run of two years ago counts for the longest; its days are not in the calendar.
    QTest::newRow("before the calendar's year") << QList<int>{0, 800, 801, 802} << 1 << 3 << 1;
}

void StudyDaysTest::runs()
{
    QFETCH(QList<int>, daysAgo);
    const StudyDays study(days(daysAgo), {}, Today);
    QTEST(study.currentRun(), "current");
    QTEST(study.longestRun(), "longest");
    QTEST(study.daysStudied(), "studied");
}

void StudyDaysTest::shadesAndWeeks()
{
    QList<QDate> tests;
    for (int n : {1, 2, 3, 4, 8})
        tests += days(QList<int>(n, n));
    const StudyDays study(tests, days({0, 0, 3, 9, 400}) + QList<QDate>{Today.addDays(1)}, Today);

    // 53 columns, Sunday to Saturday, the last one this week.
    QCOMPARE(study.firstDay().dayOfWeek(), 7);
    QCOMPARE(study.firstDay().daysTo(Today), 7 * 52 + 3);
    // Four shades up to the busiest day, 8 tests.
    QList<int> shades;
    for (int n : {0, 1, 2, 3, 4, 8})
        shades.append(study.shade(Today.addDays(-n)));
    QCOMPARE(shades, (QList<int>{0, 1, 1, 2, 2, 4}));
    QCOMPARE(study.tests(Today.addDays(-8)), 8);
    // Words left this week (today and Sunday), last week, and none the year before.
    QCOMPARE(study.wordsLeft(StudyDays::Weeks - 1), 3);
    QCOMPARE(study.wordsLeft(StudyDays::Weeks - 2), 1);
    int all = 0;
    for (int week = 0; week < StudyDays::Weeks; ++week)
        all += study.wordsLeft(week);
    QCOMPARE(all, 4);
}

QTEST_APPLESS_MAIN(StudyDaysTest)
#include "tst_studydays.moc"
