#include "recordrank.h"

Common::TimeRank Common::RankOfTime(double seconds)
{
    if (seconds < 15)
        return {QStringLiteral("SS"), RankColour::Red};
    if (seconds < 20)
        return {QStringLiteral("S"), RankColour::Blue};
    if (seconds < 25)
        return {QStringLiteral("A"), RankColour::Black};
    if (seconds < 30)
        return {QStringLiteral("B"), RankColour::Black};
    return {QStringLiteral("C"), RankColour::Black};
}
