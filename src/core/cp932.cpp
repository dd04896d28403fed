#include "cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace
{
    // ICU names the Microsoft variant "windows-31j": it maps 0x8160 to U+FF5E
    // and the other Microsoft-specific rows as Windows does.
    const char CodecName[] = "windows-31j";

    QByteArray encodeStrict(QStringView text, bool *ok)
    {
        QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text);
        *ok = !encoder.hasError();
        return bytes;
    }
}

QByteArray Cp932::encode(QStringView text)
{
    bool ok = false;
    QByteArray bytes = encodeStrict(text, &ok);
    if (ok)
        return bytes;

    // Slow path, only for text with unmappable characters: the converter's own
    // substitute (0xFCFC) would be a real kanji, so convert one code point at a
    // time and put "?" where it fails.
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const qsizetype len = (text[i].isHighSurrogate() && (i + 1 < text.size())) ? 2 : 1;
        bool charOk = false;
        const QByteArray one = encodeStrict(text.mid(i, len), &charOk);
        bytes += charOk ? one : QByteArray("?");
        i += len - 1;
    }
    return bytes;
}

QString Cp932::decode(QByteArrayView bytes)
{
    thread_local QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    decoder.resetState();
    return decoder.decode(bytes);
}

bool Cp932::canEncode(QStringView text)
{
    bool ok = false;
    encodeStrict(text, &ok);
    return ok;
}
