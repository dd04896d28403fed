#pragma once

#include <QString>

// One word of a learner's list, as its bank holds it: the prompt, the answer
// as shown and the answer as typed.
struct WordRow
{
    QString english;
    QString meaning;
    QString reading;
    // The meaning is the dictionary's first suggestion, not the learner's:
    // shown for checking until the learner sets one. Never saved.
    bool meaningToCheck = false;

    bool isBlank() const { return english.isEmpty() && meaning.isEmpty() && reading.isEmpty(); }
    friend bool operator==(const WordRow &, const WordRow &) = default;
};
