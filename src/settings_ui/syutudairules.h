#pragma once

#include <QString>
#include <QStringList>

// The rules of the question settings dialog that need no window: what its
// fields must hold before OK may save them, and what it lists and derives.
namespace Common
{
    // The fields of the dialog as the learner left them.
    struct SyutudaiFields
    {
        bool standardChosen = false; // Option1
        QString standardName;        // Combo1's text
        bool userChosen = false;     // Option2
        QString userName;            // Combo2's text
        QString questionCount;       // Text1
        QString questionsPerLevel;   // Text2
        QString timeLimitChallenge;  // Text4
        QString timeLimitStudy;      // Text5
        bool passPointChosen = false;   // Combo3 has a selection
        bool forcedReviewChosen = false; // Combo4 has a selection
    };

    // The message of the first check that fails, in the order OK runs them;
    // "" when the fields may be saved.
    QString FirstFailedCheck(const SyutudaiFields &fields);

    // The number of LEVELs shown beside the questions per LEVEL: the whole
    // quotient, or "" while the questions per LEVEL are no positive number.
    QString LevelCountText(const QString &questionCount, const QString &questionsPerLevel);

    // The user banks of a folder: file names in name order without their
    // last four characters (the extension). Names that would come out empty
    // are left out.
    QStringList UserTextNames(const QString &folder);
}
