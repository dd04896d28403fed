#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include "transfermanifest.h"
#include "transferproblem.h"

struct archive;
struct archive_entry;

// What a learner's data file may hold at most.
struct ArchiveLimits
{
    qint64 totalSize = qint64(1) << 30; // every file together, uncompressed
    qint64 manifestSize = 16 << 20;
    int entries = 10000;
    // Uncompressed against compressed, over the whole zip: records and SQLite
    // files deflate to a tenth or so; only made-up data goes far beyond.
    int ratio = 100;
    // Below this the ratio is not judged: a few small files say nothing.
    qint64 ratioFloor = 1 << 20;
};

// Reads a learner's data file and checks it whole: a zip whose first entry
// is this program's manifest, then exactly the manifest's files, each a
// learner's file named once, of the manifest's size and SHA-256. Nothing is
// trusted before it is checked: a name is checked before its data is read,
// no entry is read beyond the size the manifest gives it, and the manifest's
// sizes are capped in total and against the size of the zip, so a zip bomb
// stops at the cap.
class ArchiveReader
{
public:
    // Reads the zip at path. With an output folder, each checked file is
    // written below it under its relative path (the folder is the caller's
    // to throw away when the answer is a problem); without, only checked.
    static TransferProblem ReadFile(const QString &path, const QString &outputFolder, TransferManifest &manifest,
                                    const ArchiveLimits &limits = ArchiveLimits());
    // The same for a zip held in memory.
    static TransferProblem ReadBytes(const QByteArray &zip, const QString &outputFolder, TransferManifest &manifest,
                                     const ArchiveLimits &limits = ArchiveLimits());

private:
    ArchiveReader(struct archive *archive, qint64 zipSize, const QString &outputFolder, const ArchiveLimits &limits);
    TransferProblem read(TransferManifest &manifest);
    TransferProblem readManifest(TransferManifest &manifest);
    TransferProblem readEntry(const TransferManifest &manifest, struct archive_entry *entry, QSet<QString> &seen);
    TransferProblem readData(const QString &name, qint64 size, QByteArray *bytes, const QByteArray &sha256);
    TransferProblem archiveProblem(TransferProblem::Kind kind, const QString &name) const;

    struct archive *m_archive;
    qint64 m_zipSize;
    QString m_outputFolder;
    ArchiveLimits m_limits;
};
