#include "bankhistory.h"

#include "historytest.h"

namespace
{
    WordAnswer::Result resultOf(bool answered, bool correct)
    {
        if (!answered)
            return WordAnswer::Result::Unanswered;
        return correct ? WordAnswer::Result::Correct : WordAnswer::Result::Wrong;
    }
}

BankHistory::BankHistory(const QList<Common::QuestionEntry> &bank, bool eitherWay)
    : m_bank(bank, eitherWay)
{
}

bool BankHistory::read(HistoryStore &store, const HistoryFilter &bank)
{
    const bool read = store.forEachAskedWord(bank, [this](const HistoryStore::AskedWord &asked) {
        m_answers.append({wordIndex(asked.bankIndex, asked.prompt, asked.answer), asked.testDay, asked.practice,
                          resultOf(asked.answered, asked.correct), asked.seconds, asked.startedMs});
    }) && store.forEachMark(bank, [this](const HistoryStore::Mark &mark) { addMark(mark); });
    if (!read)
    {
        m_answers.clear();
        m_marks.clear();
        m_absent.clear();
        m_absentIndexes.clear();
    }
    return read;
}

void BankHistory::addTest(const HistoryTest &test)
{
    const QDate day = test.startedAt.date();
    const qint64 at = test.startedAt.toMSecsSinceEpoch();
    const bool practice = TestKinds::practisesWeakWords(test.kind);
    for (const HistoryTest::Question &q : test.questions)
    {
        // On screen when the learner stopped the test: neither a miss nor an answer.
        if (!test.leftOut(q))
            m_answers.append({q.bankIndex, day, practice, resultOf(q.answered, q.correct), q.seconds, at});
    }
}

void BankHistory::addMark(const HistoryStore::Mark &mark)
{
    m_marks.append({wordIndex(mark.bankIndex, mark.prompt, mark.answer), mark.at.date(), mark.at.toMSecsSinceEpoch(),
                    mark.kind});
}

int BankHistory::wordIndex(int bankIndex, const QString &prompt, const QString &answer)
{
    const int index = m_bank.indexOf(bankIndex, prompt, answer);
    if (index >= 0)
        return index;
    const QString key = BankMatch::textKey(prompt, answer);
    const auto known = m_absentIndexes.constFind(key);
    if (known != m_absentIndexes.cend())
        return *known;
    m_absent.append({bankIndex, prompt, answer});
    const int absent = -int(m_absent.size());
    m_absentIndexes.insert(key, absent);
    return absent;
}
