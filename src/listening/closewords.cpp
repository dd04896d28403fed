#include "closewords.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "judge/judge.h"

namespace
{
    // How many of the closest words one scan keeps: the pool of the first
    // candidate and enough beside it for the second.
    constexpr int Kept = CloseWords::Pool * 4;
    constexpr int Unlimited = std::numeric_limits<int>::max() / 4;

    // Weights of the three measures of closeness.
    constexpr int EditWeight = 2;
    constexpr int NoSharedLetter = 4;
    constexpr int OneSharedLetter = 1;

    int sharedBeginning(QStringView a, QStringView b)
    {
        const qsizetype n = std::min(a.size(), b.size());
        qsizetype i = 0;
        while (i < n && a[i] == b[i])
            ++i;
        return int(i);
    }

    // Neither can be typed to its end on the way to the other, and they are
    // not one word in two spellings of case.
    bool standTogether(const QString &a, const QString &b)
    {
        return a.compare(b, Qt::CaseInsensitive) != 0 && !Judge::IsTypedBeginning(a, b)
               && !Judge::IsTypedBeginning(b, a);
    }

    // Edit distance (optimal string alignment), or anything above `limit`
    // as soon as it cannot be `limit` or less.
    int boundedDistance(QStringView a, QStringView b, int limit)
    {
        const qsizetype width = b.size() + 1;
        QVarLengthArray<int, 3 * 64> rows(3 * width);
        int *before = rows.data();
        int *previous = before + width;
        int *current = previous + width;
        for (qsizetype j = 0; j < width; ++j)
            previous[j] = int(j);
        for (qsizetype i = 1; i <= a.size(); ++i)
        {
            current[0] = int(i);
            int rowBest = current[0];
            for (qsizetype j = 1; j < width; ++j)
            {
                const int substitution = a[i - 1] == b[j - 1] ? 0 : 1;
                int best = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + substitution});
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                    best = std::min(best, before[j - 2] + 1);
                current[j] = best;
                rowBest = std::min(rowBest, best);
            }
            if (rowBest > limit)
                return limit + 1;
            std::rotate(rows.data(), rows.data() + width, rows.data() + 3 * width);
        }
        return previous[width - 1];
    }

    struct Closeness
    {
        int cost = 0;
        bool cut = false; // farther than asked for; the cost is not known
    };

    // The closeness of two words in lower case (see CloseWords::cost), cut
    // short when it cannot be below `below`.
    Closeness closeness(QStringView a, QStringView b, int below = Unlimited)
    {
        const int shared = sharedBeginning(a, b);
        const int letterPenalty = shared == 0 ? NoSharedLetter : shared == 1 ? OneSharedLetter : 0;
        const int lengthGap = int(std::abs(a.size() - b.size()));
        // The distance is at least the gap in length, and one when the first letters differ.
        const int fixed = lengthGap + letterPenalty;
        const int leastDistance = std::max(lengthGap, shared == 0 ? 1 : 0);
        if (fixed + EditWeight * leastDistance >= below)
            return {0, true};
        const int limit = (below - fixed - 1) / EditWeight;
        const int distance = boundedDistance(a, b, limit);
        if (distance > limit)
            return {0, true};
        return {fixed + EditWeight * distance, false};
    }

    struct Ranked
    {
        int cost;
        int order;
        int index;

        bool operator<(const Ranked &other) const
        {
            return cost != other.cost ? cost < other.cost : order < other.order;
        }
    };

    int drawFrom(const QList<int> &closest, const std::function<int(int n)> &drawIndex)
    {
        return closest[drawIndex(int(std::min<qsizetype>(CloseWords::Pool, closest.size())))];
    }
}

CloseWords::CloseWords(const QStringList &words)
    : m_words(words)
{
    m_folded.reserve(words.size());
    for (const QString &word : words)
        m_folded.append(word.toLower());
}

bool CloseWords::canAsk(int index) const
{
    return index >= 0 && index < m_words.size() && !m_words[index].isEmpty();
}

int CloseWords::editDistance(QStringView a, QStringView b)
{
    return boundedDistance(a, b, Unlimited);
}

int CloseWords::cost(QStringView word, QStringView candidate)
{
    const QString a = word.toString();
    const QString b = candidate.toString();
    if (a.isEmpty() || b.isEmpty() || !standTogether(a, b))
        return -1;
    return closeness(a.toLower(), b.toLower()).cost;
}

bool CloseWords::fits(int candidate, int question, int beside) const
{
    if (candidate == question || candidate == beside || m_words[candidate].isEmpty())
        return false;
    return standTogether(m_words[candidate], m_words[question])
           && (beside < 0 || standTogether(m_words[candidate], m_words[beside]));
}

QList<int> CloseWords::closest(int question, int beside, int start) const
{
    const QString &word = m_folded[question];
    const int count = size();
    std::array<Ranked, Kept> kept {};
    int keptCount = 0;
    for (int step = 0; step < count; ++step)
    {
        const int index = (start + step) % count;
        // Whether it fits is asked last: most words are too far to need it.
        const Closeness near = closeness(word, m_folded[index], keptCount == Kept ? kept[Kept - 1].cost + 1 : Unlimited);
        if (near.cut || m_words[index].isEmpty())
            continue;
        const Ranked ranked {near.cost, step, index};
        if ((keptCount == Kept && !(ranked < kept[Kept - 1])) || !fits(index, question, beside))
            continue;
        // Into its place among those kept, the farthest dropping out when full.
        int place = keptCount < Kept ? keptCount++ : Kept - 1;
        for (; place > 0 && ranked < kept[place - 1]; --place)
            kept[place] = kept[place - 1];
        kept[place] = ranked;
    }
    QList<int> indexes;
    for (int i = 0; i < keptCount; ++i)
        indexes.append(kept[i].index);
    return indexes;
}

QList<int> CloseWords::draw(int question, const std::function<int(int n)> &drawIndex) const
{
    if (!canAsk(question))
        return {};
    const int start = drawIndex(size());
    const QList<int> first = closest(question, -1, start);
    if (first.size() < 2)
        return {};
    const int drawn = drawFrom(first, drawIndex);
    // The second among the closest that stand beside the first; a rare word
    // whose close ones all clash with it looks further, from another first.
    for (qsizetype i = first.indexOf(drawn); i < first.size() + first.indexOf(drawn); ++i)
    {
        const int one = first[i % first.size()];
        QList<int> second;
        for (int other : first)
        {
            if (fits(other, question, one))
                second.append(other);
        }
        if (second.isEmpty())
            second = closest(question, one, start);
        if (!second.isEmpty())
            return {one, drawFrom(second, drawIndex)};
    }
    return {};
}
