#pragma once

// The paging of the record list: ten LEVELs a page, highest first.
namespace Common
{
    inline constexpr int RecordRowsPerPage = 10;

    // The LEVELs listed: those reached and the one being worked on, but
    // never more than the bank has (records from a bank that since has
    // fewer LEVELs may hold a higher HighestLevel).
    int ListedLevelCount(int highestLevel, int levelCount);
    int RecordPageCount(int listedLevels);
    // The LEVEL in the top row of a page (1 = the page of the highest LEVELs).
    int TopLevelOfPage(int listedLevels, int page);
}
