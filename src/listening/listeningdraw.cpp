#include "listeningdraw.h"

#include "closewords.h"

namespace
{
    void shuffle(QList<int> &values, const ListeningDraw::DrawIndex &drawIndex)
    {
        for (qsizetype i = values.size() - 1; i > 0; --i)
            std::swap(values[i], values[drawIndex(int(i) + 1)]);
    }

    // The words that can be asked, in the order given, until `count` are found.
    QList<int> askable(const CloseWords &words, const QList<int> &order, int count, bool candidates,
                       const ListeningDraw::Known &known, const ListeningDraw::DrawIndex &drawIndex)
    {
        QList<int> chosen;
        for (int index : order)
        {
            if (chosen.size() >= count)
                break;
            if (!words.canAsk(index) || (known && known(index)))
                continue;
            if (candidates && words.draw(index, drawIndex).isEmpty())
                continue;
            chosen.append(index);
        }
        return chosen;
    }
}

QList<int> ListeningDraw::fromLevels(const CloseWords &words, int end, int count, bool candidates, const Known &known,
                                     const DrawIndex &drawIndex)
{
    QList<int> order;
    for (int index = 0; index < std::min(end, words.size()); ++index)
        order.append(index);
    shuffle(order, drawIndex);
    return askable(words, order, count, candidates, known, drawIndex);
}

QList<int> ListeningDraw::fromWeakWords(const CloseWords &words, const QList<int> &weak, int count, bool candidates,
                                        const Known &known, const DrawIndex &drawIndex)
{
    QList<int> chosen = askable(words, weak, count, candidates, known, drawIndex);
    // The order of the list would tell which word comes next.
    shuffle(chosen, drawIndex);
    return chosen;
}
