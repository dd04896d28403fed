#pragma once

#include <QString>
#include <QStringView>

namespace Common
{
    struct QuestionEntry;
}

// What a listening question asks of a bank entry: the English word it speaks
// and the learner types, and the meaning shown after the answer. A bank
// entry holds its English word on one side or the other: the standard bank's
// English is the typed answer in 英訳 and the prompt in 和訳, and a learner's
// own list may be written either way round.
namespace ListeningWord
{
    // Printable ASCII with at least one letter: a text the keys type as it stands.
    bool isEnglish(QStringView text);

    // The word as it is typed, "" when neither side of the entry is English.
    QString typedOf(const Common::QuestionEntry &entry);
    // The word as it is shown (and spoken), "" when neither side is English.
    QString shownOf(const Common::QuestionEntry &entry);
    // The other side: the meaning of the word.
    QString meaningOf(const Common::QuestionEntry &entry);
}
