#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <array>

#include "wordrow.h"

// The checks of a learner's list that need no window: what is wrong with each
// row, said on the row, and whether the list is long enough for a test.
namespace RowChecks
{
    enum Field
    {
        English,
        Meaning,
        Reading,
        FieldCount,
    };

    // Why each field of a row cannot be asked as it stands; "" where it can.
    struct Problems
    {
        std::array<QString, FieldCount> field;

        bool any() const { return !field[English].isEmpty() || !field[Meaning].isEmpty() || !field[Reading].isEmpty(); }
        // The reasons of the row, in field order, for the row's own column.
        QString text() const;
    };

    // One field alone: empty, a line break, tab or other control character,
    // and for the English word and the reading what the learner cannot type.
    QString fieldProblem(Field field, const QString &text);

    // What fieldProblem said of each text, kept between the checks of one
    // list: after an edit only the changed fields are checked again (a field
    // is checked by typing it through the judge, key by key).
    using Cache = std::array<QHash<QString, QString>, FieldCount>;

    // Every row, with the duplicates of English words and of meanings
    // (1-based row numbers in the reasons). The rows are checked whatever
    // their number; an empty list has no problems.
    QList<Problems> check(const QList<WordRow> &rows, Cache *cache = nullptr);

    // A field with a line break cannot be written as one line of the bank.
    bool breaksTheFile(const WordRow &row);

    // What the list still needs before a test can start, or "" when it holds
    // a whole LEVEL of `questionsPerLevel` words.
    QString shortfall(qsizetype rowCount, int questionsPerLevel);
}
