#pragma once

#include <QByteArrayList>
#include <QString>

// A settings file read and written one value at a time, the way Windows'
// private-profile functions do it: code page 932, CR LF, section and key
// matched without regard to ASCII case, values trimmed of blanks. A write
// keeps every other line as it was and replaces the file atomically.
class IniFile
{
public:
    // Longest value a read returns, in bytes of code page 932.
    static constexpr int MaxValueBytes = 254;

    explicit IniFile(const QString &path);

    // "" when the file, the section or the key is missing.
    QString value(const QString &section, const QString &key) const;
    // Creates the file, section or key as needed. False when the file could
    // not be written; the old file is then left as it was.
    bool setValue(const QString &section, const QString &key, const QString &value) const;

    // Whether value() gives `value` back exactly as setValue() was given it:
    // not when blanks at its ends are trimmed, a control character breaks or
    // ends the line, code page 932 lacks a character, or it is cut.
    static bool readsBackUnchanged(const QString &value);

    QString path() const;

private:
    struct Location
    {
        qsizetype sectionLine = -1;    // the "[SECTION]" line
        qsizetype lastSectionLine = -1; // last non-blank line of the section
        qsizetype keyLine = -1;
    };

    Location locate(const QByteArrayList &lines, const QString &section, const QString &key) const;
    QByteArrayList readLines(bool *ok) const;

    QString m_path;
};
