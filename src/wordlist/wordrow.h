#pragma once

#include <QString>

// One word of a learner's list, as its bank holds it: the prompt, the answer
// as shown and the answer as typed.
struct WordRow
{
    QString english;
    QString meaning;
    QString reading;

    bool isBlank() const { return english.isEmpty() && meaning.isEmpty() && reading.isEmpty(); }
    friend bool operator==(const WordRow &, const WordRow &) = default;
};
