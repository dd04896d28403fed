#include "gsxseq.h"

#include <QDateTime>
#include <QFile>
#include <QBuffer>

#include <cmath>
#include <cstring>
#include <random>

#include "core/atomicfile.h"
#include "core/cp932.h"

namespace
{
    // The container draws its keys from a generator of its own, so that saving
    // records never shifts the sequence that picks the questions.
    std::mt19937_64 &keyEngine()
    {
        static std::mt19937_64 engine(std::random_device{}() ^ static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()));
        return engine;
    }

    double uniform()
    {
        return static_cast<double>(keyEngine()() >> 11) * 0x1.0p-53;
    }

    // Round half to even, as the key ranges are defined.
    int roundEven(double value)
    {
        return static_cast<int>(std::nearbyint(value));
    }

    bool isLeadByte(unsigned char c)
    {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }

    QByteArray cutToFormatLimit(const QByteArray &bytes)
    {
        if (bytes.size() <= GsxSeq::MaxStringBytes)
            return bytes;
        qsizetype end = 0;
        while (end < bytes.size())
        {
            const qsizetype width = isLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
            if (end + width > GsxSeq::MaxStringBytes)
                break;
            end += width;
        }
        return bytes.left(end);
    }
}

void GsxSeq::NewKeyTable()
{
    for (auto &row : KeyTable)
    {
        for (quint8 &key : row)
            key = static_cast<quint8>(roundEven(3 + 250 * uniform()));
    }
}

void GsxSeq::CreateContainer(QIODevice &file)
{
    WriteBytes(file, QByteArray(Magic, MagicSize));
    WriteByte(file, 1);
    for (const auto &row : KeyTable)
        WriteBytes(file, QByteArray(reinterpret_cast<const char *>(row), KeyColumns));
}

void GsxSeq::WriteContainerString(QIODevice &file, const QString &text)
{
    if (text.isEmpty())
    {
        WriteByte(file, TagEmpty);
        return;
    }
    const int row = roundEven(7 * uniform());
    const QByteArray scrambled = ScrambleBytes(cutToFormatLimit(Cp932::encode(text)), row);
    WriteByte(file, TagString);
    WriteByte(file, static_cast<quint8>(row));
    WriteLength(file, static_cast<int>(scrambled.size()));
    WriteBytes(file, scrambled);
}

void GsxSeq::CloseContainer(QIODevice &file)
{
    WriteByte(file, TagEnd);
}

int GsxSeq::OpenContainer(const QString &path, ReadHandle &file)
{
    file = ReadHandle();
    QFile disk(path);
    if (!disk.exists())
        return OpenMissing;
    if (!disk.open(QIODevice::ReadOnly))
        return OpenUnreadable;
    file.data = disk.readAll();
    if (file.data.size() < MagicSize || !file.data.startsWith(QByteArrayView(Magic, MagicSize)))
    {
        file = ReadHandle();
        return OpenBadMagic;
    }
    file.pos = MagicSize;
    if (ReadByte(file) != 1)
    {
        file = ReadHandle();
        return OpenBadFormat;
    }
    // A table cut short by the end of the file is read as far as it goes; the
    // first string record then finds no tag and the reading ends.
    const QByteArray table = ReadBytes(file, KeyRows * KeyColumns);
    std::memcpy(KeyTable, table.constData(), static_cast<size_t>(table.size()));
    file.open = true;
    return OpenOk;
}

int GsxSeq::ReadContainerBytes(ReadHandle &file, QByteArray &plain)
{
    const qsizetype recordStart = file.pos;
    switch (ReadByte(file))
    {
    case TagEmpty:
        plain.clear();
        return ReadString;
    case TagEnd:
        file.open = false;
        return ReadEnd;
    case TagString:
        break;
    default:
        return ReadBadTag;
    }

    const int row = ReadByte(file);
    if (row < 0)
        return ReadBadTag;
    if (row >= KeyRows)
        return ReadBadRow;
    const int count = ReadLength(file);
    if (count < 0 || file.pos + count > file.data.size())
    {
        file.pos = recordStart;
        return ReadBadTag;
    }
    plain = ScrambleBytes(ReadBytes(file, count), row);
    return ReadString;
}

int GsxSeq::ReadContainerString(ReadHandle &file, QString &text)
{
    QByteArray plain;
    const int result = ReadContainerBytes(file, plain);
    if (result == ReadString)
        text = Cp932::decode(plain);
    return result;
}

void GsxSeq::WriteByte(QIODevice &file, quint8 value)
{
    file.putChar(static_cast<char>(value));
}

void GsxSeq::WriteLength(QIODevice &file, int count)
{
    WriteByte(file, static_cast<quint8>((count >> 8) & 0xFF));
    WriteByte(file, static_cast<quint8>(count & 0xFF));
}

void GsxSeq::WriteBytes(QIODevice &file, const QByteArray &bytes)
{
    file.write(bytes);
}

int GsxSeq::ReadByte(ReadHandle &file)
{
    if (file.pos >= file.data.size())
        return -1;
    return static_cast<unsigned char>(file.data[file.pos++]);
}

int GsxSeq::ReadLength(ReadHandle &file)
{
    if (file.pos + 2 > file.data.size())
        return -1;
    const int high = ReadByte(file);
    return (high << 8) | ReadByte(file);
}

QByteArray GsxSeq::ReadBytes(ReadHandle &file, int count)
{
    const qsizetype available = std::min<qsizetype>(count, file.data.size() - file.pos);
    const QByteArray bytes = file.data.mid(file.pos, std::max<qsizetype>(available, 0));
    file.pos += bytes.size();
    return bytes;
}

QByteArray GsxSeq::ScrambleBytes(QByteArrayView input, int row)
{
    QByteArray output(input.size(), Qt::Uninitialized);
    const quint8 *key = KeyTable[row];
    for (qsizetype m = 0; m < input.size(); ++m)
        output[m] = static_cast<char>(static_cast<quint8>(input[m]) ^ key[m % KeyColumns]);
    return output;
}

bool GsxSeq::WriteContainerFile(const QString &path, const QStringList &strings, QString *errorText)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    NewKeyTable();
    CreateContainer(buffer);
    for (const QString &text : strings)
        WriteContainerString(buffer, text);
    CloseContainer(buffer);
    return AtomicFile::write(path, bytes, errorText);
}

GsxSeq::FileResult GsxSeq::ReadContainerFile(const QString &path, QStringList &strings)
{
    ReadHandle file;
    switch (OpenContainer(path, file))
    {
    case OpenOk:
        break;
    case OpenMissing:
        return FileResult::Missing;
    case OpenUnreadable:
        return FileResult::Unreadable;
    default:
        return FileResult::Foreign;
    }
    for (;;)
    {
        QString text;
        const int result = ReadContainerString(file, text);
        if (result == ReadEnd)
            return FileResult::Complete;
        if (result != ReadString)
            return FileResult::Damaged;
        strings.append(text);
    }
}
