#pragma once

#include <QSet>
#include <QString>

// The words a learner already knows, which the import of words from a text
// leaves out: the standard bank's words up to the learner's LEVEL.
namespace StandardWords
{
    // Words of the standard bank in one LEVEL.
    inline constexpr int WordsPerLevel = 17;

    // The learner's LEVEL in the standard bank: the higher of the two
    // directions' records; 0 when neither can be read.
    int learnerLevel();

    // The English words of the standard bank's LEVELs 1 to `level`, in lower
    // case; none when the bank cannot be read. `bank`: the bank's file, by
    // default the program folder's.
    QSet<QString> upToLevel(int level, const QString &bank = {});
}
