#include "listeningword.h"

#include "core/common.h"

namespace
{
    bool answerIsEnglish(const Common::QuestionEntry &entry)
    {
        return ListeningWord::isEnglish(entry.AnswerKeys);
    }
}

bool ListeningWord::isEnglish(QStringView text)
{
    bool letter = false;
    for (const QChar c : text)
    {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
        letter = letter || (c.unicode() < 0x80 && c.isLetter());
    }
    return letter;
}

QString ListeningWord::typedOf(const Common::QuestionEntry &entry)
{
    if (answerIsEnglish(entry))
        return entry.AnswerKeys;
    return isEnglish(entry.Prompt) ? entry.Prompt : QString();
}

QString ListeningWord::shownOf(const Common::QuestionEntry &entry)
{
    if (answerIsEnglish(entry))
        return entry.Answer;
    return isEnglish(entry.Prompt) ? entry.Prompt : QString();
}

QString ListeningWord::meaningOf(const Common::QuestionEntry &entry)
{
    if (answerIsEnglish(entry))
        return entry.Prompt;
    return isEnglish(entry.Prompt) ? entry.Answer : QString();
}
