#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>

#include "testkind.h"

// The whole state of the running program. Every window and file routine reads
// these directly; each variable has one writer (named beside it).
namespace Common
{
    struct QuestionEntry
    {
        QString Prompt;     // shown as the question
        QString Answer;     // the answer as displayed
        QString AnswerKeys; // the answer as it is typed
        QString UsedMark;   // "1" once asked in the current test
    };

    // One row of the records per LEVEL. A null QDate is the date 0 (no date).
    struct LevelRecord
    {
        QDate ReachedDate;
        int ChallengePassCount = 0;
        int ChallengeFailCount = 0;
        int PracticePassCount = 0;
        int PracticeFailCount = 0;
        int BestScore = 0;
        QDate BestScoreDate;
        double BestTime = 0; // milliseconds of the fastest perfect test; 0 = none
        QDate BestTimeDate;

        friend bool operator==(const LevelRecord &, const LevelRecord &) = default;
    };

    inline constexpr int QuestionsPerTest = 10;
    // A practice of weak words may ask more than a test.
    inline constexpr int MostQuestionsPerTest = 50;

    // Test parameters (LoadTestSettings; CurrentTimeLimit by the main window).
    inline int TimeLimitChallenge = 0;
    inline int TimeLimitStudy = 0;
    inline int QuestionsPerLevel = 0;
    inline int PassPoint = 0;
    inline int HighLevelPassPoint = 0;
    inline int LevelCount = 0;
    inline QString ForcedReview;
    inline int CurrentTimeLimit = 0;

    // Question bank (LoadQuestions).
    inline int QuestionCount = 0;
    inline QList<QuestionEntry> QuestionBank;

    // The learner's records (records store, test scoring, certificate entry).
    inline int CurrentLevel = 0;
    inline int FailCount = 0;
    inline QString RecordSpare;
    inline int HighestLevel = 0;
    inline QString CertificateName;
    inline QDate CertificateDate;
    // Indexes 1 to LevelCount; index 0 is unused so LEVEL n is row n.
    inline QList<LevelRecord> LevelRecords;

    // The test under way (main window).
    inline TestKind TestMode = TestKind::Preview;
    inline int TestLevel = 0;
    inline int TestQuestionIndex = 0;
    inline int TestCorrectCount = 0;
    // Indexes 1 to 10 (to 50 in a long practice); index 0 is unused so question n is slot n.
    inline std::array<QString, MostQuestionsPerTest + 1> TestQuestionNumbers;
    inline std::array<QString, MostQuestionsPerTest + 1> TestMarks;

    // Every variable back to its value at program start.
    void ResetState();

    // True when text is not empty and holds the ASCII digits 0-9 only.
    bool IsDigitsOnly(const QString &text);
}
