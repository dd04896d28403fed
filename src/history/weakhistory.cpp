#include "weakhistory.h"

#include <QThread>

#include <memory>

#include "core/common.h"

namespace
{
    // What a background reading hands back.
    struct Reading
    {
        BankHistory held;
        bool read = false;
    };
}

WeakHistory::WeakHistory(HistoryStore &store, Side side, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_side(side)
    , m_held(Common::QuestionBank, side == Side::Listening)
{
}

WeakHistory::~WeakHistory()
{
    // A thread still running must end before its QThread, a child of this
    // object, goes with it.
    if (m_reader)
        m_reader->wait();
}

HistoryFilter WeakHistory::filter() const
{
    return m_side == Side::Listening ? HistoryFilter::listening() : HistoryFilter::current();
}

WeakWords WeakHistory::weakWords(const QDate &today)
{
    return bankHistory().weakWords(today);
}

const BankHistory &WeakHistory::bankHistory()
{
    if (!isCurrent())
        readNow();
    return m_held;
}

void WeakHistory::readNow()
{
    const HistoryFilter filter = this->filter();
    // A reading in the background is overtaken.
    ++m_generation;
    m_held = BankHistory(Common::QuestionBank, m_side == Side::Listening);
    m_tried = true;
    m_triedFilter = filter;
    // A history that could not be read is tried again next time.
    if (m_held.read(m_store, filter))
        m_filter = filter;
    else
        m_filter.reset();
}

void WeakHistory::load()
{
    if (isCurrent() || m_reader)
        return;
    // The store opens the file first: it creates, brings up to date or sets
    // aside a damaged file, and tells the learner, on this thread.
    if (!m_store.isUsable())
    {
        readNow();
        emit loaded();
        return;
    }
    const quint64 generation = m_generation;
    const HistoryFilter filter = this->filter();
    const bool eitherWay = m_side == Side::Listening;
    const QList<Common::QuestionEntry> bank = Common::QuestionBank;
    const QString path = m_store.path();
    auto reading = std::make_shared<Reading>();
    m_reader = QThread::create([reading, bank, path, filter, eitherWay] {
        reading->held = BankHistory(bank, eitherWay);
        HistoryStore reader(path, HistoryStore::Creation::ReaderOnly);
        reading->read = reading->held.read(reader, filter);
    });
    // Owned here too: a deleteLater() the event loop never reaches (the
    // program or a test ending right after the read) would leak it.
    m_reader->setParent(this);
    m_reader->setObjectName(QStringLiteral("WeakHistoryReader"));
    connect(m_reader, &QThread::finished, this, [this, reading, generation, filter] {
        m_reader->deleteLater();
        m_reader = nullptr;
        backgroundDone(generation, filter, reading->read, std::move(reading->held));
    });
    m_reader->start(QThread::LowPriority);
}

void WeakHistory::backgroundDone(quint64 generation, const HistoryFilter &filter, bool read, BankHistory held)
{
    if (isCurrent())
        return;
    // The history or the bank changed while it was read: read again.
    if (generation != m_generation || filter != this->filter())
    {
        load();
        return;
    }
    if (read)
    {
        m_held = std::move(held);
        m_filter = filter;
        m_tried = true;
        m_triedFilter = filter;
    }
    else
    {
        // The store says why, once.
        readNow();
    }
    emit loaded();
}

void WeakHistory::testKept(const HistoryTest &test)
{
    ++m_generation;
    // Answers not read yet come with the rest when they are.
    if (isCurrent() && test.direction == m_filter->direction)
        m_held.addTest(test);
}

void WeakHistory::marksKept(const QList<HistoryStore::Mark> &marks)
{
    ++m_generation;
    if (!isCurrent())
        return;
    for (const HistoryStore::Mark &mark : marks)
    {
        if (HistoryFilter {false, mark.bankKind, mark.bankName, mark.direction} == *m_filter)
            m_held.addMark(mark);
    }
}

bool WeakHistory::mark(const QList<int> &bankIndexes, WordMark::Kind kind, const QDateTime &at)
{
    const HistoryFilter bank = HistoryFilter::current();
    QList<HistoryStore::Mark> marks;
    for (const int index : bankIndexes)
    {
        if (index < 0 || index >= Common::QuestionBank.size())
            continue;
        const Common::QuestionEntry &entry = Common::QuestionBank[index];
        marks.append({at, bank.bankKind, bank.bankName, bank.direction, entry.Prompt, entry.Answer, index, kind});
    }
    if (marks.isEmpty() || !m_store.addMarks(marks))
        return false;
    marksKept(marks);
    return true;
}

void WeakHistory::forget()
{
    ++m_generation;
    m_filter.reset();
    m_tried = false;
    m_held = BankHistory(Common::QuestionBank, m_side == Side::Listening);
}
