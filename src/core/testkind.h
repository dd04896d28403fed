#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The kinds of test. The study history keeps each as one letter; these
// functions are the only place that spells the letters.
enum class TestKind
{
    Preview,      // preview or review of a chosen LEVEL (予習/復習)
    LevelUp,      // the level-up challenge of the LEVEL above the learner's
    ForcedReview, // a review of a passed LEVEL, drawn in place of a challenge
    WeakWords,    // practice of the learner's weak words: no LEVEL, no records
};

namespace TestKinds
{
    QString letter(TestKind kind);
    // Nothing for a letter of no kind this program knows.
    std::optional<TestKind> fromLetter(QStringView letter);
}
