#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The English→Japanese index the build makes from the dictionary data of the
// standard bank: for each English word its everyday meanings with their
// readings, best first. The file is UTF-8 text, a header line and then one
// line per word in byte order of the word:
//   word<TAB>meaning<TAB>reading[<TAB>meaning<TAB>reading]...
// It is read whole and searched in place, so loading costs one pass over it.
class WordIndex
{
public:
    struct Meaning
    {
        QString meaning;
        QString reading;
        friend bool operator==(const Meaning &, const Meaning &) = default;
    };

    // The first line of every index file, followed by what it was made from.
    static constexpr char Header[] = "# vocamira en-ja index 1";

    // Replaces what was loaded; false (and nothing loaded) when the file is
    // missing or damaged, with the reason.
    bool load(const QString &path, QString *errorText);
    bool isLoaded() const { return !m_lines.isEmpty(); }
    qsizetype wordCount() const { return m_lines.size(); }

    // The meanings of an English word, best first; the word is looked up in
    // lower case with its blanks made single.
    QList<Meaning> meanings(QStringView english) const;

    // The form the index spells its words in.
    static QString key(QStringView english);

private:
    QByteArrayView wordAt(qsizetype line) const;
    QByteArrayView lineAt(qsizetype line) const;

    QByteArray m_data;
    // Where each word's line starts, in m_data.
    QList<qint32> m_lines;
};
