#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "transfermanifest.h"

class HistoryStore;

// What a learner's data file holds beside what the learner's folder holds
// now, for each bank and direction: the LEVELs of the records, the number of
// tests in the history and the day of the last one.
struct TransferComparison
{
    struct Side
    {
        bool hasRecords = false;
        int level = -1; // -1 when the records cannot be read
        int highestLevel = -1;
        int tests = 0;
        QDateTime lastTest; // invalid without tests
    };

    struct Row
    {
        QString bankKind; // "STANDARD" or "USER"
        QString bankName;
        QString direction; // "和訳" or "英訳"
        Side here;
        Side file;
    };

    QDateTime fileCreated;
    QString fileProgramVersion;
    Side hereTotal; // tests of the whole history
    Side fileTotal;
    QList<Row> rows; // the standard bank first, then the user banks by name

    // folder: the learner's; hereHistory: the program's own open store of
    // its history, or null to read the folder's file; staged: where the
    // checked files of manifest wait.
    static TransferComparison Make(const QString &folder, HistoryStore *hereHistory, const QString &staged,
                                   const TransferManifest &manifest);

    // "標準テキスト" or the user bank's name, then the direction.
    static QString BankCaption(const Row &row);
    // What a table shows of one side: "3（最高 5）", "なし" without records,
    // "？" when they cannot be read; "12回"; the day of the last test or "－".
    static QString LevelText(const Side &side);
    static QString TestsText(const Side &side);
    static QString LastTestText(const Side &side);
};
