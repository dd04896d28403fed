#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// The wrong candidates of a listening question: words of the bank that sound
// or look close to the word heard, so the learner has to listen, not guess.
// Close means, in this order of weight: a small edit distance, the same first
// letters, the same length. A wrong candidate is never the word itself in
// other letters' case, and neither candidate is a typed beginning of the
// other or of the word, so each of the three can be typed to its end.
class CloseWords
{
public:
    // The closest this many words are the ones a question draws from, so the
    // same word does not always come with the same two.
    static constexpr int Pool = 4;

    // words[i]: the English word of bank entry i as it is typed; "" for an
    // entry that cannot be asked by ear.
    explicit CloseWords(const QStringList &words);

    // Two bank indexes of wrong candidates for entry `question`, each drawn
    // among the Pool closest that fit; empty when the bank holds no two that
    // fit. drawIndex(n) gives an index below n.
    QList<int> draw(int question, const std::function<int(int n)> &drawIndex) const;

    bool canAsk(int index) const;
    int size() const { return int(m_words.size()); }

    // How far `candidate` is from `word`, lower is closer; -1 when it may
    // not stand beside it.
    static int cost(QStringView word, QStringView candidate);
    // Edit distance, a swap of two neighbours counting as one edit.
    static int editDistance(QStringView a, QStringView b);

private:
    // The closest fitting words, closest first, ties in scan order from `start`.
    QList<int> closest(int question, int beside, int start) const;
    bool fits(int candidate, int question, int beside) const;

    QStringList m_words;
    QStringList m_folded; // lower case, for the distances
};
