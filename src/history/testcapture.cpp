#include "testcapture.h"

#include "historyfilter.h"

void TestCapture::begin(const QDateTime &startedAt, double startMs, const QString &inputMethod)
{
    const HistoryFilter bank = HistoryFilter::current();
    m_test = HistoryTest {};
    m_test.startedAt = startedAt;
    m_test.bankKind = bank.bankKind;
    m_test.bankName = bank.bankName;
    m_test.direction = bank.direction;
    m_test.inputMethod = inputMethod;
    m_startMs = startMs;
}

void TestCapture::questionShown(int bankIndex, const QString &prompt, const QString &answer, double nowMs)
{
    HistoryTest::Question question;
    question.number = int(m_test.questions.size()) + 1;
    question.bankIndex = bankIndex;
    question.prompt = prompt;
    question.answer = answer;
    question.shownMs = qRound64(nowMs - m_startMs);
    m_test.questions.append(question);
    m_shownMs = nowMs;
}

void TestCapture::keyJudged(bool accepted)
{
    if (m_test.questions.isEmpty())
        return;
    HistoryTest::Question &question = m_test.questions.last();
    ++(accepted ? question.keysAccepted : question.keysRejected);
}

void TestCapture::replayed()
{
    if (!m_test.questions.isEmpty())
        ++m_test.questions.last().replays;
}

void TestCapture::questionCompleted(bool correct, int chosenIndex, const QString &chosenAnswer, double nowMs)
{
    if (m_test.questions.isEmpty())
        return;
    keyJudged(true);
    HistoryTest::Question &question = m_test.questions.last();
    question.answered = true;
    question.correct = correct;
    if (!correct)
    {
        question.chosenIndex = chosenIndex;
        question.chosenAnswer = chosenAnswer;
    }
    question.seconds = (nowMs - m_shownMs) / 1000.0;
}

HistoryTest TestCapture::finish(double endMs, double timeLimitMs) const
{
    HistoryTest test = m_test;
    test.endedAt = test.startedAt.addMSecs(qRound64(endMs - m_startMs));
    if (!test.questions.isEmpty() && !test.questions.constLast().answered)
        test.ending = endMs - m_startMs >= timeLimitMs ? HistoryTest::Ending::TimeLimit : HistoryTest::Ending::Stopped;
    return test;
}
