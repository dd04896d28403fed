#pragma once

#include <QString>

// One of the three candidates of the question on screen, with the judge's
// state of it between keys. Target 0 holds the question's own answer, 1 and
// 2 wrong answers.
struct Target
{
    int question = 0;   // bank index of the entry whose answer it shows
    int box = 0;        // the box (0 to 2) that shows it
    int pos = 1;        // the judge's position; 1 when nothing is typed
    QString typed;      // every key it took, as typed
    QString pending;    // keys toward the unit in progress
    QString guide;      // what is still to be typed
    QString unitRest;   // the rest of the unit in progress
    bool alive = true;  // still judged; dropped by a key it refused that another took
    bool hit = false;   // took the last key without completing

    // As when first shown: nothing typed, judged again. The guide stays.
    void restart()
    {
        pos = 1;
        alive = true;
        typed.clear();
        pending.clear();
        unitRest.clear();
    }
};
