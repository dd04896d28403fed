// A settings file edited by hand: any bytes, then one value read and one
// written. The write keeps every other line and reads back.
#include "core/cp932.h"
#include "core/inifile.h"
#include "fuzzsupport.h"

namespace
{
    QByteArray trimBlanks(QByteArray bytes)
    {
        while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t'))
            bytes.remove(0, 1);
        while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\t'))
            bytes.chop(1);
        return bytes;
    }

    // A name the file can hold: a section header or "key=" line would
    // otherwise be something else when read back.
    bool usable(const QString &section, const QString &key, const QString &value)
    {
        const QByteArray s = Cp932::encode(section);
        const QByteArray k = Cp932::encode(key);
        const auto hasBreak = [](const QByteArray &b) { return b.contains('\r') || b.contains('\n'); };
        return !hasBreak(s) && !hasBreak(k) && !hasBreak(Cp932::encode(value)) && !s.contains(']')
            && trimBlanks(s) == s && !s.isEmpty() && trimBlanks(k) == k && !k.isEmpty() && !k.contains('=')
            && !k.startsWith('[');
    }

    QByteArrayList lines(const QByteArray &data)
    {
        QByteArray unified = data;
        unified.replace("\r\n", "\n");
        unified.replace('\r', '\n');
        QByteArrayList result = unified.split('\n');
        if (!result.isEmpty() && result.back().isEmpty())
            result.removeLast();
        return result;
    }

    // A write is one edit in one place: the key's line replaced, or the key
    // (and its section) added. Every line before and after it stays.
    bool keepsOtherLines(const QByteArrayList &before, const QByteArrayList &after)
    {
        qsizetype same = 0;
        const qsizetype shorter = std::min(before.size(), after.size());
        while (same < shorter && before[same] == after[same])
            ++same;
        qsizetype sameAtEnd = 0;
        while (sameAtEnd < shorter - same && before[before.size() - 1 - sameAtEnd] == after[after.size() - 1 - sameAtEnd])
            ++sameAtEnd;
        return before.size() - same - sameAtEnd <= 1 && after.size() - same - sameAtEnd <= 2;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::programFolder() + QStringLiteral("/ini/fuzz.ini");
    const QByteArrayList parts = FuzzSupport::bytes(data, size).split('\0');
    if (parts.size() < 4)
        return 0;
    const QString section = QString::fromUtf8(parts[0]);
    const QString key = QString::fromUtf8(parts[1]);
    const QString value = QString::fromUtf8(parts[2]);
    const QByteArray content = parts.mid(3).join('\0');
    FuzzSupport::writeFile(path, content);

    const IniFile ini(path);
    FuzzSupport::check(Cp932::encode(ini.value(section, key)).size() <= IniFile::MaxValueBytes, "a value too long");
    if (!usable(section, key, value))
        return 0;

    FuzzSupport::check(ini.setValue(section, key, value), "a write failed");
    const QByteArray written = FuzzSupport::readFile(path);
    FuzzSupport::check(keepsOtherLines(lines(content), lines(written)), "a write lost other lines");
    const QByteArray expected = trimBlanks(Cp932::encode(value));
    const QByteArray readBack = Cp932::encode(ini.value(section, key));
    FuzzSupport::check(expected.startsWith(readBack), "a written value reads back different");
    FuzzSupport::check(expected.size() > IniFile::MaxValueBytes || readBack == expected, "a written value reads back cut");
    return 0;
}
