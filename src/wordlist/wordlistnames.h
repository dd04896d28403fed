#pragma once

#include <QString>
#include <QStringList>

// The names of the learner's lists: the same names the question settings
// list and store as TEXTNAME, and the bank that asks a list the other way.
namespace WordListNames
{
    // Why `name` cannot name a list, or "" when it can. `existing` are the
    // banks already in the user-text folder.
    QString problem(const QString &name, const QStringList &existing);

    // The bank that asks the list `name` from the meaning to the English word.
    QString otherDirectionName(const QString &name);
    // The list that the bank `name` asks the other way; "" when `name` is no
    // such bank.
    QString listOfOtherDirection(const QString &name);

    // The bank file of `name` in the user-text folder.
    QString bankPath(const QString &name);
    // The banks of the user-text folder, as the question settings list them.
    QStringList existingBanks();
}
