#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include "core/common.h"

// Finds a word of the history in a bank, the one loaded now unless another
// is given. A word is known by its prompt and answer: a question kept under a
// bank index that now holds another word is matched to the word it was, and
// to nothing when the bank no longer has it.
class BankMatch
{
public:
    // eitherWay: the prompt and answer may stand the other way round in the
    // bank, as a listening question keeps the English word first whatever
    // the direction the bank was loaded in.
    explicit BankMatch(const QList<Common::QuestionEntry> &bank = Common::QuestionBank, bool eitherWay = false);

    // The bank index of the word, or -1 when the bank does not hold it.
    int indexOf(int bankIndex, const QString &prompt, const QString &answer);

    static QString textKey(const QString &prompt, const QString &answer);

private:
    QList<Common::QuestionEntry> m_bank; // shared with the list given, not copied
    bool m_eitherWay;
    QHash<QString, int> m_byText;
};
