#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "historytest.h"

class HistoryStore;

// The study history as a table for spreadsheet programs: one row per
// question, with the fields of its test before its own. UTF-8 with a byte
// order mark, so that they open it in Japanese; CR LF line ends; fields
// quoted where they hold a comma, a quote or a line break, and a field that
// a spreadsheet would take for a formula (beginning with =, +, -, @, a tab
// or a carriage return) written as text, after an apostrophe.
namespace HistoryCsv
{
    QStringList header();
    // One row per question of the test.
    QList<QStringList> rows(const HistoryTest &test);
    QByteArray encode(const QList<QStringList> &rows);

    // Every test of every bank and direction, oldest first. The file is
    // replaced only when complete; false (with a reason) on failure.
    bool write(HistoryStore &store, const QString &path, QString *errorText = nullptr);
}
