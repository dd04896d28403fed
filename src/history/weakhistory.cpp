#include "weakhistory.h"

WeakHistory::WeakHistory(HistoryStore &store)
    : m_store(store)
{
}

WeakWords WeakHistory::weakWords(const QDate &today)
{
    return bankHistory().weakWords(today);
}

const BankHistory &WeakHistory::bankHistory()
{
    const HistoryFilter filter = HistoryFilter::current();
    if (m_filter != filter)
    {
        m_held = BankHistory();
        // A history that could not be read is tried again next time.
        if (m_held.read(m_store, filter))
            m_filter = filter;
        else
            m_filter.reset();
    }
    return m_held;
}

void WeakHistory::testKept(const HistoryTest &test)
{
    // Answers not read yet come with the rest when they are.
    if (isCurrent())
        m_held.addTest(test);
}

void WeakHistory::marksKept(const QList<HistoryStore::Mark> &marks)
{
    if (!isCurrent())
        return;
    for (const HistoryStore::Mark &mark : marks)
    {
        if (HistoryFilter {false, mark.bankKind, mark.bankName, mark.direction} == *m_filter)
            m_held.addMark(mark);
    }
}

void WeakHistory::forget()
{
    m_filter.reset();
    m_held = BankHistory();
}
