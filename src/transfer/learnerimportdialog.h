#pragma once

#include <QDialog>

#include "transfercomparison.h"

class QLabel;
class QPushButton;
class QTableWidget;

// ファイル → 学習データの読み込み…: what a checked file holds beside what is
// here now, for each bank and direction, before the learner agrees to
// replace their data with it. Accepted when the learner chose to import.
class LearnerImportDialog : public QDialog
{
    Q_OBJECT

public:
    LearnerImportDialog(const QString &zipPath, const TransferComparison &comparison, QWidget *owner);

    QLabel *hint = nullptr;
    QTableWidget *comparisonTable = nullptr;
    QLabel *warning = nullptr;
    QPushButton *importButton = nullptr;
    QPushButton *cancelButton = nullptr;

private:
    void fillTable(const TransferComparison &comparison);
};
