#pragma once

#include <QObject>
#include <QString>

#include <array>

#include "core/testkind.h"
#include "history/testcapture.h"
#include "testrun/target.h"
#include "testrun/testoutcome.h"

class HistoryStore;
class WeakHistory;

// The test under way, without a window: its questions and their three
// targets, the keys judged against them, the clock, the score, the end and
// what the study history keeps. The main window hands it the keys and the
// ticks of its timer and draws what the signals tell. Each kind of test is
// a subclass that says which questions it asks and how it is scored; the
// shared state of Common holds the test's kind, LEVEL, marks and counters
// as every window reads them.
class TestSession : public QObject
{
    Q_OBJECT

public:
    // Where a test is kept once scored; either may be null.
    struct History
    {
        HistoryStore *store = nullptr;
        WeakHistory *weakWords = nullptr;
    };

    TestKind kind() const { return m_kind; }
    bool isRunning() const;
    const std::array<Target, 3> &targets() const { return m_targets; }

    // Read live, as the options are: a change applies to the next key, the
    // next Esc and the next question.
    void setKanaInput(bool kana) { m_kanaInput = kana; }
    void setSoundOn(bool on) { m_soundOn = on; }

    // Every question unasked, the clock started, the first question shown.
    void Start();
    // A key of the running test, as a Windows virtual-key code and a shift
    // mask (1 Shift, 2 Ctrl, 4 Alt). Enter belongs to the window; Esc brings
    // every target back; any other key is judged for each live target.
    virtual void KeyDown(int keyCode, int shift);
    // A tick of the window's timer: the counter, or the end at the time limit.
    void Tick();
    // Scores the test, however it ended, keeps it and tells the window.
    void EndTest();

    // "1" while the test runs, empty once it has ended.
    QString TestState;
    double StartTime = 0;
    double EndTime = 0;

signals:
    // Question `number` of the test, with its prompt.
    void questionShown(int number, const QString &prompt);
    // A candidate answer as the box's caption shows it.
    void candidateShown(int box, const QString &answer);
    // A box's answer line and guide line, each as the part typed, the next
    // character and the rest.
    void targetDrawn(int box, const QString &typed, const QString &current, const QString &rest,
                     const QString &guideTyped, const QString &guideCurrent, const QString &guideRest);
    // Whole seconds since the start ("##0").
    void counterChanged(const QString &seconds);
    void pronounce(const QString &soundFile);
    // The test no longer runs; it is scored next.
    void stopped();
    // Scored, its records saved and the history told.
    void ended(const TestOutcome &outcome);

protected:
    TestSession(TestKind kind, int level, int timeLimit, History history, QObject *parent);

    virtual int questionCount() const = 0;
    // The bank index of the next question.
    virtual int drawQuestion() = 0;
    // Scores the finished test; the records (if the kind keeps any) are saved after it.
    virtual TestOutcome scoreTest(double elapsedMs) = 0;
    virtual bool keepsRecords() const = 0;

    // What a kind that asks otherwise changes; the defaults are the test of
    // the prompt and three candidates. A question's prompt as shown:
    virtual QString promptOf(int question) const;
    // An entry's answer as its box shows it, and as it is typed.
    virtual QString shownAnswer(int index) const;
    virtual QString typedAnswer(int index) const;
    // The question's prompt and answer as the study history keeps them.
    virtual QString keptPrompt(int question) const;
    virtual QString keptAnswer(int question) const;
    // A wrong answer beside `question` and `other` (-1 for the first).
    virtual int drawDistractor(int question, int other);
    // The sound of a question just shown.
    virtual void pronounceQuestion(int question);
    // The question was answered and marked: on to the next, or the end.
    virtual void afterAnswer(bool correct);

    virtual void NextQuestion();
    // The next question, or the end after the last.
    void goOn();
    // Marks the question on screen answered: right, or with the wrong
    // candidate `chosen` (a bank index) completed.
    void answerQuestion(bool correct, int chosen, const QString &chosenAnswer);
    // Draws the next question, counts and marks it and shows its prompt;
    // returns its bank index.
    int presentQuestion();
    bool kanaInput() const { return m_kanaInput; }
    TestCapture &capture() { return m_capture; }

private:
    void PickQuestion();
    void PickDistractor1();
    void PickDistractor2();
    void showCandidate(int slot);
    void drawFresh(int slot);
    QString makeGuide(const QString &keys) const;

    void cancelTargets();
    // True when the key completed the target's text, which ends the question.
    bool judgeSlot(int slot, const QString &romaKey, const QString &kanaKey);
    void completeQuestion(int slot);

    void keepInHistory(TestOutcome &outcome, int levelBefore);
    // Where each practised word now stands, for the result view.
    void noteSchedules(TestOutcome &outcome, const HistoryTest &test) const;

    const TestKind m_kind;
    const int m_level;
    const int m_timeLimit;
    const History m_history;
    bool m_kanaInput = false;
    bool m_soundOn = true;
    std::array<Target, 3> m_targets;
    TestCapture m_capture;
};
