#include "recordbackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "bank/gsxseq.h"
#include "core/programfolder.h"
#include "recordlinereader.h"

namespace
{
    // "<records file name>_yyyy-MM-dd_HHmmss.dat": sorts by time, and a name
    // never matches the copies of another file ("a" against "a_2026-01-01").
    const QString TimeFormat = QStringLiteral("yyyy-MM-dd_HHmmss");

    QRegularExpression namePattern(const QString &recordPath)
    {
        return QRegularExpression(QStringLiteral("^%1_(\\d{4}-\\d{2}-\\d{2}_\\d{6})\\.dat$")
                                      .arg(QRegularExpression::escape(QFileInfo(recordPath).completeBaseName())));
    }

    // Deletes the copies of the days before the last KeptDays days with a copy.
    void prune(const QString &recordPath)
    {
        QList<QDate> days;
        for (const RecordBackups::Backup &backup : RecordBackups::List(recordPath))
        {
            if (!days.contains(backup.made.date()))
                days.append(backup.made.date());
            if (days.size() > RecordBackups::KeptDays)
                QFile::remove(backup.path);
        }
    }
}

bool RecordBackups::ReadLevels(const QString &path, int &level, int &highestLevel)
{
    QStringList lines;
    if (GsxSeq::ReadContainerFile(path, lines) != GsxSeq::FileResult::Complete || lines.isEmpty())
        return false;
    RecordLineReader reader(lines.first());
    int current = 0;
    int fails = 0;
    QString spare;
    int highest = 0;
    if (!reader.readInt(current) || !reader.readInt(fails) || !reader.readString(spare) || !reader.readInt(highest))
        return false;
    level = current;
    highestLevel = highest;
    return true;
}

QString RecordBackups::FolderFor(const QString &recordPath)
{
    return ProgramFolder::filePath(ProgramFolder::BackupRecordDir, QFileInfo(recordPath).dir().dirName());
}

bool RecordBackups::KeepDaily(const QString &recordPath, const QDateTime &now)
{
    if (!QFileInfo(recordPath).isFile())
        return true; // nothing to keep (a folder in the way is the save's to tell)
    const QList<Backup> backups = List(recordPath);
    if (!backups.isEmpty() && backups.first().made.date() == now.date())
        return true;
    return Keep(recordPath, now);
}

bool RecordBackups::Keep(const QString &recordPath, const QDateTime &now)
{
    const QString folder = FolderFor(recordPath);
    const QString copy = folder + u'/' + QFileInfo(recordPath).completeBaseName() + u'_' + now.toString(TimeFormat)
        + QStringLiteral(".dat");
    QFile::remove(copy); // a second copy within the same second replaces the first
    // QFile::copy writes a temporary file and renames it: no half copy is left.
    if (!QDir().mkpath(folder) || !QFile::copy(recordPath, copy))
        return false;
    prune(recordPath);
    return true;
}

QList<RecordBackups::Backup> RecordBackups::List(const QString &recordPath)
{
    const QRegularExpression pattern = namePattern(recordPath);
    QList<Backup> backups;
    const QDir folder(FolderFor(recordPath));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name | QDir::Reversed))
    {
        const QRegularExpressionMatch match = pattern.match(name);
        const QDateTime made = QDateTime::fromString(match.captured(1), TimeFormat);
        if (!match.hasMatch() || !made.isValid())
            continue;
        Backup backup {folder.filePath(name), made};
        ReadLevels(backup.path, backup.level, backup.highestLevel);
        backups.append(backup);
    }
    return backups;
}
