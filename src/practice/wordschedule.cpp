#include "wordschedule.h"

WordSchedule::Effect WordSchedule::apply(const WordAnswer &answer, double slowSeconds)
{
    lastEffect = take(answer, slowSeconds);
    return lastEffect;
}

WordSchedule::Effect WordSchedule::take(const WordAnswer &answer, double slowSeconds)
{
    ++asked;
    lastSeen = answer.day;
    if (answer.result != WordAnswer::Result::Correct)
    {
        ++missed;
        missHalves += 2;
        miss(answer.day);
        return Effect::Missed;
    }
    if (answer.seconds > slowSeconds)
    {
        ++missHalves;
        // Two slow answers in a row are as bad as one miss.
        if (!halfPending)
        {
            halfPending = true;
            return Effect::Slow;
        }
        miss(answer.day);
        return Effect::SlowMiss;
    }
    halfPending = false;
    if (!weak || !answer.practice)
        return Effect::None;
    return answer.day >= due ? advance(answer.day) : Effect::Early;
}

void WordSchedule::apply(const WordMark &mark)
{
    switch (mark.kind)
    {
    case WordMark::Kind::Known:
    case WordMark::Kind::NotKnown:
        known = mark.kind == WordMark::Kind::Known;
        return;
    case WordMark::Kind::Weak:
        putOn(mark.day);
        return;
    case WordMark::Kind::NotWeak:
        takeOff();
        return;
    }
}

WordSchedule::State WordSchedule::state() const
{
    if (known)
        return State::Known;
    if (weak)
        return State::Weak;
    if (learned)
        return State::Learned;
    return asked > 0 ? State::Learning : State::Unasked;
}

WordSchedule WordSchedule::of(const QList<WordAnswer> &answers, double slowSeconds)
{
    return of(answers, {}, slowSeconds);
}

WordSchedule WordSchedule::of(const QList<WordAnswer> &answers, const QList<WordMark> &marks, double slowSeconds)
{
    WordSchedule schedule;
    inTimeOrder(
        answers, marks, [&](const WordAnswer &answer) { schedule.apply(answer, slowSeconds); },
        [&](const WordMark &mark) { schedule.apply(mark); });
    return schedule;
}

void WordSchedule::miss(const QDate &day)
{
    putOn(day);
    lastMissed = day;
}

void WordSchedule::putOn(const QDate &day)
{
    weak = true;
    learned = false;
    step = 0;
    due = day;
    halfPending = false;
}

void WordSchedule::takeOff()
{
    weak = false;
    step = 0;
    due = QDate();
    halfPending = false;
}

WordSchedule::Effect WordSchedule::advance(const QDate &day)
{
    if (step == int(Gaps.size()))
    {
        takeOff();
        learned = true;
        return Effect::Left;
    }
    due = day.addDays(Gaps[step]);
    ++step;
    return Effect::Stepped;
}
