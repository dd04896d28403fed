#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "transfermanifest.h"
#include "transferproblem.h"

class HistoryStore;

// Writes everything that is the learner's in a learner's folder to one zip
// file: the settings, the user banks and their settings, the records of
// every bank and direction, and the study history as a consistent copy made
// with SQLite's online backup, behind a manifest that lists each with its
// size and SHA-256. Paths are relative to the folder, so the file imports
// into either layout.
namespace LearnerExport
{
    // "Vocamira_学習データ_<stamp>.zip"; the stamp of a day is "yyyy-MM-dd".
    QString FileName(const QString &stamp);
    QString DefaultFileName(const QDate &day);

    // The records files among files (relative to folder), each with its
    // bank, direction and LEVELs, in the order of files.
    QList<TransferManifest::Records> DescribeRecords(const QString &folder, const QStringList &files);

    // Writes the zip at zipPath, which an older file of that name makes way
    // for only when the new one is whole. history is the program's own open
    // store of the folder's history, which the copy then goes through; when
    // null the folder's history file, if there is one, is opened for the copy.
    TransferProblem Write(const QString &folder, const QString &zipPath, HistoryStore *history = nullptr);
}
