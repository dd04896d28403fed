#pragma once

#include <QDate>

namespace RecordDates
{
    // The day that the date value 0 stands for; stored for "no date".
    inline const QDate ZeroDate {1899, 12, 30};
}
