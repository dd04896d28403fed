#include "importrows.h"

#include <QHash>

#include "core/settings.h"
#include "wordhelp.h"
#include "wordindex.h"

namespace
{
    const QString SectionImport = QStringLiteral("WORDIMPORT");
    const QString KeyColumns = QStringLiteral("COLUMNS");

    QString fieldAt(const QStringList &fields, int column)
    {
        return column >= 0 ? fields.value(column) : QString();
    }

    // The first meaning the dictionary offers, marked for checking.
    void suggestMeaning(WordRow &word, WordHelp &help)
    {
        const QList<WordHelp::Suggestion> found = help.suggestions(word.english, 1);
        if (found.isEmpty())
            return;
        word.meaning = found.first().meaning;
        word.meaningToCheck = true;
        if (word.reading.isEmpty())
            word.reading = found.first().reading;
    }
}

bool ImportRows::isTable(const QString &fileName, const QString &text)
{
    const QString lower = fileName.toLower();
    return lower.endsWith(QLatin1String(".csv")) || lower.endsWith(QLatin1String(".tsv")) || TableReader::looksLikeTable(text);
}

QList<ImportRow> ImportRows::fromTable(const ImportTable &table, const ColumnChoice &columns, WordHelp &help)
{
    QList<ImportRow> rows;
    if (!columns.fits(table.columnCount))
        return rows;
    for (const ImportTable::Row &row : table.rows)
    {
        WordRow word {fieldAt(row.fields, columns.english), fieldAt(row.fields, columns.meaning),
                      fieldAt(row.fields, columns.reading)};
        if (word.english.isEmpty() && word.meaning.isEmpty())
            continue;
        if (word.meaning.isEmpty())
            suggestMeaning(word, help);
        else if (word.reading.isEmpty())
            word.reading = help.reading(word.meaning, word.english);
        ImportRow offered;
        offered.word = word;
        offered.source = QStringLiteral("%1行目").arg(row.line);
        offered.line = row.line;
        rows.append(offered);
    }
    return rows;
}

QList<ImportRow> ImportRows::fromText(const QList<TextWord> &words, WordHelp &help,
                                      const std::function<bool(const QString &)> &isKnown)
{
    QList<ImportRow> rows;
    for (const TextWord &found : words)
    {
        if (isKnown && (isKnown(found.english) || std::any_of(found.forms.cbegin(), found.forms.cend(), isKnown)))
            continue;
        ImportRow row;
        row.word.english = found.english;
        row.source = found.sentence;
        row.count = found.count;
        suggestMeaning(row.word, help);
        // Every word of a text is shown with its meaning before it is ticked.
        row.word.meaningToCheck = false;
        row.ticked = rows.size() < TickedWords;
        rows.append(row);
    }
    return rows;
}

void ImportRows::markDuplicates(QList<ImportRow> &rows, const QList<WordRow> &list)
{
    QHash<QString, QString> held;
    for (qsizetype i = 0; i < list.size(); ++i)
        held.insert(WordIndex::key(list[i].english), QStringLiteral("リストの%1行目と同じ単語です").arg(i + 1));
    for (ImportRow &row : rows)
    {
        const QString key = WordIndex::key(row.word.english);
        if (key.isEmpty())
            continue;
        row.duplicate = held.value(key);
        if (!row.duplicate.isEmpty())
            row.ticked = false;
        else
            held.insert(key, QStringLiteral("%1と同じ単語です").arg(row.source));
    }
}

QList<WordRow> ImportRows::chosen(const QList<ImportRow> &rows)
{
    QList<WordRow> words;
    for (const ImportRow &row : rows)
    {
        if (row.ticked && row.duplicate.isEmpty())
            words.append(row.word);
    }
    return words;
}

ColumnChoice ImportRows::columnsFor(const ImportTable &table)
{
    // "count:english,meaning,reading"
    const QString kept = Common::ReadIniValue(Common::CommonIni, SectionImport, KeyColumns);
    const QStringList parts = kept.split(u':');
    const QStringList numbers = parts.value(1).split(u',');
    if (parts.size() == 2 && parts[0].toInt() == table.columnCount && numbers.size() == 3)
    {
        bool ok[3] = {};
        const ColumnChoice choice {numbers[0].toInt(&ok[0]), numbers[1].toInt(&ok[1]), numbers[2].toInt(&ok[2])};
        if (ok[0] && ok[1] && ok[2] && choice.fits(table.columnCount))
            return choice;
    }
    return TableReader::guessColumns(table);
}

void ImportRows::rememberColumns(const ColumnChoice &columns, int columnCount)
{
    if (!columns.fits(columnCount))
        return;
    Common::StoreIniValue(Common::CommonIni, SectionImport, KeyColumns,
                          QStringLiteral("%1:%2,%3,%4").arg(columnCount).arg(columns.english).arg(columns.meaning).arg(columns.reading));
}
