#include "bankmatch.h"

#include "core/common.h"

namespace
{
    QString textKey(const QString &prompt, const QString &answer)
    {
        return prompt + QChar(0x1F) + answer;
    }
}

int BankMatch::indexOf(int bankIndex, const QString &prompt, const QString &answer)
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
