#include "testrules.h"

#include <algorithm>
#include <cmath>

#include "core/common.h"
#include "core/random.h"
#include "core/settings.h"
#include "judge/judge.h"

namespace
{
    // A test can only ask 10 different questions of a LEVEL of at least 10, so
    // the draw always ends; the bound only keeps a damaged state from hanging.
    constexpr int MaxDraws = 100000;
    // A wrong answer is almost always found in a few draws; a bank with few
    // or no fitting answers is searched in order after these.
    constexpr int MaxDistractorDraws = 1000;

    using Color = EmphasisColor;

    QStringView answerKeys(int index)
    {
        const QList<Common::QuestionEntry> &bank = Common::QuestionBank;
        return index >= 0 && index < bank.size() ? QStringView(bank.at(index).AnswerKeys) : QStringView();
    }

    // A wrong answer must not be the question, and the learner must not
    // complete it on the way to the question's own answer, or the question
    // could only be answered wrong. Equal typing texts may stand together.
    bool fitsBeside(int candidate, int question)
    {
        return candidate != question && !Judge::IsTypedBeginning(answerKeys(candidate), answerKeys(question));
    }

    void passTest(TestOutcome &outcome, Common::LevelRecord &row)
    {
        using namespace Common;
        outcome.levelMessageColor = Color::Red;
        if (TestMode == TestKind::ForcedReview)
        {
            outcome.levelMessage = QStringLiteral("レベルを死守しました！！");
            ++row.PracticePassCount;
        }
        else if (TestMode == TestKind::LevelUp)
        {
            outcome.levelMessage = QStringLiteral("レベルアップです！！");
            ++CurrentLevel;
            FailCount = 0;
            ++row.ChallengePassCount;
        }
        else
        {
            outcome.levelMessage = QStringLiteral("その調子です！！");
            ++row.PracticePassCount;
        }
    }

    void failTest(TestOutcome &outcome, Common::LevelRecord &row)
    {
        using namespace Common;
        if (TestMode == TestKind::ForcedReview)
        {
            outcome.levelMessage = QStringLiteral("復習不足！レベルダウン！！");
            outcome.levelMessageColor = Color::Blue;
            CurrentLevel = std::max(CurrentLevel - 1, 0);
            FailCount = 0;
            ++row.PracticeFailCount;
        }
        else if (TestMode == TestKind::LevelUp)
        {
            ++row.ChallengeFailCount;
            // The third failure in a row costs a LEVEL; at LEVEL 0 the count goes on.
            if (FailCount == 2 && CurrentLevel > 0)
            {
                outcome.levelMessage = QStringLiteral("予習不足！レベルダウン！！");
                outcome.levelMessageColor = Color::Blue;
                --CurrentLevel;
                FailCount = 0;
                return;
            }
            outcome.levelMessage = QStringLiteral("予習不足！レベルアップならず");
            ++FailCount;
        }
        else
        {
            outcome.levelMessage = QStringLiteral("学習が不足しています");
            ++row.PracticeFailCount;
        }
    }

    bool hasRow(int level)
    {
        return level >= 1 && level < Common::LevelRecords.size();
    }

    void noteHighestLevel(const QDate &today)
    {
        using namespace Common;
        if (CurrentLevel <= HighestLevel)
            return;
        HighestLevel = CurrentLevel;
        if (hasRow(HighestLevel))
            LevelRecords[HighestLevel].ReachedDate = today;
    }

    void updateBests(TestOutcome &outcome, Common::LevelRecord &row, double elapsedMs, const QDate &today)
    {
        using namespace Common;
        if (TestCorrectCount == QuestionsPerTest && (row.BestTime == 0 || elapsedMs < row.BestTime))
        {
            row.BestTime = elapsedMs;
            row.BestTimeDate = today;
            outcome.newBestTime = true;
        }
        if (outcome.score > row.BestScore)
        {
            row.BestScore = outcome.score;
            row.BestScoreDate = today;
        }
    }

    // VB's Format rounds halves away from zero.
    double roundTo(double value, int decimals)
    {
        const double scale = std::pow(10.0, decimals);
        return std::floor(value * scale + 0.5) / scale;
    }
}

int TestRules::DrawIndex(int n)
{
    return static_cast<int>(static_cast<double>(Random::nextSingle()) * n);
}

void TestRules::Shuffle(QList<int> &values)
{
    for (qsizetype i = values.size() - 1; i > 0; --i)
        std::swap(values[i], values[DrawIndex(int(i) + 1)]);
}

bool TestRules::DrawForcedReview()
{
    using namespace Common;
    const float r = Random::nextSingle();
    const float p = static_cast<float>(0.2 + 0.002 * (CurrentLevel - 5));
    return ForcedReview == ForcedReviewOn && CurrentLevel >= 5 && p > r;
}

int TestRules::DrawForcedReviewLevel()
{
    return DrawIndex(Common::CurrentLevel) + 1;
}

int TestRules::LimitTestLevel(int level)
{
    using namespace Common;
    const int levels = QuestionsPerLevel > 0 ? QuestionCount / QuestionsPerLevel : 0;
    // A list with no choice reads as 0; LEVEL 1 is then the sound choice.
    return std::max(std::min(level, levels), 1);
}

bool TestRules::CanStartTest()
{
    using namespace Common;
    return QuestionsPerLevel > 0 && QuestionCount / QuestionsPerLevel >= 1;
}

void TestRules::ResetTestRun()
{
    using namespace Common;
    for (QuestionEntry &entry : QuestionBank)
        entry.UsedMark.clear();
    TestQuestionIndex = 0;
    TestCorrectCount = 0;
}

int TestRules::DrawQuestion()
{
    using namespace Common;
    const int first = (TestLevel - 1) * QuestionsPerLevel;
    for (int draw = 0; draw < MaxDraws; ++draw)
    {
        const int q = DrawIndex(QuestionsPerLevel) + first;
        if (q < QuestionCount && QuestionBank[q].UsedMark.isEmpty())
            return q;
    }
    return first;
}

int TestRules::DrawDistractor(int question, int other)
{
    int q = 0;
    for (int draw = 0; draw < MaxDistractorDraws; ++draw)
    {
        q = DrawIndex(Common::QuestionCount);
        if (q != other && fitsBeside(q, question))
            return q;
    }
    // Nothing fitting came up: look through the whole bank once.
    const int count = Common::QuestionCount;
    for (int step = 1; step <= count; ++step)
    {
        const int next = (q + step) % count;
        if (next != other && fitsBeside(next, question))
            return next;
    }
    // Only beginnings of the answer are left. Repeating the other wrong answer,
    // or else the answer itself, keeps the question answerable: slot 0 is
    // judged first, so typing the answer in any box scores it.
    return other >= 0 && fitsBeside(other, question) ? other : question;
}

int TestRules::PassMark(int testLevel)
{
    return testLevel < HighLevelFrom ? Common::PassPoint : Common::HighLevelPassPoint;
}

TestOutcome TestRules::ScoreTest(double elapsedMs, const QDate &today)
{
    using namespace Common;
    TestOutcome outcome;
    outcome.passMark = PassMark(TestLevel);
    outcome.score = TestCorrectCount * PointsPerQuestion;
    outcome.passed = outcome.score >= outcome.passMark;

    LevelRecord scratch;
    LevelRecord &row = hasRow(TestLevel) ? LevelRecords[TestLevel] : scratch;
    if (outcome.passed)
        passTest(outcome, row);
    else
        failTest(outcome, row);
    outcome.level = CurrentLevel;
    outcome.topLevelReached = TestMode == TestKind::LevelUp && CurrentLevel == LevelCount;
    noteHighestLevel(today);

    const double seconds = elapsedMs / 1000.0;
    outcome.shownSeconds = seconds > CurrentTimeLimit ? CurrentTimeLimit : seconds;

    // A preview of the LEVEL above the learner's counts, but sets no bests.
    if (TestMode == TestKind::Preview && TestLevel > CurrentLevel)
        return outcome;
    updateBests(outcome, row, elapsedMs, today);
    return outcome;
}

TestOutcome TestRules::ScorePractice(int questions, double elapsedMs)
{
    using namespace Common;
    TestOutcome outcome;
    outcome.passMark = static_cast<int>(std::ceil(PassPoint * questions / double(QuestionsPerTest)));
    outcome.score = TestCorrectCount * PointsPerQuestion;
    outcome.passed = outcome.score >= outcome.passMark;
    // The messages of a preview or review: they promise no LEVEL change.
    outcome.levelMessage = outcome.passed ? QStringLiteral("その調子です！！") : QStringLiteral("学習が不足しています");
    outcome.levelMessageColor = outcome.passed ? Color::Red : Color::Black;
    outcome.level = CurrentLevel;
    const double seconds = elapsedMs / 1000.0;
    outcome.shownSeconds = seconds > CurrentTimeLimit ? CurrentTimeLimit : seconds;
    return outcome;
}

bool TestRules::PronunciationWanted(bool soundOption)
{
    return soundOption && !Common::IsEnglishAnswer() && !Common::IsUserBank();
}

QStringList TestRules::LevelChoices()
{
    using namespace Common;
    const int first = AtTopLevel() ? LevelCount : CurrentLevel + 1;
    QStringList choices;
    for (int level = first; level >= 1; --level)
        choices << QString::number(level);
    return choices;
}

bool TestRules::AtTopLevel()
{
    return Common::CurrentLevel >= Common::LevelCount;
}

TestRules::Badge TestRules::ModeBadge(TestKind kind, bool firstChoice)
{
    switch (kind)
    {
    case TestKind::ForcedReview:
        return {QStringLiteral("強制\n復習"), QStringLiteral("#FFC0FF")};
    case TestKind::LevelUp:
        return {QStringLiteral("レベル\n上げ"), QStringLiteral("#C0FFFF")};
    case TestKind::WeakWords:
        return {QStringLiteral("苦手"), WeakWords::BadgeColor};
    case TestKind::Listening:
    case TestKind::ListeningWeakWords:
        return {QStringLiteral("聞き\n取り"), ListeningBadgeColor};
    case TestKind::Dictation:
    case TestKind::DictationWeakWords:
        return {QStringLiteral("書き\n取り"), ListeningBadgeColor};
    case TestKind::Preview:
        break;
    }
    return {firstChoice ? QStringLiteral("予習") : QStringLiteral("復習"), QStringLiteral("#C0FFC0")};
}

QString TestRules::ScheduleNote(const WordSchedule &schedule)
{
    using Effect = WordSchedule::Effect;
    const QString step = QStringLiteral("%1/%2").arg(schedule.step).arg(WordSchedule::Steps);
    switch (schedule.lastEffect)
    {
    case Effect::None:
        return {};
    case Effect::Missed:
        return step + QStringLiteral(" 最初から");
    case Effect::Slow:
        return step + QStringLiteral(" 遅くて数えず");
    case Effect::SlowMiss:
        return step + QStringLiteral(" 遅い答えが続いた");
    case Effect::Early:
        return step + QStringLiteral(" 予定日前で数えず");
    case Effect::Stepped:
        return step;
    case Effect::Left:
        return QStringLiteral("%1/%1 覚えた！").arg(WordSchedule::Steps);
    }
    return {};
}

QString TestRules::EarlyPracticeQuestion(const QDate &nextDay, int count, const QDate &today, int practised)
{
    // The practice may take more words than that day's, or fewer: it says how many.
    const QString words = practised == count ? QStringLiteral("その単語") : QStringLiteral("予定の近い%1語").arg(practised);
    return QStringLiteral("今日復習する苦手単語はありません。\n"
                          "次は%1（%2日後）に%3語を復習する予定です。\n\n"
                          "%4を今すぐ練習しますか？\n予定日より前の正解は、復習の段階に数えません。")
        .arg(nextDay.toString(QStringLiteral("M月d日")))
        .arg(today.daysTo(nextDay))
        .arg(count)
        .arg(words);
}

QString TestRules::WeakWordsCaption(int dueCount)
{
    return QStringLiteral("苦手単語 %1語").arg(dueCount);
}

QString TestRules::QuestionsCaption(int count)
{
    return QStringLiteral("出題数%1問").arg(count);
}

QString TestRules::TimeLimitCaption(int seconds)
{
    return QStringLiteral("制限時間%1秒").arg(seconds);
}

QString TestRules::LevelStatusCaption(int level)
{
    return QStringLiteral("LEVEL : %1").arg(level);
}

QString TestRules::FailCountCaption(int count)
{
    return QStringLiteral("不合格 : %1回").arg(count);
}

QString TestRules::TestLevelCaption(int level)
{
    return QStringLiteral("【 LEVEL：%1 の問題 】").arg(level);
}

QString TestRules::PracticeCaption()
{
    return QStringLiteral("【 苦手単語の練習 】");
}

QString TestRules::ListeningCaption(TestKind kind, int level)
{
    const QString test = TestKinds::isDictation(kind) ? QStringLiteral("書き取り") : QStringLiteral("聞き取り");
    if (TestKinds::practisesWeakWords(kind))
        return QStringLiteral("【 %1：苦手単語 】").arg(test);
    return QStringLiteral("【 %1：LEVEL 1〜%2 】").arg(test).arg(level);
}

QString TestRules::QuestionNumberCaption(int number)
{
    return QStringLiteral("第%1問").arg(number);
}

QString TestRules::CounterText(double seconds)
{
    return QString::number(roundTo(seconds, 0), 'f', 0);
}

QString TestRules::SecondsText(double seconds)
{
    return QString::number(roundTo(seconds, 3), 'f', 3) + QStringLiteral("秒");
}
