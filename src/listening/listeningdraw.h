#pragma once

#include <QList>

#include <functional>

class CloseWords;

// Which words a listening test asks: words of the bank that can be heard and
// typed (English on one side), never one the learner has marked as known.
namespace ListeningDraw
{
    using DrawIndex = std::function<int(int n)>;
    // Whether the learner has marked the word (a bank index) as known.
    using Known = std::function<bool(int index)>;

    // Up to `count` words at random from bank entries 0 to `end` - 1 (the
    // LEVELs a test draws from); with `candidates`, only words that have two
    // close words to stand beside them.
    QList<int> fromLevels(const CloseWords &words, int end, int count, bool candidates, const Known &known,
                          const DrawIndex &drawIndex);
    // The first `count` of the weak words given (due first), in random order.
    QList<int> fromWeakWords(const CloseWords &words, const QList<int> &weak, int count, bool candidates,
                             const Known &known, const DrawIndex &drawIndex);
}
