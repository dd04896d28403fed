#include "leveltest.h"

#include "core/common.h"
#include "testrun/testrules.h"

LevelTest::LevelTest(TestKind kind, int level, int timeLimit, History history, QObject *parent)
    : TestSession(kind, level, timeLimit, history, parent)
{
}

int LevelTest::questionCount() const
{
    return Common::QuestionsPerTest;
}

int LevelTest::drawQuestion()
{
    return TestRules::DrawQuestion();
}

TestOutcome LevelTest::scoreTest(double elapsedMs)
{
    return TestRules::ScoreTest(elapsedMs, QDate::currentDate());
}

bool LevelTest::keepsRecords() const
{
    return true;
}
