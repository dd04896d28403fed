#include "historycharts.h"

#include <algorithm>

namespace
{
    HistoryCharts::Series seriesOf(const HistoryStore::TestPoint &point)
    {
        if (point.listening)
            return HistoryCharts::Listening;
        return point.kind == TestKind::WeakWords ? HistoryCharts::Practice : HistoryCharts::Directions;
    }
}

HistoryCharts::HistoryCharts(const QList<HistoryStore::TestPoint> &points,
                             const QList<HistoryStore::Restore> &restores, const QDate &today)
{
    m_testDays.reserve(points.size());
    for (const HistoryStore::TestPoint &point : points)
    {
        addTest(point, qreal(m_testDays.size()));
        m_testTimes.append(point.startedAt);
        m_testDays.append(point.startedAt.date());
    }

    // A restore comes after every test that began before it.
    qsizetype before = 0;
    for (const HistoryStore::Restore &restore : restores)
    {
        while (before < points.size() && points[before].startedAt <= restore.at)
            ++before;
        m_restores.append({before - 0.5, qreal(restore.levelAfter)});
        m_top[LevelChart] = std::max(m_top[LevelChart], qreal(restore.levelAfter));
    }

    if (points.isEmpty())
        return;
    m_firstDay = m_testDays.first();
    const int days = int(m_firstDay.daysTo(std::max(today, m_testDays.last()))) + 1;
    for (QList<int> &perDay : m_perDay)
        perDay.fill(0, days);
    QList<int> all(days, 0);
    for (qsizetype i = 0; i < points.size(); ++i)
    {
        const int day = int(m_firstDay.daysTo(m_testDays[i]));
        ++m_perDay[seriesOf(points[i])][day];
        m_top[TestsPerDayChart] = std::max(m_top[TestsPerDayChart], qreal(++all[day]));
    }
}

void HistoryCharts::addTest(const HistoryStore::TestPoint &point, qreal x)
{
    const Series series = seriesOf(point);
    const auto add = [&](Chart chart, qreal y) {
        m_points[chart][series].append({x, y});
        m_top[chart] = std::max(m_top[chart], y);
    };
    // A test stopped before its first answer asked nothing to score.
    if (point.asked > 0)
        add(ScoreChart, 100.0 * point.correct / point.asked);
    // A LEVEL the records never held (the learner quit without them) is no
    // point of its line; practice and listening move no LEVEL.
    if (point.recordsSaved && series == Directions)
        add(LevelChart, point.levelAfter);
    if (point.seconds > 0)
        add(SpeedChart, point.keysAccepted * 60.0 / point.seconds);
    const int keys = point.keysAccepted + point.keysRejected;
    if (keys > 0)
        add(AccuracyChart, 100.0 * point.keysAccepted / keys);
}

QString HistoryCharts::pointText(Chart chart, const QPointF &point) const
{
    const qsizetype test = qRound(point.x());
    if (test < 0 || test >= m_testTimes.size() || test != point.x())
        return {};
    const QString when = m_testTimes[test].toString(QStringLiteral("yyyy/MM/dd H:mm　"));
    switch (chart)
    {
    case ScoreChart:
    case AccuracyChart:
        return when + QStringLiteral("%1％").arg(point.y(), 0, 'f', 0);
    case LevelChart:
        return when + QStringLiteral("LEVEL %1").arg(point.y());
    case SpeedChart:
        return when + QStringLiteral("%1キー／分").arg(point.y(), 0, 'f', 0);
    default:
        return {};
    }
}

QString HistoryCharts::dayText(int day) const
{
    if (day < 0 || day >= dayCount())
        return {};
    int tests = 0;
    for (const QList<int> &perDay : m_perDay)
        tests += perDay[day];
    return m_firstDay.addDays(day).toString(QStringLiteral("yyyy/MM/dd　"))
           + (tests > 0 ? QStringLiteral("テスト %1回").arg(tests) : QStringLiteral("テストなし"));
}

QList<HistoryCharts::Label> HistoryCharts::testLabels(int most) const
{
    return labels(m_testDays, most);
}

QList<HistoryCharts::Label> HistoryCharts::dayLabels(int most) const
{
    QList<QDate> days;
    days.reserve(dayCount());
    for (int i = 0; i < dayCount(); ++i)
        days.append(m_firstDay.addDays(i));
    return labels(days, most);
}

// A date where a new day begins, at least 1/most of the axis from the date
// before it, so no two crowd each other.
QList<HistoryCharts::Label> HistoryCharts::labels(const QList<QDate> &days, int most)
{
    QList<Label> list;
    if (days.isEmpty() || most <= 0)
        return list;
    const qreal gap = qreal(days.size()) / most;
    const bool spansYears = days.first().year() != days.last().year();
    for (qsizetype i = 0; i < days.size(); ++i)
    {
        const bool newDay = i == 0 || days[i] != days[i - 1];
        if (!newDay || (!list.isEmpty() && i - list.last().at < gap))
            continue;
        const bool withYear = spansYears || list.isEmpty();
        list.append({qreal(i), days[i].toString(withYear ? QStringLiteral("yyyy/M/d") : QStringLiteral("M/d"))});
    }
    return list;
}
