#include "weakwords.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

WeakWords::WeakWords(const QList<WordAnswer> &answers, const QDate &today, const QList<WordMark> &marks)
    : m_slowSeconds(slowLimit(answers))
    , m_today(today)
{
    m_schedules.reserve(4096);
    WordSchedule::inTimeOrder(
        answers, marks,
        [this](const WordAnswer &answer) {
            if (m_schedules[answer.word].apply(answer, m_slowSeconds) == WordSchedule::Effect::Left)
                m_left.append(answer.day);
        },
        [this](const WordMark &mark) { m_schedules[mark.word].apply(mark); });

    for (auto it = m_schedules.cbegin(); it != m_schedules.cend(); ++it)
    {
        // A word the bank no longer holds cannot be asked; a known word is not.
        if (!it->weak || it->known || it.key() < 0)
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

const WordSchedule *WeakWords::schedule(int index) const
{
    const auto it = m_schedules.constFind(index);
    return it == m_schedules.cend() ? nullptr : &*it;
}

QList<int> WeakWords::practiceWords(int count, Take take) const
{
    const qsizetype first = take == Take::Due ? 0 : m_dueCount;
    const qsizetype end = take == Take::Due ? m_dueCount : m_words.size();
    QList<int> indexes;
    for (qsizetype i = first; i < end && indexes.size() < count; ++i)
        indexes.append(m_words[i].index);
    return indexes;
}

WeakWords::NextDue WeakWords::nextDue() const
{
    if (m_dueCount == m_words.size())
        return {};
    const QDate day = m_words[m_dueCount].schedule.due;
    const auto count = std::count_if(m_words.cbegin() + m_dueCount, m_words.cend(),
                                     [&day](const Word &word) { return word.schedule.due == day; });
    return {day, int(count)};
}
