#include "usertext.h"

#include <QStringDecoder>

#include "core/cp932.h"

UserText::Decoded UserText::decode(const QByteArray &bytes)
{
    // One byte-order mark is taken off, never a second: that is text.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {utf8.decode(QByteArrayView(bytes).sliced(3)), Encoding::Utf8Bom};
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, Encoding::Utf8};
    return {Cp932::decode(bytes), Encoding::Cp932};
}

QStringList UserText::splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}
