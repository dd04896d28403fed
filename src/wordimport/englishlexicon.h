#pragma once

#include <QList>
#include <QString>

// What the word finder asks of the dictionaries: the spelling dictionary,
// the English-Japanese index and the general frequency of words. Each answer
// is generous when its dictionary is missing, so the finder still works.
// Words are asked in lower case unless said otherwise.
class EnglishLexicon
{
public:
    struct Inflection
    {
        enum class Kind
        {
            Plural, // and a verb's -s
            Verbal, // -ed, -ing
            Comparative,
        };
        QString base;
        Kind kind = Kind::Plural;
    };

    virtual ~EnglishLexicon() = default;

    // Spelt as the spelling dictionary spells it, in the case given ("London"
    // is, "london" is not).
    virtual bool isSpeltRight(const QString &word) const = 0;
    // A word the dictionaries know, with a meaning to offer.
    virtual bool isWord(const QString &word) const = 0;
    // The words of which the spelling dictionary says `word` is an inflection.
    virtual QList<Inflection> inflections(const QString &word) const = 0;
    // 1 for the most frequent word in general; larger for rarer words.
    virtual int rank(const QString &word) const = 0;
};
