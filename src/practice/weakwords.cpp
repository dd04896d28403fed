#include "weakwords.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

WeakWords::WeakWords(const QList<WordAnswer> &answers, const QDate &today)
    : m_today(today)
{
    const double slow = slowLimit(answers);
    QHash<int, WordSchedule> schedules;
    schedules.reserve(4096);
    for (const WordAnswer &answer : answers)
        schedules[answer.word].apply(answer, slow);

    for (auto it = schedules.cbegin(); it != schedules.cend(); ++it)
    {
        if (!it->weak)
            continue;
        m_words.append({it.key(), *it});
        if (it->isDue(today))
            ++m_dueCount;
    }
    std::sort(m_words.begin(), m_words.end(), [&today](const Word &a, const Word &b) {
        const bool aDue = a.schedule.isDue(today);
        const bool bDue = b.schedule.isDue(today);
        if (aDue != bDue)
            return aDue;
        // Due: the earliest due day is the longest overdue. Not due: the soonest.
        return std::tuple(a.schedule.due, -a.schedule.missHalves, a.index)
               < std::tuple(b.schedule.due, -b.schedule.missHalves, b.index);
    });
    m_positions.reserve(m_words.size());
    for (qsizetype i = 0; i < m_words.size(); ++i)
        m_positions.insert(m_words[i].index, i);
}

double WeakWords::slowLimit(const QList<WordAnswer> &answers)
{
    std::vector<double> seconds;
    seconds.reserve(answers.size());
    for (const WordAnswer &answer : answers)
    {
        if (answer.result != WordAnswer::Result::Unanswered && answer.seconds >= 0)
            seconds.push_back(answer.seconds);
    }
    if (seconds.empty())
        return std::numeric_limits<double>::infinity();
    const auto middle = seconds.begin() + seconds.size() / 2;
    std::nth_element(seconds.begin(), middle, seconds.end());
    double median = *middle;
    if (seconds.size() % 2 == 0)
        median = (median + *std::max_element(seconds.begin(), middle)) / 2;
    return SlowFactor * median;
}

const WordSchedule *WeakWords::find(int index) const
{
    const auto it = m_positions.constFind(index);
    return it == m_positions.cend() ? nullptr : &m_words[*it].schedule;
}

QList<int> WeakWords::practiceWords(int count) const
{
    QList<int> indexes;
    for (qsizetype i = 0; i < m_words.size() && i < count; ++i)
        indexes.append(m_words[i].index);
    return indexes;
}
