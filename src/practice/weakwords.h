#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include "wordanswer.h"
#include "wordschedule.h"

// The weak words of one bank and direction, computed from its history: every
// word whose schedule says it is weak, in the order a practice test takes
// them. Due words come first, the longest overdue first, then the most
// missed; the words not yet due follow, the soonest due first, then the most
// missed. Ties go to the lower bank index, so the order is always the same.
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

    WeakWords() = default;
    // answers: the whole history, oldest first.
    WeakWords(const QList<WordAnswer> &answers, const QDate &today);

    // SlowFactor times the median time of the answered questions; infinite
    // when nothing was answered, so no answer is slow.
    static double slowLimit(const QList<WordAnswer> &answers);

    const QList<Word> &words() const { return m_words; }
    int dueCount() const { return m_dueCount; }
    bool isEmpty() const { return m_words.isEmpty(); }
    // The schedule of a weak word, or nullptr for a word not on the list.
    const WordSchedule *find(int index) const;
    // The bank indexes of the first `count` words, due words first.
    QList<int> practiceWords(int count) const;
    QDate today() const { return m_today; }

private:
    QList<Word> m_words;
    QHash<int, qsizetype> m_positions;
    int m_dueCount = 0;
    QDate m_today;
};
