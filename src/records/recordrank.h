#pragma once

#include <QString>

#include "core/emphasiscolor.h"

// The rank letter of a fastest perfect test, as the record list shows it.
namespace Common
{
    struct TimeRank
    {
        QString letter;
        EmphasisColor colour = EmphasisColor::Black;
    };

    // seconds: the fastest perfect test, in seconds.
    TimeRank RankOfTime(double seconds);
}
