#pragma once

#include <QString>

// Whether the learner can type a text to its end, asked of the judge itself:
// the text's own guide is typed key by key on the keys of a JIS keyboard, and
// the judge must take every key. A character that no key types, or that the
// judge has no spelling for, stops it.
namespace Typeability
{
    enum class Input
    {
        Romaji,
        Kana, // the JIS kana keyboard
    };

    // The 0-based position of the first character that cannot be typed, or -1
    // when the whole text can. An empty text can always be typed.
    qsizetype firstUntypeable(const QString &text, Input input);
}
