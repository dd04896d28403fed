#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "core/common.h"
#include "historyfilter.h"
#include "practice/wordschedule.h"

class BankHistory;

// The rows of the word book: every word of the bank and direction in use,
// with where it stands, and (when asked for) the words the history holds of
// every other bank and direction. A word the bank in use no longer holds (its
// prompt or answer changed) keeps its state under its old text and says so.
// Choosing rows by state and text and sorting them by any column work on the
// rows here, without a window.
class WordBook
{
public:
    enum Column
    {
        BankColumn,
        PromptColumn,
        AnswerColumn,
        StateColumn,
        DueColumn,
        AskedColumn,
        MissedColumn,
        LastSeenColumn,
        ColumnCount,
    };

    // Which rows a filter by state keeps.
    enum class Show
    {
        All,
        Unasked,
        Learning,
        Weak,
        DueToday,
        Learned,
        Known,
    };

    enum class Presence : quint8
    {
        InBank,    // a word of the bank in use
        Gone,      // the bank in use no longer holds it
        OtherBank, // from the history of another bank or direction
    };

    struct Entry
    {
        int bank = 0;       // index into banks()
        int bankIndex = 0;  // its index in its bank (where it was last, for a word no longer there)
        Presence presence = Presence::InBank;
        QString prompt;
        QString answer;
        WordSchedule schedule;
    };

    WordBook() = default;
    explicit WordBook(const QDate &today);

    // The bank and direction in use: every entry of the bank loaded now,
    // then the words of its history that the bank no longer holds.
    void addCurrentBank(const HistoryFilter &bank, const QList<Common::QuestionEntry> &questions,
                        const BankHistory &history);
    // The words the history holds of another bank and direction.
    void addOtherBank(const HistoryFilter &bank, const BankHistory &history);

    const QList<Entry> &entries() const { return m_entries; }
    Entry &entry(int row) { return m_entries[row]; }
    const QList<HistoryFilter> &banks() const { return m_banks; }
    QDate today() const { return m_today; }

    // The rows (indexes into entries()) that `show` keeps and whose prompt or
    // answer holds `search` (case ignored), sorted by `column`; ties keep the
    // order of entries().
    QList<int> select(Show show, const QString &search, int column, Qt::SortOrder order) const;

    bool shows(Show show, const WordSchedule &schedule) const;
    // The cell's text as the word book shows it.
    QString text(const Entry &entry, int column) const;
    // 未出題, 学習中, 苦手 (with its step), 覚えた or 知っている.
    static QString stateText(const WordSchedule &schedule);
    // The bank and direction as the learner knows them: "標準 和訳", "mywords 英訳".
    static QString bankText(const HistoryFilter &bank);
    // The column that holds the English word of a row.
    int englishColumn(const Entry &entry) const;

private:
    void addEntry(int bank, int bankIndex, Presence presence, const QString &prompt, const QString &answer,
                  const WordSchedule *schedule);

    QDate m_today;
    QList<HistoryFilter> m_banks;
    QList<Entry> m_entries;
};
