#pragma once

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

#include "core/testkind.h"
#include "testrun/testsession.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;
class HistoryStore;
class ListeningTest;
class NoticeBar;
class WeakHistory;
class WeakWords;
class TargetBox;

namespace TestRules
{
    struct Badge;
}

// The program's main window, where every test runs: start-up, the choice
// and start of a test, the menus. The test under way is a TestSession: the
// window hands it the keys and the timer's ticks and draws what it tells.
// The controls keep their designed names and are public, so that tests can
// drive them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Builds the tables and loads bank, settings and records. False when the
    // bank cannot fill one LEVEL: the learner has been told, the program ends.
    bool Form_Load();

    void ShowTestSettings();
    void ShowLevelStatus();

    // Starts a practice test of the weak words, the due ones first; with no
    // weak word at all the learner is told so and no test starts.
    void startPractice();
    // Asks how to take a listening test and starts it; with no way to hear
    // its words the learner is told so and no test starts.
    void startListening();
    // The weak words of the bank and direction in use, as of today.
    WeakWords weakWords() const;
    void RefreshAfterSettings();

    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Timer1_Timer();
    // keyCode: Windows virtual-key code; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Form_KeyDown(int keyCode, int shift);

    void MenuEnd_Click();
    void menuRestore_Click();
    void MenuRoma_Click();
    void MenuSyutudai_Click();
    void menuWordList_Click();
    void MenuRecord_Click();
    void menuHistory_Click();
    void menuWordBook_Click();
    void menuHistoryCsv_Click();
    void menuExport_Click();
    void menuImport_Click();
    void MenuReadMe_Click();
    void MenuBook_Click();
    void MenuVersion_Click();

    // The test under way, or the last one; null before the first.
    const TestSession *session() const { return m_session; }

    QGroupBox *Frame1;
    QGroupBox *Frame2;
    QGroupBox *Frame3;
    QGroupBox *Frame4;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QRadioButton *Option4;
    QRadioButton *Option5;
    QRadioButton *Option6;
    QComboBox *Combo1;
    QPushButton *Command1;
    QLabel *Label1;
    std::array<QLabel *, 3> Label2 {};
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label12;
    QLabel *Label13;
    QLabel *Label14;
    QLabel *Label15;
    std::array<TargetBox *, 3> Picture1 {};
    QTimer *Timer1;

    QMenu *MenuFile;
    QMenu *MenuSetting;
    QMenu *MenuKekka;
    QMenu *MenuHelp;
    QAction *menuRestore;
    QAction *menuHistoryCsv;
    QAction *menuExport;
    QAction *menuImport;
    QAction *MenuEnd;
    QAction *MenuRoma;
    QAction *kugiri1;
    QAction *MenuSyutudai;
    QAction *menuWordList;
    QAction *MenuRecord;
    QAction *menuHistory;
    QAction *MenuReadMe;
    QAction *MenuBook;
    QAction *MenuVersion;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int OptionCount = 6;

    void buildControls();
    void buildMenus();
    QWidget *buildSettingsRow();
    QWidget *buildTestRow();
    QWidget *buildTargets();
    void disableInputMethods();
    void keepOnScreen();

    std::array<QRadioButton *, OptionCount> options() const;
    void selectOption(int index);
    void setBadge(const TestRules::Badge &badge);
    bool isRunning() const;

    void buildPracticeControls();
    void refreshWeakWords();
    void startPracticeOf(const QList<int> &words);
    void buildPracticeSizeChoices();
    // Runs `then` once the weak words of the bank in use are held, read in
    // the background if need be; an action asked for again replaces the last.
    void whenWeakWordsHeld(void (MainWindow::*then)());
    void weakWordsLoaded();

    void startTest();
    TestSession::History history() const;
    // What every kind of test does once its questions are chosen: the
    // window's part, then the session's start. The window owns the session.
    void beginRun(TestSession *session);
    TestKind chooseTestKind();
    int chosenLevel(TestKind kind) const;
    void placePrompt();

    void DrawTarget(int box, const QString &typed, const QString &current, const QString &rest,
                    const QString &guideTyped, const QString &guideCurrent, const QString &guideRest);
    // The test no longer runs: the idle display, before its scoring.
    void testStopped();
    // Scored and kept: the notice, the result view and, at the top LEVEL, the certificate.
    void testEnded(const TestOutcome &outcome);
    void ShowTopLevelNotice();
    // The study history and its weak words, opened on the learner's file.
    void openHistory();
    // Everything read from the learner's files, read again after an import.
    void reloadLearnerData();
    // Finishes or undoes an import cut short; false when neither worked.
    bool recoverImport();

    QLabel *m_secondsUnit = nullptr;
    NoticeBar *m_notices = nullptr;
    TestSession *m_session = nullptr;
    std::unique_ptr<HistoryStore> m_history;
    std::unique_ptr<WeakHistory> m_weakHistory;

    QMenu *m_practiceMenu = nullptr;
    QAction *m_practiceAction = nullptr;
    QAction *m_listeningAction = nullptr;
    // How many weak words a practice asks, as chosen in the 練習 menu.
    int m_practiceSize = 10;
    QPushButton *m_replayButton = nullptr;
    std::unique_ptr<WeakHistory> m_listeningWeak;
    QLabel *m_weakWordsLabel = nullptr;
    QTimer *m_weakWordsRefresh = nullptr;
    void (MainWindow::*m_afterWeakWords)() = nullptr;
};
