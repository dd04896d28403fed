#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include "wordanswer.h"
#include "wordmark.h"
#include "wordschedule.h"

// The weak words of one bank and direction, computed from its history and the
// learner's marks: every word whose schedule says it is weak and that is not
// marked known, in the order a practice test takes them. Due words come
// first, the longest overdue first, then the most missed; the words not yet
// due follow, the soonest due first, then the most missed. Ties go to the
// lower bank index, so the order is always the same. The schedule of every
// other word met is kept too, for the word book.
class WeakWords
{
public:
    // The practice test's badge colour, which also marks the words due in lists.
    static inline const QString BadgeColor = QStringLiteral("#FFD890");

    // A correct answer slower than this many times the learner's median time
    // per question is slow.
    static constexpr double SlowFactor = 3.0;

    struct Word
    {
        int index = 0;
        WordSchedule schedule;
    };

    // Which words a practice test takes.
    enum class Take
    {
        Due,   // the words due today
        Early, // the words not due yet, the soonest first: their answers count for nothing
    };

    // The next day words fall due when none is due today.
    struct NextDue
    {
        QDate day; // null when no word waits
        int count = 0;
    };

    WeakWords() = default;
    // answers and marks: the whole history, each oldest first.
    WeakWords(const QList<WordAnswer> &answers, const QDate &today, const QList<WordMark> &marks = {});

    // SlowFactor times the median time of the answered questions; infinite
    // when nothing was answered, so no answer is slow.
    static double slowLimit(const QList<WordAnswer> &answers);

    const QList<Word> &words() const { return m_words; }
    int dueCount() const { return m_dueCount; }
    bool isEmpty() const { return m_words.isEmpty(); }
    // The schedule of a weak word, or nullptr for a word not on the list.
    const WordSchedule *find(int index) const;
    // The schedule of any word the history or the marks hold, or nullptr.
    const WordSchedule *schedule(int index) const;
    const QHash<int, WordSchedule> &schedules() const { return m_schedules; }
    // The bank indexes of at most `count` words, in the order of the list.
    QList<int> practiceWords(int count, Take take = Take::Due) const;
    NextDue nextDue() const;
    // The day of every time a word left the list by its steps, oldest first.
    const QList<QDate> &wordsLeft() const { return m_left; }
    double slowSeconds() const { return m_slowSeconds; }
    QDate today() const { return m_today; }

private:
    QList<Word> m_words;
    QHash<int, qsizetype> m_positions;
    QHash<int, WordSchedule> m_schedules;
    QList<QDate> m_left;
    int m_dueCount = 0;
    double m_slowSeconds = 0;
    QDate m_today;
};
