#include "recordpages.h"

#include <algorithm>

int Common::ListedLevelCount(int highestLevel, int levelCount)
{
    if (levelCount <= 0)
        return 0;
    return std::clamp(highestLevel + 1, 1, levelCount);
}

int Common::RecordPageCount(int listedLevels)
{
    return (std::max(listedLevels, 0) + RecordRowsPerPage - 1) / RecordRowsPerPage;
}

int Common::TopLevelOfPage(int listedLevels, int page)
{
    return listedLevels - (page - 1) * RecordRowsPerPage;
}
