#include "testkind.h"

#include <array>
#include <utility>

namespace
{
    constexpr std::array<std::pair<TestKind, char16_t>, 4> Letters = {{
        {TestKind::Preview, u'P'},
        {TestKind::LevelUp, u'L'},
        {TestKind::ForcedReview, u'K'},
        {TestKind::WeakWords, u'W'},
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
