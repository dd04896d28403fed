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

    // What the history keeps as the direction of a listening test: its words
    // are heard, neither read nor written, and weak apart from both directions.
    static inline const QString ListeningDirection = QStringLiteral("聞き取り");

    // The bank and direction chosen in the settings now.
    static HistoryFilter current();
    // The listening tests of the bank chosen now.
    static HistoryFilter listening();

    friend bool operator==(const HistoryFilter &, const HistoryFilter &) = default;
};
