#include "archivewriter.h"

#include <QDateTime>
#include <QFile>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace
{
    constexpr qint64 ChunkSize = 256 * 1024;

    using EntryPointer = std::unique_ptr<struct archive_entry, decltype(&archive_entry_free)>;

    la_ssize_t writeToFile(struct archive *, void *file, const void *buffer, size_t length)
    {
        const qint64 written = static_cast<QSaveFile *>(file)->write(static_cast<const char *>(buffer), qint64(length));
        return written == qint64(length) ? la_ssize_t(written) : -1;
    }
}

ArchiveWriter::ArchiveWriter(const QString &path)
    : m_file(path)
{
}

ArchiveWriter::~ArchiveWriter()
{
    if (m_archive)
        archive_write_free(m_archive);
    // An uncommitted QSaveFile removes its temporary file.
}

bool ArchiveWriter::open()
{
    // Unbuffered: a short write shows at once, never as a whole file at commit.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(m_file.errorString());
    m_archive = archive_write_new();
    if (!m_archive || archive_write_set_format_zip(m_archive) != ARCHIVE_OK
        || archive_write_zip_set_compression_deflate(m_archive) != ARCHIVE_OK
        // The names are written as UTF-8 and flagged so, as every unzip reads them.
        || archive_write_set_options(m_archive, "zip:hdrcharset=UTF-8") != ARCHIVE_OK
        || archive_write_set_bytes_in_last_block(m_archive, 1) != ARCHIVE_OK
        || archive_write_open2(m_archive, &m_file, nullptr, &writeToFile, nullptr, nullptr) != ARCHIVE_OK)
        return failed(m_archive ? QString::fromUtf8(archive_error_string(m_archive)) : QString());
    return true;
}

bool ArchiveWriter::beginEntry(const QString &name, qint64 size)
{
    if (!m_archive)
        return false;
    const EntryPointer entry(archive_entry_new(), &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), size);
    archive_entry_set_mtime(entry.get(), QDateTime::currentSecsSinceEpoch(), 0);
    if (archive_write_header(m_archive, entry.get()) != ARCHIVE_OK)
        return failed(QString::fromUtf8(archive_error_string(m_archive)));
    return true;
}

bool ArchiveWriter::writeData(const char *data, qint64 size)
{
    while (size > 0)
    {
        const la_ssize_t written = archive_write_data(m_archive, data, size_t(size));
        if (written <= 0)
            return failed(m_file.error() != QFileDevice::NoError ? m_file.errorString()
                                                                 : QString::fromUtf8(archive_error_string(m_archive)));
        data += written;
        size -= written;
    }
    return true;
}

bool ArchiveWriter::finish(bool ok)
{
    if (!ok)
        return false;
    if (archive_write_finish_entry(m_archive) != ARCHIVE_OK)
        return failed(QString::fromUtf8(archive_error_string(m_archive)));
    return true;
}

bool ArchiveWriter::addBytes(const QString &name, const QByteArray &bytes)
{
    return beginEntry(name, bytes.size()) && finish(writeData(bytes.constData(), bytes.size()));
}

bool ArchiveWriter::addFile(const QString &name, const QString &sourcePath, qint64 size)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("%1: %2").arg(sourcePath, source.errorString()));
    if (!beginEntry(name, size))
        return false;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    qint64 left = size;
    while (left > 0)
    {
        const qint64 read = source.read(chunk.data(), std::min(left, ChunkSize));
        if (read <= 0)
            return failed(QStringLiteral("%1: %2").arg(sourcePath, source.errorString()));
        if (!writeData(chunk.constData(), read))
            return false;
        left -= read;
    }
    // A file that grew after it was measured would not match its size.
    if (!source.atEnd())
        return failed(QStringLiteral("%1: changed while it was read").arg(sourcePath));
    return finish(true);
}

bool ArchiveWriter::commit()
{
    if (!m_archive)
        return false;
    const int closed = archive_write_close(m_archive);
    archive_write_free(m_archive);
    m_archive = nullptr;
    if (closed != ARCHIVE_OK)
        return failed(m_file.errorString());
    if (!m_file.commit())
        return failed(m_file.errorString());
    return true;
}

bool ArchiveWriter::failed(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error.isEmpty() ? QStringLiteral("zip") : error;
    m_file.cancelWriting();
    return false;
}
