#pragma once

#include <QFile>
#include <QStringList>

// The English words of the shipped standard bank, in bank order, from its
// source table in the repository.
inline QStringList standardEnglish()
{
    QFile file(QStringLiteral(VOCAMIRA_SOURCE_DIR "/data/standard-bank.tsv"));
    QStringList words;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return words;
    while (!file.atEnd())
    {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.startsWith(u'#'))
            words.append(line.section(u'\t', 0, 0));
    }
    return words;
}
