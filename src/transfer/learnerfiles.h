#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Which files are the learner's own, in a learner's folder of either layout:
// the settings, the user banks, their settings, the records and the study
// history. The shipped standard bank, the sounds, the daily backups and
// anything hidden are not. Paths are relative to the learner's folder, with
// "/" between folders, so that they mean the same in every layout.
namespace LearnerFiles
{
    // Where HistoryStore::defaultPath() keeps the study history.
    inline const QString HistoryFile = QStringLiteral("seiseki/history.sqlite3");
    // SQLite's files beside the history. They belong to the file they sit
    // beside: never carried, but moved away with it.
    inline const QStringList HistoryCompanions {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                                QStringLiteral("-journal")};

    // The learner's files in folder, in name order: every file directly in
    // one of the learner's folders whose name does not begin with ".". The
    // history is not among them; it is copied its own way.
    QStringList List(const QString &folder);

    // Whether relative names a file a transfer may carry: a plain name that
    // does not begin with "." directly in one of the learner's folders, or the history.
    bool IsLearnerPath(const QString &relative);

    // The user banks named by a list of the learner's files (their .txt files).
    QStringList UserBanks(const QStringList &files);

    struct RecordsFile
    {
        bool user = false;
        QString bankName; // "" for the standard bank
        bool english = false;

        friend bool operator==(const RecordsFile &, const RecordsFile &) = default;
    };
    // The bank and direction of a records file, or nothing when relative is
    // not one. A user bank's "<name>E.dat" is that bank's "英訳" records when
    // <name> is among userBanks, else the "和訳" records of a bank "<name>E".
    std::optional<RecordsFile> DescribeRecords(const QString &relative, const QStringList &userBanks);
}
