#include "bankmatch.h"

BankMatch::BankMatch(const QList<Common::QuestionEntry> &bank)
    : m_bank(bank)
{
}

QString BankMatch::textKey(const QString &prompt, const QString &answer)
{
    return prompt + QChar(0x1F) + answer;
}

int BankMatch::indexOf(int bankIndex, const QString &prompt, const QString &answer)
{
    if (bankIndex >= 0 && bankIndex < m_bank.size() && m_bank[bankIndex].Prompt == prompt
        && m_bank[bankIndex].Answer == answer)
        return bankIndex;
    if (m_byText.isEmpty())
    {
        // The first entry wins when a bank holds a word twice.
        for (qsizetype i = m_bank.size() - 1; i >= 0; --i)
            m_byText.insert(textKey(m_bank[i].Prompt, m_bank[i].Answer), int(i));
    }
    return m_byText.value(textKey(prompt, answer), -1);
}
