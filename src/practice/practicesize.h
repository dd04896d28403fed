#pragma once

#include <array>

// How many weak words one practice asks: ten as a test does, twenty, or
// every word due up to fifty. The learner's choice is kept in tst.ini in a
// section of its own, beside the settings the program has always read.
namespace PracticeSize
{
    inline constexpr int Ten = 10;
    inline constexpr int Twenty = 20;
    // "Every due word": as many as one practice holds.
    inline constexpr int AllDue = 50;
    inline constexpr std::array<int, 3> Choices {Ten, Twenty, AllDue};

    // The kept choice; a missing or hand-edited value that is no choice reads as ten.
    int read();
    // A file that cannot be written is told to the learner.
    void store(int size);
}
