#pragma once

#include <QDate>

// A choice the learner made about a word in the word book. The marks are
// taken in time order among the word's answers, so a word added to the weak
// words today and then missed starts over like any other.
struct WordMark
{
    enum class Kind : quint8
    {
        Known,    // 知っている: never asked in practice
        NotKnown, // the same command again: back to what the answers say
        Weak,     // 苦手に追加: on the weak list, due that day, at the first step
        NotWeak,  // 苦手から外す: off the weak list without four counted days
    };

    int word = 0;  // index of the word in its bank; below 0 for a word the bank no longer holds
    QDate day;     // the day it was made
    qint64 at = 0; // when it was made, in milliseconds since 1970, to order it among the tests
    Kind kind = Kind::Known;
};
