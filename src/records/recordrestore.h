#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// ファイル → 成績を復元…: the backups of the current bank and direction with
// their date, LEVEL and highest LEVEL; restoring one keeps the current records
// as a backup first. Accepted when the records were replaced and loaded.
class RecordRestore : public QDialog
{
    Q_OBJECT

public:
    explicit RecordRestore(QWidget *owner);

    QLabel *hint = nullptr;
    QTableWidget *backupList = nullptr;
    QPushButton *restoreButton = nullptr;
    QPushButton *cancelButton = nullptr;

private:
    void restoreChosen();
};
