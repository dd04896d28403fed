#pragma once

#include <QDate>

#include <optional>

#include "bankhistory.h"
#include "historyfilter.h"
#include "historystore.h"
#include "practice/weakwords.h"

struct HistoryTest;

// The weak words of the bank and direction in use, from the study history
// and the learner's marks. The answers are read from the store once per bank
// and direction and then kept up to date with each test and mark kept, so
// the list costs little after the first time.
class WeakHistory
{
public:
    explicit WeakHistory(HistoryStore &store);

    WeakWords weakWords(const QDate &today);
    // A test the store has just kept, asked from the bank in use.
    void testKept(const HistoryTest &test);
    // Marks the store has just kept; those of the bank and direction in use count.
    void marksKept(const QList<HistoryStore::Mark> &marks);
    // The bank was loaded again: its indexes may hold other words now.
    void forget();
    // The history could not be read at the last try, so the list is empty for want of it.
    bool unreadable() const { return !m_filter; }
    // What is held of the bank and direction in use; read first if need be.
    const BankHistory &bankHistory();

private:
    bool isCurrent() const { return m_filter == HistoryFilter::current(); }

    HistoryStore &m_store;
    std::optional<HistoryFilter> m_filter; // of the answers held
    BankHistory m_held;
};
