#include "wordschedule.h"

void WordSchedule::apply(const WordAnswer &answer, double slowSeconds)
{
    if (answer.result != WordAnswer::Result::Correct)
    {
        missHalves += 2;
        miss(answer.day);
        return;
    }
    if (answer.seconds > slowSeconds)
    {
        ++missHalves;
        // Two slow answers in a row are as bad as one miss.
        if (halfPending)
            miss(answer.day);
        else
            halfPending = true;
        return;
    }
    halfPending = false;
    if (weak && answer.practice && answer.day >= due)
        advance(answer.day);
}

WordSchedule WordSchedule::of(const QList<WordAnswer> &answers, double slowSeconds)
{
    WordSchedule schedule;
    for (const WordAnswer &answer : answers)
        schedule.apply(answer, slowSeconds);
    return schedule;
}

void WordSchedule::miss(const QDate &day)
{
    weak = true;
    step = 0;
    due = day;
    halfPending = false;
    lastMissed = day;
}

void WordSchedule::advance(const QDate &day)
{
    if (step == int(Gaps.size()))
    {
        weak = false;
        step = 0;
        due = QDate();
        halfPending = false;
        return;
    }
    due = day.addDays(Gaps[step]);
    ++step;
}
