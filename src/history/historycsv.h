#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "historystore.h"
#include "historytest.h"
#include "practice/wordschedule.h"

// The study history as a table for spreadsheet programs: one row per
// question, with the fields of its test before its own. UTF-8 with a byte
// order mark, so that they open it in Japanese; CR LF line ends; fields
// quoted where they hold a comma, a quote or a line break, and a field that
// a spreadsheet would take for a formula (beginning with =, +, -, @, a tab
// or a carriage return) written as text, after an apostrophe.
namespace HistoryCsv
{
    // Where every word of the history stands, by bank, direction and text.
    class WordStates
    {
    public:
        // Read from the whole history on `today`; false when it cannot be read.
        bool read(HistoryStore &store, const QDate &today);
        // The word's state ("苦手 2/4", "覚えた", ...) and next due day, or two blanks.
        QStringList fields(const QString &bankKind, const QString &bankName, const QString &direction,
                           const QString &prompt, const QString &answer) const;

    private:
        QHash<QString, WordSchedule> m_schedules;
    };

    // The names the program gives: "標準" or "ユーザー", "ローマ字" or "かな",
    // "レベル上げ", and a choice of the word book ("知っている").
    QString bankKindText(const QString &bankKind);
    QString inputText(const QString &method);
    QString kindText(TestKind kind);
    QString markText(WordMark::Kind kind);

    QStringList header();
    // One row per question of the test; with the states, the word's place now after it.
    QList<QStringList> rows(const HistoryTest &test, const WordStates *states = nullptr);
    // The row of a choice made in the word book.
    QStringList markRow(const HistoryStore::Mark &mark, const WordStates &states);
    QByteArray encode(const QList<QStringList> &rows);

    // Every test of every bank and direction, oldest first. The file is
    // replaced only when complete; false (with a reason) on failure.
    bool write(HistoryStore &store, const QString &path, QString *errorText = nullptr);
}
