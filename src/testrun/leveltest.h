#pragma once

#include "testrun/testsession.h"

// A test of one LEVEL's questions: preview or review, the level-up
// challenge or a forced review. It moves the LEVEL and keeps the records.
class LevelTest : public TestSession
{
    Q_OBJECT

public:
    LevelTest(TestKind kind, int level, int timeLimit, History history, QObject *parent = nullptr);

protected:
    int questionCount() const override;
    int drawQuestion() override;
    TestOutcome scoreTest(double elapsedMs) override;
    bool keepsRecords() const override;
};
