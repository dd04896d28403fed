#include "testkind.h"

#include <array>
#include <utility>

namespace
{
    constexpr std::array<std::pair<TestKind, char16_t>, 8> Letters = {{
        {TestKind::Preview, u'P'},
        {TestKind::LevelUp, u'L'},
        {TestKind::ForcedReview, u'K'},
        {TestKind::WeakWords, u'W'},
        {TestKind::Listening, u'H'},
        {TestKind::ListeningWeakWords, u'J'},
        {TestKind::Dictation, u'D'},
        {TestKind::DictationWeakWords, u'E'},
    }};
}

QString TestKinds::letter(TestKind kind)
{
    for (const auto &[known, letter] : Letters)
    {
        if (known == kind)
            return QString(QChar(letter));
    }
    return {};
}

std::optional<TestKind> TestKinds::fromLetter(QStringView letter)
{
    for (const auto &[kind, known] : Letters)
    {
        if (letter.size() == 1 && letter.front() == QChar(known))
            return kind;
    }
    return std::nullopt;
}

bool TestKinds::isListening(TestKind kind)
{
    return kind == TestKind::Listening || kind == TestKind::ListeningWeakWords || isDictation(kind);
}

bool TestKinds::isDictation(TestKind kind)
{
    return kind == TestKind::Dictation || kind == TestKind::DictationWeakWords;
}

bool TestKinds::practisesWeakWords(TestKind kind)
{
    return kind == TestKind::WeakWords || kind == TestKind::ListeningWeakWords || kind == TestKind::DictationWeakWords;
}
