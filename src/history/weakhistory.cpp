#include "weakhistory.h"

#include <QHash>

#include "core/common.h"
#include "historystore.h"
#include "historytest.h"

namespace
{
    QString textKey(const QString &prompt, const QString &answer)
    {
        return prompt + QChar(0x1F) + answer;
    }

    // The bank index of a word, or -1 when the bank does not hold it.
    class BankMatch
    {
    public:
        int indexOf(int bankIndex, const QString &prompt, const QString &answer)
        {
            using Common::QuestionBank;
            if (bankIndex >= 0 && bankIndex < QuestionBank.size() && QuestionBank[bankIndex].Prompt == prompt
                && QuestionBank[bankIndex].Answer == answer)
                return bankIndex;
            if (m_byText.isEmpty())
            {
                // The first entry wins when a bank holds a word twice.
                for (qsizetype i = QuestionBank.size() - 1; i >= 0; --i)
                    m_byText.insert(textKey(QuestionBank[i].Prompt, QuestionBank[i].Answer), int(i));
            }
            return m_byText.value(textKey(prompt, answer), -1);
        }

    private:
        QHash<QString, int> m_byText;
    };

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
    const bool practice = test.kind == WeakWords::TestKind;
    for (const HistoryTest::Question &q : test.questions)
        m_answers.append({q.bankIndex, day, practice, resultOf(q.answered, q.correct), q.seconds});
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
