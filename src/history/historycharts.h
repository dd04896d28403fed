#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>

#include <array>

#include "historystore.h"

// What the history window's charts draw, worked out without a window. The
// tests stand one after another along the bottom (x is a test's place in
// time order, the first 0), so a day of many tests spreads out instead of
// stacking on one date; each kind of test is a series of its own; a score is
// the share of the questions asked that were answered right, so a practice of
// six questions all right is 100. The tests of each day are bars, from the
// first day to today, a day without tests an empty bar. A restore of records
// stands on the LEVEL chart between the tests it came between.
class HistoryCharts
{
public:
    enum Chart
    {
        ScoreChart,
        LevelChart,
        TestsPerDayChart,
        SpeedChart,
        AccuracyChart,
        ChartCount,
    };

    // The tests of both directions, the practice of weak words, the listening tests.
    enum Series
    {
        Directions,
        Practice,
        Listening,
        SeriesCount,
    };

    // A date under an axis, at x.
    struct Label
    {
        qreal at = 0;
        QString text;

        friend bool operator==(const Label &, const Label &) = default;
    };

    HistoryCharts() = default;
    // points: in time order, as the store gives them; today: the last bar.
    HistoryCharts(const QList<HistoryStore::TestPoint> &points, const QList<HistoryStore::Restore> &restores,
                  const QDate &today);

    int testCount() const { return int(m_testDays.size()); }
    // The points of a chart drawn test by test (any but TestsPerDayChart).
    const QList<QPointF> &points(Chart chart, Series series) const { return m_points[chart][series]; }
    // One point a restore: x halfway between the tests before and after it, y the LEVEL it restored.
    const QList<QPointF> &restoreMarks() const { return m_restores; }
    // The highest value of a chart, over its series (and its restores).
    qreal top(Chart chart) const { return m_top[chart]; }

    // Bar i is the day firstDay() + i; the last is today (or the last test's day, if later).
    QDate firstDay() const { return m_firstDay; }
    int dayCount() const { return int(m_perDay[Directions].size()); }
    const QList<int> &testsPerDay(Series series) const { return m_perDay[series]; }

    // At most `most` dates under the tests, each at the first test of its
    // day, spread evenly; the first (and every date once the chart spans
    // years) with its year.
    QList<Label> testLabels(int most) const;
    // The same under the bars.
    QList<Label> dayLabels(int most) const;

    // What a point of a chart says under the pointer: when its test began and its value.
    QString pointText(Chart chart, const QPointF &point) const;
    // What a bar says: its day and its tests.
    QString dayText(int day) const;

private:
    void addTest(const HistoryStore::TestPoint &point, qreal x);
    static QList<Label> labels(const QList<QDate> &days, int most);

    QList<QDateTime> m_testTimes;
    QList<QDate> m_testDays;
    std::array<std::array<QList<QPointF>, SeriesCount>, ChartCount> m_points;
    std::array<qreal, ChartCount> m_top {};
    QList<QPointF> m_restores;
    QDate m_firstDay;
    std::array<QList<int>, SeriesCount> m_perDay;
};
