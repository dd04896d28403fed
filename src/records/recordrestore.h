#pragma once

#include <QDialog>

class HistoryStore;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

// ファイル → 成績を復元…: the backups of the current bank and direction with
// their date, LEVEL and highest LEVEL, and those of the study history. The
// records go back with the history of the same day, or the history on its
// own; the learner is asked first, told what is kept, and told afterwards
// what the LEVEL is now. Accepted when something was put back.
class RecordRestore : public QDialog
{
    Q_OBJECT

public:
    // history: the study history in use, or nullptr for the records alone.
    RecordRestore(HistoryStore *history, QWidget *owner);

    QLabel *hint = nullptr;
    QTableWidget *backupList = nullptr;
    QCheckBox *withHistory = nullptr;
    QTableWidget *historyList = nullptr;
    QPushButton *historyButton = nullptr;
    QPushButton *restoreButton = nullptr;
    QPushButton *cancelButton = nullptr;

private:
    QWidget *buildHistoryList();
    void followChosenRecords();
    void restoreChosen();
    void restoreHistoryChosen();
    // The history copy at path in place of the history, the one in use kept
    // first; "" when done, else why not.
    QString putHistoryBack(const QString &path);

    HistoryStore *m_history;
};
