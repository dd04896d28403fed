#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "japanesereading.h"
#include "spelling.h"
#include "wordindex.h"

// The dictionary help of the word-list editor and of vocamira-bank, all
// offline: meanings from the index, readings from MeCab, spelling from
// Hunspell. Each loads when first asked, never at start-up; one that cannot
// load leaves the rest working and is told once.
class WordHelp
{
public:
    struct Sources
    {
        QString index;         // the index file
        QString readings;      // MeCab's dictionary folder
        QString spelling;      // Hunspell's dictionary, without .aff/.dic
    };

    // The index of the program folder and Debian's dictionaries.
    static Sources defaultSources();

    struct Suggestion
    {
        QString english; // the word looked up: the one typed, or its dictionary form
        QString meaning;
        QString reading;
        friend bool operator==(const Suggestion &, const Suggestion &) = default;
    };

    explicit WordHelp(Sources sources = defaultSources());

    // Everyday meanings of an English word, best first. A word the index does
    // not hold is looked up in its dictionary forms (plural, past, -ing).
    QList<Suggestion> suggestions(const QString &english, int limit = 8);
    // The words of which `word` may be a plural, past or -ing form, by the
    // rules of the standard bank's generator: "cities" → "city", "stopped" →
    // "stop", "loved" → "love" (a guess may be no word; the index decides).
    static QStringList baseForms(const QString &word);
    // Whether the index holds the word itself (not only a form of it).
    bool hasMeaning(const QString &english);
    // The dictionary forms Hunspell gives an inflected word; none without it.
    QStringList stems(const QString &word);
    // The reading of Japanese text in hiragana; "" without MeCab. A text that
    // the index gives as a meaning of `english` takes the index's reading,
    // which knows the word: 一人 is ひとり, where MeCab reads いちにん.
    QString reading(const QString &japanese, const QString &english = {});
    // Whether Hunspell knows the English word (true without Hunspell), and
    // what it may be meant as.
    bool isSpeltRight(const QString &english);
    QStringList spellingSuggestions(const QString &english, int limit = 8);

    bool hasIndex();
    bool hasReadings();
    bool hasSpelling();

    // What was asked for and could not be loaded, one line each, with what
    // the editor does without it; "" while everything asked for is there.
    QString missing() const;

private:
    WordIndex &index();
    JapaneseReading &readings();
    Spelling &spelling();
    void note(const QString &missing);

    Sources m_sources;
    WordIndex m_index;
    JapaneseReading m_readings;
    Spelling m_spelling;
    bool m_indexTried = false;
    bool m_readingsTried = false;
    bool m_spellingTried = false;
    QStringList m_missing;
};
