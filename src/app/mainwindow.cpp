#include "mainwindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "bank/questions.h"
#include "core/clock.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/random.h"
#include "core/settings.h"
#include "fittedlabel.h"
#include "gui_shared/modal.h"
#include "gui_shared/screenroom.h"
#include "gui_shared/soundplayer.h"
#include "help/bookguide.h"
#include "help/readme.h"
#include "help/versioninfo.h"
#include "history/historycsv.h"
#include "history/historystore.h"
#include "history/historywindow.h"
#include "history/weakhistory.h"
#include "history/wordbookwindow.h"
#include "judge/judgetable.h"
#include "judge/keycodetable.h"
#include "judge/keymapping.h"
#include "judge/romansetting.h"
#include "judge/romansettings.h"
#include "listening/listeningdialog.h"
#include "listening/listeningtest.h"
#include "noticebar.h"
#include "practice/practicesize.h"
#include "records/endmessage.h"
#include "records/entryname.h"
#include "records/kyosei.h"
#include "records/max2.h"
#include "records/record.h"
#include "records/recordrestore.h"
#include "records/recordsstore.h"
#include "records/unsavedrecords.h"
#include "settings_ui/syutudai.h"
#include "wordlist/wordlisteditor.h"
#include "targetbox.h"
#include "testrun/leveltest.h"
#include "testrun/practicetest.h"
#include "testrun/testrules.h"
#include "transfer/learnerexport.h"
#include "transfer/learnerimport.h"
#include "transfer/learnerimportdialog.h"

namespace
{
    constexpr int KeyEnter = 13;
    constexpr int TimerIntervalMs = 100;
    constexpr int PromptPointsEnglish = 16;
    constexpr int PromptPointsJapanese = 22;
    // The prompt's area holds two lines of the larger prompt font; longer
    // prompts shrink to this share of their font to fit it.
    constexpr int PromptLines = 2;
    constexpr qreal PromptSmallest = 0.4;
    // A caption too long for its box shrinks this far, then ends in "…".
    constexpr qreal CaptionSmallest = 0.8;
    // The prompt grows with the window, up to twice its size.
    constexpr qreal PromptLargest = 2.0;
    constexpr int BoxStretch = 3;
    const QString SecondsUnit = QStringLiteral("秒");


    template <typename T>
    T *named(T *object, const QString &name)
    {
        object->setObjectName(name);
        return object;
    }

    // Prompts and answers come from bank files: a tag in them is text to show.
    QLabel *newLabel(const QString &name, QWidget *parent, const QString &text = QString())
    {
        QLabel *label = named(new QLabel(text, parent), name);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Vocamira"));
    buildControls();
    buildMenus();
    buildPracticeControls();
    // Words about the history, the backups and the lock wait at the top until closed.
    m_notices = new NoticeBar(centralWidget());
    static_cast<QVBoxLayout *>(centralWidget()->layout())->insertWidget(0, m_notices);
    Message::setPostHandler([this](const QString &text) { m_notices->post(text); });
    disableInputMethods();
    // Every key of this window reaches Form_KeyDown before the control that has the focus.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    Common::SetRecordsSavedHandler({});
    Message::setPostHandler({});
    qApp->removeEventFilter(this);
}

void MainWindow::buildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildSettingsRow());
    layout->addWidget(buildTestRow());

    // A fixed area whatever the prompt, so the boxes never move between questions.
    auto *prompt = named(new FittedLabel(central), QStringLiteral("Label1"));
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setWordWrap(true);
    prompt->setArea(PromptLines, PromptPointsJapanese);
    prompt->setScaleRange(PromptSmallest, PromptLargest);
    Label1 = prompt;
    layout->addWidget(Label1, 1);

    // A larger window gives most of its room to the boxes, whose text grows.
    layout->addWidget(buildTargets(), BoxStretch);
    Label14 = newLabel(QStringLiteral("Label14"), central,
                       QStringLiteral("Enter：スタート／中断　Esc：ターゲットキャンセル"));
    Label14->setAlignment(Qt::AlignRight);
    layout->addWidget(Label14);
    setCentralWidget(central);

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
}

QWidget *MainWindow::buildSettingsRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    Frame1 = named(new QGroupBox(QStringLiteral("入力方式"), row), QStringLiteral("Frame1"));
    Option1 = named(new QRadioButton(QStringLiteral("ローマ字"), Frame1), QStringLiteral("Option1"));
    Option2 = named(new QRadioButton(QStringLiteral("かな"), Frame1), QStringLiteral("Option2"));
    auto *inputLayout = new QVBoxLayout(Frame1);
    inputLayout->addWidget(Option1);
    inputLayout->addWidget(Option2);

    Frame3 = named(new QGroupBox(QStringLiteral("モード"), row), QStringLiteral("Frame3"));
    Option3 = named(new QRadioButton(QStringLiteral("レベル上げ挑戦！"), Frame3), QStringLiteral("Option3"));
    Option4 = named(new QRadioButton(QStringLiteral("予習/復習"), Frame3), QStringLiteral("Option4"));
    Combo1 = named(new QComboBox(Frame3), QStringLiteral("Combo1"));
    Combo1->setMinimumContentsLength(4);
    auto *modeLayout = new QGridLayout(Frame3);
    modeLayout->addWidget(Option3, 0, 0, 1, 2);
    modeLayout->addWidget(Option4, 1, 0);
    modeLayout->addWidget(Combo1, 1, 1);

    Frame4 = named(new QGroupBox(QStringLiteral("出題時音声"), row), QStringLiteral("Frame4"));
    Option5 = named(new QRadioButton(QStringLiteral("あり"), Frame4), QStringLiteral("Option5"));
    Option6 = named(new QRadioButton(QStringLiteral("なし"), Frame4), QStringLiteral("Option6"));
    auto *soundLayout = new QVBoxLayout(Frame4);
    soundLayout->addWidget(Option5);
    soundLayout->addWidget(Option6);

    Frame2 = named(new QGroupBox(QStringLiteral("現在の状況"), row), QStringLiteral("Frame2"));
    Label4 = newLabel(QStringLiteral("Label4"), Frame2);
    Label5 = newLabel(QStringLiteral("Label5"), Frame2);
    auto *statusLayout = new QVBoxLayout(Frame2);
    statusLayout->addWidget(Label4);
    statusLayout->addWidget(Label5);

    for (QGroupBox *frame : {Frame1, Frame3, Frame4, Frame2})
        layout->addWidget(frame);
    layout->setStretchFactor(Frame2, 1);

    Option1->setChecked(true);
    Option3->setChecked(true);
    Option5->setChecked(true);
    // Connected after the designed choices are set, so building writes nothing.
    const auto buttons = options();
    for (int i = 0; i < OptionCount; ++i)
        connect(buttons[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                selectOption(i);
        });
    return row;
}

QWidget *MainWindow::buildTestRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    Label7 = newLabel(QStringLiteral("Label7"), row);
    Label7->setAlignment(Qt::AlignCenter);
    const QFontMetrics badgeMetrics(Label7->font());
    // Room for the two-line badge, so starting a test moves nothing.
    Label7->setMinimumSize(badgeMetrics.horizontalAdvance(QStringLiteral("レベル")) + 16, 2 * badgeMetrics.height() + 8);
    Label3 = newLabel(QStringLiteral("Label3"), row);
    Label15 = newLabel(QStringLiteral("Label15"), row);
    // Room for the widest captions a test shows, so starting one widens nothing.
    Label3->setMinimumWidth(Label3->fontMetrics().horizontalAdvance(TestRules::TestLevelCaption(888)));
    Label15->setMinimumWidth(Label15->fontMetrics().horizontalAdvance(TestRules::QuestionNumberCaption(88)));
    Label8 = newLabel(QStringLiteral("Label8"), row);
    Label12 = newLabel(QStringLiteral("Label12"), row);
    Label13 = newLabel(QStringLiteral("Label13"), row);
    Label13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label13->setMinimumWidth(QFontMetrics(Label13->font()).horizontalAdvance(QStringLiteral("000")) + 8);
    // The unit beside the counter, shown while it counts, so it reads as a clock.
    m_secondsUnit = newLabel(QStringLiteral("SecondsUnit"), row);
    m_secondsUnit->setMinimumWidth(QFontMetrics(m_secondsUnit->font()).horizontalAdvance(SecondsUnit));
    // Shown during a listening test: the word again, as Tab plays it.
    m_replayButton = named(new QPushButton(QStringLiteral("もう一度聞く"), row), QStringLiteral("replayButton"));
    m_replayButton->setToolTip(QStringLiteral("Tab キーでも聞き直せます"));
    m_replayButton->setFocusPolicy(Qt::NoFocus);
    m_replayButton->hide();
    connect(m_replayButton, &QPushButton::clicked, this, [this] {
        if (auto *listening = qobject_cast<ListeningTest *>(m_session))
            listening->replay();
    });
    Command1 = named(new QPushButton(QStringLiteral("スタート"), row), QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    for (QWidget *widget : {static_cast<QWidget *>(Label7), static_cast<QWidget *>(Label3),
                            static_cast<QWidget *>(Label15)})
        layout->addWidget(widget);
    layout->addStretch(1);
    for (QWidget *widget : {static_cast<QWidget *>(Label8), static_cast<QWidget *>(Label12),
                            static_cast<QWidget *>(Label13), static_cast<QWidget *>(m_secondsUnit),
                            static_cast<QWidget *>(m_replayButton), static_cast<QWidget *>(Command1)})
        layout->addWidget(widget);
    return row;
}

QWidget *MainWindow::buildTargets()
{
    auto *targets = new QWidget(this);
    auto *layout = new QVBoxLayout(targets);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int box = 0; box < 3; ++box)
    {
        // Empty or filled, the caption keeps its line, and no answer of a bank
        // can widen the window: a long one shrinks, then ends in "…".
        auto *caption = named(new FittedLabel(targets), QStringLiteral("Label2_%1").arg(box));
        caption->setArea(1);
        caption->setScaleRange(CaptionSmallest, 1.0);
        Label2[box] = caption;
        Picture1[box] = named(new TargetBox(targets), QStringLiteral("Picture1_%1").arg(box));
        layout->addWidget(Label2[box]);
        layout->addWidget(Picture1[box], 1);
    }
    // A quiet word on what to do, in the middle box while no test runs.
    Picture1[1]->setHint(QStringLiteral("Enter キーを押すか「スタート」をクリックすると、テストが始まります"));
    return targets;
}

void MainWindow::buildMenus()
{
    auto addMenu = [this](const QString &name, const QString &title) {
        return named(menuBar()->addMenu(title), name);
    };
    auto addItem = [this](QMenu *menu, const QString &name, const QString &text, void (MainWindow::*handler)()) {
        QAction *action = named(menu->addAction(text), name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    MenuFile = addMenu(QStringLiteral("MenuFile"), QStringLiteral("ファイル(&F)"));
    menuRestore = addItem(MenuFile, QStringLiteral("menuRestore"), QStringLiteral("成績を復元(&R)…"),
                          &MainWindow::menuRestore_Click);
    menuHistoryCsv = addItem(MenuFile, QStringLiteral("menuHistoryCsv"), QStringLiteral("学習履歴をCSVで保存(&C)…"),
                             &MainWindow::menuHistoryCsv_Click);
    // (&E), not (&X): 終了(&X) keeps its key.
    menuExport = addItem(MenuFile, QStringLiteral("menuExport"), QStringLiteral("学習データの書き出し(&E)…"),
                         &MainWindow::menuExport_Click);
    menuImport = addItem(MenuFile, QStringLiteral("menuImport"), QStringLiteral("学習データの読み込み(&M)…"),
                         &MainWindow::menuImport_Click);
    MenuFile->addSeparator();
    MenuEnd = addItem(MenuFile, QStringLiteral("MenuEnd"), QStringLiteral("終了(&X)"), &MainWindow::MenuEnd_Click);

    MenuSetting = addMenu(QStringLiteral("MenuSetting"), QStringLiteral("設定(&S)"));
    MenuRoma = addItem(MenuSetting, QStringLiteral("MenuRoma"), QStringLiteral("ﾛｰﾏ字表示(&R)"),
                       &MainWindow::MenuRoma_Click);
    kugiri1 = named(MenuSetting->addSeparator(), QStringLiteral("kugiri1"));
    MenuSyutudai = addItem(MenuSetting, QStringLiteral("MenuSyutudai"), QStringLiteral("出題設定(&S)"),
                           &MainWindow::MenuSyutudai_Click);
    menuWordList = addItem(MenuSetting, QStringLiteral("menuWordList"), QStringLiteral("問題集の作成・編集(&E)…"),
                           &MainWindow::menuWordList_Click);

    MenuKekka = addMenu(QStringLiteral("MenuKekka"), QStringLiteral("結果表示(&K)"));
    MenuRecord = addItem(MenuKekka, QStringLiteral("MenuRecord"), QStringLiteral("成績一覧(&R)"),
                         &MainWindow::MenuRecord_Click);
    menuHistory = addItem(MenuKekka, QStringLiteral("menuHistory"), QStringLiteral("学習履歴(&H)"),
                          &MainWindow::menuHistory_Click);

    MenuHelp = addMenu(QStringLiteral("MenuHelp"), QStringLiteral("ヘルプ(&H)"));
    MenuReadMe = addItem(MenuHelp, QStringLiteral("MenuReadMe"), QStringLiteral("ReadMe(&R)"),
                         &MainWindow::MenuReadMe_Click);
    MenuBook = addItem(MenuHelp, QStringLiteral("MenuBook"), QStringLiteral("書籍案内(&B)"),
                       &MainWindow::MenuBook_Click);
    MenuVersion = addItem(MenuHelp, QStringLiteral("MenuVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"),
                          &MainWindow::MenuVersion_Click);
}

// Beside the designed controls: the practice menu before ヘルプ, and the count
// of weak words due in the status bar, so the window's layout stays as it is.
void MainWindow::buildPracticeControls()
{
    m_practiceMenu = named(new QMenu(QStringLiteral("練習(&P)"), this), QStringLiteral("MenuPractice"));
    menuBar()->insertMenu(MenuHelp->menuAction(), m_practiceMenu);
    m_practiceAction = named(m_practiceMenu->addAction(QStringLiteral("苦手単語の練習(&W)")),
                             QStringLiteral("MenuWeakPractice"));
    connect(m_practiceAction, &QAction::triggered, this, &MainWindow::startPractice);
    m_listeningAction = named(m_practiceMenu->addAction(QStringLiteral("聞き取りテスト(&L)")),
                              QStringLiteral("MenuListening"));
    connect(m_listeningAction, &QAction::triggered, this, &MainWindow::startListening);
    connect(named(m_practiceMenu->addAction(QStringLiteral("単語帳(&B)…")), QStringLiteral("MenuWordBook")),
            &QAction::triggered, this, &MainWindow::menuWordBook_Click);
    buildPracticeSizeChoices();

    m_weakWordsLabel = newLabel(QStringLiteral("WeakWordsLabel"), this);
    statusBar()->addPermanentWidget(m_weakWordsLabel);
    statusBar()->setSizeGripEnabled(false);
    m_weakWordsRefresh = named(new QTimer(this), QStringLiteral("WeakWordsRefresh"));
    m_weakWordsRefresh->setSingleShot(true);
    m_weakWordsRefresh->setInterval(0);
    connect(m_weakWordsRefresh, &QTimer::timeout, this, &MainWindow::refreshWeakWords);
}

// The learner's choice of how many words one practice asks, read at start-up
// and kept as soon as it changes.
void MainWindow::buildPracticeSizeChoices()
{
    m_practiceMenu->addSeparator();
    auto *group = new QActionGroup(this);
    const std::array<QString, PracticeSize::Choices.size()> captions {
        QStringLiteral("10語ずつ練習(&1)"), QStringLiteral("20語ずつ練習(&2)"),
        QStringLiteral("今日の苦手単語をすべて練習（50語まで）(&3)")};
    m_practiceSize = PracticeSize::read();
    for (std::size_t i = 0; i < captions.size(); ++i)
    {
        const int size = PracticeSize::Choices[i];
        QAction *choice = named(m_practiceMenu->addAction(captions[i]), QStringLiteral("MenuPracticeSize%1").arg(size));
        choice->setCheckable(true);
        choice->setChecked(size == m_practiceSize);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, size] {
            m_practiceSize = size;
            PracticeSize::store(size);
        });
    }
}

void MainWindow::disableInputMethods()
{
    // A Japanese input method would turn the typed romaji into kana before the
    // judge sees the keys.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    for (QWidget *child : findChildren<QWidget *>())
        child->setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool MainWindow::Form_Load()
{
    using namespace Common;
    if (!recoverImport())
        return false;
    Random::reseedFromClock();
    CodeChangeTableSet::BuildKeyCodeTable();
    JudgeTableSet::BuildJudgeTable();
    JudgeTableSet::ApplyRomanSettings();
    LoadQuestions();
    LoadTestSettings();
    if (QuestionCount < QuestionsPerLevel)
    {
        Message::show(QStringLiteral("問題文ファイルが無いか問題数が不足しています。処理続行不能！！"));
        return false;
    }
    LoadRecords();
    openHistory();
    // Tests kept while their records waited are marked once the records are saved.
    Common::SetRecordsSavedHandler([this](const QString &path) {
        if (m_history)
            m_history->recordsSaved(path);
    });
    Option3->setEnabled(true);
    ShowTestSettings();
    ShowLevelStatus();
    Combo1->setCurrentIndex(0);
    return true;
}

void MainWindow::openHistory()
{
    // Opened at the end of the first test, so start-up never waits for it.
    m_history = std::make_unique<HistoryStore>(HistoryStore::defaultPath());
    m_weakHistory = std::make_unique<WeakHistory>(*m_history);
    connect(m_weakHistory.get(), &WeakHistory::loaded, this, &MainWindow::weakWordsLoaded);
    m_listeningWeak = std::make_unique<WeakHistory>(*m_history, WeakHistory::Side::Listening);
}

bool MainWindow::recoverImport()
{
    const DataSwitch::Result recovered = DataSwitch::Recover(ProgramFolder::path());
    switch (recovered.outcome)
    {
    case DataSwitch::Outcome::Nothing:
        return true;
    case DataSwitch::Outcome::Switched:
        Message::post(QStringLiteral("前回止まった学習データの読み込みを最後まで済ませました。"));
        return true;
    case DataSwitch::Outcome::Undone:
        Message::post(QStringLiteral("前回の学習データの読み込みは途中で止まったため、読み込む前のデータに戻しました。"));
        return true;
    case DataSwitch::Outcome::Stuck:
        break;
    }
    // Neither side is whole yet: nothing may read or write the folder until it is.
    Message::show(QStringLiteral("%1\n%2").arg(TransferProblem::of(TransferProblem::Kind::EarlierImport).text(),
                                               QDir::toNativeSeparators(DataSwitch::StagePath(ProgramFolder::path()))));
    return false;
}

void MainWindow::reloadLearnerData()
{
    using namespace Common;
    JudgeTableSet::BuildJudgeTable();
    JudgeTableSet::ApplyRomanSettings();
    LoadQuestions();
    LoadTestSettings();
    LoadRecords();
    openHistory();
    RefreshAfterSettings();
    m_weakWordsRefresh->start();
}

std::array<QRadioButton *, MainWindow::OptionCount> MainWindow::options() const
{
    return {Option1, Option2, Option3, Option4, Option5, Option6};
}

void MainWindow::selectOption(int index)
{
    static constexpr std::array<void (MainWindow::*)(), OptionCount> handlers = {
        &MainWindow::Option1_Click, &MainWindow::Option2_Click, &MainWindow::Option3_Click,
        &MainWindow::Option4_Click, &MainWindow::Option5_Click, &MainWindow::Option6_Click};
    QRadioButton *option = options()[index];
    // An option that is already selected emits nothing, but its handler must
    // still run (it writes the setting back).
    if (!option->isChecked())
    {
        option->setChecked(true);
        return;
    }
    (this->*handlers[index])();
}

void MainWindow::setBadge(const TestRules::Badge &badge)
{
    Label7->setText(badge.text);
    // The light badge colours need a dark ground to be read.
    Label7->setStyleSheet(badge.text.isEmpty()
                              ? QString()
                              : QStringLiteral("QLabel { background-color: #2F3447; color: %1; "
                                               "border-radius: 4px; padding: 2px 6px; font-weight: bold; }")
                                    .arg(badge.color));
}

bool MainWindow::isRunning() const
{
    return m_session && m_session->isRunning();
}

void MainWindow::ShowTestSettings()
{
    using namespace Common;
    Label1->clear();
    for (QLabel *label : Label2)
        label->clear();
    Label3->clear();
    setBadge({});
    Label8->setText(TestRules::QuestionsCaption(QuestionsPerTest));
    Label12->setText(TestRules::TimeLimitCaption(Option3->isChecked() ? TimeLimitChallenge : TimeLimitStudy));
    Label13->clear();
    m_secondsUnit->clear();
    Label15->clear();
    for (TargetBox *box : Picture1)
        box->clear();
    selectOption(ReadIniValue(CommonIni, SectionMainWindow, KeyInputBy) == u"KANA" ? 1 : 0);
    selectOption(ReadIniValue(CommonIni, SectionMainWindow, KeySound) == u"OFF" ? 5 : 4);
    setWindowTitle(QStringLiteral("Vocamira") + BankDescription());
}

void MainWindow::ShowLevelStatus()
{
    using namespace Common;
    const int remembered = Combo1->currentIndex();
    Label4->setText(TestRules::LevelStatusCaption(CurrentLevel));
    Label5->setText(TestRules::FailCountCaption(FailCount));
    Combo1->clear();
    if (TestRules::AtTopLevel())
    {
        Option3->setEnabled(false);
        selectOption(3);
        Combo1->addItems(TestRules::LevelChoices());
        Combo1->setEnabled(true);
        CurrentTimeLimit = TimeLimitStudy;
    }
    else
    {
        Option3->setEnabled(true);
        Combo1->setEnabled(!Option3->isChecked());
        Combo1->addItems(TestRules::LevelChoices());
    }
    // A shorter list (a smaller bank) keeps its last entry selected.
    Combo1->setCurrentIndex(std::min(remembered, Combo1->count() - 1));
    // Read from the history once the window is drawn, so nothing waits for it.
    m_weakWordsRefresh->start();
}

WeakWords MainWindow::weakWords() const
{
    if (!m_weakHistory)
        return {};
    return m_weakHistory->weakWords(Clock::currentDateTime().date());
}

void MainWindow::refreshWeakWords()
{
    if (!m_weakHistory)
        return;
    if (!m_weakHistory->isReady())
    {
        // Shown when the history has been read, which waits for nothing here.
        m_weakHistory->load();
        return;
    }
    const WeakWords weak = m_weakHistory->heldWeakWords(Clock::currentDateTime().date());
    m_weakWordsLabel->setText(TestRules::WeakWordsCaption(weak.dueCount()));
    m_weakWordsLabel->setToolTip(
        QStringLiteral("今日練習する苦手単語の数です（苦手単語は全部で%1語）。「練習」メニューから練習できます。")
            .arg(weak.words().size()));
}

void MainWindow::whenWeakWordsHeld(void (MainWindow::*then)())
{
    if (!m_weakHistory || m_weakHistory->isReady())
    {
        (this->*then)();
        return;
    }
    m_afterWeakWords = then;
    m_weakHistory->load();
}

void MainWindow::weakWordsLoaded()
{
    refreshWeakWords();
    if (const auto then = std::exchange(m_afterWeakWords, nullptr); then && m_weakHistory->isReady())
        (this->*then)();
}

void MainWindow::RefreshAfterSettings()
{
    // The bank was loaded again; its words are matched to the history afresh.
    if (m_weakHistory)
        m_weakHistory->forget();
    if (m_listeningWeak)
        m_listeningWeak->forget();
    Option3->setEnabled(true);
    ShowTestSettings();
    ShowLevelStatus();
    Combo1->setCurrentIndex(0);
}

void MainWindow::Option1_Click()
{
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeyInputBy, QStringLiteral("ROMA"));
    if (m_session)
        m_session->setKanaInput(false);
}

void MainWindow::Option2_Click()
{
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeyInputBy, QStringLiteral("KANA"));
    if (m_session)
        m_session->setKanaInput(true);
}

void MainWindow::Option3_Click()
{
    Combo1->setCurrentIndex(0);
    Combo1->setEnabled(false);
    Label12->setText(TestRules::TimeLimitCaption(Common::TimeLimitChallenge));
}

void MainWindow::Option4_Click()
{
    Combo1->setEnabled(true);
    Label12->setText(TestRules::TimeLimitCaption(Common::TimeLimitStudy));
}

void MainWindow::Option5_Click()
{
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound, QStringLiteral("ON"));
    if (m_session)
        m_session->setSoundOn(true);
}

void MainWindow::Option6_Click()
{
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound, QStringLiteral("OFF"));
    if (m_session)
        m_session->setSoundOn(false);
}

void MainWindow::Command1_Click()
{
    if (isRunning())
    {
        m_session->EndTest();
        return;
    }
    // The settings may have chosen a bank too small for one LEVEL since start-up.
    if (!TestRules::CanStartTest())
    {
        Message::show(QStringLiteral("問題文ファイルが無いか問題数が不足しているため、テストを開始できません。"
                                     "出題設定で問題文を選び直してください。"));
        return;
    }
    startTest();
}

void MainWindow::startTest()
{
    using namespace Common;
    const TestKind kind = chooseTestKind();
    const int level = TestRules::LimitTestLevel(chosenLevel(kind));
    Label3->setText(TestRules::TestLevelCaption(level));
    const int timeLimit = Option3->isChecked() ? TimeLimitChallenge : TimeLimitStudy;
    beginRun(new LevelTest(kind, level, timeLimit, history(), this));
}

void MainWindow::startPractice()
{
    using namespace Common;
    if (isRunning())
        return;
    if (m_weakHistory && !m_weakHistory->isReady())
    {
        whenWeakWordsHeld(&MainWindow::startPractice);
        return;
    }
    const QDate today = Clock::currentDateTime().date();
    const WeakWords weak = m_weakHistory ? m_weakHistory->heldWeakWords(today) : WeakWords();
    QList<int> words = weak.practiceWords(m_practiceSize);
    if (words.isEmpty())
    {
        const WeakWords::NextDue next = weak.nextDue();
        if (!next.day.isValid())
        {
            Message::show(m_weakHistory && m_weakHistory->unreadable()
                              ? QStringLiteral("学習履歴を読めないため、苦手単語の練習はできません。")
                              : QStringLiteral("練習する苦手単語はまだありません。\n"
                                               "テストで間違えた単語や、答えないうちに終わった単語を、ここで練習できます。"));
            return;
        }
        // Words not due yet are practised only when the learner knows that the answers will not count.
        words = weak.practiceWords(m_practiceSize, WeakWords::Take::Early);
        if (!Message::ask(TestRules::EarlyPracticeQuestion(next.day, next.count, today, int(words.size()))))
            return;
    }
    startPracticeOf(words);
}

void MainWindow::startPracticeOf(const QList<int> &words)
{
    using namespace Common;
    if (words.isEmpty())
        return;
    auto *practice = new PracticeTest(words, TimeLimitStudy, history(), this);
    setBadge(TestRules::ModeBadge(TestKind::WeakWords, false));
    Label3->setText(TestRules::PracticeCaption());
    // Fewer weak words than chosen make a shorter practice.
    Label8->setText(TestRules::QuestionsCaption(int(words.size())));
    Label12->setText(TestRules::TimeLimitCaption(TimeLimitStudy));
    beginRun(practice);
}

void MainWindow::startListening()
{
    using namespace Common;
    if (isRunning())
        return;
    ListeningTest *test =
        ListeningDialog::prepareTest(m_listeningWeak.get(), {m_history.get(), m_listeningWeak.get()}, this);
    if (!test)
        return;
    setBadge(TestRules::ModeBadge(test->kind(), false));
    Label3->setText(TestRules::ListeningCaption(test->kind(), ListeningDialog::levelToDraw()));
    Label8->setText(TestRules::QuestionsCaption(test->wordCount()));
    Label12->setText(TestRules::TimeLimitCaption(TimeLimitStudy));
    connect(test, &ListeningTest::listen, this,
            [](const QString &file, const QString &word) { SoundPlayer::playWord(file, word); });
    connect(test, &ListeningTest::answerShown, this, [this](const QString &word, const QString &meaning, bool right) {
        Label1->setText(ListeningTest::answerCaption(word, meaning, right));
    });
    m_replayButton->show();
    beginRun(test);
}

TestSession::History MainWindow::history() const
{
    return {m_history.get(), m_weakHistory.get()};
}

void MainWindow::beginRun(TestSession *session)
{
    // The last test's session may still be returning from its end.
    if (m_session)
        m_session->deleteLater();
    m_session = session;
    connect(session, &TestSession::questionShown, this, [this](int number, const QString &prompt) {
        Label1->setText(prompt);
        Label15->setText(TestRules::QuestionNumberCaption(number));
    });
    connect(session, &TestSession::candidateShown, this,
            [this](int box, const QString &answer) { Label2[box]->setText(answer); });
    connect(session, &TestSession::targetDrawn, this, &MainWindow::DrawTarget);
    connect(session, &TestSession::counterChanged, Label13, &QLabel::setText);
    connect(session, &TestSession::pronounce, this, [](const QString &path) { SoundPlayer::play(path); });
    connect(session, &TestSession::stopped, this, &MainWindow::testStopped);
    connect(session, &TestSession::ended, this, &MainWindow::testEnded);
    session->setKanaInput(!Option1->isChecked());
    session->setSoundOn(Option5->isChecked());

    Command1->setText(QStringLiteral("中断"));
    m_practiceAction->setEnabled(false);
    m_listeningAction->setEnabled(false);
    m_secondsUnit->setText(SecondsUnit);
    placePrompt();
    Timer1->start(TimerIntervalMs);
    session->Start();
}

TestKind MainWindow::chooseTestKind()
{
    TestKind kind = TestKind::Preview;
    if (Option3->isChecked())
        kind = TestRules::DrawForcedReview() ? TestKind::ForcedReview : TestKind::LevelUp;
    if (kind == TestKind::ForcedReview)
    {
        Kyosei notice(this);
        Modal::exec(notice);
    }
    setBadge(TestRules::ModeBadge(kind, Combo1->currentIndex() == 0));
    return kind;
}

int MainWindow::chosenLevel(TestKind kind) const
{
    if (kind == TestKind::ForcedReview)
        return TestRules::DrawForcedReviewLevel();
    if (kind == TestKind::LevelUp)
        return Common::CurrentLevel + 1;
    return Combo1->currentText().toInt();
}

void MainWindow::placePrompt()
{
    QFont promptFont = Label1->font();
    const bool english = Common::IsEnglishAnswer();
    promptFont.setPointSize(english ? PromptPointsEnglish : PromptPointsJapanese);
    Label1->setFont(promptFont);
    // A Japanese meaning sits lower, an English word near the top.
    Label1->setAlignment(Qt::AlignHCenter | (english ? Qt::AlignVCenter : Qt::AlignTop));
}

void MainWindow::Timer1_Timer()
{
    if (isRunning())
        m_session->Tick();
}

void MainWindow::DrawTarget(int box, const QString &typed, const QString &current, const QString &rest,
                            const QString &guideTyped, const QString &guideCurrent, const QString &guideRest)
{
    // A listening test's answers are English words, whatever the direction.
    const bool kanaGuide = !Common::IsEnglishAnswer() && !TestKinds::isListening(Common::TestMode);
    Picture1[box]->draw({typed, current, rest}, {guideTyped, guideCurrent, guideRest}, kanaGuide);
}

void MainWindow::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == KeyEnter)
    {
        Command1_Click();
        return;
    }
    if (isRunning())
        m_session->KeyDown(keyCode, shift);
}

void MainWindow::testStopped()
{
    ShowTestSettings();
    Command1->setText(QStringLiteral("スタート"));
    Timer1->stop();
    m_practiceAction->setEnabled(true);
    m_listeningAction->setEnabled(true);
    m_replayButton->hide();
}

void MainWindow::testEnded(const TestOutcome &outcome)
{
    TestOutcome shown = outcome;
    if (m_weakHistory)
    {
        shown.addWeakWord = [this](int bankIndex) {
            const bool kept = m_weakHistory->mark({bankIndex}, WordMark::Kind::Weak, Clock::currentDateTime());
            m_weakWordsRefresh->start();
            return kept;
        };
    }
    EndMessage notice(shown, this);
    // Closing the result view shows the LEVEL and failure count the test has left.
    connect(&notice, &EndMessage::resultViewClosed, this, &MainWindow::ShowLevelStatus);
    Modal::exec(notice);
    if (outcome.topLevelReached)
        ShowTopLevelNotice();
}

void MainWindow::ShowTopLevelNotice()
{
    if (Common::IsUserBank())
    {
        Max2 notice(this);
        Modal::exec(notice);
        return;
    }
    EntryName entry(this);
    Modal::exec(entry);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    keepOnScreen();
}

// The whole window, 中断 and the counter included, stays on the screen it opens on.
void MainWindow::keepOnScreen()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Shown on a small screen, the window was made no larger than two thirds
    // of it: it takes all the room there is, and the boxes and prompt give way
    // to fit it.
    resize(size().expandedTo(sizeHint()).boundedTo(RoomOnScreen(*this)));
    const QRect frame = frameGeometry();
    const int x = std::clamp(frame.x(), available.left(), std::max(available.left(), available.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), available.top(), std::max(available.top(), available.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y())
        move(x, y);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A test still running is scored and saved, with its notices, before the end.
    if (isRunning())
        m_session->EndTest();
    // Records that could not be saved are tried again; failing that, the learner chooses.
    if (!UnsavedRecords::settle(this))
    {
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;

    auto *keyEvent = static_cast<QKeyEvent *>(event);
    // Keys with Alt belong to the menus, also during a test: the key-code
    // table knows no Alt combination, so they never type an answer.
    if (keyEvent->modifiers().testFlag(Qt::AltModifier) || keyEvent->key() == Qt::Key_Alt)
        return false;
    const VirtualKey key = virtualKeyFromEvent(keyEvent->nativeScanCode(), keyEvent->key(), keyEvent->modifiers());
    // While a test runs every other key is typing, never a shortcut or a
    // control's key; when idle only Enter is taken, so the controls stay usable.
    if (!isRunning() && key.keyCode != KeyEnter)
        return false;
    event->accept();
    if (type == QEvent::KeyPress)
        Form_KeyDown(key.keyCode, key.shift);
    return true;
}

void MainWindow::MenuEnd_Click()
{
    close();
}

namespace
{
    // Every menu dialog is created when shown and owned by the main window.
    template<typename Dialog>
    void showDialog(QWidget *owner)
    {
        Dialog dialog(owner);
        Modal::exec(dialog);
    }
}

void MainWindow::MenuRoma_Click()
{
    showDialog<RomanSetting>(this);
}

void MainWindow::MenuSyutudai_Click()
{
    // The dialog may reload the bank, the parameters and the records: a
    // running test is ended first, as Enter would, so that they always belong
    // together. Giving up a test (a challenge counts as failed) is asked first.
    if (isRunning())
    {
        if (!Message::ask(QStringLiteral("テストを中断して出題設定を開きますか？")))
            return;
        // The time limit may have ended the test while the question was open.
        if (isRunning())
            m_session->EndTest();
    }
    Syutudai dialog(this);
    connect(&dialog, &Syutudai::saved, this, &MainWindow::RefreshAfterSettings);
    Modal::exec(dialog);
}

// Choosing a list to study reloads the bank, as the question settings do: a
// running test is ended first, after asking.
void MainWindow::menuWordList_Click()
{
    if (isRunning() && !Message::ask(QStringLiteral("テストを中断して問題集の作成・編集を開きますか？")))
        return;
    if (isRunning())
        m_session->EndTest();
    WordListEditor editor(this);
    connect(&editor, &WordListEditor::bankChosen, this, &MainWindow::RefreshAfterSettings);
    Modal::exec(editor);
}

void MainWindow::menuRestore_Click()
{
    // The restored records replace those in memory: a running test is scored
    // and saved first, so it is kept among the backups.
    if (isRunning())
        m_session->EndTest();
    RecordRestore dialog(m_history.get(), this);
    if (Modal::exec(dialog) == QDialog::Accepted)
        RefreshAfterSettings();
}

void MainWindow::MenuRecord_Click()
{
    showDialog<Record>(this);
}

void MainWindow::menuHistory_Click()
{
    if (!m_history)
        return;
    if (!m_weakHistory->isReady())
    {
        whenWeakWordsHeld(&MainWindow::menuHistory_Click);
        return;
    }
    HistoryWindow window(*m_history, *m_weakHistory, !isRunning(), this);
    const int result = Modal::exec(window);
    // Its word book may have changed what is due.
    m_weakWordsRefresh->start();
    if (result == HistoryWindow::PracticeRequested)
        startPractice();
}

void MainWindow::menuWordBook_Click()
{
    if (!m_history)
        return;
    if (!m_weakHistory->isReady())
    {
        whenWeakWordsHeld(&MainWindow::menuWordBook_Click);
        return;
    }
    WordBookWindow window(*m_history, *m_weakHistory, this);
    Modal::exec(window);
    // Marks change what is due.
    m_weakWordsRefresh->start();
}

void MainWindow::menuHistoryCsv_Click()
{
    if (!m_history)
        return;
    QFileDialog dialog(this, QStringLiteral("学習履歴をCSVで保存"));
    dialog.setObjectName(QStringLiteral("HistoryCsvDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("CSV ファイル (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(QStringLiteral("学習履歴_%1.csv").arg(Clock::currentDateTime().toString(QStringLiteral("yyyy-MM-dd"))));
    if (Modal::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    if (!HistoryCsv::write(*m_history, path, &error))
    {
        Message::show(QStringLiteral("学習履歴を保存できませんでした。\n%1\n%2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    Message::show(QStringLiteral("学習履歴を保存しました。\n%1").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::menuExport_Click()
{
    QFileDialog dialog(this, QStringLiteral("学習データの書き出し"));
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("ZIP ファイル (*.zip)"));
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(LearnerExport::DefaultFileName(Clock::currentDateTime().date()));
    if (Modal::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    // Records that wait to be saved belong in the file too.
    Common::SaveUnsavedRecords();
    const TransferProblem problem = LearnerExport::Write(ProgramFolder::path(), path, m_history.get());
    if (!problem.ok())
    {
        Message::show(QStringLiteral("学習データを書き出せませんでした。\n%1\n%2").arg(QDir::toNativeSeparators(path), problem.text()));
        return;
    }
    Message::show(QStringLiteral("学習データを書き出しました。\n%1").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::menuImport_Click()
{
    // The imported data replaces what is in memory: a running test is ended
    // first, as Enter would, after the learner agrees.
    if (isRunning())
    {
        if (!Message::ask(QStringLiteral("テストを中断して学習データを読み込みますか？")))
            return;
        if (isRunning())
            m_session->EndTest();
    }
    QFileDialog dialog(this, QStringLiteral("学習データの読み込み"));
    dialog.setObjectName(QStringLiteral("ImportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("ZIP ファイル (*.zip)"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (Modal::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    // Records still waiting would be written over the imported ones later.
    if (!Common::SaveUnsavedRecords())
    {
        Message::show(QStringLiteral("保存できていない成績があるため、学習データを読み込めません。先に成績を保存してください。"));
        return;
    }
    LearnerImport import(ProgramFolder::path());
    TransferProblem problem = import.check(path);
    if (!problem.ok())
    {
        Message::show(QStringLiteral("この学習データは読み込めません。今のデータはそのままです。\n%1\n%2")
                          .arg(QDir::toNativeSeparators(path), problem.text()));
        return;
    }
    LearnerImportDialog confirm(
        path, TransferComparison::Make(ProgramFolder::path(), m_history.get(), import.stagedFolder(), import.manifest()), this);
    if (Modal::exec(confirm) != QDialog::Accepted)
        return;
    QString backup;
    problem = import.keepBackup(m_history.get(), &backup);
    if (!problem.ok())
    {
        Message::show(QStringLiteral("今の学習データを書き出せないため、読み込みをやめました。今のデータはそのままです。\n%1")
                          .arg(problem.text()));
        return;
    }
    // The history's file is switched too: nothing may hold it open meanwhile.
    m_listeningWeak.reset();
    m_weakHistory.reset();
    m_history.reset();
    const DataSwitch::Result result = import.switchIn();
    if (result.outcome == DataSwitch::Outcome::Stuck)
    {
        // Neither side is whole: the program ends before it reads or writes
        // a mix, and its next start finishes or undoes the switch.
        Message::show(QStringLiteral("学習データの読み込みが途中で止まり、元にも戻せませんでした。Vocamira を終了します。"
                                     "次に起動したときに、読み込む前のデータに戻すか、読み込みを済ませます。\n%1")
                          .arg(result.problem.text()));
        close();
        return;
    }
    reloadLearnerData();
    const QString undo = backup.isEmpty() ? QString()
                                          : QStringLiteral("\n元に戻すには、次のファイルを読み込んでください。\n%1").arg(QDir::toNativeSeparators(backup));
    if (result.outcome == DataSwitch::Outcome::Switched)
        Message::show(QStringLiteral("学習データを読み込みました。") + undo);
    else
        Message::show(QStringLiteral("学習データを読み込めませんでした。今のデータはそのままです。\n%1").arg(result.problem.text()));
}

void MainWindow::MenuReadMe_Click()
{
    OpenReadMe(this);
}

void MainWindow::MenuBook_Click()
{
    showDialog<BookGuide>(this);
}

void MainWindow::MenuVersion_Click()
{
    showDialog<VersionInfo>(this);
}
