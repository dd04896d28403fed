#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Daily copies of the records files, in seiseki/backup/ beside the records:
// a save keeps the file it replaces once a day, and the copies of the last
// KeptDays days are kept for each records file.
namespace RecordBackups
{
    inline constexpr int KeptDays = 14;

    struct Backup
    {
        QString path;
        QDateTime made;
        // From the file's header; -1 when it cannot be read.
        int level = -1;
        int highestLevel = -1;
    };

    // The LEVEL and top LEVEL in the header of the records file at path; false
    // (the values untouched) when it cannot be read.
    bool ReadLevels(const QString &path, int &level, int &highestLevel);

    // The backup folder of a records file: seiseki/backup/<the records file's folder name>.
    QString FolderFor(const QString &recordPath);

    // Before a save replaces recordPath: unless today has a copy of it already,
    // copies it and deletes the copies of all but the last KeptDays days. True
    // when there was nothing to do or the copy was made.
    bool KeepDaily(const QString &recordPath, const QDateTime &now);
    // Copies recordPath now, whatever copies today has; deletes as KeepDaily does.
    bool Keep(const QString &recordPath, const QDateTime &now);

    // The copies of recordPath, newest first.
    QList<Backup> List(const QString &recordPath);
}
