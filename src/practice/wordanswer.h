#pragma once

#include <QDate>

// One showing of a word in a test, as far as the weak-word schedule needs it.
struct WordAnswer
{
    enum class Result : quint8
    {
        Correct,
        Wrong,      // a wrong candidate was typed to its end
        Unanswered, // the test ended while the word was on screen
    };

    int word = 0;           // index of the word in its bank; below 0 for a word the bank no longer holds
    QDate day;              // the day it was asked
    bool practice = false;  // asked in a weak-word practice test
    Result result = Result::Correct;
    double seconds = -1;    // from its showing to the answer; -1 when unanswered
    qint64 at = 0;          // the start of its test, in milliseconds since 1970, to order it among the marks
};
