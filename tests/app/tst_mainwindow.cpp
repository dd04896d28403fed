#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <random>

#include "app/mainwindow.h"
#include "app/noticebar.h"
#include "app/targetbox.h"
#include "bank/questions.h"
#include "core/message.h"
#include "help/pageopener.h"
#include "history/historybackups.h"
#include "history/historysupport.h"
#include "history/historywindow.h"
#include "history/weakhistory.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/keycodelookup.h"
#include "judge/keycodetable.h"
#include "judge/keymapping.h"
#include "listening/listeningtest.h"
#include "listening/listeningword.h"
#include "practice/weakwords.h"
#include "records/recordbackups.h"
#include "records/recordrestore.h"
#include "records/recordsstore.h"
#include "records/unsavedrecords.h"
#include "testrun/testrules.h"
#include "testsupport.h"
#include "testsupport_ui.h"
#include "transfer/learnerexport.h"
#include "transfersupport.h"

namespace
{
    struct KeyPress
    {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
    };

    // Which Qt key types a character, found through the program's own key
    // mapping, so a test types exactly what a learner's keyboard sends.
    QHash<QString, KeyPress> romaKeys;
    QHash<QString, KeyPress> kanaKeys;

    void buildKeyMaps()
    {
        CodeChangeTableSet::BuildKeyCodeTable();
        QList<int> qtKeys;
        for (int key = 0x20; key <= 0x7e; ++key)
            qtKeys << key;
        qtKeys << Qt::Key_yen << Qt::Key_Underscore;
        for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)})
        {
            for (int key : qtKeys)
            {
                const VirtualKey vk = virtualKeyFromEvent(0, key, modifiers);
                CodeChage::KeyLookup lookup;
                lookup.KeyCodeIn = vk.keyCode;
                lookup.ShiftIn = vk.shift;
                CodeChage::LookupKeyCode(lookup);
                if (vk.keyCode == 0 || lookup.KeyNotFound != u"0")
                    continue;
                if (!lookup.KeyRomaChar.isEmpty() && !romaKeys.contains(lookup.KeyRomaChar))
                    romaKeys.insert(lookup.KeyRomaChar, {key, modifiers});
                if (!lookup.KeyKanaChar.isEmpty() && !kanaKeys.contains(lookup.KeyKanaChar))
                    kanaKeys.insert(lookup.KeyKanaChar, {key, modifiers});
            }
        }
    }

    // Readings of plain kana, every one three characters and different, so no
    // answer is the beginning of another.
    QString reading(int i)
    {
        static const QString kana = QStringLiteral("かきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも");
        return QString(kana[i % kana.size()]) + kana[(i / kana.size()) % kana.size()] + QStringLiteral("い");
    }

    QString english(int i)
    {
        return QStringLiteral("w") + QChar(u'a' + i % 26) + QChar(u'a' + (i / 26) % 26);
    }

    QStringList standardBank(int count)
    {
        QStringList groups;
        for (int i = 0; i < count; ++i)
            groups << english(i) << QStringLiteral("意味%1").arg(i) << reading(i);
        return groups;
    }

    QStringList folderFiles(const QString &path)
    {
        QStringList files;
        QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }
}

// One main window on a prepared program folder, with a clock and random
// numbers the test drives and every notice answered from the test.
class Session
{
public:
    explicit Session(const QStringList &bank, const QString &direction = QString())
    {
        if (!direction.isEmpty())
            folder.setCommon(Common::KeyTransMode, direction);
        folder.writeStandardBank(bank);
        Clock::setSource([this] { return now; });
    }

    ~Session()
    {
        window.reset();
        Clock::setSource({});
    }

    bool load()
    {
        window = std::make_unique<MainWindow>();
        const bool loaded = window->Form_Load();
        Random::seed(20240501);
        return loaded;
    }

    // The first draws are given; the rest come from a fixed generator.
    void scriptRandom(QList<double> first)
    {
        Random::setSource([first, engine = std::mt19937(7)]() mutable {
            if (!first.isEmpty())
                return first.takeFirst();
            return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
        });
    }

    template <typename T>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = {}, QWidget *to = nullptr)
    {
        QTest::keyClick(to ? to : window.get(), Qt::Key(key), modifiers);
    }

    void type(const QString &text)
    {
        // In kana input, letters and digits are typed directly.
        const bool kana = !window->Option1->isChecked();
        for (QChar c : text)
        {
            const KeyPress press = kana && kanaKeys.contains(QString(c)) ? kanaKeys.value(QString(c))
                                                                         : romaKeys.value(QString(c), {-1, {}});
            QVERIFY2(press.key >= 0, qPrintable(QStringLiteral("no key types ") + c));
            key(press.key, press.modifiers);
        }
    }

    // Types the whole candidate of a slot, as its guide shows it.
    void answer(int slot)
    {
        const QString keys = TargetGuide()[slot];
        QVERIFY(!keys.isEmpty());
        type(keys);
    }

    // The labels of the result view, read while it is open.
    void watchResult()
    {
        modals.answer(QStringLiteral("Result"), [this](QDialog &dialog) {
            resultTime = dialog.findChild<QLabel *>(QStringLiteral("Label18"))->text();
            resultRecord = dialog.findChild<QLabel *>(QStringLiteral("Label19"))->text();
            dialog.close();
        });
    }

    bool running() const { return window->session() && window->session()->TestState == TestRules::Running; }

    // The targets of the question on screen, field by field.
    template <typename T, typename Field>
    std::array<T, 3> targetField(Field field) const
    {
        std::array<T, 3> values {};
        for (int slot = 0; slot < 3; ++slot)
            values[slot] = field(window->session()->targets()[slot]);
        return values;
    }
    std::array<int, 3> TargetQuestion() const { return targetField<int>([](const Target &t) { return t.question; }); }
    std::array<int, 3> TargetPicture() const { return targetField<int>([](const Target &t) { return t.box; }); }
    std::array<int, 3> TargetPos() const { return targetField<int>([](const Target &t) { return t.pos; }); }
    std::array<QString, 3> TargetTyped() const { return targetField<QString>([](const Target &t) { return t.typed; }); }
    std::array<QString, 3> TargetGuide() const { return targetField<QString>([](const Target &t) { return t.guide; }); }
    std::array<QString, 3> TargetAlive() const
    {
        return targetField<QString>([](const Target &t) { return t.alive ? QStringLiteral("1") : QString(); });
    }

    ProgramFolderFixture folder;
    ModalRecorder modals;
    SoundRecorder sounds;
    double now = 1000;
    std::unique_ptr<MainWindow> window;
    QString resultTime;
    QString resultRecord;
};

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpNeedsOneLevel_data();
    void startUpNeedsOneLevel();
    void noTestWithoutAWholeLevel_data();
    void noTestWithoutAWholeLevel();
    void wholeTestTyped_data();
    void wholeTestTyped();
    void wrongCandidatesCompleted();
    void stoppedByEnter();
    void timedOutShowsTheLimit();
    void narrowingAndEsc_data();
    void narrowingAndEsc();
    void sameTextCountsAsCorrect();
    void capitalTypedWithShift_data();
    void capitalTypedWithShift();
    void beginningOfTheAnswerIsNeverShown_data();
    void beginningOfTheAnswerIsNeverShown();
    void levelMoves_data();
    void levelMoves();
    void previewCountsButSetsNoBests();
    void topLevelNotices_data();
    void topLevelNotices();
    void keysReachTheWindowFirst_data();
    void keysReachTheWindowFirst();
    void altReachesTheMenusDuringATest();
    void closingScoresTheRunningTest();
    void listeningFromTheMenu_data();
    void listeningFromTheMenu();
    void questionSettingsEndTheRunningTest_data();
    void questionSettingsEndTheRunningTest();
    void longAnswersStayInView();
    void boxesTakeTheRoomOfALargerWindow();
    void menusOpenTheirDialogs();
    void restoreFromTheFileMenuRefreshes();
    void levelListKeepsAValidChoice();
    void statusFollowsTheSettings();
    void inputMethodSwitchedMidWord();
    void pronunciation_data();
    void pronunciation();
    void bankTextIsShownAsWritten();
    void readingWithVuAnswered_data();
    void readingWithVuAnswered();
    void historyKeepsEveryQuestion();
    void practiceAsksTheDueWords();
    void practiceSizeFollowsTheMenu_data();
    void practiceSizeFollowsTheMenu();
    void practisedWordLeavesOnItsSchedule();
    void nothingToPractise();
    void unreadableHistoryHasNothingToPractise();
    void historyFaultsLeaveTheRecordsAsTheyWouldBe_data();
    void historyFaultsLeaveTheRecordsAsTheyWouldBe();
    void stoppedQuestionIsNoMiss_data();
    void stoppedQuestionIsNoMiss();
    void unsavedRecordsAtQuit_data();
    void unsavedRecordsAtQuit();
    void damagedHistoryIsToldInTheWindow();
    void historyComesBackFromItsBackup_data();
    void historyComesBackFromItsBackup();
    void studyImportedFromTheFileMenu();
};

void MainWindowTest::initTestCase()
{
    // Closing the window in a test must not end the test program.
    QApplication::setQuitOnLastWindowClosed(false);
    buildKeyMaps();
    QVERIFY(!romaKeys.isEmpty());
    QVERIFY(!kanaKeys.isEmpty());
}

void MainWindowTest::startUpNeedsOneLevel_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("loads");

    QTest::newRow("16 questions") << 16 << false;
    QTest::newRow("17 questions") << 17 << true;
}

void MainWindowTest::startUpNeedsOneLevel()
{
    QFETCH(int, count);
    QFETCH(bool, loads);
    ProgramFolderFixture folder;
    folder.writeStandardBank(standardBank(count));
    MainWindow window;

    QCOMPARE(window.Form_Load(), loads);

    if (!loads)
    {
        QCOMPARE(folder.messages(),
                 QStringList{QStringLiteral("問題文ファイルが無いか問題数が不足しています。処理続行不能！！")});
        QCOMPARE(folderFiles(folder.path() + QStringLiteral("/ini")), QStringList());
        QCOMPARE(folderFiles(folder.path() + QStringLiteral("/seiseki")), QStringList());
        return;
    }
    QVERIFY(folder.messages().isEmpty());
    QCOMPARE(window.Combo1->count(), 1);
    QCOMPARE(window.Combo1->currentText(), QStringLiteral("1"));
    QVERIFY(!window.Combo1->isEnabled());
    QVERIFY(window.Option3->isChecked());
    QVERIFY(window.Option3->isEnabled());
    QCOMPARE(window.Label4->text(), QStringLiteral("LEVEL : 0"));
    QCOMPARE(window.Label5->text(), QStringLiteral("不合格 : 0回"));
    QCOMPARE(window.Label8->text(), QStringLiteral("出題数10問"));
    QCOMPARE(window.Label12->text(), QStringLiteral("制限時間50秒"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Vocamira      < 標準問題 － 和訳 > "));
    QCOMPARE(window.Command1->text(), QStringLiteral("スタート"));
    QCOMPARE(Common::ReadIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeyInputBy),
             QStringLiteral("ROMA"));
    QCOMPARE(Common::ReadIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound),
             QStringLiteral("ON"));
}

void MainWindowTest::noTestWithoutAWholeLevel_data()
{
    QTest::addColumn<int>("count");

    QTest::newRow("standard bank missing") << 0;
    QTest::newRow("one question") << 1;
    QTest::newRow("16 questions") << 16;
}

// The question settings chose a standard bank that cannot fill one LEVEL:
// Enter only says so.
void MainWindowTest::noTestWithoutAWholeLevel()
{
    QFETCH(int, count);
    Session s(standardBank(17 * 2));
    QVERIFY(s.load());
    if (count == 0)
        QVERIFY(QFile::remove(s.folder.filePath(ProgramFolder::StandardWordDir, QStringLiteral("data2.dat"))));
    else
        s.folder.writeStandardBank(standardBank(count));
    s.modals.answer(QStringLiteral("Syutudai"), [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    s.window->MenuSyutudai->trigger();
    QCOMPARE(Common::LevelCount, 0);
    s.folder.takeMessages();

    s.key(Qt::Key_Return);

    QVERIFY(!s.running());
    QCOMPARE(s.folder.messages(), QStringList {QStringLiteral("問題文ファイルが無いか問題数が不足しているため、"
                                                              "テストを開始できません。出題設定で問題文を選び直してください。")});
    QCOMPARE(s.window->Command1->text(), QStringLiteral("スタート"));
}

void MainWindowTest::wholeTestTyped_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("kana");

    QTest::newRow("和訳, romaji") << "和訳" << false;
    QTest::newRow("和訳, kana") << "和訳" << true;
    QTest::newRow("英訳, romaji") << "英訳" << false;
    QTest::newRow("英訳, kana") << "英訳" << true;
}

void MainWindowTest::wholeTestTyped()
{
    QFETCH(QString, direction);
    QFETCH(bool, kana);
    Session s(standardBank(17 * 3), direction);
    QVERIFY(s.load());
    if (kana)
        s.window->Option2->setChecked(true);
    s.watchResult();

    s.key(Qt::Key_Return);
    QVERIFY(s.running());
    QCOMPARE(s.window->Label3->text(), QStringLiteral("【 LEVEL：1 の問題 】"));
    QCOMPARE(s.window->Label7->text(), QStringLiteral("レベル\n上げ"));
    QVERIFY(s.window->Label7->styleSheet().contains(QStringLiteral("#C0FFFF")));
    QCOMPARE(s.window->Command1->text(), QStringLiteral("中断"));
    QCOMPARE(s.window->Label1->font().pointSize(), direction == u"英訳" ? 16 : 22);
    QCOMPARE(s.window->Picture1[0]->guideShown(), direction != u"英訳");

    for (int n = 1; n <= 10; ++n)
    {
        QCOMPARE(s.window->Label15->text(), QStringLiteral("第%1問").arg(n));
        const int q = s.TargetQuestion()[0];
        QVERIFY(q >= 0 && q < 17);
        QCOMPARE(s.window->Label1->text(), Common::QuestionBank[q].Prompt);
        QCOMPARE(s.window->Label2[s.TargetPicture()[0]]->text(), Common::QuestionBank[q].Answer);
        s.now += 1500;
        s.answer(0);
        QCOMPARE(Common::TestMarks[n], TestRules::MarkCorrect);
    }

    QVERIFY(!s.running());
    QCOMPARE(Common::TestCorrectCount, 10);
    QCOMPARE(s.modals.shown(), (QStringList{"EndMessage", "Result"}));
    QCOMPARE(s.resultTime, QStringLiteral("15.000秒"));
    QCOMPARE(s.resultRecord, QStringLiteral("最速記録！"));
    QCOMPARE(s.window->Label4->text(), QStringLiteral("LEVEL : 1"));
    QCOMPARE(s.window->Command1->text(), QStringLiteral("スタート"));
    QVERIFY(s.window->Label1->text().isEmpty());
    QVERIFY(s.window->Label7->text().isEmpty());

    // What the test left on disk reads back the same.
    const QList<Common::LevelRecord> rows = Common::LevelRecords;
    Common::LoadRecords();
    QCOMPARE(Common::CurrentLevel, 1);
    QCOMPARE(Common::LevelRecords[1], rows[1]);
    QCOMPARE(Common::LevelRecords[1].BestTime, 15000.0);
    QCOMPARE(Common::LevelRecords[1].BestScore, 100);
    QCOMPARE(Common::LevelRecords[1].ChallengePassCount, 1);
}

void MainWindowTest::wrongCandidatesCompleted()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    for (int n = 1; n <= 10; ++n)
    {
        s.answer(n % 2 ? 1 : 2);
        QCOMPARE(Common::TestMarks[n], TestRules::MarkWrong);
        QCOMPARE(Common::TestCorrectCount, 0);
    }
    QVERIFY(!s.running());
    QCOMPARE(Common::FailCount, 1);
    QCOMPARE(Common::LevelRecords[1].ChallengeFailCount, 1);
}

void MainWindowTest::stoppedByEnter()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.watchResult();
    s.key(Qt::Key_Return);
    s.type(s.TargetGuide()[0].left(2));
    s.now += 2345;
    s.key(Qt::Key_Enter);

    QVERIFY(!s.running());
    QCOMPARE(Common::TestQuestionIndex, 1);
    QCOMPARE(Common::TestCorrectCount, 0);
    QCOMPARE(s.resultTime, QStringLiteral("2.345秒"));
    QCOMPARE(Common::FailCount, 1);
    QCOMPARE(s.window->Label5->text(), QStringLiteral("不合格 : 1回"));
    Common::LoadRecords();
    QCOMPARE(Common::LevelRecords[1].ChallengeFailCount, 1);
    QCOMPARE(Common::FailCount, 1);
}

void MainWindowTest::timedOutShowsTheLimit()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.watchResult();
    const double start = s.now;
    s.key(Qt::Key_Return);
    QVERIFY(s.window->Timer1->isActive());
    QCOMPARE(s.window->Timer1->interval(), 100);

    s.now = start + 12400;
    s.window->Timer1_Timer();
    QCOMPARE(s.window->Label13->text(), QStringLiteral("12"));
    s.now = start + 12600;
    s.window->Timer1_Timer();
    QCOMPARE(s.window->Label13->text(), QStringLiteral("13"));
    QVERIFY(s.running());

    s.now = start + 50080;
    s.window->Timer1_Timer();
    QVERIFY(!s.running());
    QVERIFY(!s.window->Timer1->isActive());
    QCOMPARE(s.resultTime, QStringLiteral("50.000秒"));
    QVERIFY(s.window->Label13->text().isEmpty());
}

void MainWindowTest::narrowingAndEsc_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<int>("correct");

    QTest::newRow("apple, the correct one") << "e" << "○" << 1;
    QTest::newRow("apply, a wrong one") << "y" << "×" << 0;
}

void MainWindowTest::narrowingAndEsc()
{
    QFETCH(QString, last);
    QStringList bank{"apple", "林檎", "りんご", "apply", "適用", "てきよう", "orange", "橙", "だいだい"};
    bank << standardBank(17).mid(9);
    Session s(bank, QStringLiteral("英訳"));
    QVERIFY(s.load());
    // Not forced, question 0 in box 0, then the wrong answers 1 and 2.
    s.scriptRandom({0.9, 0.0, 0.0, 1.5 / 17, 2.5 / 17});
    s.key(Qt::Key_Return);
    MainWindow &w = *s.window;
    QCOMPARE(s.TargetQuestion(), (std::array<int, 3>{0, 1, 2}));
    QCOMPARE(w.Label2[2]->text(), QStringLiteral("orange"));

    s.type(QStringLiteral("z"));
    QCOMPARE(s.TargetAlive(), (std::array<QString, 3>{"1", "1", "1"}));
    QCOMPARE(w.Picture1[0]->answerParts(), (QStringList{"", "", "apple"}));

    s.type(QStringLiteral("a"));
    QCOMPARE(s.TargetAlive(), (std::array<QString, 3>{"1", "1", ""}));
    QCOMPARE(w.Picture1[0]->answerParts(), (QStringList{"a", "p", "ple"}));
    QCOMPARE(w.Picture1[2]->answerParts(), (QStringList{"", "", "orange"}));

    s.type(QStringLiteral("ppl"));
    QCOMPARE(s.TargetAlive(), (std::array<QString, 3>{"1", "1", ""}));
    QCOMPARE(w.Picture1[1]->answerParts(), (QStringList{"appl", "y", ""}));

    s.key(Qt::Key_Escape);
    QCOMPARE(s.TargetAlive(), (std::array<QString, 3>{"1", "1", "1"}));
    QCOMPARE(s.TargetPos(), (std::array<int, 3>{1, 1, 1}));
    for (int box = 0; box < 3; ++box)
        QCOMPARE(w.Picture1[box]->answerParts().join(QString()), Common::QuestionBank[box].AnswerKeys);
    QCOMPARE(w.Label15->text(), QStringLiteral("第1問"));

    s.type(QStringLiteral("appl") + last);
    QTEST(Common::TestMarks[1], "mark");
    QTEST(Common::TestCorrectCount, "correct");
    QCOMPARE(w.Label15->text(), QStringLiteral("第2問"));
}

void MainWindowTest::sameTextCountsAsCorrect()
{
    QStringList bank{"apple", "林檎", "りんご", "apple", "林檎の木", "りんご"};
    bank << standardBank(17).mid(6);
    Session s(bank, QStringLiteral("英訳"));
    QVERIFY(s.load());
    s.scriptRandom({0.9, 0.0, 0.9, 1.5 / 17, 2.5 / 17});
    s.key(Qt::Key_Return);
    QCOMPARE(s.TargetQuestion(), (std::array<int, 3>{0, 1, 2}));

    s.type(QStringLiteral("appl"));
    QCOMPARE(s.TargetAlive(), (std::array<QString, 3>{"1", "1", ""}));
    s.type(QStringLiteral("e"));
    QCOMPARE(Common::TestMarks[1], TestRules::MarkCorrect);
    QCOMPARE(Common::TestCorrectCount, 1);
}

void MainWindowTest::capitalTypedWithShift_data()
{
    QTest::addColumn<bool>("kana");
    QTest::newRow("romaji") << false;
    QTest::newRow("kana") << true;
}

// Days, months and languages keep their capital: the candidates show it, and
// the learner types it with Shift, in either input method.
void MainWindowTest::capitalTypedWithShift()
{
    QFETCH(bool, kana);
    QStringList bank{"Monday", "月曜日", "げつようび", "March", "三月", "さんがつ", "English", "英語", "えいご"};
    bank << standardBank(17).mid(9);
    Session s(bank, QStringLiteral("英訳"));
    QVERIFY(s.load());
    if (kana)
        s.window->Option2->setChecked(true);
    s.scriptRandom({0.9, 0.0, 0.0, 1.5 / 17, 2.5 / 17});
    s.key(Qt::Key_Return);
    MainWindow &w = *s.window;
    QCOMPARE(s.TargetQuestion(), (std::array<int, 3>{0, 1, 2}));
    for (int box = 0; box < 3; ++box)
    {
        QCOMPARE(w.Label2[box]->text(), bank[3 * box]);
        QCOMPARE(w.Picture1[box]->answerParts().join(QString()), bank[3 * box]);
    }

    s.type(QStringLiteral("m"));
    QCOMPARE(w.Picture1[0]->answerParts(), (QStringList{"", "", "Monday"}));
    s.type(QStringLiteral("Monday"));
    QCOMPARE(Common::TestMarks[1], TestRules::MarkCorrect);
    QCOMPARE(Common::TestCorrectCount, 1);
}

void MainWindowTest::beginningOfTheAnswerIsNeverShown_data()
{
    QTest::addColumn<bool>("kana");
    QTest::newRow("romaji") << false;
    QTest::newRow("kana") << true;
}

void MainWindowTest::beginningOfTheAnswerIsNeverShown()
{
    QFETCH(bool, kana);
    QStringList bank{"we", "私たち", "わたしたち", "I", "私", "わたし"};
    bank << standardBank(17).mid(6);
    Session s(bank);
    QVERIFY(s.load());
    if (kana)
        s.window->Option2->setChecked(true);
    // Not forced, question 0 in box 0; the first wrong answer drawn is わたし.
    s.scriptRandom({0.9, 0.0, 0.0, 1.5 / 17, 2.5 / 17, 3.5 / 17});
    s.key(Qt::Key_Return);
    QCOMPARE(s.TargetQuestion(), (std::array<int, 3>{0, 2, 3}));
    for (QLabel *label : s.window->Label2)
        QVERIFY(label->text() != QStringLiteral("私"));

    s.answer(0);
    QCOMPARE(Common::TestMarks[1], TestRules::MarkCorrect);
    QCOMPARE(Common::TestCorrectCount, 1);
}

void MainWindowTest::levelMoves_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("fails");
    QTest::addColumn<bool>("forced");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("newLevel");
    QTest::addColumn<int>("newFails");
    QTest::addColumn<QStringList>("notices");

    const QStringList plain{"EndMessage", "Result"};
    const QStringList forced{"Kyosei", "EndMessage", "Result"};
    QTest::newRow("third failed challenge") << 7 << 2 << false << 0 << 6 << 0 << plain;
    QTest::newRow("failed challenge at LEVEL 0") << 0 << 2 << false << 0 << 0 << 3 << plain;
    QTest::newRow("passed challenge") << 4 << 2 << false << 8 << 5 << 0 << plain;
    QTest::newRow("forced review passed") << 9 << 1 << true << 8 << 9 << 1 << forced;
    QTest::newRow("forced review failed") << 9 << 1 << true << 7 << 8 << 0 << forced;
}

void MainWindowTest::levelMoves()
{
    QFETCH(int, level);
    QFETCH(int, fails);
    QFETCH(bool, forced);
    QFETCH(int, correct);
    Session s(standardBank(17 * 12));
    QVERIFY(s.load());
    Common::CurrentLevel = level;
    Common::HighestLevel = level;
    Common::FailCount = fails;
    s.window->ShowLevelStatus();
    s.scriptRandom({forced ? 0.0 : 0.99});

    s.key(Qt::Key_Return);
    QCOMPARE(Common::TestMode, forced ? TestKind::ForcedReview : TestKind::LevelUp);
    if (forced)
    {
        QCOMPARE(s.window->Label7->text(), QStringLiteral("強制\n復習"));
        QVERIFY(s.window->Label7->styleSheet().contains(QStringLiteral("#FFC0FF")));
        QVERIFY(Common::TestLevel >= 1 && Common::TestLevel <= level);
        QCOMPARE(Common::CurrentTimeLimit, 50);
    }
    const int testLevel = Common::TestLevel;
    for (int n = 1; n <= 10 && s.running(); ++n)
        s.answer(n <= correct ? 0 : 1);
    if (s.running())
        s.key(Qt::Key_Return);

    QTEST(s.modals.shown(), "notices");
    QTEST(Common::CurrentLevel, "newLevel");
    QTEST(Common::FailCount, "newFails");
    const Common::LevelRecord row = Common::LevelRecords[testLevel];
    Common::LoadRecords();
    QTEST(Common::CurrentLevel, "newLevel");
    QTEST(Common::FailCount, "newFails");
    QCOMPARE(Common::LevelRecords[testLevel], row);
    QCOMPARE(row.ChallengePassCount + row.ChallengeFailCount + row.PracticePassCount + row.PracticeFailCount, 1);
    QCOMPARE(forced ? row.PracticePassCount + row.PracticeFailCount : row.ChallengePassCount + row.ChallengeFailCount,
             1);
}

void MainWindowTest::previewCountsButSetsNoBests()
{
    Session s(standardBank(17 * 12));
    QVERIFY(s.load());
    Common::CurrentLevel = 3;
    Common::HighestLevel = 3;
    s.window->ShowLevelStatus();
    s.window->Option4->setChecked(true);
    QVERIFY(s.window->Combo1->isEnabled());
    QCOMPARE(s.window->Label12->text(), QStringLiteral("制限時間200秒"));
    s.window->Combo1->setCurrentIndex(0);

    s.key(Qt::Key_Return);
    QCOMPARE(Common::TestLevel, 4);
    QCOMPARE(s.window->Label7->text(), QStringLiteral("予習"));
    QVERIFY(s.window->Label7->styleSheet().contains(QStringLiteral("#C0FFC0")));
    while (s.running())
        s.answer(0);

    QCOMPARE(Common::CurrentLevel, 3);
    Common::LoadRecords();
    QCOMPARE(Common::LevelRecords[4].PracticePassCount, 1);
    QCOMPARE(Common::LevelRecords[4].BestScore, 0);
    QCOMPARE(Common::LevelRecords[4].BestTime, 0.0);

    // A review of a LEVEL passed before is a 復習 and sets its bests.
    s.window->Combo1->setCurrentIndex(2);
    s.key(Qt::Key_Return);
    QCOMPARE(Common::TestLevel, 2);
    QCOMPARE(s.window->Label7->text(), QStringLiteral("復習"));
    while (s.running())
        s.answer(0);
    QCOMPARE(Common::LevelRecords[2].BestScore, 100);
}

void MainWindowTest::topLevelNotices_data()
{
    QTest::addColumn<bool>("userBank");
    QTest::addColumn<QStringList>("notices");

    QTest::newRow("standard bank") << false << QStringList{"EndMessage", "Result", "EntryName", "Max"};
    QTest::newRow("user bank") << true << QStringList{"EndMessage", "Result", "Max2"};
}

void MainWindowTest::topLevelNotices()
{
    QFETCH(bool, userBank);
    Session s(standardBank(17 * 2));
    if (userBank)
    {
        QStringList lines;
        for (int i = 0; i < 20; ++i)
            lines << QStringLiteral("prompt%1").arg(i) << english(i) << english(i);
        s.folder.useUserBank(QStringLiteral("mybank"), lines, QStringLiteral("英訳"));
        for (const auto &[key, value] : {std::pair{Common::KeyNumberLevel, "10"}, {Common::KeyTimeLimit1, "60"},
                                         {Common::KeyTimeLimit2, "120"}, {Common::KeyPointPass, "70"},
                                         {Common::KeyKyosei, "無し"}})
            Common::WriteIniValue(Common::UserTextIni, Common::SectionSyutudai, key, QString::fromUtf8(value));
    }
    QVERIFY(s.load());
    QCOMPARE(Common::LevelCount, 2);
    Common::CurrentLevel = 1;
    Common::HighestLevel = 1;
    s.window->ShowLevelStatus();

    s.key(Qt::Key_Return);
    QCOMPARE(Common::TestLevel, 2);
    while (s.running())
        s.answer(0);

    QTEST(s.modals.shown(), "notices");
    QCOMPARE(Common::CurrentLevel, 2);
    // At the top the level-up option is closed and preview/review chosen.
    QVERIFY(!s.window->Option3->isEnabled());
    QVERIFY(s.window->Option4->isChecked());
    QCOMPARE(s.window->Combo1->itemText(0), QStringLiteral("2"));
    QCOMPARE(Common::CurrentTimeLimit, Common::TimeLimitStudy);
}

void MainWindowTest::keysReachTheWindowFirst_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");

    QTest::newRow("option, space") << "Option2" << int(Qt::Key_Space);
    QTest::newRow("option, arrow") << "Option1" << int(Qt::Key_Down);
    QTest::newRow("button, space") << "Command1" << int(Qt::Key_Space);
    QTest::newRow("list, letter") << "Combo1" << int(Qt::Key_A);
    QTest::newRow("list, arrow") << "Combo1" << int(Qt::Key_Down);
}

void MainWindowTest::keysReachTheWindowFirst()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    Session s(standardBank(17 * 12));
    QVERIFY(s.load());
    Common::CurrentLevel = 5;
    Common::ForcedReview = Common::ForcedReviewOff;
    s.window->ShowLevelStatus();
    s.window->Option4->setChecked(true);
    QWidget *focused = s.find<QWidget>(control);
    QVERIFY(focused);
    focused->setFocus();

    // Enter starts a test whichever control has the focus.
    s.key(Qt::Key_Return, {}, focused);
    QVERIFY(s.running());
    const int firstPos = s.TargetPos()[0];

    s.key(key, {}, focused);
    s.key(key, {}, focused);
    QVERIFY(s.running());
    QVERIFY(s.window->Option1->isChecked());
    QVERIFY(s.window->Option4->isChecked());
    QCOMPARE(s.window->Combo1->currentIndex(), 0);
    QCOMPARE(s.TargetPos()[0], firstPos);

    // The typed answer reaches the judge through the focused control too.
    const QString guide = s.TargetGuide()[0];
    s.key(romaKeys.value(guide.left(1)).key, {}, focused);
    QCOMPARE(s.TargetTyped()[0], guide.left(1));

    // A key with Alt belongs to the menus and types nothing, also during a test.
    s.key(Qt::Key_F, Qt::AltModifier, focused);
    QCOMPARE(s.TargetTyped()[0], guide.left(1));
    s.window->MenuFile->close();

    s.key(Qt::Key_Return, {}, focused);
    QVERIFY(!s.running());
}

void MainWindowTest::closingScoresTheRunningTest()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    s.answer(0);
    s.window->show();

    QVERIFY(s.window->close());

    QCOMPARE(s.modals.shown(), (QStringList{"EndMessage", "Result"}));
    Common::LoadRecords();
    QCOMPARE(Common::LevelRecords[1].ChallengeFailCount, 1);
    QCOMPARE(Common::LevelRecords[1].BestScore, 10);
}

void MainWindowTest::altReachesTheMenusDuringATest()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.window->show();
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    s.key(Qt::Key_Return);
    const QString guide = s.TargetGuide()[0];
    s.type(guide.left(1));

    s.key(Qt::Key_H, Qt::AltModifier);
    QVERIFY(s.window->MenuHelp->isVisible());
    QVERIFY(s.running());
    QCOMPARE(s.TargetTyped()[0], guide.left(1));
    // Its items open their windows while the test goes on.
    s.window->MenuBook->trigger();
    s.window->MenuHelp->close();
    QCOMPARE(s.modals.shown(), QStringList{"BookGuide"});
    QVERIFY(s.running());
    QVERIFY(s.window->Timer1->isActive());

    s.type(guide.mid(1, 1));
    QCOMPARE(s.TargetTyped()[0], guide.left(2));
}

void MainWindowTest::questionSettingsEndTheRunningTest_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("yes: ended as Enter would") << true << QStringList{"Syutudai", "EndMessage", "Result", "Syutudai"};
    QTest::newRow("no: nothing happens") << false << QStringList{"Syutudai"};
}

void MainWindowTest::questionSettingsEndTheRunningTest()
{
    QFETCH(bool, yes);
    Session s(standardBank(17 * 3));
    QStringList asked;
    Message::setQuestionHandler([&](const QString &text) {
        asked << text;
        return yes;
    });
    QVERIFY(s.load());
    // Idle, the dialog opens without a question.
    s.window->MenuSyutudai->trigger();
    QCOMPARE(s.modals.shown(), QStringList {"Syutudai"});
    QVERIFY(asked.isEmpty());

    s.key(Qt::Key_Return);
    s.type(s.TargetGuide()[0].left(1));
    const QString typed = s.TargetTyped()[0];
    s.window->MenuSyutudai->trigger();
    Message::setQuestionHandler({});
    QCOMPARE(asked, QStringList{"テストを中断して出題設定を開きますか？"});
    QTEST(s.modals.shown(), "shown");
    QCOMPARE(s.running(), !yes);
    QCOMPARE(Common::FailCount, yes ? 1 : 0);
    if (!yes)
    {
        QVERIFY(s.window->Timer1->isActive());
        QCOMPARE(s.TargetTyped()[0], typed);
    }
}

namespace
{
    // LEVELs whose answers run to 127 characters, typed as readings of 127
    // kana; every other prompt is long too. The first three kana tell the
    // readings apart.
    QStringList longAnswerBank()
    {
        const QString tail = QStringLiteral("あいうえおかきくけこさしすせそたちつてと").repeated(7).left(124);
        QStringList groups;
        for (int i = 0; i < 17 * 2; ++i)
        {
            const QString prompt = i % 2 ? english(i) : english(i) + QStringLiteral(" of the long phrase").repeated(8);
            groups << prompt << QStringLiteral("長").repeated(122) + QStringLiteral("意味%1").arg(i, 3, 10, QChar(u'0'))
                   << reading(i) + tail;
        }
        return groups;
    }
}

// Typing a long answer key by key: the red character of both lines stays in
// the box, and no answer or prompt moves the boxes or widens the window.
void MainWindowTest::longAnswersStayInView()
{
    Session s(longAnswerBank());
    QVERIFY(s.load());
    s.window->show();
    QCoreApplication::processEvents();
    const int width = s.window->width();

    s.key(Qt::Key_Return);
    QCoreApplication::processEvents();
    const QRect promptArea = s.window->Label1->geometry();
    const QRect firstBox = s.window->Picture1[0]->geometry();
    for (int n = 1; n <= 2; ++n)
    {
        QCOMPARE(s.window->Label2[s.TargetPicture()[0]]->text().size(), 127);
        QCOMPARE(s.window->Label1->geometry(), promptArea);
        QCOMPARE(s.window->Picture1[0]->geometry(), firstBox);
        QVERIFY2(s.window->width() <= width, qPrintable(QStringLiteral("%1 > %2").arg(s.window->width()).arg(width)));
        const QString guide = s.TargetGuide()[0];
        TargetBox *box = s.window->Picture1[s.TargetPicture()[0]];
        for (qsizetype k = 0; k + 1 < guide.size(); ++k)
        {
            s.type(guide.mid(k, 1));
            for (TargetBox::Line line : {TargetBox::Line::Answer, TargetBox::Line::Guide})
            {
                const QRectF current = box->currentRect(line);
                const QString where = QStringLiteral("question %1, key %2").arg(n).arg(k + 1);
                QVERIFY2(!current.isEmpty(), qPrintable(where));
                QVERIFY2(box->visibleRect(line).adjusted(-0.5, -0.5, 0.5, 0.5).contains(current), qPrintable(where));
                QVERIFY2(QRectF(box->rect()).contains(box->visibleRect(line)), qPrintable(where));
            }
        }
        s.type(guide.right(1));
        QCOMPARE(Common::TestMarks[n], TestRules::MarkCorrect);
        QCoreApplication::processEvents();
        }
    s.key(Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(s.window->width() <= width);
}

void MainWindowTest::boxesTakeTheRoomOfALargerWindow()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.window->show();
    QCoreApplication::processEvents();
    const int boxHeight = s.window->Picture1[0]->height();
    const int promptHeight = s.window->Label1->height();
    const int added = 3 * boxHeight;
    s.window->resize(s.window->width(), s.window->height() + added);
    QCoreApplication::processEvents();
    // Most of the room goes to the three boxes, whose text grows with them.
    QVERIFY(3 * (s.window->Picture1[0]->height() - boxHeight) > added / 2);
    QVERIFY(s.window->Label1->height() - promptHeight < added / 2);

    // Idle, the middle box tells what to do; a test fills it.
    QVERIFY(!s.window->Picture1[1]->hint().isEmpty());
    const auto *unit = s.find<QLabel>(QStringLiteral("SecondsUnit"));
    QVERIFY(unit->text().isEmpty());
    s.key(Qt::Key_Return);
    QVERIFY(!s.window->Picture1[1]->answerParts().join(QString()).isEmpty());
    QCOMPARE(unit->text(), QStringLiteral("秒"));
    s.key(Qt::Key_Return);
    QVERIFY(unit->text().isEmpty());
    QVERIFY(s.window->Picture1[1]->answerParts().join(QString()).isEmpty());
}

void MainWindowTest::menusOpenTheirDialogs()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    for (QAction *item : {s.window->MenuRoma, s.window->MenuRecord, s.window->MenuBook, s.window->MenuVersion})
        item->trigger();
    QCOMPARE(s.modals.shown(), (QStringList {"RomanSetting", "Record", "BookGuide", "VersionInfo"}));

    QList<QUrl> opened;
    PageOpener::setHandler([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    ProgramFolderFixture::writeFile(ProgramFolder::filePath(QStringLiteral("readme.txt")), "read me");
    s.window->MenuReadMe->trigger();
    PageOpener::setHandler({});
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.first().toLocalFile().endsWith(QStringLiteral("/readme.txt")));
}

void MainWindowTest::restoreFromTheFileMenuRefreshes()
{
    Session s(standardBank(17 * 12));
    QVERIFY(s.load());
    Common::CurrentLevel = Common::HighestLevel = 4;
    QVERIFY(Common::SaveRecords());
    QVERIFY(RecordBackups::Keep(Common::RecordDataPath(), QDateTime(QDate(2026, 1, 2), QTime(8, 0))));
    Common::CurrentLevel = Common::HighestLevel = 7;
    QVERIFY(Common::SaveRecords());

    QStringList rows;
    s.modals.answer(QStringLiteral("RecordRestore"), [&rows](QDialog &dialog) {
        auto &restore = static_cast<RecordRestore &>(dialog);
        for (int row = 0; row < restore.backupList->rowCount(); ++row)
            rows << restore.backupList->item(row, 1)->text() + u'/' + restore.backupList->item(row, 2)->text();
        restore.backupList->selectRow(restore.backupList->rowCount() - 1); // the oldest, LEVEL 4
        QTest::mouseClick(restore.restoreButton, Qt::LeftButton);
    });
    // Asked first, naming the copy and what is kept; "no" changes nothing.
    QStringList asked;
    bool yes = false;
    Message::setQuestionHandler([&](const QString &text) {
        asked.append(text);
        return yes;
    });
    s.window->menuRestore->trigger();
    QCOMPARE(Common::CurrentLevel, 7);
    QCOMPARE(s.folder.messages(), QStringList());
    QCOMPARE(asked.size(), 1);
    for (const char *part : {"2026/01/02 08:00", "LEVEL 4）", "今の成績（LEVEL 7）も、バックアップとして残ります"})
        QVERIFY2(asked[0].contains(QString::fromUtf8(part)), qPrintable(asked[0]));

    yes = true;
    s.window->menuRestore->trigger();
    Message::setQuestionHandler({});
    QCOMPARE(rows.last(), QStringLiteral("4/4"));
    QCOMPARE(s.window->Label4->text(), QStringLiteral("LEVEL : 4"));
    QCOMPARE(Common::CurrentLevel, 4);
    // Told that it is done and what the LEVEL is now.
    QCOMPARE(s.folder.messages(), QStringList{"成績を 2026/01/02 08:00 の時点に戻しました。今の LEVEL は 4 です。"});
    // The records of LEVEL 7 are among the backups now.
    s.window->menuRestore->trigger();
    QVERIFY(rows.contains(QStringLiteral("7/7")));
}

void MainWindowTest::historyComesBackFromItsBackup_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("withRecords");

    QTest::newRow("deleted, back with the records of the day") << "deleted" << true;
    QTest::newRow("deleted, back on its own") << "deleted" << false;
    QTest::newRow("damaged, back with the records of the day") << "damaged" << true;
    QTest::newRow("damaged, back on its own") << "damaged" << false;
}

void MainWindowTest::historyComesBackFromItsBackup()
{
    QFETCH(QString, fault);
    QFETCH(bool, withRecords);
    Session s(standardBank(17 * 3));
    QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
    Clock::setDateTimeSource([&now] { return now; });
    QVERIFY(s.load());
    const auto passChallenge = [&s] {
        s.key(Qt::Key_Return);
        while (s.running())
            s.answer(0);
    };
    // A test on each of two days: the second day's first test keeps the first day's records and history.
    passChallenge();
    now = now.addDays(1);
    passChallenge();
    QCOMPARE(Common::CurrentLevel, 2);
    const QString path = HistoryStore::defaultPath();
    QCOMPARE(HistoryBackups::List(path).size(), 1);
    QCOMPARE(HistoryBackups::List(path)[0].tests, 1);

    // The next start finds the history gone, or damaged.
    s.window.reset();
    if (fault == u"deleted")
    {
        for (const QString &file : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")})
            QFile::remove(file);
    }
    else
        ProgramFolderFixture::writeFile(path, QByteArray(5000, 'x'));
    now = now.addSecs(600);
    QVERIFY(s.load());
    auto *bar = s.find<NoticeBar>(QStringLiteral("NoticeBar"));
    QTRY_COMPARE(bar->texts().size(), 1);
    QVERIFY2(bar->texts()[0].contains(QStringLiteral("成績を復元")), qPrintable(bar->texts()[0]));

    s.modals.answer(QStringLiteral("RecordRestore"), [withRecords](QDialog &dialog) {
        auto &restore = static_cast<RecordRestore &>(dialog);
        if (withRecords)
        {
            // The newest copy of the records, of the second day, has the history of that day beside it.
            QCOMPARE(restore.backupList->item(0, 3)->text(), QStringLiteral("あり"));
            QVERIFY(restore.withHistory->isEnabled());
            restore.withHistory->setChecked(true);
            restore.restoreButton->click();
        }
        else
            restore.historyButton->click();
    });
    Message::setQuestionHandler([](const QString &) { return true; });
    s.window->menuRestore->trigger();
    Message::setQuestionHandler({});
    Clock::setDateTimeSource({});

    // The history of the first day is back, and the LEVEL line agrees with the records whenever they went back too.
    HistoryStore store(path);
    const QList<HistoryStore::TestPoint> points = store.testPoints(HistoryFilter::current());
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].levelAfter, 1);
    QCOMPARE(Common::CurrentLevel, withRecords ? 1 : 2);
    QVERIFY(s.folder.messages().last().contains(withRecords ? QStringLiteral("今の LEVEL は 1 です") : QStringLiteral("テスト 1回")));
    // Nothing was lost on the way: the damaged file, and the history that was replaced, are kept.
    QCOMPARE(QFileInfo::exists(path + QStringLiteral(".damaged")), fault == u"damaged");
    QCOMPARE(HistoryBackups::List(path).size(), 2);
    // A test goes on into the restored history.
    passChallenge();
    QCOMPARE(store.totals(HistoryFilter::current()).tests, 2);
}

void MainWindowTest::levelListKeepsAValidChoice()
{
    Session s(standardBank(17 * 12));
    QVERIFY(s.load());
    Common::CurrentLevel = 7;
    s.window->ShowLevelStatus();
    QCOMPARE(s.window->Combo1->count(), 8);
    s.window->Option4->setChecked(true);
    s.window->Combo1->setCurrentIndex(6);

    Common::CurrentLevel = 2;
    s.window->ShowLevelStatus();
    QCOMPARE(s.window->Combo1->count(), 3);
    QCOMPARE(s.window->Combo1->currentText(), QStringLiteral("1"));

    Common::CurrentLevel = 4;
    s.window->ShowLevelStatus();
    QCOMPARE(s.window->Combo1->currentIndex(), 2);
    QCOMPARE(s.window->Combo1->currentText(), QStringLiteral("3"));
}

void MainWindowTest::statusFollowsTheSettings()
{
    Session s(standardBank(17 * 12));
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeyInputBy, QStringLiteral("KANA"));
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound, QStringLiteral("OFF"));
    QVERIFY(s.load());
    QVERIFY(s.window->Option2->isChecked());
    QVERIFY(s.window->Option6->isChecked());

    // At the top LEVEL every LEVEL can be reviewed and the level-up option is closed.
    Common::CurrentLevel = Common::LevelCount;
    s.window->ShowLevelStatus();
    QVERIFY(!s.window->Option3->isEnabled());
    QVERIFY(s.window->Option4->isChecked());
    QCOMPARE(s.window->Combo1->count(), 12);
    QCOMPARE(s.window->Label12->text(), QStringLiteral("制限時間200秒"));

    // OK in the question settings reloads the records and brings the window in line.
    Common::CurrentLevel = 3;
    Common::SaveRecords();
    s.modals.answer(QStringLiteral("Syutudai"), [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    s.window->MenuSyutudai->trigger();
    QCOMPARE(s.folder.messages().last(), QStringLiteral("設定を保存しました"));
    QVERIFY(s.window->Option3->isEnabled());
    QCOMPARE(s.window->Combo1->currentIndex(), 0);
    QCOMPARE(s.window->Combo1->currentText(), QStringLiteral("4"));
}

void MainWindowTest::inputMethodSwitchedMidWord()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    const QString keys = Common::QuestionBank[s.TargetQuestion()[0]].AnswerKeys;
    const QString romaGuide = s.TargetGuide()[0];
    s.type(romaGuide.left(2));
    QCOMPARE(s.TargetPos()[0], 2);

    // The next key goes to the kana judge with the slot as it stands.
    s.window->Option2->setChecked(true);
    s.type(Judge::MakeKanaGuide(keys.mid(1)).left(1));
    QCOMPARE(s.TargetPos()[0], 3);

    // Esc rebuilds every guide for the method now selected.
    s.key(Qt::Key_Escape);
    QCOMPARE(s.TargetGuide()[0], Judge::MakeKanaGuide(keys));
    QCOMPARE(s.window->Picture1[s.TargetPicture()[0]]->guideParts(),
             (QStringList{"", "", Judge::MakeKanaGuide(keys)}));
    s.answer(0);
    QCOMPARE(Common::TestMarks[1], TestRules::MarkCorrect);
}

void MainWindowTest::pronunciation_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("plays");

    QTest::newRow("和訳, あり") << "和訳" << true << true;
    QTest::newRow("和訳, なし") << "和訳" << false << false;
    QTest::newRow("英訳, あり") << "英訳" << true << false;
}

void MainWindowTest::pronunciation()
{
    QFETCH(QString, direction);
    QFETCH(bool, soundOn);
    QFETCH(bool, plays);
    Session s(standardBank(17 * 12), direction);
    QVERIFY(s.load());
    Common::CurrentLevel = 10;
    Common::ForcedReview = Common::ForcedReviewOff;
    s.window->ShowLevelStatus();
    s.window->Option6->setChecked(!soundOn);
    QCOMPARE(Common::ReadIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound),
             soundOn ? QStringLiteral("ON") : QStringLiteral("OFF"));

    s.key(Qt::Key_Return);
    s.answer(0);
    const QStringList expected{Common::SoundFilePath(Common::TestQuestionNumbers[1].toInt()),
                               Common::SoundFilePath(s.TargetQuestion()[0])};
    QCOMPARE(s.sounds.played(), plays ? expected : QStringList());
    if (plays)
        QVERIFY(expected[0].contains(QStringLiteral("/sound2/0")));
}

// A bank line that starts with a tag is text: the prompt, the answers, the
// result view's columns and the record list show it as written.
void MainWindowTest::bankTextIsShownAsWritten()
{
    QStringList bank;
    for (int i = 0; i < 17 * 2; ++i)
        bank << QStringLiteral("<b>%1</b>").arg(english(i)) << QStringLiteral("<i>意味%1</i>").arg(i) << reading(i);
    Session s(bank);
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    QVERIFY(s.window->Label1->text().startsWith(QStringLiteral("<b>")));
    QCOMPARE(labelsShowingMarkup(*s.window), QStringList());

    QStringList inResult {QStringLiteral("not shown")};
    s.modals.answer(QStringLiteral("Result"), [&inResult](QDialog &dialog) {
        inResult = labelsShowingMarkup(dialog);
        dialog.close();
    });
    s.key(Qt::Key_Return);
    QCOMPARE(inResult, QStringList());
    QStringList inRecord {QStringLiteral("not shown")};
    s.modals.answer(QStringLiteral("Record"), [&inRecord](QDialog &dialog) {
        inRecord = labelsShowingMarkup(dialog);
        dialog.close();
    });
    s.window->MenuRecord->trigger();
    QCOMPARE(inRecord, QStringList());
}

void MainWindowTest::readingWithVuAnswered_data()
{
    QTest::addColumn<bool>("kana");
    QTest::newRow("romaji") << false;
    QTest::newRow("kana keyboard") << true;
}

// A learner's own bank reads a loanword with ゔ (ヴァイオリン as ゔぁいおりん):
// both keyboards answer it as its guide shows.
void MainWindowTest::readingWithVuAnswered()
{
    QFETCH(bool, kana);
    Session s(standardBank(17));
    const QStringList vu {QStringLiteral("ゔぁ"), QStringLiteral("ゔぃ"), QStringLiteral("ゔ"), QStringLiteral("ゔぇ"),
                          QStringLiteral("ゔぉ")};
    QStringList lines;
    for (int i = 0; i < 17; ++i)
        lines << english(i) << QStringLiteral("ヴ%1").arg(i) << vu[i % vu.size()] + reading(i);
    s.folder.useUserBank(QStringLiteral("loanwords"), lines, QStringLiteral("和訳"));
    QVERIFY(s.load());
    if (kana)
        s.window->Option2->setChecked(true);

    s.key(Qt::Key_Return);
    QVERIFY(s.running());
    for (int n = 1; n <= 10; ++n)
    {
        QVERIFY(!s.TargetGuide()[0].contains(u'ゔ'));
        s.answer(0);
        QCOMPARE(Common::TestMarks[n], TestRules::MarkCorrect);
    }
    QVERIFY(!s.running());
    QCOMPARE(Common::TestCorrectCount, 10);
}

void MainWindowTest::historyKeepsEveryQuestion()
{
    Session s(standardBank(17 * 3));
    const QDateTime started(QDate(2026, 12, 7), QTime(21, 30));
    Clock::setDateTimeSource([started] { return started; });
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    int wrongChoice = -1;
    for (int n = 1; n <= 10; ++n)
    {
        s.now += 1000 + 100 * n;
        if (n == 5)
            s.type(QStringLiteral("1")); // taken by no candidate
        if (n == 3)
            wrongChoice = s.TargetQuestion()[2];
        s.answer(n == 3 ? 2 : 0);
    }
    Clock::setDateTimeSource({});
    QVERIFY(!s.running());

    HistoryStore store(HistoryStore::defaultPath());
    QList<HistoryTest> tests;
    QVERIFY(store.forEachTest(HistoryFilter::current(), [&tests](const HistoryTest &test) { tests.append(test); }));
    QCOMPARE(tests.size(), 1);
    const HistoryTest &test = tests[0];
    QCOMPARE(test.startedAt, started);
    QCOMPARE(test.endedAt, started.addMSecs(15500));
    QCOMPARE(test.bankKind, QStringLiteral("STANDARD"));
    QCOMPARE(test.direction, QStringLiteral("和訳"));
    QCOMPARE(test.inputMethod, QStringLiteral("ROMA"));
    QCOMPARE(test.kind, TestKind::LevelUp);
    QCOMPARE(test.level, 1);
    QCOMPARE(test.score, 90);
    QVERIFY(test.passed);
    QCOMPARE(test.levelBefore, 0);
    QCOMPARE(test.levelAfter, 1);
    QCOMPARE(test.seconds, 15.5);
    QCOMPARE(test.questions.size(), 10);
    for (int n = 1; n <= 10; ++n)
    {
        const HistoryTest::Question &q = test.questions[n - 1];
        const Common::QuestionEntry &entry = Common::QuestionBank[Common::TestQuestionNumbers[n].toInt()];
        QCOMPARE(q.number, n);
        QCOMPARE(q.bankIndex, Common::TestQuestionNumbers[n].toInt());
        QCOMPARE(q.prompt, entry.Prompt);
        QCOMPARE(q.answer, entry.Answer);
        QVERIFY(q.answered);
        QCOMPARE(q.correct, n != 3);
        QCOMPARE(q.chosenIndex, n == 3 ? wrongChoice : -1);
        QCOMPARE(q.chosenAnswer, n == 3 ? Common::QuestionBank[wrongChoice].Answer : QString());
        QCOMPARE(q.seconds, (1000 + 100 * n) / 1000.0);
        QCOMPARE(q.keysAccepted, int(Judge::MakeRomaGuide(n == 3 ? Common::QuestionBank[wrongChoice].AnswerKeys
                                                                 : entry.AnswerKeys).size()));
        QCOMPARE(q.keysRejected, n == 5 ? 1 : 0);
    }
    QVERIFY(s.folder.messages().isEmpty());

    // The same test in the CSV file and the history window, whose button starts a practice of the missed word.
    const QString csvPath = s.folder.path() + QStringLiteral("/履歴.csv");
    s.modals.answer(QStringLiteral("HistoryCsvDialog"), [&csvPath](QDialog &dialog) {
        static_cast<QFileDialog &>(dialog).selectFile(csvPath);
        dialog.accept();
    });
    s.window->menuHistoryCsv->trigger();
    QFile csv(csvPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 12);
    QVERIFY(QString::fromUtf8(lines[3]).contains(QStringLiteral(",不正解,%1,").arg(wrongChoice)));
    QString firstMissed;
    s.modals.answer(QStringLiteral("HistoryWindow"), [&firstMissed](QDialog &dialog) {
        firstMissed = dialog.findChild<QTableWidget *>(QStringLiteral("mostMissed"))->item(0, HistoryWindow::PromptColumn)->text();
        dialog.findChild<QPushButton *>(QStringLiteral("practiceButton"))->click();
    });
    // The window opens once the weak words have been read in the background.
    s.window->menuHistory->trigger();
    QTRY_COMPARE(firstMissed, test.questions[2].prompt);
    QVERIFY(s.running());
    QCOMPARE(s.window->Label1->text(), firstMissed);
}

void MainWindowTest::historyFaultsLeaveTheRecordsAsTheyWouldBe_data()
{
    QTest::addColumn<HistoryFault>("fault");

    QTest::newRow("a folder in its place") << HistoryFault::FolderInPlace;
    QTest::newRow("locked by another program") << HistoryFault::Locked;
    QTest::newRow("no database at all") << HistoryFault::Garbage;
    QTest::newRow("damaged pages") << HistoryFault::DamagedPages;
    QTest::newRow("a newer version") << HistoryFault::NewerVersion;
}

void MainWindowTest::historyFaultsLeaveTheRecordsAsTheyWouldBe()
{
    QFETCH(HistoryFault, fault);
    // The same two tests, typed with the same draws, once with a sound history
    // and once with the fault. Every save scrambles with a new key table, so
    // the records are compared by the lines the file holds.
    QStringList records[2];
    QStringList messages[2];
    for (const HistoryFault run : {HistoryFault::None, fault})
    {
        Session s(standardBank(17 * 3));
        QVERIFY(s.load());
        const QString path = HistoryStore::defaultPath();
        {
            HistoryStore earlier(path);
            HistoryTest test;
            test.startedAt = test.endedAt = QDateTime::currentDateTime();
            QVERIFY(earlier.addTest(test));
        }
        const auto lock = injectFault(run, path);
        Random::seed(99);
        for (int round = 0; round < 2; ++round)
        {
            s.key(Qt::Key_Return);
            for (int n = 1; n <= 10; ++n)
                s.answer(n % 4 ? 0 : 1);
        }
        QVERIFY(!s.running());
        QCOMPARE(s.modals.shown().count(QStringLiteral("Result")), 2);
        QCOMPARE(GsxSeq::ReadContainerFile(Common::RecordDataPath(), records[run == HistoryFault::None ? 0 : 1]),
                 GsxSeq::FileResult::Complete);
        // No box that Enter would sweep away: the word waits in the bar above.
        QCOMPARE(s.folder.messages(), QStringList());
        messages[run == HistoryFault::None ? 0 : 1] = s.find<NoticeBar>(QStringLiteral("NoticeBar"))->texts();
    }
    QVERIFY(!records[0].isEmpty());
    QCOMPARE(records[1], records[0]);
    QCOMPARE(messages[0], QStringList());
    QCOMPARE(messages[1].size(), 1);
    QVERIFY(messages[1][0].startsWith(QStringLiteral("学習履歴ファイル")));
}

namespace
{
    // A test of the history in which the given words of the bank were asked,
    // the first `missed` of them answered with a wrong candidate.
    HistoryTest askedTest(const QDateTime &at, const QList<int> &words, int missed)
    {
        const HistoryFilter filter = HistoryFilter::current();
        HistoryTest test;
        test.startedAt = at;
        test.endedAt = at.addSecs(30);
        test.bankKind = filter.bankKind;
        test.bankName = filter.bankName;
        test.direction = filter.direction;
        test.inputMethod = QStringLiteral("ROMA");
        test.kind = TestKind::LevelUp;
        for (int i = 0; i < words.size(); ++i)
        {
            const Common::QuestionEntry &entry = Common::QuestionBank[words[i]];
            HistoryTest::Question q;
            q.number = i + 1;
            q.bankIndex = words[i];
            q.prompt = entry.Prompt;
            q.answer = entry.Answer;
            q.answered = true;
            q.correct = i >= missed;
            q.chosenIndex = q.correct ? -1 : 0;
            q.seconds = 2;
            test.questions.append(q);
        }
        return test;
    }

    QList<int> range(int first, int count)
    {
        QList<int> words;
        for (int i = 0; i < count; ++i)
            words.append(first + i);
        return words;
    }

    QSet<int> askedWords()
    {
        QSet<int> asked;
        for (int n = 1; n <= Common::TestQuestionIndex; ++n)
            asked.insert(Common::TestQuestionNumbers[n].toInt());
        return asked;
    }
}

void MainWindowTest::practiceAsksTheDueWords()
{
    Session s(standardBank(17 * 12));
    const QDateTime today(QDate(2026, 12, 8), QTime(19, 0));
    Clock::setDateTimeSource([today] { return today; });
    QVERIFY(s.load());
    {
        HistoryStore store(HistoryStore::defaultPath());
        // Ten words due for ten days, five for two, five never missed.
        HistoryTest longAgo = askedTest(today.addDays(-10), range(100, 10), 10);
        HistoryTest lately = askedTest(today.addDays(-2), range(110, 10), 5);
        QVERIFY(store.addTest(longAgo));
        QVERIFY(store.addTest(lately));
    }
    // A level-up test first, so there are records to keep.
    s.key(Qt::Key_Return);
    while (s.running())
        s.answer(0);
    const QByteArray records = ProgramFolderFixture::readFile(Common::RecordDataPath());
    QVERIFY(!records.isEmpty());
    const int level = Common::CurrentLevel;
    auto *line = s.find<QLabel>(QStringLiteral("WeakWordsLabel"));
    QTRY_COMPARE(line->text(), QStringLiteral("苦手単語 15語"));

    QString message;
    QString level11;
    s.modals.answer(QStringLiteral("Result"), [&](QDialog &dialog) {
        message = dialog.findChild<QLabel *>(QStringLiteral("Label9"))->text();
        level11 = dialog.findChild<QLabel *>(QStringLiteral("Label11"))->text();
        dialog.close();
    });
    auto *practice = s.window->findChild<QAction *>(QStringLiteral("MenuWeakPractice"));
    QVERIFY(practice);
    practice->trigger();
    QVERIFY(s.running());
    QVERIFY(!practice->isEnabled());
    QCOMPARE(Common::TestMode, TestKind::WeakWords);
    QCOMPARE(s.window->Label7->text(), QStringLiteral("苦手"));
    QVERIFY(s.window->Label7->styleSheet().contains(QStringLiteral("#FFD890")));
    QCOMPARE(s.window->Label3->text(), QStringLiteral("【 苦手単語の練習 】"));
    QCOMPARE(s.window->Label12->text(), QStringLiteral("制限時間200秒"));
    QCOMPARE(Common::CurrentTimeLimit, 200);
    for (int n = 1; n <= 10; ++n)
    {
        QCOMPARE(s.window->Label15->text(), QStringLiteral("第%1問").arg(n));
        s.answer(n % 2 ? 0 : 1);
    }

    QVERIFY(!s.running());
    QVERIFY(practice->isEnabled());
    const QList<int> longAgoWords = range(100, 10);
    QCOMPARE(askedWords(), QSet<int>(longAgoWords.cbegin(), longAgoWords.cend()));
    QCOMPARE(s.modals.shown(), (QStringList{"EndMessage", "Result", "EndMessage", "Result"}));
    QCOMPARE(message, QStringLiteral("学習が不足しています"));
    QCOMPARE(level11, QStringLiteral("LEVEL%1").arg(level));
    QCOMPARE(ProgramFolderFixture::readFile(Common::RecordDataPath()), records);
    QCOMPARE(Common::CurrentLevel, level);

    HistoryStore store(HistoryStore::defaultPath());
    HistoryTest last;
    QVERIFY(store.forEachTest(HistoryFilter::current(), [&last](const HistoryTest &test) { last = test; }));
    QCOMPARE(last.kind, TestKind::WeakWords);
    QCOMPARE(last.score, 50);
    QCOMPARE(last.levelBefore, level);
    QCOMPARE(last.levelAfter, level);
    QCOMPARE(last.questions.size(), 10);
    for (const HistoryTest::Question &q : last.questions)
        QCOMPARE(q.correct, Common::TestMarks[q.number] == TestRules::MarkCorrect);
    // The five answered well wait a day; the five missed again and the five of lately are due.
    QTRY_COMPARE(line->text(), QStringLiteral("苦手単語 10語"));
    Clock::setDateTimeSource({});
}

void MainWindowTest::practiceSizeFollowsTheMenu_data()
{
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("early");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("passMark");

    QTest::newRow("nothing kept") << "" << 0 << false << 10 << 80;
    QTest::newRow("20 chosen") << "" << 20 << false << 20 << 160;
    QTest::newRow("all chosen, 30 due") << "" << 50 << false << 30 << 240;
    QTest::newRow("20 kept") << "20" << 0 << false << 20 << 160;
    QTest::newRow("10 chosen over 50 kept") << "50" << 10 << false << 10 << 80;
    QTest::newRow("hand-edited 15") << "15" << 0 << false << 10 << 80;
    QTest::newRow("hand-edited text") << "many" << 0 << false << 10 << 80;
    QTest::newRow("early, 20") << "" << 20 << true << 20 << 160;
    QTest::newRow("early, all kept") << "50" << 0 << true << 30 << 240;
}

// How many words a practice asks is chosen in the 練習 menu and kept in
// tst.ini; the caption, the result view's rows and the pass mark follow it,
// early practice of words not due yet as well.
void MainWindowTest::practiceSizeFollowsTheMenu()
{
    QFETCH(QString, kept);
    QFETCH(int, chosen);
    QFETCH(bool, early);
    QFETCH(int, asked);
    QFETCH(int, passMark);
    Session s(standardBank(17 * 12));
    const QDateTime today(QDate(2026, 12, 8), QTime(19, 0));
    Clock::setDateTimeSource([today] { return today; });
    if (!kept.isEmpty())
        Common::WriteIniValue(Common::CommonIni, QStringLiteral("PRACTICE"), QStringLiteral("WORDS"), kept);
    QVERIFY(s.load());
    {
        // Thirty words missed; practised right the same day, none is due before tomorrow.
        HistoryStore store(HistoryStore::defaultPath());
        HistoryTest missed = askedTest(today.addSecs(-3600), range(100, 30), 30);
        QVERIFY(store.addTest(missed));
        HistoryTest practised = askedTest(today.addSecs(-1800), range(100, 30), 0);
        practised.kind = TestKind::WeakWords;
        if (early)
            QVERIFY(store.addTest(practised));
    }
    const int keptSize = kept == QStringLiteral("20") || kept == QStringLiteral("50") ? kept.toInt() : 10;
    for (const int size : {10, 20, 50})
        QCOMPARE(s.find<QAction>(QStringLiteral("MenuPracticeSize%1").arg(size))->isChecked(), size == keptSize);
    if (chosen)
    {
        s.find<QAction>(QStringLiteral("MenuPracticeSize%1").arg(chosen))->trigger();
        QCOMPARE(Common::ReadIniValue(Common::CommonIni, QStringLiteral("PRACTICE"), QStringLiteral("WORDS")),
                 QString::number(chosen));
    }

    QString question;
    Message::setQuestionHandler([&question](const QString &text) {
        question = text;
        return true;
    });
    QStringList result;
    s.modals.answer(QStringLiteral("Result"), [&](QDialog &dialog) {
        for (const QString &name : {QStringLiteral("Label16"), QStringLiteral("Label2_%1").arg(asked - 1),
                                    QStringLiteral("Label2_%1").arg(asked)})
        {
            const auto *label = dialog.findChild<QLabel *>(name);
            result.append(label && label->isVisibleTo(&dialog) ? label->text() : QString());
        }
        dialog.close();
    });
    // The weak words are read in the background: the practice starts once they are held.
    s.find<QAction>(QStringLiteral("MenuWeakPractice"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(s.running(), 20000);
    QCOMPARE(s.window->Label8->text(), QStringLiteral("出題数%1問").arg(asked));
    while (s.running())
        s.answer(0);
    Message::setQuestionHandler({});
    Clock::setDateTimeSource({});
    QCOMPARE(Common::TestQuestionIndex, asked);
    QCOMPARE(askedWords().size(), asked);
    QCOMPARE(result[0], QStringLiteral("1問10点で%1点以上が合格です").arg(passMark));
    QVERIFY(!result[1].isEmpty());
    QVERIFY(result[2].isEmpty());
    // Asked only with nothing due, saying how many of the words due later it takes.
    const QString taken = asked == 30 ? QStringLiteral("その単語") : QStringLiteral("予定の近い%1語").arg(asked);
    QCOMPARE(question.contains(QStringLiteral("30語を復習する予定です。\n\n%1を今すぐ").arg(taken)), early);
}

void MainWindowTest::practisedWordLeavesOnItsSchedule()
{
    Session s(standardBank(17 * 3));
    QDateTime now(QDate(2026, 12, 8), QTime(9, 0));
    Clock::setDateTimeSource([&now] { return now; });
    QVERIFY(s.load());
    auto *line = s.find<QLabel>(QStringLiteral("WeakWordsLabel"));
    auto *practice = s.window->findChild<QAction *>(QStringLiteral("MenuWeakPractice"));

    // One word missed on purpose in a typed test.
    s.key(Qt::Key_Return);
    const int missed = s.TargetQuestion()[0];
    s.answer(1);
    while (s.running())
        s.answer(0);
    QTRY_COMPARE(line->text(), QStringLiteral("苦手単語 1語"));

    // Practised on the day of the miss, then 1, 3 and 7 days after each step.
    // On day 2 it is not due: the practice says when it is and asks before
    // practising it early, and that answer counts for nothing. The result
    // view says where the word stands after each answer.
    QStringList asked;
    Message::setQuestionHandler([&asked](const QString &text) {
        asked.append(text);
        return true;
    });
    QStringList notes;
    s.modals.answer(QStringLiteral("Result"), [&notes](QDialog &dialog) {
        notes.append(dialog.findChild<QLabel *>(QStringLiteral("note_0"))->text());
        dialog.close();
    });
    for (const auto &[day, due, weakAfter] : {std::tuple{0, 1, 1}, {1, 1, 1}, {2, 0, 1}, {4, 1, 1}, {10, 0, 1}, {11, 1, 0}})
    {
        now = QDateTime(QDate(2026, 12, 8).addDays(day), QTime(9, 0));
        s.window->ShowLevelStatus();
        QTRY_COMPARE(line->text(), QStringLiteral("苦手単語 %1語").arg(due));
        if (day == 10)
            continue;
        practice->trigger();
        QVERIFY(s.running());
        QCOMPARE(asked.size(), day == 2 ? 1 : 0);
        if (day == 2)
            QVERIFY(asked.takeFirst().contains(QStringLiteral("次は12月12日（2日後）に1語")));
        QCOMPARE(s.window->Label8->text(), QStringLiteral("出題数1問"));
        QCOMPARE(s.TargetQuestion()[0], missed);
        s.answer(0);
        QVERIFY(!s.running());
        QCOMPARE(Common::TestQuestionIndex, 1);
        QCOMPARE(s.window->Label8->text(), QStringLiteral("出題数10問"));
        QCOMPARE(int(s.window->weakWords().words().size()), weakAfter);
    }
    QCOMPARE(s.modals.shown().count(QStringLiteral("Result")), 6);
    Message::setQuestionHandler({});
    QCOMPARE(notes, (QStringList {"1/4", "2/4", "2/4 予定日前で数えず", "3/4", "4/4 覚えた！"}));
    practice->trigger();
    QVERIFY(!s.running());
    QCOMPARE(s.folder.messages().size(), 1);
    Clock::setDateTimeSource({});
}

void MainWindowTest::nothingToPractise()
{
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    while (s.running())
        s.answer(0);
    const QStringList shown = s.modals.shown();

    s.window->findChild<QAction *>(QStringLiteral("MenuWeakPractice"))->trigger();

    QVERIFY(!s.running());
    QCOMPARE(s.modals.shown(), shown);
    QTRY_COMPARE(s.folder.messages(),
             QStringList{"練習する苦手単語はまだありません。\n"
                         "テストで間違えた単語や、答えないうちに終わった単語を、ここで練習できます。"});
    QVERIFY(s.window->Label7->text().isEmpty());
    QTRY_COMPARE(s.find<QLabel>(QStringLiteral("WeakWordsLabel"))->text(), QStringLiteral("苦手単語 0語"));

}

void MainWindowTest::unreadableHistoryHasNothingToPractise()
{
    // A history this version cannot read: the learner is told why there is no practice.
    Session s(standardBank(17 * 3));
    {
        HistoryStore store(HistoryStore::defaultPath());
        HistoryTest earlier = askedTest(QDateTime::currentDateTime(), {}, 0);
        QVERIFY(store.addTest(earlier));
    }
    injectFault(HistoryFault::NewerVersion, HistoryStore::defaultPath());
    QVERIFY(s.load());
    s.window->findChild<QAction *>(QStringLiteral("MenuWeakPractice"))->trigger();
    QVERIFY(!s.running());
    QCOMPARE(s.folder.messages(), QStringList{"学習履歴を読めないため、苦手単語の練習はできません。"});
}

void MainWindowTest::stoppedQuestionIsNoMiss_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("missed");

    QTest::newRow("Enter") << "Enter" << false;
    QTest::newRow("中断") << "中断" << false;
    QTest::newRow("closing the window") << "close" << false;
    QTest::newRow("the time limit") << "time" << true;
}

void MainWindowTest::stoppedQuestionIsNoMiss()
{
    QFETCH(QString, ending);
    QFETCH(bool, missed);
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    s.answer(0);
    const int onScreen = s.TargetQuestion()[0];
    s.now += 2000;
    if (ending == u"Enter")
        s.key(Qt::Key_Return);
    else if (ending == u"中断")
        s.window->Command1->click();
    else if (ending == u"close")
    {
        s.window->show();
        QVERIFY(s.window->close());
    }
    else
    {
        s.now += 50000;
        s.window->Timer1_Timer();
    }
    QVERIFY(!s.running());
    // Scored as ever: one answer of ten, a failed challenge.
    QCOMPARE(Common::TestCorrectCount, 1);
    QCOMPARE(Common::FailCount, 1);

    const QDate today = Clock::currentDateTime().date();
    QCOMPARE(s.window->weakWords().find(onScreen) != nullptr, missed);
    // The same when the history is read afresh, as at the next start.
    HistoryStore store(HistoryStore::defaultPath());
    WeakHistory reread(store);
    QCOMPARE(reread.weakWords(today).find(onScreen) != nullptr, missed);
    HistoryTest last;
    QVERIFY(store.forEachTest(HistoryFilter::current(), [&last](const HistoryTest &test) { last = test; }));
    QCOMPARE(last.ending, missed ? HistoryTest::Ending::TimeLimit : HistoryTest::Ending::Stopped);
    QCOMPARE(last.questions.size(), 2);
    QCOMPARE(store.mostMissed(HistoryFilter::current(), 10).size(), missed ? 1 : 0);
}

void MainWindowTest::unsavedRecordsAtQuit_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("levelNextStart");
    QTest::addColumn<bool>("secondTestSaved");

    QTest::newRow("saved at the retry") << "retry" << 2 << true;
    QTest::newRow("saved elsewhere") << "elsewhere" << 1 << false;
    QTest::newRow("given up") << "quit" << 1 << false;
    QTest::newRow("the dialog closed: the program goes on") << "close" << 2 << true;
}

void MainWindowTest::unsavedRecordsAtQuit()
{
    QFETCH(QString, choice);
    QFETCH(int, levelNextStart);
    QFETCH(bool, secondTestSaved);
    Session s(standardBank(17 * 3));
    QVERIFY(s.load());
    const auto passChallenge = [&s] {
        s.key(Qt::Key_Return);
        while (s.running())
            s.answer(0);
    };
    passChallenge();
    // The records file cannot be replaced: a folder stands in its place (for
    // root too), while the file of LEVEL 1 waits beside to be put back.
    const QString path = Common::RecordDataPath();
    const QString level1 = path + QStringLiteral(".level1");
    QVERIFY(QFile::rename(path, level1));
    QVERIFY(QDir().mkdir(path));
    passChallenge();
    QCOMPARE(Common::CurrentLevel, 2);
    QCOMPARE(s.folder.messages().size(), 1);
    QVERIFY(s.folder.messages()[0].contains(QStringLiteral("終了するときに、もう一度保存します")));

    const QString copy = s.folder.path() + QStringLiteral("/控え.dat");
    QString told;
    s.modals.answer(QStringLiteral("UnsavedRecords"), [&](QDialog &dialog) {
        auto &unsaved = static_cast<UnsavedRecords &>(dialog);
        told = unsaved.message->text();
        if (choice == u"retry")
        {
            unsaved.retryButton->click(); // still a folder there: the choice stays open
            QVERIFY(unsaved.isVisible());
            QVERIFY(QDir().rmdir(path));
            unsaved.retryButton->click();
        }
        else if (choice == u"elsewhere")
            unsaved.elsewhereButton->click();
        else if (choice == u"quit")
            unsaved.quitButton->click();
        else
            unsaved.close();
    });
    s.modals.answer(QStringLiteral("UnsavedRecordsFileDialog"), [&copy](QDialog &dialog) {
        static_cast<QFileDialog &>(dialog).selectFile(copy);
        dialog.accept();
    });
    s.window->show();
    QCOMPARE(s.window->close(), choice != u"close");
    QVERIFY(told.contains(QStringLiteral("今の LEVEL 2")));
    QVERIFY(told.contains(QDir::toNativeSeparators(path)));
    if (choice == u"close")
    {
        // Nothing was given up: once the file can be written, the quit saves it without a word.
        QVERIFY(Common::CurrentRecordsUnsaved());
        QVERIFY(QDir().rmdir(path));
        QVERIFY(s.window->close());
        QCOMPARE(s.modals.shown().count(QStringLiteral("UnsavedRecords")), 1);
    }
    QVERIFY(!Common::CurrentRecordsUnsaved());
    if (choice == u"elsewhere")
    {
        QStringList lines;
        QCOMPARE(GsxSeq::ReadContainerFile(copy, lines), GsxSeq::FileResult::Complete);
        QVERIFY(lines.value(0).startsWith(QStringLiteral("2,0,")));
        QVERIFY(s.folder.messages().last().contains(QDir::toNativeSeparators(copy)));
    }

    // The next start shows the LEVEL of the records file, and the history's LEVEL line agrees.
    if (QDir().rmdir(path))
        QVERIFY(QFile::rename(level1, path));
    Common::LoadRecords();
    QCOMPARE(Common::CurrentLevel, levelNextStart);
    HistoryStore store(HistoryStore::defaultPath());
    QList<bool> saved;
    store.forEachTest(HistoryFilter::current(), [&saved](const HistoryTest &test) { saved.append(test.recordsSaved); });
    QCOMPARE(saved, (QList<bool>{true, secondTestSaved}));
    const QList<HistoryStore::TestPoint> points = store.testPoints(HistoryFilter::current());
    const auto last = std::find_if(points.crbegin(), points.crend(), [](const auto &p) { return p.recordsSaved; });
    QCOMPARE(last->levelAfter, levelNextStart);
}

void MainWindowTest::damagedHistoryIsToldInTheWindow()
{
    Session s(standardBank(17 * 3));
    ProgramFolderFixture::writeFile(HistoryStore::defaultPath(), QByteArray(5000, 'x'));
    QVERIFY(s.load());
    auto *bar = s.find<NoticeBar>(QStringLiteral("NoticeBar"));
    // Read when the window is first drawn: told there, with the name of the copy kept.
    QTRY_COMPARE(bar->texts().size(), 1);
    QVERIFY(bar->texts()[0].contains(QStringLiteral("history.sqlite3.damaged")));
    QVERIFY(bar->isVisibleTo(s.window.get()));
    QVERIFY(QFileInfo::exists(HistoryStore::defaultPath() + QStringLiteral(".damaged")));
    // Keys meant for a test leave it where it is, and a test in the fresh history tells nothing new.
    s.key(Qt::Key_Return);
    s.key(Qt::Key_Return);
    QVERIFY(!s.running());
    QCOMPARE(bar->texts().size(), 1);
    QCOMPARE(s.folder.messages(), QStringList());
    // Only a click closes it.
    QTest::mouseClick(bar->findChild<QToolButton *>(QStringLiteral("closeNotice")), Qt::LeftButton);
    QTRY_COMPARE(bar->texts(), QStringList());
    QVERIFY(!bar->isVisibleTo(s.window.get()));
}

void MainWindowTest::listeningFromTheMenu_data()
{
    QTest::addColumn<bool>("dictation");
    QTest::addColumn<int>("given"); // a SoundPlayer::Readiness
    QTest::newRow("three candidates") << false << int(SoundPlayer::Readiness::Ready);
    QTest::newRow("dictation") << true << int(SoundPlayer::Readiness::Ready);
    QTest::newRow("no sound output") << false << int(SoundPlayer::Readiness::NoOutput);
    QTest::newRow("no English voice") << true << int(SoundPlayer::Readiness::NoEnglishVoice);
}

// From the 練習 menu: the word hidden and heard, heard again by Tab and by the
// button, the answer shown with its meaning, the records file untouched; with
// no way to hear the words, no test, and the usual test still starts.
void MainWindowTest::listeningFromTheMenu()
{
    QFETCH(bool, dictation);
    QFETCH(int, given);
    const auto readiness = SoundPlayer::Readiness(given);
    Session s(standardBank(34), QStringLiteral("英訳"));
    QVERIFY(s.load());
    s.key(Qt::Key_Return);
    while (s.running())
        s.answer(0);
    const QByteArray records = ProgramFolderFixture::readFile(Common::RecordDataPath());
    QVERIFY(!records.isEmpty());
    QStringList played;
    SoundPlayer::setHandler([&played](const QString &sound) { played.append(sound); }, readiness);
    // The option chosen by its mnemonic and Enter typed at once, as a quick learner does.
    s.modals.answer(QStringLiteral("ListeningDialog"), [dictation](QDialog &dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, dictation ? Qt::Key_D : Qt::Key_C, Qt::AltModifier);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    auto *replay = s.find<QPushButton>(QStringLiteral("replayButton"));
    s.window->findChild<QAction *>(QStringLiteral("MenuListening"))->trigger();
    if (readiness != SoundPlayer::Readiness::Ready)
    {
        QVERIFY(!s.running());
        QCOMPARE(s.folder.messages().last(), SoundPlayer::readinessText(readiness));
        QVERIFY(played.isEmpty() && replay->isHidden());
        s.key(Qt::Key_Return);
        QVERIFY(s.running());
        return;
    }
    QVERIFY(s.running());
    QCOMPARE(Common::TestMode, dictation ? TestKind::Dictation : TestKind::Listening);
    QVERIFY(!replay->isHidden());
    for (int n = 1; n <= 2; ++n)
    {
        QTRY_COMPARE_WITH_TIMEOUT(s.window->Label15->text(), QStringLiteral("第%1問").arg(n), 20000);
        QCOMPARE(s.window->Label1->text(), ListeningTest::HiddenPrompt);
        const Common::QuestionEntry &entry = Common::QuestionBank[Common::TestQuestionNumbers[n].toInt()];
        const QString word = ListeningWord::typedOf(entry);
        QCOMPARE(played.last(), SoundPlayer::SpeechMark + word);
        QCOMPARE(s.window->Label2[0]->text().isEmpty(), dictation);
        s.key(Qt::Key_Tab);
        replay->click();
        QCOMPARE(played.count(SoundPlayer::SpeechMark + word), 3);
        s.type(word);
        QCOMPARE(s.window->Label1->text(), ListeningTest::answerCaption(word, entry.Prompt, true));
    }
    s.key(Qt::Key_Return);
    QVERIFY(!s.running());
    QVERIFY(replay->isHidden());
    QCOMPARE(ProgramFolderFixture::readFile(Common::RecordDataPath()), records);

    HistoryStore store(HistoryStore::defaultPath());
    HistoryTest last;
    QVERIFY(store.forEachTest(HistoryFilter::listening(), [&last](const HistoryTest &test) { last = test; }));
    QCOMPARE(last.kind, Common::TestMode);
    QCOMPARE(last.score, 20);
    // Stopped while the second answer showed: no third question.
    QCOMPARE(last.questions.size(), 2);
    QCOMPARE(last.questions[0].replays, 2);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

// A study exported at LEVEL 2 and imported over LEVEL 5: the file's check,
// the comparison the learner agrees to, the backup that undoes it, and the
// window showing the imported LEVEL; a bad file or a cancel changes nothing.
void MainWindowTest::studyImportedFromTheFileMenu()
{
    Session s(standardBank(17 * 12));
    const QString records = ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1.dat"));
    TransferSupport::writeFile(records, TransferSupport::records(2, 3));
    const QString zip = s.folder.path() + QStringLiteral("/study.zip");
    QVERIFY(LearnerExport::Write(ProgramFolder::path(), zip).ok());
    TransferSupport::writeFile(records, TransferSupport::records(5, 6));
    QVERIFY(s.load());
    QCOMPARE(Common::CurrentLevel, 5);

    const auto importFile = [&s](const QString &path, const QString &button) {
        s.modals.answer(QStringLiteral("ImportDialog"), [path](QDialog &dialog) {
            static_cast<QFileDialog &>(dialog).selectFile(path);
            dialog.accept();
        });
        QStringList shown;
        s.modals.answer(QStringLiteral("LearnerImportDialog"), [&shown, button](QDialog &dialog) {
            const QTableWidget *table = dialog.findChild<QTableWidget *>(QStringLiteral("comparisonTable"));
            for (int column = 0; column < table->columnCount(); ++column)
                shown.append(table->item(0, column)->text());
            dialog.findChild<QPushButton *>(button)->click();
        });
        s.window->menuImport->trigger();
        return shown;
    };

    s.folder.takeMessages();
    QCOMPARE(importFile(ProgramFolder::filePath(QStringLiteral("ini/tst.ini")), QStringLiteral("importButton")), QStringList());
    QVERIFY(s.folder.takeMessages().value(0).startsWith(QStringLiteral("この学習データは読み込めません。")));
    const QStringList row = importFile(zip, QStringLiteral("cancelButton"));
    QCOMPARE(row.mid(0, 2), QStringList({QStringLiteral("標準テキスト（和訳）"), QStringLiteral("5（最高 6）")}));
    QCOMPARE(row.value(4), QStringLiteral("2（最高 3）"));
    QCOMPARE(Common::CurrentLevel, 5);

    importFile(zip, QStringLiteral("importButton"));
    QCOMPARE(Common::CurrentLevel, 2);
    QCOMPARE(s.window->Label4->text(), TestRules::LevelStatusCaption(2));
    const QString done = s.folder.takeMessages().value(0);
    QVERIFY2(done.startsWith(QStringLiteral("学習データを読み込みました。")), qPrintable(done));
    const QString backup = done.section(u'\n', -1);
    QVERIFY2(QFileInfo::exists(backup), qPrintable(backup));

    importFile(backup, QStringLiteral("importButton"));
    QCOMPARE(Common::CurrentLevel, 5);
}
