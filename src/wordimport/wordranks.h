#pragma once

#include <QHash>
#include <QString>

// How common English words are in general: the file the build ships beside
// the English-Japanese index, a header line and then one word a line in lower
// case, the most frequent first (made from SUBTLEXus word frequencies by
// tools/bank-data/make_ranks.py).
class WordRanks
{
public:
    // The first line of every ranks file, followed by what it was made from.
    static constexpr char Header[] = "# vocamira english ranks 1";

    // Replaces what was loaded; false (and nothing loaded) when the file is
    // missing or is no ranks file, with the reason.
    bool load(const QString &path, QString *errorText);
    bool isLoaded() const { return !m_ranks.isEmpty(); }

    // 1 for the most frequent word; a word the list lacks ranks after all of
    // them, as does every word when nothing is loaded.
    int rank(const QString &word) const;
    int unlisted() const { return int(m_ranks.size()) + 1; }

private:
    QHash<QString, int> m_ranks;
};
