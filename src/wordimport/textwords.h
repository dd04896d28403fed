#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "englishlexicon.h"

// The words of an English text worth adding to a learner's list: each word
// brought to its dictionary form (books → book, stopped → stop, bigger →
// big, went → go), without names, numbers, grammar words, words the
// dictionaries do not know and the words the learner knows; the most frequent
// in the text first, then the rarer in general.
struct TextWord
{
    // The dictionary form, as a row of the list holds it ("book", "Monday").
    QString english;
    // The forms the text used, in lower case, in the order met.
    QStringList forms;
    int count = 0;
    int rank = 0;
    // The first sentence it came in, whitespace made single, cut around the
    // word when long.
    QString sentence;
};

namespace TextWords
{
    // Longer sentences are cut to about this many characters around the word.
    inline constexpr int MaxSentenceLength = 200;

    // `known` holds the dictionary forms the learner knows, in lower case.
    QList<TextWord> find(const QString &text, const EnglishLexicon &lexicon, const QSet<QString> &known);

    // The sentences of a text, whitespace made single: prose split after . ! ?
    // (not after an abbreviation or an initial), a blank line, and a short
    // line without a full stop before a capital (a heading).
    QStringList sentences(const QString &text);
}
