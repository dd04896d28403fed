#include "studydays.h"

#include <algorithm>

StudyDays::StudyDays(const QList<QDate> &testDays, const QList<QDate> &wordsLeft, const QDate &today)
    : m_today(today)
    // Qt counts Monday as 1 and Sunday as 7.
    , m_firstDay(today.addDays(-(today.dayOfWeek() % 7) - 7 * (Weeks - 1)))
    , m_left(Weeks, 0)
{
    QHash<QDate, int> all;
    for (const QDate &day : testDays)
        ++all[day];

    QList<QDate> days = all.keys();
    std::sort(days.begin(), days.end());
    int run = 0;
    for (qsizetype i = 0; i < days.size(); ++i)
    {
        run = i > 0 && days[i - 1].addDays(1) == days[i] ? run + 1 : 1;
        m_longestRun = std::max(m_longestRun, run);
        if (days[i] >= m_firstDay && days[i] <= today)
        {
            m_tests.insert(days[i], all[days[i]]);
            m_most = std::max(m_most, all[days[i]]);
            ++m_daysStudied;
        }
    }
    const QDate last = days.isEmpty() ? QDate() : days.last();
    // A run is still going while its last day is today or yesterday.
    if (last.isValid() && (last == today || last == today.addDays(-1)))
        m_currentRun = run;

    for (const QDate &day : wordsLeft)
    {
        if (day >= m_firstDay && day <= today)
            ++m_left[m_firstDay.daysTo(day) / 7];
    }
}

int StudyDays::shade(const QDate &day) const
{
    const int n = tests(day);
    if (n == 0)
        return 0;
    // Shades split the range up to the busiest day evenly, as a contribution calendar does.
    return std::clamp((n * Shades + m_most - 1) / m_most, 1, Shades);
}
