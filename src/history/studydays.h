#pragma once

#include <QDate>
#include <QHash>
#include <QList>

// The days a learner studied, for the calendar of the history window: the
// tests of each day of the last year, the run of days studied in a row, and
// the words that left the weak list each week. Weeks run from Sunday to
// Saturday, as a Japanese calendar does; the last column holds today.
class StudyDays
{
public:
    static constexpr int Weeks = 53;
    // Shades of a day with tests, from a few to the most of the year.
    static constexpr int Shades = 4;

    StudyDays() = default;
    // testDays: the day of each test, in any order; wordsLeft: the day of
    // each time a word left the weak list.
    StudyDays(const QList<QDate> &testDays, const QList<QDate> &wordsLeft, const QDate &today);

    QDate today() const { return m_today; }
    // The Sunday of the first column.
    QDate firstDay() const { return m_firstDay; }
    int tests(const QDate &day) const { return m_tests.value(day); }
    // 0 for a day without tests, else 1 (fewest) to Shades (the most of the year).
    int shade(const QDate &day) const;
    int daysStudied() const { return m_daysStudied; }
    // Days in a row up to today, or up to yesterday while today has no test yet.
    int currentRun() const { return m_currentRun; }
    int longestRun() const { return m_longestRun; }
    // Words that left the weak list in column `week` (0 to Weeks - 1).
    int wordsLeft(int week) const { return m_left.value(week); }

private:
    QDate m_today;
    QDate m_firstDay;
    QHash<QDate, int> m_tests;
    QList<int> m_left;
    int m_most = 0;
    int m_daysStudied = 0;
    int m_currentRun = 0;
    int m_longestRun = 0;
};
