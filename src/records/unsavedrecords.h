#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// At the end of the program, the records that could not be saved: they are
// tried again first, and when that fails too the learner chooses between
// trying again, saving them elsewhere (a file of the records file's own
// format) and quitting without them, told which LEVEL the next start will
// show. Closing the window without a choice goes back to the program.
class UnsavedRecords : public QDialog
{
    Q_OBJECT

public:
    // True when the program may end: nothing waited, the records were saved
    // here or elsewhere, or the learner gave them up.
    static bool settle(QWidget *owner);

    explicit UnsavedRecords(QWidget *owner);

    QLabel *message = nullptr;
    QPushButton *retryButton = nullptr;
    QPushButton *elsewhereButton = nullptr;
    QPushButton *quitButton = nullptr;

private:
    void describe();
    void retry();
    void saveElsewhere();
    void quitWithout();
};
