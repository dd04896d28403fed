#pragma once

#include <QString>

// What the end of a test tells the learner: the figures that the result view
// shows beside the list of questions.
struct TestOutcome
{
    enum class MessageColor
    {
        Black,
        Red,  // #FF0000
        Blue, // #0000FF
    };

    int score = 0;             // correct answers x 10
    int passMark = 0;          // the pass mark that applied
    bool passed = false;
    QString levelMessage;      // for example "レベルアップです！！"
    MessageColor levelMessageColor = MessageColor::Black;
    int level = 0;             // the LEVEL held after the test
    double shownSeconds = 0;   // time taken, at most the time limit
    bool newBestTime = false;  // "最速記録！"
};
