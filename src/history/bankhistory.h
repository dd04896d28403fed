#pragma once

#include <QDate>
#include <QHash>
#include <QList>

#include "bankmatch.h"
#include "historyfilter.h"
#include "historystore.h"
#include "practice/wordanswer.h"
#include "practice/wordmark.h"
#include "practice/weakwords.h"

struct HistoryTest;

// What the history holds of one bank and direction: every answer and mark,
// each word known by its index in a bank (the one loaded now unless another
// is given). A word is its prompt and answer: a question kept under a bank
// index that now holds another word is matched to the word it was; a word
// the bank does not hold keeps its schedule under a negative index (see
// absentWord()), and is never practised.
class BankHistory
{
public:
    // A word of the history that the bank does not hold.
    struct AbsentWord
    {
        int bankIndex = 0; // where its bank held it last
        QString prompt;
        QString answer;
    };

    // eitherWay: as BankMatch's, for the words heard in listening tests.
    explicit BankHistory(const QList<Common::QuestionEntry> &bank = Common::QuestionBank, bool eitherWay = false);

    // Reads the answers and marks of one bank and direction; false, with
    // nothing held, when the store cannot read them.
    bool read(HistoryStore &store, const HistoryFilter &bank);
    // A test kept in the store, asked from the bank.
    void addTest(const HistoryTest &test);
    void addMark(const HistoryStore::Mark &mark);

    WeakWords weakWords(const QDate &today) const { return WeakWords(m_answers, today, m_marks); }
    const QList<WordAnswer> &answers() const { return m_answers; }

    // The word of a negative index.
    const AbsentWord &absentWord(int index) const { return m_absent[-1 - index]; }
    qsizetype absentCount() const { return m_absent.size(); }

private:
    // The bank index of the word, or a negative index when the bank does not hold it.
    int wordIndex(int bankIndex, const QString &prompt, const QString &answer);

    BankMatch m_bank;
    QList<WordAnswer> m_answers;
    QList<WordMark> m_marks;
    QList<AbsentWord> m_absent;
    QHash<QString, int> m_absentIndexes; // by BankMatch::textKey
};
