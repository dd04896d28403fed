#include "archivereader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

#include "archivelocale.h"
#include "learnerfiles.h"

namespace
{
    using Kind = TransferProblem::Kind;
    using ArchivePointer = std::unique_ptr<struct archive, decltype(&archive_read_free)>;

    constexpr qint64 ChunkSize = 256 * 1024;
    constexpr size_t BlockSize = 64 * 1024;

    ArchivePointer newZipReader()
    {
        ArchivePointer archive(archive_read_new(), &archive_read_free);
        // The central directory is read, as every unzip reads it; nothing but zip.
        if (archive && archive_read_support_format_zip_seekable(archive.get()) != ARCHIVE_OK)
            archive.reset();
        return archive;
    }

    QString entryName(struct archive_entry *entry)
    {
        if (const char *utf8 = archive_entry_pathname_utf8(entry))
            return QString::fromUtf8(utf8);
        // Not UTF-8: no learner's file has such a name, and the check says so.
        const char *raw = archive_entry_pathname(entry);
        return raw ? QString::fromLatin1(raw) : QString();
    }
}

ArchiveReader::ArchiveReader(struct archive *archive, qint64 zipSize, const QString &outputFolder, const ArchiveLimits &limits)
    : m_archive(archive)
    , m_zipSize(zipSize)
    , m_outputFolder(outputFolder)
    , m_limits(limits)
{
}

TransferProblem ArchiveReader::ReadFile(const QString &path, const QString &outputFolder, TransferManifest &manifest,
                                        const ArchiveLimits &limits)
{
    manifest = TransferManifest();
    const ArchiveLocale utf8;
    QFile file(path);
    if (QFileInfo(path).isDir())
        return TransferProblem::of(Kind::CannotRead, path, QStringLiteral("folder"));
    if (!file.open(QIODevice::ReadOnly))
        return TransferProblem::of(Kind::CannotRead, path, file.errorString());
    const ArchivePointer archive = newZipReader();
    if (!archive || archive_read_open_fd(archive.get(), file.handle(), BlockSize) != ARCHIVE_OK)
        return TransferProblem::of(Kind::NotZip);
    return ArchiveReader(archive.get(), file.size(), outputFolder, limits).read(manifest);
}

TransferProblem ArchiveReader::ReadBytes(const QByteArray &zip, const QString &outputFolder,
                                         TransferManifest &manifest, const ArchiveLimits &limits)
{
    manifest = TransferManifest();
    const ArchiveLocale utf8;
    const ArchivePointer archive = newZipReader();
    if (!archive || archive_read_open_memory(archive.get(), zip.constData(), size_t(zip.size())) != ARCHIVE_OK)
        return TransferProblem::of(Kind::NotZip);
    return ArchiveReader(archive.get(), zip.size(), outputFolder, limits).read(manifest);
}

TransferProblem ArchiveReader::archiveProblem(Kind kind, const QString &name) const
{
    return TransferProblem::of(kind, name, QString::fromUtf8(archive_error_string(m_archive)));
}

TransferProblem ArchiveReader::read(TransferManifest &manifest)
{
    TransferProblem problem = readManifest(manifest);
    if (!problem.ok())
    {
        manifest = TransferManifest();
        return problem;
    }
    QSet<QString> seen;
    struct archive_entry *entry = nullptr;
    int result = ARCHIVE_OK;
    while ((result = archive_read_next_header(m_archive, &entry)) == ARCHIVE_OK || result == ARCHIVE_WARN)
    {
        problem = readEntry(manifest, entry, seen);
        if (!problem.ok())
            break;
    }
    if (problem.ok() && result != ARCHIVE_EOF)
        problem = archiveProblem(Kind::Damaged, QString());
    for (const TransferManifest::File &file : manifest.files)
    {
        if (problem.ok() && !seen.contains(file.path))
            problem = TransferProblem::of(Kind::MissingEntry, file.path);
    }
    if (!problem.ok())
        manifest = TransferManifest();
    return problem;
}

TransferProblem ArchiveReader::readManifest(TransferManifest &manifest)
{
    struct archive_entry *entry = nullptr;
    const int result = archive_read_next_header(m_archive, &entry);
    if (result == ARCHIVE_EOF)
        return TransferProblem::of(Kind::Foreign);
    if (result != ARCHIVE_OK && result != ARCHIVE_WARN)
        return TransferProblem::of(Kind::NotZip);
    if (entryName(entry) != TransferManifest::FileName || archive_entry_filetype(entry) != AE_IFREG)
        return TransferProblem::of(Kind::Foreign);
    if (archive_entry_is_encrypted(entry))
        return TransferProblem::of(Kind::Encrypted, TransferManifest::FileName);

    QByteArray json;
    TransferProblem problem = readData(TransferManifest::FileName, m_limits.manifestSize, &json, QByteArray());
    if (problem.kind == Kind::SizeMismatch)
        problem.kind = Kind::TooLarge;
    if (!problem.ok())
        return problem;
    problem = TransferManifest::parse(json, m_limits.totalSize, manifest);
    if (!problem.ok())
        return problem;
    const qint64 total = manifest.totalSize();
    if (manifest.files.size() >= m_limits.entries
        || (total > m_limits.ratioFloor && total / m_limits.ratio > m_zipSize))
        return TransferProblem::of(Kind::TooLarge);
    return {};
}

TransferProblem ArchiveReader::readEntry(const TransferManifest &manifest, struct archive_entry *entry,
                                         QSet<QString> &seen)
{
    const QString name = entryName(entry);
    if (name == TransferManifest::FileName || seen.contains(name))
        return TransferProblem::of(Kind::Duplicate, name);
    // Links, folders and devices are never a learner's file, whatever their name.
    if (!LearnerFiles::IsLearnerPath(name) || archive_entry_filetype(entry) != AE_IFREG)
        return TransferProblem::of(Kind::UnsafePath, name);
    // Every entry must be in the manifest, so their number is bounded by it.
    const TransferManifest::File *file = manifest.find(name);
    if (!file)
        return TransferProblem::of(Kind::ExtraEntry, name);
    if (archive_entry_is_encrypted(entry))
        return TransferProblem::of(Kind::Encrypted, name);
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) != file->size)
        return TransferProblem::of(Kind::SizeMismatch, name);
    seen.insert(name);
    return readData(name, file->size, nullptr, file->sha256);
}

// Reads the current entry, never more than size bytes: into bytes, or into
// the output folder when there is one. A SHA-256 given must match.
TransferProblem ArchiveReader::readData(const QString &name, qint64 size, QByteArray *bytes, const QByteArray &sha256)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::unique_ptr<QSaveFile> output;
    if (!bytes && !m_outputFolder.isEmpty())
    {
        const QString path = m_outputFolder + u'/' + name;
        output = std::make_unique<QSaveFile>(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !output->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return TransferProblem::of(Kind::CannotWrite, path, output->errorString());
    }
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;)
    {
        const la_ssize_t read = archive_read_data(m_archive, chunk.data(), size_t(chunk.size()));
        if (read < 0)
            return archiveProblem(Kind::Damaged, name);
        if (read == 0)
            break;
        total += read;
        if (total > size)
            return TransferProblem::of(Kind::SizeMismatch, name);
        const QByteArrayView data(chunk.constData(), read);
        hash.addData(data);
        if (bytes)
            bytes->append(data);
        if (output && output->write(data.data(), data.size()) != data.size())
            return TransferProblem::of(Kind::CannotWrite, output->fileName(), output->errorString());
    }
    if (total != size && !bytes)
        return TransferProblem::of(Kind::SizeMismatch, name);
    if (!sha256.isEmpty() && hash.result().toHex() != sha256)
        return TransferProblem::of(Kind::Checksum, name);
    if (output && !output->commit())
        return TransferProblem::of(Kind::CannotWrite, output->fileName(), output->errorString());
    return {};
}
