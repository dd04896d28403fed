#pragma once

#include <QHash>
#include <QString>

// Finds a word of the history in the bank loaded now. A word is known by its
// prompt and answer: a question kept under a bank index that now holds
// another word is matched to the word it was, and to nothing when the bank no
// longer has it.
class BankMatch
{
public:
    // The bank index of the word, or -1 when the bank does not hold it.
    int indexOf(int bankIndex, const QString &prompt, const QString &answer);

private:
    QHash<QString, int> m_byText;
};
