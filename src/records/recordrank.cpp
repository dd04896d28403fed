#include "recordrank.h"

Common::TimeRank Common::RankOfTime(double seconds)
{
    if (seconds < 15)
        return {QStringLiteral("SS"), EmphasisColor::Red};
    if (seconds < 20)
        return {QStringLiteral("S"), EmphasisColor::Blue};
    if (seconds < 25)
        return {QStringLiteral("A"), EmphasisColor::Black};
    if (seconds < 30)
        return {QStringLiteral("B"), EmphasisColor::Black};
    return {QStringLiteral("C"), EmphasisColor::Black};
}
