#include "weakhistory.h"

#include <QHash>

#include "core/common.h"
#include "historyfilter.h"
#include "historystore.h"

namespace
{
    QString key(const QString &prompt, const QString &answer)
    {
        return prompt + QChar(0x1F) + answer;
    }

    // The bank index of the word, or -1 when the bank does not hold it.
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
                for (qsizetype i = QuestionBank.size() - 1; i >= 0; --i)
                    m_byText.insert(key(QuestionBank[i].Prompt, QuestionBank[i].Answer), int(i));
            }
            return m_byText.value(key(prompt, answer), -1);
        }

    private:
        QHash<QString, int> m_byText;
    };
}

WeakWords WeakHistory::load(HistoryStore &store, const QDate &today)
{
    QList<WordAnswer> answers;
    BankMatch bank;
    store.forEachAskedWord(HistoryFilter::current(), [&answers, &bank](const HistoryStore::AskedWord &asked) {
        const int index = bank.indexOf(asked.bankIndex, asked.prompt, asked.answer);
        if (index < 0)
            return;
        WordAnswer answer;
        answer.word = index;
        answer.day = asked.testDay;
        answer.practice = asked.practice;
        answer.result = !asked.answered ? WordAnswer::Result::Unanswered
                        : asked.correct ? WordAnswer::Result::Correct
                                        : WordAnswer::Result::Wrong;
        answer.seconds = asked.seconds;
        answers.append(answer);
    });
    return WeakWords(answers, today);
}
