#include "transfermanifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "learnerfiles.h"

namespace
{
    using Kind = TransferProblem::Kind;

    const QString KeyFormat = QStringLiteral("format");
    const QString KeyFormatVersion = QStringLiteral("formatVersion");
    const QString KeyProgramVersion = QStringLiteral("programVersion");
    const QString KeyCreated = QStringLiteral("created");
    const QString KeyFiles = QStringLiteral("files");
    const QString KeyRecords = QStringLiteral("records");
    const QString KeyPath = QStringLiteral("path");
    const QString KeySize = QStringLiteral("size");
    const QString KeySha256 = QStringLiteral("sha256");
    const QString KeyBankKind = QStringLiteral("bankKind");
    const QString KeyBankName = QStringLiteral("bankName");
    const QString KeyDirection = QStringLiteral("direction");
    const QString KeyLevel = QStringLiteral("level");
    const QString KeyHighestLevel = QStringLiteral("highestLevel");

    // JSON numbers are doubles: a whole number that a double holds exactly.
    bool wholeNumber(const QJsonValue &value, qint64 low, qint64 high, qint64 &number)
    {
        constexpr double Exact = 9007199254740992.0; // 2^53
        const double d = value.toDouble(-Exact - 1);
        if (!value.isDouble() || d < double(low) || d > double(high) || d > Exact || d != double(qint64(d)))
            return false;
        number = qint64(d);
        return true;
    }

    bool isSha256(const QByteArray &hex)
    {
        if (hex.size() != 64)
            return false;
        return std::all_of(hex.begin(), hex.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    }

    TransferProblem parseFile(const QJsonValue &value, TransferManifest::File &file)
    {
        const QJsonObject object = value.toObject();
        file.path = object.value(KeyPath).toString();
        file.sha256 = object.value(KeySha256).toString().toLatin1();
        if (!value.isObject() || !object.value(KeyPath).isString() || !wholeNumber(object.value(KeySize), 0, std::numeric_limits<qint64>::max(), file.size)
            || !isSha256(file.sha256))
            return TransferProblem::of(Kind::Damaged, TransferManifest::FileName);
        if (!LearnerFiles::IsLearnerPath(file.path))
            return TransferProblem::of(Kind::UnsafePath, file.path);
        return {};
    }

    bool parseRecords(const QJsonValue &value, TransferManifest::Records &records)
    {
        const QJsonObject object = value.toObject();
        records.path = object.value(KeyPath).toString();
        records.bankKind = object.value(KeyBankKind).toString();
        records.bankName = object.value(KeyBankName).toString();
        records.direction = object.value(KeyDirection).toString();
        qint64 level = 0;
        qint64 highest = 0;
        if (!wholeNumber(object.value(KeyLevel), -1, std::numeric_limits<int>::max(), level)
            || !wholeNumber(object.value(KeyHighestLevel), -1, std::numeric_limits<int>::max(), highest))
            return false;
        records.level = int(level);
        records.highestLevel = int(highest);
        return true;
    }
}

QByteArray TransferManifest::toJson() const
{
    QJsonArray fileArray;
    for (const File &file : files)
        fileArray.append(QJsonObject {{KeyPath, file.path}, {KeySize, double(file.size)}, {KeySha256, QString::fromLatin1(file.sha256)}});
    QJsonArray recordArray;
    for (const Records &entry : records)
        recordArray.append(QJsonObject {{KeyPath, entry.path},
                                        {KeyBankKind, entry.bankKind},
                                        {KeyBankName, entry.bankName},
                                        {KeyDirection, entry.direction},
                                        {KeyLevel, entry.level},
                                        {KeyHighestLevel, entry.highestLevel}});
    const QJsonObject root {{KeyFormat, FormatName},
                            {KeyFormatVersion, FormatVersion},
                            {KeyProgramVersion, programVersion},
                            {KeyCreated, created.toString(Qt::ISODate)},
                            {KeyFiles, fileArray},
                            {KeyRecords, recordArray}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

qint64 TransferManifest::totalSize() const
{
    qint64 total = 0;
    for (const File &file : files)
        total += file.size;
    return total;
}

const TransferManifest::File *TransferManifest::find(const QString &path) const
{
    for (const File &file : files)
    {
        if (file.path == path)
            return &file;
    }
    return nullptr;
}

TransferProblem TransferManifest::parse(const QByteArray &json, qint64 maxTotalSize, TransferManifest &manifest)
{
    manifest = TransferManifest();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return TransferProblem::of(Kind::Damaged, FileName);
    const QJsonObject root = document.object();
    if (root.value(KeyFormat).toString() != FormatName)
        return TransferProblem::of(Kind::Foreign);
    // A newer version may have changed anything else: the version is read first.
    qint64 version = 0;
    if (!wholeNumber(root.value(KeyFormatVersion), 1, std::numeric_limits<int>::max(), version))
        return TransferProblem::of(Kind::Damaged, FileName);
    if (version > FormatVersion)
        return TransferProblem::of(Kind::NewerFormat);

    manifest.programVersion = root.value(KeyProgramVersion).toString();
    manifest.created = QDateTime::fromString(root.value(KeyCreated).toString(), Qt::ISODate);
    if (!manifest.created.isValid() || !root.value(KeyFiles).isArray() || !root.value(KeyRecords).isArray())
        return TransferProblem::of(Kind::Damaged, FileName);

    QSet<QString> paths;
    qint64 total = 0;
    for (const QJsonValue &value : root.value(KeyFiles).toArray())
    {
        File file;
        const TransferProblem problem = parseFile(value, file);
        if (!problem.ok())
            return problem;
        if (paths.contains(file.path))
            return TransferProblem::of(Kind::Duplicate, file.path);
        // Each size is at most the cap, so the sum cannot overflow.
        if (file.size > maxTotalSize || (total += file.size) > maxTotalSize)
            return TransferProblem::of(Kind::TooLarge, file.path);
        paths.insert(file.path);
        manifest.files.append(file);
    }
    for (const QJsonValue &value : root.value(KeyRecords).toArray())
    {
        Records records;
        if (!parseRecords(value, records) || !paths.contains(records.path))
            return TransferProblem::of(Kind::Damaged, FileName);
        manifest.records.append(records);
    }
    return {};
}
