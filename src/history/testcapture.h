#pragma once

#include <QDateTime>

#include "historytest.h"

// Follows a test as it runs, for the study history: when each question was
// shown and answered, which candidate was completed, and how many keys were
// taken or refused while it was on screen. Times come from the test's
// millisecond clock; the start is stamped with the date and time of day.
class TestCapture
{
public:
    // A new test: the bank and direction of the settings now, the input method given.
    void begin(const QDateTime &startedAt, double startMs, const QString &inputMethod);
    void questionShown(int bankIndex, const QString &prompt, const QString &answer, double nowMs);
    // A key the judge saw: taken by some candidate or by none.
    void keyJudged(bool accepted);
    // The word of the question on screen was played again.
    void replayed();
    // The key that completed a candidate (counted as taken) ended the question.
    void questionCompleted(bool correct, int chosenIndex, const QString &chosenAnswer, double nowMs);

    // The test so far, with the given end; the caller adds the score and
    // LEVELs. An unanswered question at the end means the time ran out when
    // the clock reached timeLimitMs, else that the learner stopped the test.
    HistoryTest finish(double endMs, double timeLimitMs) const;

private:
    HistoryTest m_test;
    double m_startMs = 0;
    double m_shownMs = 0;
};
