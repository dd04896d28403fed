#include "historybackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include "historystore.h"

namespace
{
    // "history_yyyy-MM-dd_HHmmss.sqlite3", beside the records' copies, sorting by time.
    const QString TimeFormat = QStringLiteral("yyyy-MM-dd_HHmmss");
    const QRegularExpression NamePattern(QStringLiteral("^history_(\\d{4}-\\d{2}-\\d{2}_\\d{6})\\.sqlite3$"));

    // The tests a copy holds, read without changing it.
    int testsIn(const QString &path)
    {
        sqlite3 *db = nullptr;
        int tests = -1;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        {
            sqlite3_exec(
                db, "SELECT COUNT(*) FROM tests",
                [](void *out, int, char **values, char **) {
                    *static_cast<int *>(out) = values[0] ? std::atoi(values[0]) : -1;
                    return 0;
                },
                &tests, nullptr);
        }
        sqlite3_close(db);
        return tests;
    }

    void prune(const QString &historyPath)
    {
        QList<QDate> days;
        for (const HistoryBackups::Backup &backup : HistoryBackups::List(historyPath))
        {
            if (!days.contains(backup.made.date()))
                days.append(backup.made.date());
            if (days.size() > HistoryBackups::KeptDays)
                QFile::remove(backup.path);
        }
    }
}

QString HistoryBackups::FolderFor(const QString &historyPath)
{
    return QFileInfo(historyPath).dir().filePath(QStringLiteral("backup"));
}

bool HistoryBackups::KeepDaily(HistoryStore &store, const QDateTime &now)
{
    if (!QFileInfo(store.path()).isFile())
        return true; // no history yet
    const QList<Backup> backups = List(store.path());
    if (!backups.isEmpty() && backups.first().made.date() == now.date())
        return true;
    return Keep(store, now);
}

bool HistoryBackups::Keep(HistoryStore &store, const QDateTime &now, QString *error)
{
    const QString folder = FolderFor(store.path());
    if (!QDir().mkpath(folder))
    {
        if (error)
            *error = QStringLiteral("バックアップのフォルダを作れませんでした。\n%1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!store.backupTo(QDir(folder).filePath(QStringLiteral("history_%1.sqlite3").arg(now.toString(TimeFormat))), error))
        return false;
    prune(store.path());
    return true;
}

QList<HistoryBackups::Backup> HistoryBackups::List(const QString &historyPath)
{
    QList<Backup> backups;
    const QDir folder(FolderFor(historyPath));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name | QDir::Reversed))
    {
        const QRegularExpressionMatch match = NamePattern.match(name);
        const QDateTime made = QDateTime::fromString(match.captured(1), TimeFormat);
        if (match.hasMatch() && made.isValid())
            backups.append({folder.filePath(name), made, testsIn(folder.filePath(name))});
    }
    return backups;
}

std::optional<HistoryBackups::Backup> HistoryBackups::OfDay(const QString &historyPath, const QDate &day)
{
    for (const Backup &backup : List(historyPath))
    {
        if (backup.made.date() == day)
            return backup;
    }
    return std::nullopt;
}
