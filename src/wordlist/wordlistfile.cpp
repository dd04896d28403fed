#include "wordlistfile.h"

#include <QFile>
#include <QFileInfo>

#include "core/atomicfile.h"

namespace
{
    // A file put together from two sources may hold lines of both encodings:
    // each line is read on its own, so that none of them is lost. A line of
    // code page 932 is hardly ever valid UTF-8 as well (its lead bytes are
    // UTF-8's continuation bytes), and line ends are plain bytes in both.
    QString decodeLineByLine(const QByteArray &bytes)
    {
        QString text;
        qsizetype start = 0;
        while (start < bytes.size())
        {
            qsizetype end = start;
            while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
                ++end;
            const QByteArray line = bytes.mid(start, end - start);
            UserText::Decoded decoded = UserText::decode(line);
            // Code page 932 turns bytes it cannot read into SUB; shown as
            // the replacement character, they can be told from real text.
            if (decoded.encoding == UserText::Encoding::Cp932 && !line.contains('\x1A'))
                decoded.text.replace(QChar(0x1A), QChar::ReplacementCharacter);
            text += decoded.text;
            const qsizetype next = end < bytes.size() ? end + 1 : end;
            text += QString::fromLatin1(bytes.mid(end, next - end));
            start = next;
        }
        return text;
    }
}

WordListFile::Loaded WordListFile::read(const QString &path)
{
    Loaded loaded;
    QFile file(path);
    if (QFileInfo(path).size() > MaxFileBytes)
    {
        loaded.error = QStringLiteral("ファイルが大きすぎます（%1 MB まで）。問題集のファイルではないようです。")
                           .arg(MaxFileBytes / (1024 * 1024));
        return loaded;
    }
    if (!file.open(QIODevice::ReadOnly))
    {
        loaded.error = QStringLiteral("ファイルを読み込めません（%1）。").arg(file.errorString());
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    UserText::Decoded decoded = UserText::decode(bytes);
    if (decoded.encoding == UserText::Encoding::Cp932)
        decoded.text = decodeLineByLine(bytes);
    loaded.encoding = decoded.encoding;
    loaded.unreadableBytes =
        decoded.encoding == UserText::Encoding::Cp932 && decoded.text.contains(QChar::ReplacementCharacter);
    loaded.rows = rowsOfText(decoded.text, &loaded.incompleteLastRow);
    return loaded;
}

QList<WordRow> WordListFile::rowsOfText(const QString &text, bool *incompleteLastRow)
{
    const QStringList lines = UserText::splitLines(text);
    QList<WordRow> rows;
    rows.reserve((lines.size() + 2) / 3);
    for (qsizetype i = 0; i < lines.size(); i += 3)
        rows.append({lines[i], lines.value(i + 1), lines.value(i + 2)});
    if (incompleteLastRow)
        *incompleteLastRow = lines.size() % 3 != 0;
    return rows;
}

QByteArray WordListFile::encode(const QList<WordRow> &rows)
{
    QString text;
    text.reserve(rows.size() * 24);
    // A first word that starts with U+FEFF would be read as the byte-order
    // mark: a mark of its own keeps it.
    if (!rows.isEmpty() && rows.constFirst().english.startsWith(QChar(0xFEFF)))
        text += QChar(0xFEFF);
    for (const WordRow &row : rows)
    {
        for (const QString *field : {&row.english, &row.meaning, &row.reading})
            text += *field + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

bool WordListFile::write(const QString &path, const QList<WordRow> &rows, QString *errorText)
{
    return AtomicFile::write(path, encode(rows), errorText);
}

QList<WordRow> WordListFile::otherDirection(const QList<WordRow> &rows)
{
    QList<WordRow> other;
    other.reserve(rows.size());
    for (const WordRow &row : rows)
        other.append({row.meaning, row.english, row.english});
    return other;
}
