#pragma once

#include <QDate>
#include <QList>

#include <optional>

#include "historyfilter.h"
#include "practice/wordanswer.h"
#include "practice/weakwords.h"

class HistoryStore;
struct HistoryTest;

// The weak words of the bank and direction in use, from the study history.
// The answers are read from the store once per bank and direction and then
// kept up to date with each test kept, so the list costs little after the
// first time. A word is known by its prompt and answer: a question kept
// under a bank index that now holds another word is matched to the word it
// was, and left out when the bank no longer has it.
class WeakHistory
{
public:
    explicit WeakHistory(HistoryStore &store);

    WeakWords weakWords(const QDate &today);
    // A test the store has just kept, asked from the bank in use.
    void testKept(const HistoryTest &test);
    // The bank was loaded again: its indexes may hold other words now.
    void forget();
    // The history could not be read at the last try, so the list is empty for want of it.
    bool unreadable() const { return !m_filter; }

private:
    void read(const HistoryFilter &filter);

    HistoryStore &m_store;
    std::optional<HistoryFilter> m_filter; // of the answers held
    QList<WordAnswer> m_answers;
};
