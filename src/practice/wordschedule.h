#pragma once

#include <QDate>
#include <QList>

#include <array>

#include "wordanswer.h"
#include "wordmark.h"

// Where one word stands on the weak-word schedule, Leitner-like.
//
// A miss (a wrong candidate completed, or the word left unanswered when the
// test ended) puts the word on the weak list at step 0, due the same day.
// A correct answer in a practice test on or after the due day moves it one
// step on and makes it due again 1, 3 and 7 days later; the correct answer
// at step 3 takes it off the list. So a word leaves after correct practice
// answers on four different days, each gap longer than the one before. A
// correct answer before the due day, or outside practice, neither helps
// nor harms. A correct answer that is slow (above the slow limit) counts as
// half a miss: it moves nothing on, and a second slow one with no quick
// correct answer between is a whole miss. Any miss starts the word over.
//
// The learner's marks (WordMark) put a word on the list or take it off, and
// mark it known, which keeps the schedule going underneath but keeps the word
// out of practice for as long as the mark stands.
struct WordSchedule
{
    // Days from a counted correct answer to the next due day, by step.
    static constexpr std::array<int, 3> Gaps {1, 3, 7};
    // Counted correct answers that take a word off the list.
    static constexpr int Steps = int(Gaps.size()) + 1;

    // What one answer did to the word.
    enum class Effect : quint8
    {
        None,     // correct, but off the list or outside practice
        Missed,   // back to step 0, due the same day
        Slow,     // correct but too slow to count: half a miss, no step
        SlowMiss, // the second slow answer in a row: a miss
        Early,    // correct in practice before the due day: counts for nothing
        Stepped,  // one step on
        Left,     // the last step: off the list
    };

    // Where the word stands for the learner, as the word book shows it.
    enum class State : quint8
    {
        Unasked,  // 未出題: never asked, never put on the list
        Learning, // 学習中: asked, not on the list
        Weak,     // 苦手: on the list
        Learned,  // 覚えた: left the list after four counted days
        Known,    // 知っている: marked by the learner
    };

    bool weak = false;
    int step = 0;            // counted correct answers since the last miss
    QDate due;               // the next day it is due; null when not weak
    int missHalves = 0;      // every miss so far, a slow answer counting one half
    bool halfPending = false;
    QDate lastMissed;
    int asked = 0;           // every answer of the word
    int missed = 0;          // wrong candidates completed and words left unanswered
    QDate lastSeen;          // the day it was last asked
    bool known = false;      // marked known and not unmarked since
    bool learned = false;    // left the list by its steps, not put back since
    Effect lastEffect = Effect::None; // what the word's last answer did

    // Takes the next answer of the word, in time order.
    Effect apply(const WordAnswer &answer, double slowSeconds);
    // Takes the learner's next mark of the word, in time order.
    void apply(const WordMark &mark);

    double misses() const { return missHalves / 2.0; }
    bool isDue(const QDate &today) const { return weak && due <= today; }
    State state() const;

    // The word's whole history, oldest first.
    static WordSchedule of(const QList<WordAnswer> &answers, double slowSeconds);
    // The same with the learner's marks, each list oldest first and merged by time.
    static WordSchedule of(const QList<WordAnswer> &answers, const QList<WordMark> &marks, double slowSeconds);

    // Calls onAnswer and onMark for the two lists merged by time (WordAnswer::at,
    // WordMark::at); an answer goes before a mark of the same moment.
    template<typename OnAnswer, typename OnMark>
    static void inTimeOrder(const QList<WordAnswer> &answers, const QList<WordMark> &marks, OnAnswer onAnswer,
                            OnMark onMark)
    {
        qsizetype m = 0;
        for (const WordAnswer &answer : answers)
        {
            for (; m < marks.size() && marks[m].at < answer.at; ++m)
                onMark(marks[m]);
            onAnswer(answer);
        }
        for (; m < marks.size(); ++m)
            onMark(marks[m]);
    }

    friend bool operator==(const WordSchedule &, const WordSchedule &) = default;

private:
    Effect take(const WordAnswer &answer, double slowSeconds);
    void miss(const QDate &day);
    void putOn(const QDate &day);
    void takeOff();
    Effect advance(const QDate &day);
};
