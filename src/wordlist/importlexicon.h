#pragma once

#include <QHash>

#include "wordimport/englishlexicon.h"
#include "wordimport/wordranks.h"

class WordHelp;

// The word finder's dictionaries as the editor has them: Hunspell for
// spelling and word forms, the English-Japanese index for the words worth
// learning, and the general ranks shipped beside the index. Answers are kept,
// as a text asks about the same words again and again.
class ImportLexicon : public EnglishLexicon
{
public:
    // The ranks file of the program folder (dict/english-ranks.txt).
    static QString defaultRanks();

    // `ranks`: a ranks file; without one every word ranks alike.
    explicit ImportLexicon(WordHelp &help, const QString &ranks = defaultRanks());

    bool isSpeltRight(const QString &word) const override;
    bool isWord(const QString &word) const override;
    QList<Inflection> inflections(const QString &word) const override;
    int rank(const QString &word) const override;

private:
    WordHelp &m_help;
    WordRanks m_ranks;
    mutable QHash<QString, bool> m_spelt;
    mutable QHash<QString, bool> m_words;
};
