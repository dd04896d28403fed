#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "wordimport/tablereader.h"
#include "wordimport/textwords.h"
#include "wordrow.h"

class WordHelp;

// What an import offers the list: each word with where it came from, whether
// the learner still has to check its meaning, and whether the list (or an
// earlier row of the import) holds it already.
struct ImportRow
{
    WordRow word;
    // "12行目" of a table; the sentence of a text.
    QString source;
    // The table's line; 0 for a text.
    int line = 0;
    // Times the word came in a text; 0 for a table's row.
    int count = 0;
    // Why the row is not added: the list holds the word already; "" when it is new.
    QString duplicate;
    bool ticked = true;
};

namespace ImportRows
{
    // Of the words found in a text, these many are ticked to begin with.
    inline constexpr int TickedWords = 50;

    // Whether a file's text is read as a table: a .csv or .tsv file always,
    // any other when it looks like one.
    bool isTable(const QString &fileName, const QString &text);

    // Every row of a table, read by `columns`: a row without a reading gets
    // the reading of its meaning, one without a meaning the first meaning the
    // dictionary suggests (marked for the learner to check) and its reading.
    QList<ImportRow> fromTable(const ImportTable &table, const ColumnChoice &columns, WordHelp &help);

    // The words of a text, each with its first suggested meaning and its
    // sentence; those `isKnown` says the learner knows are left out, and the
    // first TickedWords are ticked.
    QList<ImportRow> fromText(const QList<TextWord> &words, WordHelp &help,
                              const std::function<bool(const QString &)> &isKnown = {});

    // Marks and unticks the rows whose English word the list or an earlier
    // row holds (ignoring case and blanks).
    void markDuplicates(QList<ImportRow> &rows, const QList<WordRow> &list);

    // The rows to add: ticked and new.
    QList<WordRow> chosen(const QList<ImportRow> &rows);

    // The columns to read a table by: the learner's last choice when it fits
    // a table of this many columns, else the guess from the table.
    ColumnChoice columnsFor(const ImportTable &table);
    // Keeps the learner's choice for the next import (quietly: a choice
    // that cannot be kept costs one guess next time).
    void rememberColumns(const ColumnChoice &columns, int columnCount);
}
