#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of a user bank as people write it: today's editors save UTF-8,
// older ones code page 932, with any of the three line ends.
namespace UserText
{
    enum class Encoding
    {
        Utf8,    // valid UTF-8, or empty
        Utf8Bom, // UTF-8 after a byte-order mark
        Cp932,   // not UTF-8: read as code page 932
    };

    struct Decoded
    {
        QString text;
        Encoding encoding = Encoding::Utf8;
    };

    // A file that is valid UTF-8 (or starts with its byte-order mark) is UTF-8;
    // any other is code page 932.
    Decoded decode(const QByteArray &bytes);
    // Lines end at CR, CR LF or LF; a final line end starts no further line.
    QStringList splitLines(const QString &text);
}
