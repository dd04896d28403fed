#pragma once

#include <QString>

// Which tests a view of the history takes: those of one bank and direction,
// or all of them.
struct HistoryFilter
{
    bool all = false;
    QString bankKind;
    QString bankName;
    QString direction;

    // The bank and direction chosen in the settings now.
    static HistoryFilter current();

    friend bool operator==(const HistoryFilter &, const HistoryFilter &) = default;
};
