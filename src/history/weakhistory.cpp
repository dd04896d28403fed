#include "weakhistory.h"

#include "bankmatch.h"
#include "historystore.h"
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

WeakHistory::WeakHistory(HistoryStore &store)
    : m_store(store)
{
}

WeakWords WeakHistory::weakWords(const QDate &today)
{
    const HistoryFilter filter = HistoryFilter::current();
    if (m_filter != filter)
        read(filter);
    return WeakWords(m_answers, today);
}

void WeakHistory::testKept(const HistoryTest &test)
{
    // Answers not read yet come with the rest when they are.
    if (m_filter != HistoryFilter::current())
        return;
    const QDate day = test.startedAt.date();
    const bool practice = test.kind == TestKind::WeakWords;
    for (const HistoryTest::Question &q : test.questions)
    {
        if (!test.leftOut(q))
            m_answers.append({q.bankIndex, day, practice, resultOf(q.answered, q.correct), q.seconds});
    }
}

void WeakHistory::forget()
{
    m_filter.reset();
    m_answers.clear();
}

void WeakHistory::read(const HistoryFilter &filter)
{
    m_answers.clear();
    BankMatch bank;
    const bool read = m_store.forEachAskedWord(filter, [this, &bank](const HistoryStore::AskedWord &asked) {
        const int index = bank.indexOf(asked.bankIndex, asked.prompt, asked.answer);
        if (index >= 0)
            m_answers.append({index, asked.testDay, asked.practice, resultOf(asked.answered, asked.correct),
                              asked.seconds});
    });
    // A history that could not be read is tried again next time.
    if (read)
        m_filter = filter;
    else
        m_filter.reset();
}
