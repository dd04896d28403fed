#pragma once

#include <QString>

// Choosing a learner's list as the bank to study, with the settings the
// question settings dialog writes: the bank and direction in the common
// file, the test parameters in the bank's own file.
namespace StudyChoice
{
    // Questions per LEVEL of a list that has none yet: every word of a LEVEL
    // is asked in each of its tests, and a list of 20 words has two LEVELs.
    inline constexpr int DefaultQuestionsPerLevel = 10;

    struct Parameters
    {
        QString questionsPerLevel; // NUMBERLEVEL
        QString timeLimitChallenge; // TIMELIMIT1
        QString timeLimitStudy; // TIMELIMIT2
        QString passPoint; // POINTPASS
        QString forcedReview; // KYOSEI

        friend bool operator==(const Parameters &, const Parameters &) = default;
    };

    // The parameters stored for a bank and direction ("" where none are).
    Parameters stored(const QString &bank, bool englishAnswer);
    // Each stored value that the question settings would accept for a bank of
    // `count` words, and the dialog's defaults for the rest.
    Parameters usable(const Parameters &stored, int count);
    // The questions per LEVEL a list will be studied with.
    int questionsPerLevel(const QString &bank, bool englishAnswer);

    struct Outcome
    {
        QString failure; // "" when the bank is now the one studied
        bool hadRecords = false; // its records were kept, per LEVEL
    };

    // Makes the bank and direction the ones studied and loads the bank, its
    // test parameters and its records. When a settings file cannot be written
    // the settings in force before are put back and loaded again.
    Outcome choose(const QString &bank, bool englishAnswer);
}
