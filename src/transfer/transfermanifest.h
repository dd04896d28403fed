#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "transferproblem.h"

// The first entry of a learner's data file: what wrote it and when, every
// file it holds with its size and SHA-256, and the LEVELs of each records
// file, so that the file can be checked whole before anything is replaced.
class TransferManifest
{
public:
    static constexpr int FormatVersion = 1;
    static inline const QString FileName = QStringLiteral("manifest.json");
    static inline const QString FormatName = QStringLiteral("vocamira-learner-data");

    struct File
    {
        QString path; // relative to the learner's folder
        qint64 size = 0;
        QByteArray sha256; // lower-case hexadecimal
    };

    struct Records
    {
        QString path;
        QString bankKind;  // "STANDARD" or "USER", as TEXTKIND
        QString bankName;  // "" for the standard bank
        QString direction; // "和訳" or "英訳", as TRANSMODE
        int level = -1;    // -1 when the file cannot be read
        int highestLevel = -1;
    };

    QString programVersion;
    QDateTime created;
    QList<File> files;
    QList<Records> records;

    QByteArray toJson() const;
    qint64 totalSize() const;
    const File *find(const QString &path) const;

    // Reads a manifest and checks it: this program's format of a version it
    // reads, every file a learner's file named once, sizes that add up to no
    // more than maxTotalSize, records that are among the files.
    static TransferProblem parse(const QByteArray &json, qint64 maxTotalSize, TransferManifest &manifest);
};
