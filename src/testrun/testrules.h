#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "core/testkind.h"
#include "testrun/testoutcome.h"
#include "practice/weakwords.h"

// The rules of a test that need no window: which LEVEL and which questions a
// test draws, how it is scored, how the LEVEL and the records move, and the
// texts the main window shows. They work on the shared state of Common.
namespace TestRules
{
    inline const QString Running = QStringLiteral("1");
    inline const QString MarkCorrect = QStringLiteral("○");
    inline const QString MarkWrong = QStringLiteral("×");
    inline constexpr int PointsPerQuestion = 10;
    inline constexpr int HighLevelFrom = 81;

    // Int(r x n) for a fresh single-precision r: an index below n.
    int DrawIndex(int n);
    // Puts the values in a random order, every order as likely.
    void Shuffle(QList<int> &values);

    // Draws r and tells whether a level-up start becomes a forced review.
    bool DrawForcedReview();
    // A random LEVEL from 1 to CurrentLevel for a forced review.
    int DrawForcedReviewLevel();
    // The LEVEL a test draws from, kept to a LEVEL the bank holds.
    int LimitTestLevel(int level);

    // A test draws its 10 questions from one whole LEVEL: false when the bank
    // (chosen in the settings since start-up) holds none.
    bool CanStartTest();
    // Every question unasked, counters of the test back to 0.
    void ResetTestRun();
    // An unasked question of TestLevel (bank index), never past the bank.
    int DrawQuestion();
    // A wrong answer beside `question`: a bank index other than `question`
    // and `other` (the wrong answer already drawn, if any) that the learner
    // does not complete on the way to the question's own answer. Used for
    // every question a test shows.
    int DrawDistractor(int question, int other = -1);

    int PassMark(int testLevel);
    // Scores the finished test, moves the LEVEL and updates the records of
    // row TestLevel; the records are not saved here.
    TestOutcome ScoreTest(double elapsedMs, const QDate &today);

    // Scores a practice test of `questions` weak words. It moves no LEVEL and
    // touches no records; its pass mark is the usual one, in proportion when
    // fewer than 10 words were there to practise.
    TestOutcome ScorePractice(int questions, double elapsedMs);

    // Pronunciation plays only for the English prompts of the standard bank.
    bool PronunciationWanted(bool soundOption);

    // The entries of the preview/review LEVEL list, first entry first.
    QStringList LevelChoices();
    bool AtTopLevel();

    struct Badge
    {
        QString text;
        QString color;
    };
    Badge ModeBadge(TestKind kind, bool firstChoice);

    // Where a practised word now stands, after its answer in the practice:
    // its step ("2/4"), or that the answer moved nothing (too slow, before
    // its day) or took it off the list; empty for a word off the schedule.
    QString ScheduleNote(const WordSchedule &schedule);
    // Asked when no weak word is due today but some will be: `count` fall due
    // on `nextDay`, and the practice would take the `practised` soonest.
    QString EarlyPracticeQuestion(const QDate &nextDay, int count, const QDate &today, int practised);

    // "苦手単語 12語": the weak words due for practice.
    QString WeakWordsCaption(int dueCount);

    QString QuestionsCaption(int count);
    QString TimeLimitCaption(int seconds);
    QString LevelStatusCaption(int level);
    QString FailCountCaption(int count);
    QString TestLevelCaption(int level);
    QString PracticeCaption();
    // "【 聞き取り：LEVEL 1〜7 】" or "【 聞き取り：苦手単語 】", and 書き取り likewise.
    QString ListeningCaption(TestKind kind, int level);
    // The badge of a listening test, the line of its series in the history.
    inline const QString ListeningBadgeColor = QStringLiteral("#C8D8FF");
    QString QuestionNumberCaption(int number);
    // Whole seconds, rounded ("##0").
    QString CounterText(double seconds);
    // Three decimals and "秒" ("#0.000").
    QString SecondsText(double seconds);
}
