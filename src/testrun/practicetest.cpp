#include "practicetest.h"

#include "core/common.h"
#include "testrun/testrules.h"

PracticeTest::PracticeTest(QList<int> words, int timeLimit, History history, QObject *parent)
    : TestSession(TestKind::WeakWords, 0, timeLimit, history, parent)
    , m_words(std::move(words))
{
    // The marks of a test have room for this many questions.
    if (m_words.size() > Common::MostQuestionsPerTest)
        m_words.resize(Common::MostQuestionsPerTest);
    // The order of the list would tell which word comes next.
    TestRules::Shuffle(m_words);
}

int PracticeTest::questionCount() const
{
    return int(m_words.size());
}

int PracticeTest::drawQuestion()
{
    return m_words.value(Common::TestQuestionIndex);
}

TestOutcome PracticeTest::scoreTest(double elapsedMs)
{
    return TestRules::ScorePractice(questionCount(), elapsedMs);
}

bool PracticeTest::keepsRecords() const
{
    // The records mean what they always did.
    return false;
}
