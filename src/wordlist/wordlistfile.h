#pragma once

#include <QList>
#include <QString>

#include "bank/usertext.h"
#include "wordrow.h"

// A learner's list on disk: a user bank of three lines per word (prompt,
// answer as shown, answer as typed), read in every form the bank loader
// reads and written as UTF-8 with CR LF.
namespace WordListFile
{
    // Larger files are no word list: refused before they are read whole.
    inline constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    struct Loaded
    {
        QList<WordRow> rows;
        UserText::Encoding encoding = UserText::Encoding::Utf8;
        // The last word had fewer than three lines; it is kept, its missing
        // fields empty.
        bool incompleteLastRow = false;
        // Bytes that neither UTF-8 nor code page 932 can read, shown as U+FFFD.
        bool unreadableBytes = false;
        // Set when nothing could be read; rows is then empty.
        QString error;
    };

    Loaded read(const QString &path);
    // Every line of the text, three to a word; nothing is dropped.
    QList<WordRow> rowsOfText(const QString &text, bool *incompleteLastRow = nullptr);

    QByteArray encode(const QList<WordRow> &rows);
    // Replaces the file in one step; false, with the reason, when it could not.
    bool write(const QString &path, const QList<WordRow> &rows, QString *errorText);

    // The list asked the other way: the meaning as prompt and the English
    // word as the answer, shown and typed.
    QList<WordRow> otherDirection(const QList<WordRow> &rows);
}
