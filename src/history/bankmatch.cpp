#include "bankmatch.h"

BankMatch::BankMatch(const QList<Common::QuestionEntry> &bank, bool eitherWay)
    : m_bank(bank)
    , m_eitherWay(eitherWay)
{
}

QString BankMatch::textKey(const QString &prompt, const QString &answer)
{
    return prompt + QChar(0x1F) + answer;
}

int BankMatch::indexOf(int bankIndex, const QString &prompt, const QString &answer)
{
    if (bankIndex >= 0 && bankIndex < m_bank.size())
    {
        const Common::QuestionEntry &entry = m_bank[bankIndex];
        if ((entry.Prompt == prompt && entry.Answer == answer)
            || (m_eitherWay && entry.Prompt == answer && entry.Answer == prompt))
            return bankIndex;
    }
    if (m_byText.isEmpty())
    {
        // The first entry wins when a bank holds a word twice.
        for (qsizetype i = m_bank.size() - 1; i >= 0; --i)
            m_byText.insert(textKey(m_bank[i].Prompt, m_bank[i].Answer), int(i));
    }
    const int index = m_byText.value(textKey(prompt, answer), -1);
    if (index >= 0 || !m_eitherWay)
        return index;
    return m_byText.value(textKey(answer, prompt), -1);
}
