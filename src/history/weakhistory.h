#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>

#include <optional>

#include "bankhistory.h"
#include "historyfilter.h"
#include "historystore.h"
#include "practice/weakwords.h"

class QThread;
struct HistoryTest;

// The weak words of the bank and direction in use, from the study history
// and the learner's marks. The answers are read from the store once per bank
// and direction and then kept up to date with each test and mark kept, so
// the list costs little after the first time. A long history takes a good
// part of a second to read: load() reads it on a thread of its own, through a
// reader beside the store, so no key or click of the window waits for it.
class WeakHistory : public QObject
{
    Q_OBJECT

public:
    // Listening: the weak words of the listening tests of the bank in use,
    // kept apart from those of both directions.
    enum class Side
    {
        Directions,
        Listening,
    };

    explicit WeakHistory(HistoryStore &store, Side side = Side::Directions, QObject *parent = nullptr);
    ~WeakHistory() override;

    // Read first, here and now, if need be.
    WeakWords weakWords(const QDate &today);
    // The weak words held, without reading: none before a reading.
    WeakWords heldWeakWords(const QDate &today) const { return isCurrent() ? m_held.weakWords(today) : WeakWords(); }
    // What is held of the bank and direction in use; read first if need be.
    const BankHistory &bankHistory();

    // The words of the bank and direction in use are held (or could not be read).
    bool isReady() const { return m_tried && m_triedFilter == filter(); }
    // Starts reading in the background unless held or being read; loaded() follows.
    void load();

    // A test the store has just kept, asked from the bank in use.
    void testKept(const HistoryTest &test);
    // Marks the store has just kept; those of the bank and direction in use count.
    void marksKept(const QList<HistoryStore::Mark> &marks);
    // The learner's choice for words of the bank in use (bank indexes), kept
    // in the store at `at`; false when the store could not keep it (told once).
    bool mark(const QList<int> &bankIndexes, WordMark::Kind kind, const QDateTime &at);
    // The bank was loaded again: its indexes may hold other words now.
    void forget();
    // The history could not be read at the last try, so the list is empty for want of it.
    bool unreadable() const { return !m_filter; }

signals:
    // What load() asked for is held now, or could not be read.
    void loaded();

private:
    HistoryFilter filter() const;
    bool isCurrent() const { return m_filter == filter(); }
    void readNow();
    void backgroundDone(quint64 generation, const HistoryFilter &filter, bool read, BankHistory held);

    HistoryStore &m_store;
    Side m_side;
    std::optional<HistoryFilter> m_filter; // of the answers held
    BankHistory m_held;
    // The bank and direction of the last reading, read or not.
    HistoryFilter m_triedFilter;
    bool m_tried = false;
    // Changes with every change to the history or the bank, so a background
    // reading begun before it is not taken for the history now.
    quint64 m_generation = 0;
    QThread *m_reader = nullptr;
};
