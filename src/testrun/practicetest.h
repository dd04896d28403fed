#pragma once

#include <QList>

#include "testrun/testsession.h"

// Practice of the learner's weak words, in a random order: no LEVEL, no
// records, only the study history. Fewer weak words than a test holds make
// a shorter test; a practice of 20 or more is longer.
class PracticeTest : public TestSession
{
    Q_OBJECT

public:
    // words: bank indexes, none twice; the first 50 are asked.
    PracticeTest(QList<int> words, int timeLimit, History history, QObject *parent = nullptr);

protected:
    int questionCount() const override;
    int drawQuestion() override;
    TestOutcome scoreTest(double elapsedMs) override;
    bool keepsRecords() const override;

private:
    QList<int> m_words;
};
