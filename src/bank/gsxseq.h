#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// A sequence of strings in a binary file, each hidden by an XOR with key bytes
// that the file itself carries. Holds the standard bank and every records file.
//
//   "ABCDEFGHIJKL"  format byte 1  key table (8 rows x 128 bytes)
//   per string: 3 (empty)  or  5, key row, byte count (high byte first), bytes
//   end tag 9
namespace GsxSeq
{
    inline constexpr int KeyRows = 8;
    inline constexpr int KeyColumns = 128;
    inline constexpr int MaxStringBytes = 32767;
    inline constexpr char Magic[] = "ABCDEFGHIJKL";
    inline constexpr int MagicSize = 12;
    inline constexpr int HeaderSize = MagicSize + 1 + KeyRows * KeyColumns;

    enum Tag : quint8
    {
        TagEmpty = 3,
        TagString = 5,
        TagEnd = 9,
    };

    enum OpenResult : int
    {
        OpenOk = 0,
        OpenMissing = -1,
        OpenBadMagic = -2,
        OpenBadFormat = -3,
        // There, but it cannot be opened (permissions, a folder in its place):
        // never to be taken for a missing file and replaced.
        OpenUnreadable = -4,
    };

    enum ReadResult : int
    {
        ReadString = 0,
        ReadEnd = 1,
        ReadBadTag = -1, // also a record cut short by the end of the file
        ReadBadRow = -2,
    };

    // The one key table, shared by reader and writer: a container must be read
    // or written completely before the next one is opened.
    inline quint8 KeyTable[KeyRows][KeyColumns] = {};

    // An open container being read: the whole file, and where reading stands.
    struct ReadHandle
    {
        QByteArray data;
        qsizetype pos = 0;
        bool open = false;
    };

    // Writer: NewKeyTable, CreateContainer, WriteContainerString per string,
    // CloseContainer. Write errors surface when the caller commits the file.
    void NewKeyTable();
    void CreateContainer(QIODevice &file);
    // Text longer than the format's 32767 bytes is cut at a character boundary.
    void WriteContainerString(QIODevice &file, const QString &text);
    void CloseContainer(QIODevice &file);

    // Reader: OpenContainer, then ReadContainerString until it returns ReadEnd
    // (or a negative code on a damaged file).
    int OpenContainer(const QString &path, ReadHandle &file);
    int ReadContainerString(ReadHandle &file, QString &text);
    // The same as ReadContainerString, but gives the plain code page 932 bytes.
    int ReadContainerBytes(ReadHandle &file, QByteArray &plain);

    // Primitives, sequential from the current position. The readers return -1
    // (or a short array) past the end of the file.
    void WriteByte(QIODevice &file, quint8 value);
    void WriteLength(QIODevice &file, int count);
    void WriteBytes(QIODevice &file, const QByteArray &bytes);
    int ReadByte(ReadHandle &file);
    int ReadLength(ReadHandle &file);
    QByteArray ReadBytes(ReadHandle &file, int count);
    // XOR with key row `row`, column advancing per byte and wrapping after 127:
    // the same call scrambles and unscrambles.
    QByteArray ScrambleBytes(QByteArrayView input, int row);

    // Whole-file conveniences. The write goes to a temporary file that replaces
    // `path` only when complete, so a failure leaves the old file as it was.
    bool WriteContainerFile(const QString &path, const QStringList &strings, QString *errorText = nullptr);
    enum class FileResult
    {
        Complete,
        Missing,
        Unreadable,
        Foreign, // no container: wrong magic or format byte
        Damaged, // cut short, or a bad record before the end tag
    };

    // Reads every string up to the end tag, or up to the damage in a damaged file.
    FileResult ReadContainerFile(const QString &path, QStringList &strings);
}
