#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A table of words made elsewhere: a spreadsheet saved as CSV or as
// tab-separated text, or the plain-text export of a flashcard program
// ("front<TAB>back", perhaps after header lines such as "#separator:tab" and
// "#html:true").
struct ImportTable
{
    struct Row
    {
        int line = 0; // where the row starts in the file, from 1
        int lastLine = 0; // where it ends: a quoted field may hold line breaks
        QStringList fields;
    };
    struct Problem
    {
        int line = 0;
        QString text;
    };

    // The rows to offer, without the header row; each has columnCount fields.
    QList<Row> rows;
    // The columns' names, from a header row or a "#columns:" line.
    QStringList header;
    // The header row's line; 0 when the names came otherwise or there are none.
    int headerLine = 0;
    int columnCount = 0;
    // Null when each line is one field.
    QChar separator;
    // The fields were HTML: their tags are gone.
    bool html = false;
    // A flashcard export's own columns (note id, note type, deck, tags).
    QList<int> ignoredColumns;
    // Rows left out, with their reason.
    QList<Problem> problems;
};

// Which column holds what; -1 for none.
struct ColumnChoice
{
    int english = -1;
    int meaning = -1;
    int reading = -1;

    // Each chosen column is one of the table's, and no two roles share one.
    bool isWithin(int columnCount) const;
    // Within, and the English word chosen: a choice to read the rows by.
    bool fits(int columnCount) const { return english >= 0 && isWithin(columnCount); }
    friend bool operator==(const ColumnChoice &, const ColumnChoice &) = default;
};

// Reading the tables: RFC 4180 quoting (a quoted field may hold the
// separator, a quote written twice and line breaks); comma, tab or semicolon,
// whichever divides the lines evenly; a header row when the first row names
// the columns. A row with too few or too many fields is reported with its
// line and left out; the others are offered.
namespace TableReader
{
    ImportTable read(const QString &text);

    // Whether a text file is a table rather than prose: a flashcard export, a
    // file whose lines divide evenly into short fields, or a list of one word
    // or phrase a line.
    bool looksLikeTable(const QString &text);

    // The columns by their names, else by what they hold: English letters,
    // Japanese with kanji (the meaning), kana alone (the reading).
    ColumnChoice guessColumns(const ImportTable &table);

    // A field of a flashcard export as text: tags gone, entities decoded,
    // lines joined.
    QString plainText(const QString &html);
}
