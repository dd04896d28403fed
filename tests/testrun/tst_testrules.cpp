#include <QSet>
#include <QTest>

#include "testrun/testrules.h"
#include "bank/questions.h"
#include "judge/judgetable.h"
#include "records/recordsstore.h"
#include "testsupport.h"

using Color = EmphasisColor;

class TestRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void levelMoves_data();
    void levelMoves();
    void topLevelReached_data();
    void topLevelReached();
    void practiceMovesNothing_data();
    void practiceMovesNothing();
    void passMarkFollowsTestLevel_data();
    void passMarkFollowsTestLevel();
    void bestMarks();
    void previewAboveLevelSetsNoBests();
    void shownTimeIsCappedAtLimit();
    void highestLevelGetsItsDate();
    void scoredRecordsSurviveSaveAndLoad();
    void forcedReviewDraw_data();
    void forcedReviewDraw();
    void questionsOfOneLevelAreDistinct();
    void distractorsAvoidTheOthers();
    void beginningsAreDrawnAgain();
    void distractorsNeverCutTheAnswerShort_data();
    void distractorsNeverCutTheAnswerShort();
    void testLevelStaysInsideTheBank_data();
    void testLevelStaysInsideTheBank();
    void noTestWithoutAWholeLevel_data();
    void noTestWithoutAWholeLevel();
    void levelChoices_data();
    void levelChoices();
    void numberFormats_data();
    void numberFormats();
    void pronunciationOnlyForStandardJapanese_data();
    void pronunciationOnlyForStandardJapanese();

private:
    // A bank of the given typing texts.
    static void bankOf(const QStringList &keys)
    {
        Common::ResetState();
        for (const QString &text : keys)
            Common::QuestionBank.append({QStringLiteral("問"), text, text, {}});
        Common::QuestionCount = int(keys.size());
    }

    // A standard bank of 100 LEVELs with fresh records.
    static void standardState()
    {
        Common::ResetState();
        Common::QuestionCount = 1700;
        Common::QuestionsPerLevel = 17;
        Common::LevelCount = 100;
        Common::PassPoint = 80;
        Common::HighLevelPassPoint = 90;
        Common::CurrentTimeLimit = 50;
        Common::LevelRecords = QList<Common::LevelRecord>(101);
    }
};

void TestRulesTest::levelMoves_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("fails");
    QTest::addColumn<int>("testLevel");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<int>("newLevel");
    QTest::addColumn<int>("newFails");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("color");
    // Counters of row testLevel: challenge pass, challenge fail, practice pass, practice fail.
    QTest::addColumn<QList<int>>("counters");

    QTest::newRow("L passed") << "L" << 8 << 7 << 2 << 8 << true << 8 << 0 << "レベルアップです！！"
                              << int(Color::Red) << QList<int>{1, 0, 0, 0};
    QTest::newRow("L first failure") << "L" << 7 << 7 << 0 << 8 << false << 7 << 1
                                     << "予習不足！レベルアップならず" << int(Color::Black) << QList<int>{0, 1, 0, 0};
    QTest::newRow("L second failure") << "L" << 0 << 7 << 1 << 8 << false << 7 << 2
                                      << "予習不足！レベルアップならず" << int(Color::Black) << QList<int>{0, 1, 0, 0};
    QTest::newRow("L third failure") << "L" << 7 << 7 << 2 << 8 << false << 6 << 0 << "予習不足！レベルダウン！！"
                                     << int(Color::Blue) << QList<int>{0, 1, 0, 0};
    QTest::newRow("L at LEVEL 0 keeps counting") << "L" << 3 << 0 << 2 << 1 << false << 0 << 3
                                                 << "予習不足！レベルアップならず" << int(Color::Black)
                                                 << QList<int>{0, 1, 0, 0};
    QTest::newRow("K passed") << "K" << 8 << 9 << 1 << 4 << true << 9 << 1 << "レベルを死守しました！！"
                              << int(Color::Red) << QList<int>{0, 0, 1, 0};
    QTest::newRow("K failed") << "K" << 7 << 9 << 1 << 4 << false << 8 << 0 << "復習不足！レベルダウン！！"
                              << int(Color::Blue) << QList<int>{0, 0, 0, 1};
    QTest::newRow("P passed") << "P" << 8 << 80 << 1 << 80 << true << 80 << 1 << "その調子です！！"
                              << int(Color::Red) << QList<int>{0, 0, 1, 0};
    QTest::newRow("P failed") << "P" << 2 << 5 << 2 << 3 << false << 5 << 2 << "学習が不足しています"
                              << int(Color::Black) << QList<int>{0, 0, 0, 1};
    QTest::newRow("stopped before any key") << "L" << 0 << 3 << 0 << 4 << false << 3 << 1
                                            << "予習不足！レベルアップならず" << int(Color::Black)
                                            << QList<int>{0, 1, 0, 0};
}

void TestRulesTest::levelMoves()
{
    QFETCH(QString, mode);
    QFETCH(int, correct);
    QFETCH(int, level);
    QFETCH(int, fails);
    QFETCH(int, testLevel);
    standardState();
    Common::TestMode = TestKinds::fromLetter(mode).value();
    Common::TestCorrectCount = correct;
    Common::CurrentLevel = level;
    Common::HighestLevel = 100;
    Common::FailCount = fails;
    Common::TestLevel = testLevel;

    const TestOutcome outcome = TestRules::ScoreTest(30000, QDate(2024, 5, 1));

    QTEST(outcome.passed, "passed");
    QCOMPARE(outcome.score, correct * 10);
    QTEST(Common::CurrentLevel, "newLevel");
    QTEST(outcome.level, "newLevel");
    QTEST(Common::FailCount, "newFails");
    QTEST(outcome.levelMessage, "message");
    QTEST(int(outcome.levelMessageColor), "color");
    const Common::LevelRecord &row = Common::LevelRecords[testLevel];
    QTEST((QList<int>{row.ChallengePassCount, row.ChallengeFailCount, row.PracticePassCount, row.PracticeFailCount}),
          "counters");
}

void TestRulesTest::topLevelReached_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("correct");
    QTest::addColumn<bool>("reached");

    QTest::newRow("L passed to the top") << "L" << 99 << 9 << true;
    QTest::newRow("L failed below the top") << "L" << 99 << 8 << false;
    QTest::newRow("L passed below the top") << "L" << 98 << 10 << false;
    QTest::newRow("K passed at the top") << "K" << 100 << 10 << false;
    QTest::newRow("P at the top passed") << "P" << 100 << 10 << false;
}

// Only a level-up challenge that reaches the top LEVEL earns the certificate.
void TestRulesTest::topLevelReached()
{
    QFETCH(QString, mode);
    QFETCH(int, level);
    QFETCH(int, correct);
    standardState();
    Common::TestMode = TestKinds::fromLetter(mode).value();
    Common::CurrentLevel = level;
    Common::TestLevel = mode == u"L" ? level + 1 : 100;
    Common::TestCorrectCount = correct;

    QTEST(TestRules::ScoreTest(30000, QDate(2024, 5, 1)).topLevelReached, "reached");
}

void TestRulesTest::practiceMovesNothing_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QString>("message");

    QTest::newRow("10 words, 8 correct") << 10 << 8 << 80 << true << "その調子です！！";
    QTest::newRow("10 words, 7 correct") << 10 << 7 << 80 << false << "学習が不足しています";
    QTest::newRow("3 words, all correct") << 3 << 3 << 24 << true << "その調子です！！";
    QTest::newRow("3 words, 2 correct") << 3 << 2 << 24 << false << "学習が不足しています";
    QTest::newRow("1 word, none correct") << 1 << 0 << 8 << false << "学習が不足しています";
}

void TestRulesTest::practiceMovesNothing()
{
    QFETCH(int, questions);
    QFETCH(int, correct);
    standardState();
    Common::TestMode = TestKind::WeakWords;
    Common::TestCorrectCount = correct;
    Common::CurrentLevel = Common::HighestLevel = 7;
    Common::FailCount = 2;
    Common::TestLevel = 0;
    const QList<Common::LevelRecord> rows = Common::LevelRecords;

    const TestOutcome outcome = TestRules::ScorePractice(questions, 250000);

    QCOMPARE(outcome.score, correct * 10);
    QTEST(outcome.passMark, "passMark");
    QTEST(outcome.passed, "passed");
    QTEST(outcome.levelMessage, "message");
    QCOMPARE(outcome.level, 7);
    QCOMPARE(outcome.shownSeconds, 50.0);
    QVERIFY(!outcome.newBestTime);
    QCOMPARE(Common::CurrentLevel, 7);
    QCOMPARE(Common::HighestLevel, 7);
    QCOMPARE(Common::FailCount, 2);
    QCOMPARE(Common::LevelRecords, rows);
}

void TestRulesTest::passMarkFollowsTestLevel_data()
{
    QTest::addColumn<int>("highLevelPass");
    QTest::addColumn<int>("testLevel");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<bool>("passed");

    QTest::newRow("LEVEL 80, 8 correct") << 90 << 80 << 8 << 80 << true;
    QTest::newRow("LEVEL 81, 8 correct") << 90 << 81 << 8 << 90 << false;
    QTest::newRow("LEVEL 81, 9 correct") << 90 << 81 << 9 << 90 << true;
    QTest::newRow("user bank, one mark") << 80 << 95 << 8 << 80 << true;
}

void TestRulesTest::passMarkFollowsTestLevel()
{
    QFETCH(int, highLevelPass);
    QFETCH(int, testLevel);
    QFETCH(int, correct);
    standardState();
    Common::HighLevelPassPoint = highLevelPass;
    Common::TestMode = TestKind::LevelUp;
    Common::CurrentLevel = testLevel - 1;
    Common::HighestLevel = testLevel - 1;
    Common::TestLevel = testLevel;
    Common::TestCorrectCount = correct;

    const TestOutcome outcome = TestRules::ScoreTest(20000, QDate(2024, 5, 1));

    QTEST(outcome.passMark, "passMark");
    QTEST(outcome.passed, "passed");
    QCOMPARE(Common::CurrentLevel, outcome.passed ? testLevel : testLevel - 1);
}

void TestRulesTest::bestMarks()
{
    standardState();
    Common::TestMode = TestKind::Preview;
    Common::CurrentLevel = 5;
    Common::HighestLevel = 5;
    Common::TestLevel = 3;
    const QDate first(2024, 5, 1);
    const QDate later(2024, 6, 2);
    const Common::LevelRecord &row = Common::LevelRecords[3];

    Common::TestCorrectCount = 10;
    TestOutcome outcome = TestRules::ScoreTest(41250, first);
    QVERIFY(outcome.newBestTime);
    QCOMPARE(outcome.shownSeconds, 41.25);
    QCOMPARE(row.BestTime, 41250.0);
    QCOMPARE(row.BestTimeDate, first);
    QCOMPARE(row.BestScore, 100);
    QCOMPARE(row.BestScoreDate, first);

    outcome = TestRules::ScoreTest(45000, later);
    QVERIFY(!outcome.newBestTime);
    QCOMPARE(row.BestTime, 41250.0);
    QCOMPARE(row.BestTimeDate, first);
    QCOMPARE(row.BestScoreDate, first);

    // Nine answers never make a best time, however fast.
    Common::TestLevel = 4;
    Common::TestCorrectCount = 9;
    outcome = TestRules::ScoreTest(1000, later);
    QVERIFY(!outcome.newBestTime);
    QCOMPARE(Common::LevelRecords[4].BestTime, 0.0);
    QCOMPARE(Common::LevelRecords[4].BestScore, 90);
    QCOMPARE(Common::LevelRecords[4].BestScoreDate, later);
}

void TestRulesTest::previewAboveLevelSetsNoBests()
{
    standardState();
    Common::TestMode = TestKind::Preview;
    Common::CurrentLevel = 5;
    Common::HighestLevel = 5;
    Common::TestLevel = 6;
    Common::TestCorrectCount = 10;

    const TestOutcome outcome = TestRules::ScoreTest(30000, QDate(2024, 5, 1));

    QVERIFY(outcome.passed);
    QVERIFY(!outcome.newBestTime);
    const Common::LevelRecord &row = Common::LevelRecords[6];
    QCOMPARE(row.PracticePassCount, 1);
    QCOMPARE(row.BestScore, 0);
    QCOMPARE(row.BestTime, 0.0);
    QCOMPARE(Common::CurrentLevel, 5);
}

void TestRulesTest::shownTimeIsCappedAtLimit()
{
    standardState();
    Common::TestMode = TestKind::LevelUp;
    Common::TestLevel = 1;
    Common::TestCorrectCount = 10;

    // The last tick came 80 ms after the limit: the limit is shown, the real time is stored.
    const TestOutcome outcome = TestRules::ScoreTest(50080, QDate(2024, 5, 1));

    QCOMPARE(outcome.shownSeconds, 50.0);
    QCOMPARE(TestRules::SecondsText(outcome.shownSeconds), QStringLiteral("50.000秒"));
    QCOMPARE(Common::LevelRecords[1].BestTime, 50080.0);
}

void TestRulesTest::highestLevelGetsItsDate()
{
    standardState();
    Common::TestMode = TestKind::LevelUp;
    Common::CurrentLevel = 3;
    Common::HighestLevel = 3;
    Common::TestLevel = 4;
    Common::TestCorrectCount = 8;
    const QDate day(2024, 7, 3);

    TestRules::ScoreTest(30000, day);
    QCOMPARE(Common::HighestLevel, 4);
    QCOMPARE(Common::LevelRecords[4].ReachedDate, day);

    // Climbing back to a LEVEL reached before keeps its first date.
    Common::CurrentLevel = 2;
    Common::TestLevel = 3;
    TestRules::ScoreTest(30000, day.addDays(5));
    QCOMPARE(Common::HighestLevel, 4);
    QCOMPARE(Common::LevelRecords[3].ReachedDate, QDate());
}

void TestRulesTest::scoredRecordsSurviveSaveAndLoad()
{
    ProgramFolderFixture folder;
    folder.writeStandardBank(17 * 12);
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
    Common::CurrentTimeLimit = 50;
    Common::TestMode = TestKind::LevelUp;
    Common::TestLevel = 1;
    Common::TestCorrectCount = 10;
    TestRules::ScoreTest(33333, QDate::currentDate());
    const int level = Common::CurrentLevel;
    const int highest = Common::HighestLevel;
    const QList<Common::LevelRecord> rows = Common::LevelRecords;
    QVERIFY(Common::SaveRecords());

    Common::LoadRecords();

    QCOMPARE(level, 1);
    QCOMPARE(Common::CurrentLevel, level);
    QCOMPARE(Common::HighestLevel, highest);
    QCOMPARE(Common::LevelRecords[1], rows[1]);
    QCOMPARE(Common::LevelRecords[1].BestTime, 33333.0);
    QVERIFY(folder.messages().isEmpty());
}

void TestRulesTest::forcedReviewDraw_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("r");
    QTest::addColumn<bool>("forced");

    QTest::newRow("LEVEL 4 never") << "有り" << 4 << 0.0 << false;
    QTest::newRow("LEVEL 5 below 20%") << "有り" << 5 << 0.19 << true;
    QTest::newRow("LEVEL 5 above 20%") << "有り" << 5 << 0.21 << false;
    QTest::newRow("LEVEL 55 below 30%") << "有り" << 55 << 0.29 << true;
    QTest::newRow("LEVEL 55 above 30%") << "有り" << 55 << 0.31 << false;
    QTest::newRow("LEVEL 99 below 39%") << "有り" << 99 << 0.387 << true;
    QTest::newRow("switched off") << "無し" << 50 << 0.0 << false;
}

void TestRulesTest::forcedReviewDraw()
{
    QFETCH(QString, setting);
    QFETCH(int, level);
    QFETCH(double, r);
    standardState();
    Common::ForcedReview = setting;
    Common::CurrentLevel = level;
    Random::setSource([r] { return r; });

    QTEST(TestRules::DrawForcedReview(), "forced");

    // The LEVEL of a forced review lies between 1 and the learner's.
    Random::setSource([] { return 0.999999; });
    QCOMPARE(TestRules::DrawForcedReviewLevel(), level);
    Random::setSource([] { return 0.0; });
    QCOMPARE(TestRules::DrawForcedReviewLevel(), 1);
    Random::setSource({});
}

void TestRulesTest::questionsOfOneLevelAreDistinct()
{
    standardState();
    Common::QuestionBank = QList<Common::QuestionEntry>(1700);
    Random::seed(7);
    for (int test = 0; test < 20; ++test)
    {
        TestRules::ResetTestRun();
        Common::TestLevel = 3;
        QSet<int> asked;
        for (int n = 0; n < 10; ++n)
        {
            const int q = TestRules::DrawQuestion();
            QVERIFY2(q >= 34 && q <= 50, qPrintable(QString::number(q)));
            Common::QuestionBank[q].UsedMark = QStringLiteral("1");
            asked.insert(q);
        }
        QCOMPARE(asked.size(), 10);
    }
    TestRules::ResetTestRun();
    QVERIFY(std::all_of(Common::QuestionBank.cbegin(), Common::QuestionBank.cend(),
                        [](const Common::QuestionEntry &e) { return e.UsedMark.isEmpty(); }));
}

void TestRulesTest::distractorsAvoidTheOthers()
{
    standardState();
    Common::QuestionCount = 3;
    // Scripted draws that hit the excluded indexes first.
    QList<double> values{0.0, 0.5, 0.9};
    Random::setSource([&values] { return values.isEmpty() ? 0.9 : values.takeFirst(); });
    QCOMPARE(TestRules::DrawDistractor(0, 1), 2);
    Random::setSource({});
    Random::seed(3);
    for (int i = 0; i < 200; ++i)
    {
        const int q = TestRules::DrawDistractor(1, 2);
        QCOMPARE(q, 0);
    }
}

void TestRulesTest::beginningsAreDrawnAgain()
{
    JudgeTableSet::BuildJudgeTable();
    bankOf({u"わたしたち"_qs, u"わたし"_qs, u"ほん"_qs});
    const double index1 = 1.5 / 3;
    const double index2 = 2.5 / 3;
    const double unused = 0.25;
    QList<double> values;
    Random::setSource([&values] { return values.takeFirst(); });

    // A beginning is drawn again, as the question is; nothing else draws again.
    values = {index1, 0.0, index1, index2, unused};
    QCOMPARE(TestRules::DrawDistractor(0), 2);
    QCOMPARE(values, QList<double>{unused});
    values = {index2, unused};
    QCOMPARE(TestRules::DrawDistractor(0), 2);
    QCOMPARE(values, QList<double>{unused});
    // The question わたし cuts nothing short: わたしたち stands beside it.
    values = {0.0, unused};
    QCOMPARE(TestRules::DrawDistractor(1), 0);
    QCOMPARE(values, QList<double>{unused});
    Random::setSource({});
}

void TestRulesTest::distractorsNeverCutTheAnswerShort_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("question");
    // The indexes that may stand beside the question as wrong answers.
    QTest::addColumn<QList<int>>("fitting");

    QTest::newRow("every other answer a beginning")
        << QStringList{u"わたしたち"_qs, u"わ"_qs, u"ほん"_qs, u"わたし"_qs, u"ねこ"_qs, u"わた"_qs,
                       u"わたしたち"_qs, u"わたした"_qs, u"いぬ"_qs}
        << 0 << QList<int>{2, 4, 6, 8};
    QTest::newRow("only equal answers") << QStringList(5, u"わたし"_qs) << 2 << QList<int>{0, 1, 3, 4};
    QTest::newRow("英訳 he/here") << QStringList{"here", "he", "help", "her", "hear", "h", "heres"} << 0
                                 << QList<int>{2, 4, 6};
    QTest::newRow("kana keys: か and が before がっこう")
        << QStringList{u"がっこう"_qs, u"か"_qs, u"が"_qs, u"かっこう"_qs} << 0 << QList<int>{3};
    QTest::newRow("only beginnings") << QStringList{u"わたしたち"_qs, u"わ"_qs, u"わた"_qs, u"わたし"_qs} << 0
                                     << QList<int>{};
}

void TestRulesTest::distractorsNeverCutTheAnswerShort()
{
    QFETCH(QStringList, keys);
    QFETCH(int, question);
    QFETCH(QList<int>, fitting);
    JudgeTableSet::BuildJudgeTable();
    bankOf(keys);
    Random::seed(15);

    QSet<int> shown;
    for (int draw = 0; draw < 200; ++draw)
    {
        const int first = TestRules::DrawDistractor(question);
        const int second = TestRules::DrawDistractor(question, first);
        shown << first << second;
        if (fitting.size() >= 2)
        {
            QVERIFY(first != second);
            continue;
        }
        // With one fitting answer it stands twice; with none, every box shows
        // the answer itself, and typing it in any box scores (slot 0 is judged first).
        QCOMPARE(first, fitting.value(0, question));
        QCOMPARE(second, first);
    }
    const QList<int> expected = fitting.isEmpty() ? QList<int>{question} : fitting;
    QCOMPARE(shown, QSet<int>(expected.cbegin(), expected.cend()));
}

void TestRulesTest::testLevelStaysInsideTheBank_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("level");

    QTest::newRow("inside") << 1700 << 37 << 37;
    QTest::newRow("above the bank") << 1700 << 101 << 100;
    QTest::newRow("rounded down") << 1705 << 101 << 100;
    QTest::newRow("no choice") << 1700 << 0 << 1;
}

void TestRulesTest::testLevelStaysInsideTheBank()
{
    QFETCH(int, count);
    QFETCH(int, chosen);
    standardState();
    Common::QuestionCount = count;
    QTEST(TestRules::LimitTestLevel(chosen), "level");
}

void TestRulesTest::noTestWithoutAWholeLevel_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perLevel");
    QTest::addColumn<bool>("canStart");

    QTest::newRow("no bank") << 0 << 17 << false;
    QTest::newRow("one question") << 1 << 17 << false;
    QTest::newRow("16 of 17") << 16 << 17 << false;
    QTest::newRow("17 of 17") << 17 << 17 << true;
    QTest::newRow("no questions per LEVEL") << 30 << 0 << false;
}

// A bank chosen in the settings after start-up may hold no whole LEVEL: no
// test starts, and no draw ever reaches past the bank.
void TestRulesTest::noTestWithoutAWholeLevel()
{
    QFETCH(int, count);
    QFETCH(int, perLevel);
    standardState();
    Common::QuestionCount = count;
    Common::QuestionsPerLevel = perLevel;
    Common::QuestionBank = QList<Common::QuestionEntry>(count);
    QTEST(TestRules::CanStartTest(), "canStart");

    Common::TestLevel = 1;
    Random::seed(11);
    for (int n = 0; n < count; ++n)
    {
        const int q = TestRules::DrawQuestion();
        QVERIFY2(q >= 0 && q < count, qPrintable(QString::number(q)));
        Common::QuestionBank[q].UsedMark = QStringLiteral("1");
    }
}

void TestRulesTest::levelChoices_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("levelCount");
    QTest::addColumn<QStringList>("choices");

    QTest::newRow("LEVEL 0") << 0 << 100 << QStringList{"1"};
    QTest::newRow("LEVEL 7") << 7 << 100 << QStringList{"8", "7", "6", "5", "4", "3", "2", "1"};
    QTest::newRow("top LEVEL") << 3 << 3 << QStringList{"3", "2", "1"};
    QTest::newRow("one LEVEL, not passed") << 0 << 1 << QStringList{"1"};
}

void TestRulesTest::levelChoices()
{
    QFETCH(int, level);
    QFETCH(int, levelCount);
    standardState();
    Common::CurrentLevel = level;
    Common::LevelCount = levelCount;
    QTEST(TestRules::LevelChoices(), "choices");
    QCOMPARE(TestRules::AtTopLevel(), level == levelCount);
}

void TestRulesTest::numberFormats_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("shown");

    QTest::newRow("start") << 0.0 << "0" << "0.000秒";
    QTest::newRow("12.4 s") << 12.4 << "12" << "12.400秒";
    QTest::newRow("12.6 s") << 12.6 << "13" << "12.600秒";
    QTest::newRow("half rounds up") << 12.5 << "13" << "12.500秒";
    QTest::newRow("41.25 s") << 41.25 << "41" << "41.250秒";
    QTest::newRow("300 s") << 300.0 << "300" << "300.000秒";
}

void TestRulesTest::numberFormats()
{
    QFETCH(double, seconds);
    QTEST(TestRules::CounterText(seconds), "counter");
    QTEST(TestRules::SecondsText(seconds), "shown");
}

void TestRulesTest::pronunciationOnlyForStandardJapanese_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("wanted");

    QTest::newRow("standard 和訳") << "" << "和訳" << true << true;
    QTest::newRow("sound off") << "" << "和訳" << false << false;
    QTest::newRow("standard 英訳") << "STANDARD" << "英訳" << true << false;
    QTest::newRow("user bank") << "USER" << "和訳" << true << false;
}

void TestRulesTest::pronunciationOnlyForStandardJapanese()
{
    QFETCH(QString, kind);
    QFETCH(QString, direction);
    QFETCH(bool, option);
    ProgramFolderFixture folder;
    folder.setCommon(Common::KeyTextKind, kind);
    folder.setCommon(Common::KeyTransMode, direction);
    QTEST(TestRules::PronunciationWanted(option), "wanted");
}

QTEST_GUILESS_MAIN(TestRulesTest)
#include "tst_testrules.moc"
