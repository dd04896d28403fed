#pragma once

#include <QString>
#include <QStringList>

// English word forms by the rules the standard bank's generator follows, for
// bringing the words of a text to the form a learner studies: the words of
// which a word may be a plural, a past, an -ing form or a comparative; the
// irregular forms; and the words that are no vocabulary of their own
// (grammar words, numbers). All words in lower case.
namespace EnglishForms
{
    struct Bases
    {
        QStringList plural;      // cities → city, boxes → box, wolves → wolf
        QStringList verbal;      // stopped → stop, loved → love, tried → try, making → make
        QStringList comparative; // bigger → big, happiest → happy, larger → large
    };

    // Guesses only, as the generator's rules make them: a bare -d past only
    // follows e (loved, not card), letters double only before -ed, -ing, -er
    // and -est (stopped, bigger), -s never follows s, u or i (loss, bus, this).
    // Which guess is a word is for the dictionary to say.
    Bases bases(const QString &word);

    // The base of an irregular form (went → go, children → child, better →
    // good); "" for any other word. Forms that are as often words of their own
    // (left, saw, rose, ground) are not taken for forms.
    QString irregularBase(const QString &word);

    // Words that look like a plural but are words of their own (glasses, news).
    bool isOwnWord(const QString &word);
    // Articles, prepositions, conjunctions, forms of be, do and have, modal
    // verbs, pronoun forms, determiners, pieces of contractions and fillers:
    // the words the standard bank leaves out as grammar.
    bool isGrammarWord(const QString &word);
    // Numbers written out: one, twenty, hundred, millions.
    bool isNumberWord(const QString &word);
    // Days, months, languages and nationalities, festivals: written with a
    // capital and still no names. Returns the word as it is written
    // ("monday" → "Monday"), or "" for any other word.
    QString capitalisedWord(const QString &word);
}
