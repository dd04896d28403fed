#include "inifile.h"

#include <QFile>

#include <algorithm>

#include "atomicfile.h"
#include "cp932.h"

namespace
{
    bool isBlank(char c)
    {
        return c == ' ' || c == '\t';
    }

    QByteArray trimBlanks(QByteArray bytes)
    {
        qsizetype begin = 0;
        qsizetype end = bytes.size();
        while (begin < end && isBlank(bytes[begin]))
            ++begin;
        while (end > begin && isBlank(bytes[end - 1]))
            --end;
        return bytes.mid(begin, end - begin);
    }

    char asciiLower(char c)
    {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }

    // Compares in code page 932 bytes, folding only the ASCII letters, so a
    // full-width letter never matches its half-width twin.
    bool sameName(const QByteArray &stored, const QByteArray &wanted)
    {
        if (stored.size() != wanted.size())
            return false;
        for (qsizetype i = 0; i < stored.size(); ++i)
        {
            if (asciiLower(stored[i]) != asciiLower(wanted[i]))
                return false;
        }
        return true;
    }

    bool isLeadByte(unsigned char c)
    {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }

    // Cuts to at most maxBytes without splitting a double-byte character.
    QByteArray cutAtCharacter(const QByteArray &bytes, qsizetype maxBytes)
    {
        qsizetype end = 0;
        while (end < bytes.size())
        {
            const qsizetype width = isLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
            if (end + width > maxBytes)
                break;
            end += width;
        }
        return bytes.left(std::min(end, bytes.size()));
    }

    QByteArrayList splitLines(const QByteArray &data)
    {
        QByteArrayList lines;
        qsizetype start = 0;
        for (qsizetype i = 0; i < data.size(); ++i)
        {
            if (data[i] != '\r' && data[i] != '\n')
                continue;
            lines.append(data.mid(start, i - start));
            if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < data.size())
            lines.append(data.mid(start));
        return lines;
    }

    // The name inside "[...]", or a null array when the line is no section header.
    QByteArray sectionName(const QByteArray &line)
    {
        const QByteArray trimmed = trimBlanks(line);
        if (!trimmed.startsWith('['))
            return {};
        const qsizetype close = trimmed.indexOf(']');
        const QByteArray name = trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
        return name.isNull() ? QByteArray("") : name;
    }
}

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

QString IniFile::path() const
{
    return m_path;
}

QByteArrayList IniFile::readLines(bool *ok) const
{
    QFile file(m_path);
    *ok = true;
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
    {
        *ok = false;
        return {};
    }
    return splitLines(file.readAll());
}

IniFile::Location IniFile::locate(const QByteArrayList &lines, const QString &section, const QString &key) const
{
    const QByteArray wantedSection = Cp932::encode(section);
    const QByteArray wantedKey = Cp932::encode(key);
    Location where;
    for (qsizetype i = 0; i < lines.size(); ++i)
    {
        const QByteArray name = sectionName(lines[i]);
        if (!name.isNull())
        {
            if (where.sectionLine >= 0)
                break; // the section ended; only its first occurrence counts
            if (sameName(name, wantedSection))
                where.sectionLine = where.lastSectionLine = i;
            continue;
        }
        if (where.sectionLine < 0)
            continue;
        if (!trimBlanks(lines[i]).isEmpty())
            where.lastSectionLine = i;
        const qsizetype equals = lines[i].indexOf('=');
        if (equals >= 0 && where.keyLine < 0 && sameName(trimBlanks(lines[i].left(equals)), wantedKey))
            where.keyLine = i;
    }
    return where;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    bool ok = false;
    const QByteArrayList lines = readLines(&ok);
    const Location where = locate(lines, section, key);
    if (where.keyLine < 0)
        return {};
    const QByteArray &line = lines[where.keyLine];
    const QByteArray raw = trimBlanks(line.mid(line.indexOf('=') + 1));
    return Cp932::decode(cutAtCharacter(raw, MaxValueBytes));
}

bool IniFile::readsBackUnchanged(const QString &value)
{
    const bool hasControl =
        std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    if (hasControl || !Cp932::canEncode(value))
        return false;
    const QByteArray bytes = Cp932::encode(value);
    return trimBlanks(bytes) == bytes && bytes.size() <= MaxValueBytes;
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value) const
{
    bool ok = false;
    QByteArrayList lines = readLines(&ok);
    if (!ok)
        return false;

    const QByteArray newLine = Cp932::encode(key) + '=' + Cp932::encode(value);
    const Location where = locate(lines, section, key);
    if (where.keyLine >= 0)
    {
        if (lines[where.keyLine] == newLine)
            return true; // nothing changes: spare the disk a rewrite
        lines[where.keyLine] = newLine;
    }
    else if (where.sectionLine >= 0)
    {
        lines.insert(where.lastSectionLine + 1, newLine);
    }
    else
    {
        lines.append('[' + Cp932::encode(section) + ']');
        lines.append(newLine);
    }

    QByteArray bytes;
    for (const QByteArray &line : std::as_const(lines))
        bytes += line + "\r\n";
    return AtomicFile::write(m_path, bytes);
}
