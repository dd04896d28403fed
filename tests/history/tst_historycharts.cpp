#include <QTest>

#include "history/historycharts.h"

using Charts = HistoryCharts;
using Point = HistoryStore::TestPoint;

namespace
{
    const QDate Day1(2026, 11, 2);

    // A test of `asked` questions, `correct` of them right, on day `day` (0 is Day1) at `hour`.
    Point test(int day, int hour, int asked, int correct, TestKind kind = TestKind::Preview, bool listening = false)
    {
        Point point;
        point.startedAt = QDateTime(Day1.addDays(day), QTime(hour, 0));
        point.asked = asked;
        point.correct = correct;
        point.score = correct * 10;
        point.kind = kind;
        point.listening = listening;
        point.levelAfter = day + 1;
        point.seconds = 60;
        point.keysAccepted = 90;
        point.keysRejected = 10;
        return point;
    }

    QList<qreal> xs(const QList<QPointF> &points)
    {
        QList<qreal> list;
        for (const QPointF &p : points)
            list.append(p.x());
        return list;
    }

    QList<qreal> ys(const QList<QPointF> &points)
    {
        QList<qreal> list;
        for (const QPointF &p : points)
            list.append(std::round(p.y() * 10) / 10);
        return list;
    }
}

class HistoryChartsTest : public QObject
{
    Q_OBJECT

private slots:
    void onePointPerTest_data();
    void onePointPerTest();
    void daysAndRestores();
    void labels_data();
    void labels();
};

// What one test puts in each chart: which series, and the score as a share of the questions asked.
void HistoryChartsTest::onePointPerTest_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<int>("series");
    QTest::addColumn<QList<qreal>>("score");
    QTest::addColumn<QList<qreal>>("level");
    QTest::addColumn<QList<qreal>>("speedAndAccuracy");

    QTest::newRow("level test") << test(0, 9, 10, 8, TestKind::LevelUp) << int(Charts::Directions)
                                << QList<qreal>{80} << QList<qreal>{1} << QList<qreal>{90, 90};
    QTest::newRow("practice of six, all right") << test(0, 9, 6, 6, TestKind::WeakWords) << int(Charts::Practice)
                                                << QList<qreal>{100} << QList<qreal>{} << QList<qreal>{90, 90};
    QTest::newRow("listening") << test(0, 9, 10, 7, TestKind::Dictation, true) << int(Charts::Listening)
                               << QList<qreal>{70} << QList<qreal>{} << QList<qreal>{90, 90};
    QTest::newRow("stopped after three") << test(0, 9, 3, 2) << int(Charts::Directions) << QList<qreal>{66.7}
                                         << QList<qreal>{1} << QList<qreal>{90, 90};
    Point nothing = test(0, 9, 0, 0);
    nothing.seconds = 0;
    nothing.keysAccepted = nothing.keysRejected = 0;
    QTest::newRow("stopped before an answer") << nothing << int(Charts::Directions) << QList<qreal>{}
                                              << QList<qreal>{1} << QList<qreal>{};
    Point unsaved = test(0, 9, 10, 10);
    unsaved.recordsSaved = false;
    QTest::newRow("records not saved") << unsaved << int(Charts::Directions) << QList<qreal>{100} << QList<qreal>{}
                                       << QList<qreal>{90, 90};
}

void HistoryChartsTest::onePointPerTest()
{
    QFETCH(Point, point);
    QFETCH(int, series);
    QFETCH(QList<qreal>, score);
    QFETCH(QList<qreal>, level);
    QFETCH(QList<qreal>, speedAndAccuracy);
    const Charts charts({point}, {}, Day1);
    for (int kind = 0; kind < Charts::SeriesCount; ++kind)
    {
        const auto s = Charts::Series(kind);
        const auto own = [&](const QList<qreal> &values) { return kind == series ? values : QList<qreal>(); };
        QCOMPARE(ys(charts.points(Charts::ScoreChart, s)), own(score));
        QCOMPARE(ys(charts.points(Charts::LevelChart, s)), own(level));
        QCOMPARE(ys(charts.points(Charts::SpeedChart, s) + charts.points(Charts::AccuracyChart, s)),
                 own(speedAndAccuracy));
        QCOMPARE(charts.testsPerDay(s), QList<int>{kind == series});
    }
    QCOMPARE(charts.testCount(), 1);
}

// Tests one after another whatever their day; bars for every day up to
// today, empty where nothing was done; restores between the tests around them.
void HistoryChartsTest::daysAndRestores()
{
    const QList<Point> points {test(0, 9, 10, 10), test(0, 10, 10, 9), test(0, 11, 5, 5, TestKind::WeakWords),
                               test(3, 9, 10, 8), test(3, 9, 10, 9, TestKind::Listening, true)};
    const QDateTime morning(Day1.addDays(3), QTime(8, 0));
    const QList<HistoryStore::Restore> restores {{morning, 4, 2}, {morning.addDays(2), 2, 7}};
    const Charts charts(points, restores, Day1.addDays(5));

    QCOMPARE(xs(charts.points(Charts::ScoreChart, Charts::Directions)), (QList<qreal>{0, 1, 3}));
    QCOMPARE(xs(charts.points(Charts::ScoreChart, Charts::Practice)), QList<qreal>{2});
    QCOMPARE(xs(charts.points(Charts::ScoreChart, Charts::Listening)), QList<qreal>{4});
    QCOMPARE(ys(charts.points(Charts::ScoreChart, Charts::Directions)), (QList<qreal>{100, 90, 80}));
    QCOMPARE(charts.restoreMarks(), (QList<QPointF>{{2.5, 2}, {4.5, 7}}));
    QCOMPARE(charts.top(Charts::LevelChart), 7.0);

    QCOMPARE(charts.firstDay(), Day1);
    QCOMPARE(charts.dayCount(), 6);
    QCOMPARE(charts.testsPerDay(Charts::Directions), (QList<int>{2, 0, 0, 1, 0, 0}));
    QCOMPARE(charts.testsPerDay(Charts::Practice), (QList<int>{1, 0, 0, 0, 0, 0}));
    QCOMPARE(charts.testsPerDay(Charts::Listening), (QList<int>{0, 0, 0, 1, 0, 0}));
    QCOMPARE(charts.top(Charts::TestsPerDayChart), 3.0);

    // Under the pointer: the test's start and its value; a bar's day and tests.
    const auto tip = [&charts](Charts::Chart chart, Charts::Series series, int n) {
        return charts.pointText(chart, charts.points(chart, series)[n]);
    };
    QCOMPARE(tip(Charts::ScoreChart, Charts::Practice, 0), QStringLiteral("2026/11/02 11:00　100％"));
    QCOMPARE(tip(Charts::LevelChart, Charts::Directions, 2), QStringLiteral("2026/11/05 9:00　LEVEL 4"));
    QCOMPARE(tip(Charts::SpeedChart, Charts::Listening, 0), QStringLiteral("2026/11/05 9:00　90キー／分"));
    QCOMPARE(charts.pointText(Charts::LevelChart, charts.restoreMarks()[0]), QString());
    QCOMPARE(charts.dayText(0), QStringLiteral("2026/11/02　テスト 3回"));
    QCOMPARE(charts.dayText(1), QStringLiteral("2026/11/03　テストなし"));

    const Charts none({}, {}, Day1);
    QCOMPARE(none.testCount(), 0);
    QCOMPARE(none.dayCount(), 0);
    QVERIFY(none.testLabels(6).isEmpty());
}

// Dates under the axis: where a day begins, never crowded, the year on the
// first and on all of them once the tests span years.
void HistoryChartsTest::labels_data()
{
    QTest::addColumn<QList<int>>("testDays"); // days after Day1, one a test
    QTest::addColumn<int>("most");
    QTest::addColumn<QList<qreal>>("at");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("a day's tests, one date") << QList<int>{0, 0, 0, 1, 1, 4} << 6 << QList<qreal>{0, 3, 5}
                                             << QStringList{"2026/11/2", "11/3", "11/6"};
    QTest::newRow("thinned to three") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << 3 << QList<qreal>{0, 3, 6}
                                      << QStringList{"2026/11/2", "11/5", "11/8"};
    QTest::newRow("a busy day keeps its room") << QList<int>{0, 1, 1, 1, 1, 1, 1, 1, 2} << 3
                                               << QList<qreal>{0, 8} << QStringList{"2026/11/2", "11/4"};
    QTest::newRow("across a new year") << QList<int>{0, 60} << 6 << QList<qreal>{0, 1}
                                       << QStringList{"2026/11/2", "2027/1/1"};
    QTest::newRow("no room") << QList<int>{0, 1} << 0 << QList<qreal>{} << QStringList{};
}

void HistoryChartsTest::labels()
{
    QFETCH(QList<int>, testDays);
    QFETCH(int, most);
    QFETCH(QList<qreal>, at);
    QFETCH(QStringList, texts);
    QList<Point> points;
    for (const int day : testDays)
        points.append(test(day, 9, 10, 10));
    const Charts charts(points, {}, Day1);
    QList<qreal> positions;
    QStringList labels;
    for (const Charts::Label &label : charts.testLabels(most))
    {
        positions.append(label.at);
        labels.append(label.text);
    }
    QCOMPARE(positions, at);
    QCOMPARE(labels, texts);
    // Under the bars, each day is a place of its own.
    QCOMPARE(charts.dayLabels(2).constFirst().text, QStringLiteral("2026/11/2"));
    QVERIFY(charts.dayLabels(2).size() <= 2);
}

QTEST_APPLESS_MAIN(HistoryChartsTest)
#include "tst_historycharts.moc"
