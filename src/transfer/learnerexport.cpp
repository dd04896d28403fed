#include "learnerexport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

#include "archivewriter.h"
#include "core/settings.h"
#include "history/historystore.h"
#include "learnerfiles.h"
#include "records/recordbackups.h"

namespace
{
    using Kind = TransferProblem::Kind;

    const QString FileNameFormat = QStringLiteral("Vocamira_学習データ_%1.zip");

    struct Entry
    {
        TransferManifest::File file;
        QByteArray bytes;  // the settings, banks and records: small, read once
        QString source;    // the history's copy: streamed from here
    };

    TransferProblem readEntry(const QString &folder, const QString &relative, Entry &entry)
    {
        QFile file(folder + u'/' + relative);
        if (!file.open(QIODevice::ReadOnly))
            return TransferProblem::of(Kind::CannotRead, file.fileName(), file.errorString());
        // Read once: what is hashed is what is written, even if the file changes meanwhile.
        entry.bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return TransferProblem::of(Kind::CannotRead, file.fileName(), file.errorString());
        entry.file = {relative, entry.bytes.size(),
                      QCryptographicHash::hash(entry.bytes, QCryptographicHash::Sha256).toHex()};
        return {};
    }

    TransferProblem hashFile(const QString &path, TransferManifest::File &file)
    {
        QFile source(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!source.open(QIODevice::ReadOnly) || !hash.addData(&source))
            return TransferProblem::of(Kind::CannotRead, path, source.errorString());
        file.size = source.size();
        file.sha256 = hash.result().toHex();
        return {};
    }

    // The history copied through store, or through one opened for the copy.
    TransferProblem copyHistory(const QString &folder, HistoryStore *store, const QString &copy)
    {
        std::unique_ptr<HistoryStore> opened;
        if (!store)
        {
            opened = std::make_unique<HistoryStore>(folder + u'/' + LearnerFiles::HistoryFile,
                                                    HistoryStore::Creation::ExistingOnly);
            store = opened.get();
        }
        QString error;
        if (!store->backupTo(copy, &error))
            return TransferProblem::of(Kind::CannotRead, LearnerFiles::HistoryFile, error);
        return {};
    }
}

QString LearnerExport::FileName(const QString &stamp)
{
    return FileNameFormat.arg(stamp);
}

QString LearnerExport::DefaultFileName(const QDate &day)
{
    return FileName(day.toString(QStringLiteral("yyyy-MM-dd")));
}

QList<TransferManifest::Records> LearnerExport::DescribeRecords(const QString &folder, const QStringList &files)
{
    QList<TransferManifest::Records> described;
    const QStringList banks = LearnerFiles::UserBanks(files);
    for (const QString &relative : files)
    {
        const std::optional<LearnerFiles::RecordsFile> records = LearnerFiles::DescribeRecords(relative, banks);
        if (!records)
            continue;
        TransferManifest::Records entry {relative,
                                         records->user ? Common::TextKindUser : Common::TextKindStandard,
                                         records->bankName,
                                         records->english ? Common::TransModeEnglish : Common::TransModeJapanese};
        RecordBackups::ReadLevels(folder + u'/' + relative, entry.level, entry.highestLevel);
        described.append(entry);
    }
    return described;
}

TransferProblem LearnerExport::Write(const QString &folder, const QString &zipPath, HistoryStore *history)
{
    const QStringList files = LearnerFiles::List(folder);
    if (files.isEmpty() && !QFileInfo::exists(folder + u'/' + LearnerFiles::HistoryFile))
        return TransferProblem::of(Kind::NotLearnerFolder, folder);

    QList<Entry> entries;
    for (const QString &relative : files)
    {
        Entry entry;
        const TransferProblem problem = readEntry(folder, relative, entry);
        if (!problem.ok())
            return problem;
        entries.append(entry);
    }

    // The copy of the history is made in a folder of its own and streamed in.
    const QTemporaryDir scratch;
    const bool hasHistory = history || QFileInfo::exists(folder + u'/' + LearnerFiles::HistoryFile);
    if (hasHistory)
    {
        if (!scratch.isValid())
            return TransferProblem::of(Kind::CannotWrite, scratch.path(), scratch.errorString());
        Entry entry {{LearnerFiles::HistoryFile, 0, {}}, {}, scratch.filePath(QStringLiteral("history.sqlite3"))};
        TransferProblem problem = copyHistory(folder, history, entry.source);
        if (problem.ok())
            problem = hashFile(entry.source, entry.file);
        if (!problem.ok())
            return problem;
        entries.append(entry);
    }

    TransferManifest manifest;
    manifest.programVersion = QStringLiteral(VOCAMIRA_VERSION);
    manifest.created = QDateTime::currentDateTime();
    for (const Entry &entry : std::as_const(entries))
        manifest.files.append(entry.file);
    manifest.records = DescribeRecords(folder, files);

    ArchiveWriter writer(zipPath);
    bool written = writer.open() && writer.addBytes(TransferManifest::FileName, manifest.toJson());
    for (const Entry &entry : std::as_const(entries))
    {
        if (!written)
            break;
        written = entry.source.isEmpty() ? writer.addBytes(entry.file.path, entry.bytes)
                                         : writer.addFile(entry.file.path, entry.source, entry.file.size);
    }
    if (!written || !writer.commit())
        return TransferProblem::of(Kind::CannotWrite, zipPath, writer.errorString());
    return {};
}
