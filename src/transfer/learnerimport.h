#pragma once

#include <QString>

#include "dataswitch.h"
#include "transfermanifest.h"
#include "transferproblem.h"

class HistoryStore;

// Imports a learner's data file into a learner's folder in three moves:
// check() reads the file whole into a stage beside the learner's files and
// checks it there, touching nothing of the learner's; keepBackup() writes an
// export of the data as it is now to seiseki/backup/, so the import can be
// undone by importing that; switchIn() puts the staged files in place all
// at once or not at all. A stage that is never switched in is thrown away.
class LearnerImport
{
public:
    explicit LearnerImport(const QString &folder);
    ~LearnerImport();
    LearnerImport(const LearnerImport &) = delete;
    LearnerImport &operator=(const LearnerImport &) = delete;

    // Finishes or undoes an import cut short first; a problem then when
    // neither could be done, or when the file is refused.
    TransferProblem check(const QString &zipPath);
    const TransferManifest &manifest() const { return m_manifest; }
    // Where the checked files wait, under their relative paths.
    QString stagedFolder() const;

    // history: the program's own open store of the folder's history, or
    // null. The backup's path is in backupPath.
    TransferProblem keepBackup(HistoryStore *history, QString *backupPath = nullptr);

    // Nothing below the learner's folder may have the history open.
    DataSwitch::Result switchIn();

    // "Vocamira_学習データ_yyyy-MM-dd_HHmmss.zip" in seiseki/backup/ of folder,
    // a name no earlier backup has.
    static QString BackupPath(const QString &folder);

private:
    QString m_folder;
    TransferManifest m_manifest;
    bool m_checked = false;
    bool m_switched = false;
};
