#include "testsession.h"

#include <algorithm>

#include "bank/questions.h"
#include "core/clock.h"
#include "core/common.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "history/weakhistory.h"
#include "judge/judge.h"
#include "judge/keycodelookup.h"
#include "records/recordsstore.h"
#include "testrun/testrules.h"

namespace
{
    constexpr int KeyEscape = 27;
    const QString Set = QStringLiteral("1");
}

TestSession::TestSession(TestKind kind, int level, int timeLimit, History history, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_level(level)
    , m_timeLimit(timeLimit)
    , m_history(history)
{
}

bool TestSession::isRunning() const
{
    return TestState == TestRules::Running;
}

void TestSession::Start()
{
    using namespace Common;
    TestRules::ResetTestRun();
    TestMode = m_kind;
    TestLevel = m_level;
    CurrentTimeLimit = m_timeLimit;
    // Read after the forced-review notice, whose time does not count.
    StartTime = Clock::nowMs();
    m_capture.begin(Clock::currentDateTime(), StartTime, m_kanaInput ? QStringLiteral("KANA") : QStringLiteral("ROMA"));
    TestState = TestRules::Running;
    NextQuestion();
}

void TestSession::NextQuestion()
{
    for (Target &target : m_targets)
        target.restart();
    PickQuestion();
    PickDistractor1();
    PickDistractor2();
    pronounceQuestion(m_targets[0].question);
}

QString TestSession::promptOf(int question) const
{
    return Common::QuestionBank[question].Prompt;
}

QString TestSession::shownAnswer(int index) const
{
    return Common::QuestionBank[index].Answer;
}

QString TestSession::typedAnswer(int index) const
{
    return Common::QuestionBank[index].AnswerKeys;
}

QString TestSession::keptPrompt(int question) const
{
    return Common::QuestionBank[question].Prompt;
}

QString TestSession::keptAnswer(int question) const
{
    return Common::QuestionBank[question].Answer;
}

int TestSession::drawDistractor(int question, int other)
{
    return TestRules::DrawDistractor(question, other);
}

void TestSession::pronounceQuestion(int question)
{
    if (TestRules::PronunciationWanted(m_soundOn))
        emit pronounce(Common::SoundFilePath(question));
}

int TestSession::presentQuestion()
{
    using namespace Common;
    const int q = drawQuestion();
    const int n = ++TestQuestionIndex;
    emit questionShown(n, promptOf(q));
    QuestionBank[q].UsedMark = Set;
    TestQuestionNumbers[n] = QString::number(q);
    TestMarks[n] = TestRules::MarkWrong;
    m_capture.questionShown(q, keptPrompt(q), keptAnswer(q), Clock::nowMs());
    return q;
}

void TestSession::PickQuestion()
{
    m_targets[0].question = presentQuestion();
    // Drawn after the question, as ever, so a seeded run draws the same test.
    m_targets[0].box = TestRules::DrawIndex(3);
    showCandidate(0);

    // The wrong answers fill the other two boxes in increasing order.
    int slot = 1;
    for (int box = 0; box < 3; ++box)
        if (box != m_targets[0].box)
            m_targets[slot++].box = box;
}

void TestSession::PickDistractor1()
{
    m_targets[1].question = drawDistractor(m_targets[0].question, -1);
    showCandidate(1);
}

void TestSession::PickDistractor2()
{
    m_targets[2].question = drawDistractor(m_targets[0].question, m_targets[1].question);
    showCandidate(2);
}

void TestSession::showCandidate(int slot)
{
    Target &target = m_targets[slot];
    emit candidateShown(target.box, shownAnswer(target.question));
    target.guide = makeGuide(typedAnswer(target.question));
    drawFresh(slot);
}

void TestSession::drawFresh(int slot)
{
    const Target &target = m_targets[slot];
    emit targetDrawn(target.box, {}, {}, typedAnswer(target.question), {}, {}, target.guide);
}

QString TestSession::makeGuide(const QString &keys) const
{
    return m_kanaInput ? Judge::MakeKanaGuide(keys) : Judge::MakeRomaGuide(keys);
}

void TestSession::KeyDown(int keyCode, int shift)
{
    if (!isRunning())
        return;
    if (keyCode == KeyEscape)
    {
        cancelTargets();
        return;
    }
    CodeChage::KeyLookup lookup;
    lookup.KeyCodeIn = keyCode;
    lookup.ShiftIn = shift;
    CodeChage::LookupKeyCode(lookup);
    if (lookup.KeyNotFound != u"0")
        return;

    for (Target &target : m_targets)
        target.hit = false;
    for (int slot = 0; slot < 3; ++slot)
    {
        if (m_targets[slot].alive && judgeSlot(slot, lookup.KeyRomaChar, lookup.KeyKanaChar))
            return;
    }
    // A key that no live target took changes nothing; it is only counted.
    const bool accepted = std::any_of(m_targets.cbegin(), m_targets.cend(), [](const Target &t) { return t.hit; });
    m_capture.keyJudged(accepted);
    if (!accepted)
        return;
    // The live targets that refused it drop out until Esc or the next question.
    for (Target &target : m_targets)
        target.alive = target.hit;
}

void TestSession::cancelTargets()
{
    for (int slot = 0; slot < 3; ++slot)
    {
        Target &target = m_targets[slot];
        target.restart();
        // The guide follows the input method selected now.
        target.guide = makeGuide(typedAnswer(target.question));
        drawFresh(slot);
    }
}

bool TestSession::judgeSlot(int slot, const QString &romaKey, const QString &kanaKey)
{
    Target &target = m_targets[slot];
    const QString keys = typedAnswer(target.question);
    Judge::JudgeState state;
    state.JudgeKeyRoma = romaKey;
    state.JudgeKeyKana = kanaKey;
    state.JudgeTarget = keys;
    state.JudgePos = target.pos;
    state.JudgeTyped = target.typed;
    state.JudgePending = target.pending;
    state.JudgeGuide = target.guide;
    state.JudgeUnitRest = target.unitRest;
    if (m_kanaInput)
        Judge::JudgeKanaKey(state);
    else
        Judge::JudgeRomaKey(state);
    target.pos = state.JudgePos;
    target.typed = state.JudgeTyped;
    target.pending = state.JudgePending;
    target.guide = state.JudgeGuide;
    target.unitRest = state.JudgeUnitRest;

    if (state.JudgeMiss != u"0")
        return false;
    if (state.JudgeDone == Set)
    {
        completeQuestion(slot);
        return true;
    }
    target.hit = true;
    const int p = state.JudgePos;
    emit targetDrawn(target.box, keys.left(p - 1), keys.mid(p - 1, 1), keys.mid(p), state.JudgeTyped,
                     state.JudgeGuide.left(1), state.JudgeGuide.mid(1));
    return false;
}

void TestSession::completeQuestion(int slot)
{
    const int chosen = m_targets[slot].question;
    answerQuestion(slot == 0, chosen, shownAnswer(chosen));
}

void TestSession::answerQuestion(bool correct, int chosen, const QString &chosenAnswer)
{
    using namespace Common;
    m_capture.questionCompleted(correct, chosen, chosenAnswer, Clock::nowMs());
    if (correct)
    {
        TestMarks[TestQuestionIndex] = TestRules::MarkCorrect;
        ++TestCorrectCount;
    }
    afterAnswer(correct);
}

void TestSession::afterAnswer(bool)
{
    goOn();
}

void TestSession::goOn()
{
    if (Common::TestQuestionIndex < questionCount())
        NextQuestion();
    else
        EndTest();
}

void TestSession::Tick()
{
    if (!isRunning())
        return;
    const double elapsed = (Clock::nowMs() - StartTime) / 1000.0;
    if (elapsed >= Common::CurrentTimeLimit)
    {
        emit counterChanged(TestRules::CounterText(Common::CurrentTimeLimit));
        EndTest();
        return;
    }
    emit counterChanged(TestRules::CounterText(elapsed));
}

void TestSession::EndTest()
{
    if (!isRunning())
        return;
    EndTime = Clock::nowMs();
    TestState.clear();
    emit stopped();

    const int levelBefore = Common::CurrentLevel;
    TestOutcome outcome = scoreTest(EndTime - StartTime);
    outcome.questions = questionCount();
    // The records are safe on disk before any notice can keep the learner waiting.
    if (keepsRecords())
        Common::SaveRecords();
    keepInHistory(outcome, levelBefore);
    emit ended(outcome);
}

void TestSession::keepInHistory(TestOutcome &outcome, int levelBefore)
{
    using namespace Common;
    if (!m_history.store)
        return;
    HistoryTest test = m_capture.finish(EndTime, CurrentTimeLimit * 1000.0);
    test.kind = m_kind;
    // Words heard are weak or known apart from those read and written.
    if (TestKinds::isListening(m_kind))
        test.direction = HistoryFilter::ListeningDirection;
    test.level = m_level;
    test.score = outcome.score;
    test.seconds = outcome.shownSeconds;
    test.passed = outcome.passed;
    test.levelBefore = levelBefore;
    test.levelAfter = CurrentLevel;
    test.recordsSaved = !CurrentRecordsUnsaved();
    // A history that cannot take the test tells the learner once; the test is already saved.
    if (!m_history.store->addTest(test))
        return;
    if (m_history.weakWords)
    {
        m_history.weakWords->testKept(test);
        if (TestKinds::practisesWeakWords(m_kind))
            noteSchedules(outcome, test);
    }
    if (!test.recordsSaved)
        m_history.store->awaitRecords(test.id, RecordDataPath());
}

void TestSession::noteSchedules(TestOutcome &outcome, const HistoryTest &test) const
{
    const WeakWords weak = m_history.weakWords->heldWeakWords(test.startedAt.date());
    for (const HistoryTest::Question &q : test.questions)
    {
        const WordSchedule *schedule = weak.schedule(q.bankIndex);
        // A word on screen when the learner stopped the test took no answer.
        outcome.scheduleNotes.append(schedule && !test.leftOut(q) ? TestRules::ScheduleNote(*schedule) : QString());
    }
}
