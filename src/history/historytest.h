#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "core/testkind.h"

// One scored test as the study history keeps it: what was asked, how each
// question was answered, and how the test moved the LEVEL.
struct HistoryTest
{
    struct Question
    {
        int number = 0;          // 1 to 10, in the order asked
        int bankIndex = 0;       // index of the question in its bank
        QString prompt;          // as shown
        QString answer;          // the correct answer as shown
        bool answered = false;   // a candidate was typed to its end
        bool correct = false;    // ... and it was the correct one
        int chosenIndex = -1;    // bank index of the wrong candidate completed, else -1
        QString chosenAnswer;    // that candidate's answer as shown
        qint64 shownMs = 0;      // from the start of the test to the showing
        double seconds = -1;     // from the showing to the completion; -1 when unanswered
        int keysAccepted = 0;    // keys some candidate took while it was shown
        int keysRejected = 0;    // keys no candidate took (no penalty, only counted)
        int replays = 0;         // times the learner asked to hear the word again

        friend bool operator==(const Question &, const Question &) = default;
    };

    // How the test ended. A question on screen when the learner stopped the
    // test was not missed: only the time limit makes an unanswered one a miss.
    enum class Ending : quint8
    {
        Answered,  // every question answered
        TimeLimit,
        Stopped,   // Enter, 中断, closing the window, a menu that ends it
    };

    qint64 id = 0; // given by the store
    QDateTime startedAt;
    QDateTime endedAt;
    QString bankKind;    // "STANDARD" or "USER"
    QString bankName;    // the user bank's name; "" for the standard bank
    QString direction;   // "和訳" or "英訳"
    QString inputMethod; // "ROMA" or "KANA"
    TestKind kind = TestKind::Preview;
    int level = 0;       // the LEVEL the questions were drawn from
    int score = 0;
    double seconds = 0;  // the time taken as the result view shows it
    bool passed = false;
    int levelBefore = 0;
    int levelAfter = 0;
    Ending ending = Ending::Answered;
    // The records file held this test's outcome when it was kept (or later in
    // the same run); false when the learner quit without them, so the LEVEL
    // it reached never counts against the records.
    bool recordsSaved = true;
    QList<Question> questions;

    int keysAccepted() const;
    int keysRejected() const;
    // A question that neither counts as a miss nor as an answer.
    bool leftOut(const Question &question) const { return !question.answered && ending != Ending::TimeLimit; }
    // A wrong candidate completed, or left unanswered when the time ran out.
    bool missed(const Question &question) const { return !question.correct && !leftOut(question); }

    friend bool operator==(const HistoryTest &, const HistoryTest &) = default;
};
