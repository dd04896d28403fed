#pragma once

#include <QByteArray>
#include <QString>

// The text of a file made by another program, for the import of words: a
// spreadsheet's CSV, a flashcard program's export, an article saved as text.
// Such files come in UTF-8 (with or without a byte-order mark), in Shift-JIS
// (code page 932) or, from a spreadsheet's "Unicode text", in UTF-16 with a
// byte-order mark. A file that is none of these is refused whole, with the
// reason, rather than read as garbage.
namespace ImportText
{
    // Larger files are no word list or article: refused before they are read.
    inline constexpr qint64 MaxFileBytes = 5 * 1024 * 1024;

    enum class Encoding
    {
        Utf8,
        Utf8Bom,
        Utf16,
        ShiftJis,
    };

    enum class Refusal
    {
        None,
        Unreadable,      // cannot be opened
        TooLarge,        // over MaxFileBytes
        Empty,           // nothing but blanks
        Spreadsheet,     // a workbook (.xlsx, .ods, .xls): to be saved as CSV first
        Binary,          // not text at all
        MixedEncoding,   // UTF-8 lines and Shift-JIS lines in one file
        UnknownEncoding, // neither UTF-8 nor Shift-JIS
    };

    struct Decoded
    {
        QString text;
        Encoding encoding = Encoding::Utf8;
        Refusal refusal = Refusal::None;
        // The first line that shows the problem of an encoding refusal, and
        // for a mixed one the first line in UTF-8.
        int line = 0;
        int otherLine = 0;
        // The system's reason when the file cannot be opened.
        QString detail;
        // Why the file can't be read, for the learner; "" when it was read.
        QString message() const;
        bool ok() const { return refusal == Refusal::None; }
    };

    Decoded readFile(const QString &path);
    Decoded decode(const QByteArray &bytes);
    // The name shown for an encoding ("UTF-8", "Shift-JIS", ...).
    QString encodingName(Encoding encoding);
}
