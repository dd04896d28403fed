#pragma once

#include <QDialog>

#include "testrun/testsession.h"

class ListeningTest;
class QRadioButton;
class WeakHistory;

// Asks how to take a listening test: which words (those of LEVEL 1 up to the
// learner's, or the weak words of listening) and how to answer (typing one of
// three candidates, or writing the word from the sound alone). The choices
// are kept for the next test of the run.
class ListeningDialog : public QDialog
{
    Q_OBJECT

public:
    struct Choice
    {
        bool weakWords = false;
        bool dictation = false;
    };

    // level: the highest LEVEL the test draws from; dueWeakWords and
    // weakWords: the weak words of listening due today, and all of them.
    ListeningDialog(int level, int dueWeakWords, int weakWords, QWidget *owner);

    Choice choice() const;

    // Asks, draws the words and makes sure they can be heard: the test to
    // begin, owned by `owner`, or null when the learner cancelled or has been
    // told why it cannot start. weak: the listening weak words, may be null.
    static ListeningTest *prepareTest(WeakHistory *weak, TestSession::History history, QWidget *owner);
    // The highest LEVEL a test draws from: the learner's, at least the first.
    static int levelToDraw();

private:
    QRadioButton *m_levels;
    QRadioButton *m_weakWords;
    QRadioButton *m_candidates;
    QRadioButton *m_dictation;
};
