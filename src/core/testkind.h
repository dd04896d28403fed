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
    // Tests of the ear: the word is heard, not shown. No LEVEL, no records;
    // their words are kept apart from both directions in the history.
    Listening,          // three candidates, from LEVEL 1 up to the learner's
    ListeningWeakWords, // three candidates, the weak words of listening
    Dictation,          // the word typed from the sound alone, from the LEVELs
    DictationWeakWords, // the same, the weak words of listening
};

namespace TestKinds
{
    QString letter(TestKind kind);
    // Nothing for a letter of no kind this program knows.
    std::optional<TestKind> fromLetter(QStringView letter);
    bool isListening(TestKind kind);
    bool isDictation(TestKind kind);
    // A kind whose correct answers move a weak word along its schedule.
    bool practisesWeakWords(TestKind kind);
}
