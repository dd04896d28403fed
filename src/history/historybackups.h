#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class HistoryStore;

// Daily copies of the study history beside those of the records, in
// seiseki/backup/: before the first test of a day changes the history, a
// copy is made with SQLite's online backup, and the copies of the last
// KeptDays days are kept, as many as of the records, so a day's records and
// history can go back together.
namespace HistoryBackups
{
    inline constexpr int KeptDays = 14;

    struct Backup
    {
        QString path;
        QDateTime made;
        int tests = -1; // -1 when the copy cannot be read
    };

    // The backup folder of a history: backup/ beside it.
    QString FolderFor(const QString &historyPath);

    // Unless today has a copy already, copies the history and deletes the
    // copies of all but the last KeptDays days. True when there was nothing
    // to do or the copy was made.
    bool KeepDaily(HistoryStore &store, const QDateTime &now);
    // Copies the history now, whatever copies today has; deletes as KeepDaily does.
    bool Keep(HistoryStore &store, const QDateTime &now, QString *error = nullptr);

    // The copies of the history at historyPath, newest first.
    QList<Backup> List(const QString &historyPath);
    // The newest copy made on `day`.
    std::optional<Backup> OfDay(const QString &historyPath, const QDate &day);
}
