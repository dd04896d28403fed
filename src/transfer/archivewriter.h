#pragma once

#include <QSaveFile>
#include <QString>

#include "archivelocale.h"

struct archive;

// Writes a zip file through libarchive: entries with UTF-8 names, deflated.
// The file takes the place of an older one of the same name only at
// commit(), when every byte is on disk; until then, or when anything fails,
// the old file stays as it was.
class ArchiveWriter
{
public:
    explicit ArchiveWriter(const QString &path);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    bool open();
    bool addBytes(const QString &name, const QByteArray &bytes);
    // Streams the file at sourcePath in; size is what it must hold.
    bool addFile(const QString &name, const QString &sourcePath, qint64 size);
    bool commit();

    QString errorString() const { return m_error; }

private:
    bool beginEntry(const QString &name, qint64 size);
    bool writeData(const char *data, qint64 size);
    bool finish(bool ok);
    bool failed(const QString &error);

    ArchiveLocale m_utf8; // first: it outlives the archive
    QSaveFile m_file;
    struct archive *m_archive = nullptr;
    QString m_error;
};
