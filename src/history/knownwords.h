#pragma once

#include <QSet>
#include <QString>

#include "historyfilter.h"

class HistoryStore;

// The words the learner has marked 知っている in the word book, for whatever
// asks words (a practice or listening test, the import of words from a text)
// to leave them out. The last mark of a word wins: the same command again
// takes the mark away.
class KnownWords
{
public:
    // The known words of one bank and direction, or of all of them
    // (filter.all). A history that cannot be read knows no word.
    static KnownWords read(HistoryStore &store, const HistoryFilter &filter);

    bool isKnown(const HistoryFilter &bank, const QString &prompt, const QString &answer) const;
    // The English word is known in some bank and direction; case is ignored.
    bool isKnownEnglish(const QString &word) const;
    qsizetype size() const { return m_words.size(); }

private:
    static QString key(const HistoryFilter &bank, const QString &prompt, const QString &answer);

    QSet<QString> m_words;   // by key()
    QSet<QString> m_english; // folded to lower case
};
