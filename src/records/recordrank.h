#pragma once

#include <QString>

// The rank letter of a fastest perfect test, as the record list shows it.
namespace Common
{
    enum class RankColour
    {
        Black,
        Red,
        Blue,
    };

    struct TimeRank
    {
        QString letter;
        RankColour colour = RankColour::Black;
    };

    // seconds: the fastest perfect test, in seconds.
    TimeRank RankOfTime(double seconds);
}
