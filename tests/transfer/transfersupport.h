#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTest>

#include <archive.h>
#include <archive_entry.h>

#include "bank/gsxseq.h"
#include "core/programfolder.h"
#include "transfer/transfermanifest.h"

// Zip files made entry by entry, the way no honest writer would make them:
// any name, any type, any size in the manifest.
namespace TransferSupport
{
    struct ZipEntry
    {
        ZipEntry(const QByteArray &name, const QByteArray &data = {}, int type = AE_IFREG, const QByteArray &link = {})
            : name(name)
            , data(data)
            , type(type)
            , link(link)
        {
        }

        QByteArray name;
        QByteArray data;
        int type = AE_IFREG;
        QByteArray link; // the target of a symbolic link
    };

    // Options are libarchive's zip writer options ("zip:encryption=zipcrypt").
    inline QByteArray zipOf(const QList<ZipEntry> &entries, const char *options = nullptr)
    {
        QByteArray zip;
        struct archive *archive = archive_write_new();
        archive_write_set_format_zip(archive);
        archive_write_set_options(archive, "zip:hdrcharset=UTF-8");
        if (options)
            archive_write_set_options(archive, options);
        archive_write_set_passphrase(archive, "secret");
        archive_write_set_bytes_in_last_block(archive, 1);
        const auto append = [](struct archive *, void *out, const void *buffer, size_t length) -> la_ssize_t {
            static_cast<QByteArray *>(out)->append(static_cast<const char *>(buffer), qsizetype(length));
            return la_ssize_t(length);
        };
        archive_write_open2(archive, &zip, nullptr, append, nullptr, nullptr);
        for (const ZipEntry &entry : entries)
        {
            struct archive_entry *header = archive_entry_new();
            archive_entry_set_pathname_utf8(header, entry.name.constData());
            archive_entry_set_filetype(header, unsigned(entry.type));
            archive_entry_set_perm(header, 0644);
            if (entry.type == AE_IFLNK)
                archive_entry_set_symlink(header, entry.link.constData());
            if (entry.type == AE_IFREG)
                archive_entry_set_size(header, entry.data.size());
            archive_write_header(archive, header);
            if (!entry.data.isEmpty())
                archive_write_data(archive, entry.data.constData(), size_t(entry.data.size()));
            archive_entry_free(header);
        }
        archive_write_close(archive);
        archive_write_free(archive);
        return zip;
    }

    inline TransferManifest::File fileOf(const QString &path, const QByteArray &data)
    {
        return {path, data.size(), QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex()};
    }

    // The manifest of these files, made now.
    inline TransferManifest manifestOf(const QList<ZipEntry> &files)
    {
        TransferManifest manifest;
        manifest.programVersion = QStringLiteral("1.0");
        manifest.created = QDateTime(QDate(2025, 4, 1), QTime(9, 30));
        for (const ZipEntry &file : files)
            manifest.files.append(fileOf(QString::fromUtf8(file.name), file.data));
        return manifest;
    }

    inline ZipEntry manifestEntry(const TransferManifest &manifest)
    {
        return {TransferManifest::FileName.toUtf8(), manifest.toJson()};
    }

    inline QByteArray records(int level, int highest)
    {
        QStringList lines {QStringLiteral("%1,0,\"\",%2,\"\",#1899-12-30#").arg(level).arg(highest)};
        for (int row = 1; row <= highest + 1; ++row)
            lines.append(QStringLiteral("#2025-03-%1#,%2,0,1,0,90,#2025-03-01#,12345.5,#2025-03-02#").arg(row, 2, 10, QChar(u'0')).arg(row));
        const QString path = QDir::temp().filePath(QStringLiteral("vocamira-records-%1.dat").arg(QCoreApplication::applicationPid()));
        GsxSeq::WriteContainerFile(path, lines);
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QFile::remove(path);
        return bytes;
    }

    // Every file below folder, hidden ones too, with its content: a folder
    // left alone has the same snapshot before and after.
    inline QMap<QString, QByteArray> snapshot(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
        {
            const QString path = it.next();
            QFile file(path);
            files.insert(QDir(folder).relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
        }
        return files;
    }

    inline void writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
        file.write(bytes);
    }
}
