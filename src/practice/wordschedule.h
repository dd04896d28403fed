#pragma once

#include <QDate>
#include <QList>

#include <array>

#include "wordanswer.h"

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
struct WordSchedule
{
    // Days from a counted correct answer to the next due day, by step.
    static constexpr std::array<int, 3> Gaps {1, 3, 7};

    bool weak = false;
    int step = 0;            // counted correct answers since the last miss
    QDate due;               // the next day it is due; null when not weak
    int missHalves = 0;      // every miss so far, a slow answer counting one half
    bool halfPending = false;
    QDate lastMissed;

    // Takes the next answer of the word, in time order.
    void apply(const WordAnswer &answer, double slowSeconds);

    double misses() const { return missHalves / 2.0; }
    bool isDue(const QDate &today) const { return weak && due <= today; }

    // The word's whole history, oldest first.
    static WordSchedule of(const QList<WordAnswer> &answers, double slowSeconds);

    friend bool operator==(const WordSchedule &, const WordSchedule &) = default;

private:
    void miss(const QDate &day);
    void advance(const QDate &day);
};
