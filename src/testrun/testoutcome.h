#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "core/emphasiscolor.h"

// What the end of a test tells the learner: the figures that the result view
// shows beside the list of questions.
struct TestOutcome
{
    int score = 0;             // correct answers x 10
    int passMark = 0;          // the pass mark that applied
    bool passed = false;
    QString levelMessage;      // for example "レベルアップです！！"
    EmphasisColor levelMessageColor = EmphasisColor::Black;
    int level = 0;             // the LEVEL held after the test
    double shownSeconds = 0;   // time taken, at most the time limit
    bool newBestTime = false;  // "最速記録！"
    int questions = 10;        // the questions the test held: a practice may hold fewer or more
    bool topLevelReached = false; // a level-up challenge that reached the top LEVEL: the certificate follows
    // Where each word of a practice now stands on the schedule, by question
    // of the test ("2/4", too slow to count, off the list); empty otherwise.
    QStringList scheduleNotes {};
    // Puts a word (a bank index) on the weak list, due today; set by a window
    // that keeps a study history. False when the history could not keep it.
    std::function<bool(int bankIndex)> addWeakWord {};
};
