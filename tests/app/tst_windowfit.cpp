#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <memory>

#include "app/mainwindow.h"
#include "gui_shared/screenroom.h"
#include "help/bookguide.h"
#include "help/readmeviewer.h"
#include "help/versioninfo.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "history/historywindow.h"
#include "history/weakhistory.h"
#include "history/wordbookwindow.h"
#include "judge/romansetting.h"
#include "records/endmessage.h"
#include "records/entryname.h"
#include "records/kyosei.h"
#include "records/max.h"
#include "records/max2.h"
#include "records/record.h"
#include "records/recordrestore.h"
#include "records/result.h"
#include "records/unsavedrecords.h"
#include "settings_ui/syutudai.h"
#include "testsupport.h"
#include "testsupport_ui.h"

namespace
{
    using Factory = std::function<std::unique_ptr<QWidget>(HistoryStore &history)>;

    template <typename Window>
    Factory plain()
    {
        return [](HistoryStore &) { return std::make_unique<Window>(nullptr); };
    }

    TestOutcome passedOutcome()
    {
        TestOutcome outcome;
        outcome.score = 90;
        outcome.passMark = 80;
        outcome.passed = true;
        outcome.levelMessage = QStringLiteral("レベルアップです！！");
        outcome.level = 2;
        outcome.shownSeconds = 123.456;
        outcome.newBestTime = true;
        return outcome;
    }

    // A test of long words, all missed, so that the history's columns are wide.
    void addLongWords(HistoryStore &history)
    {
        const HistoryFilter filter = HistoryFilter::current();
        HistoryTest test;
        test.startedAt = test.endedAt = QDateTime::currentDateTime();
        test.bankKind = filter.bankKind;
        test.bankName = filter.bankName;
        test.direction = filter.direction;
        test.inputMethod = QStringLiteral("ROMA");
        for (int i = 0; i < 10; ++i)
        {
            HistoryTest::Question q;
            q.number = i + 1;
            q.bankIndex = i;
            q.prompt = QStringLiteral("internationalization%1").arg(i);
            q.answer = QStringLiteral("国際化に対応させるための準備をすること%1").arg(i);
            q.answered = true;
            q.chosenIndex = i + 1;
            q.chosenAnswer = QStringLiteral("地域に合わせた表示にするための翻訳作業%1").arg(i);
            q.seconds = 2;
            test.questions.append(q);
        }
        QVERIFY(history.addTest(test));
    }

    // What keeps the learner from using the whole window: the window past
    // the room its screen has, or a button cut short or outside the window.
    QStringList outOfReach(const QWidget &window)
    {
        QStringList faults;
        const QSize room = RoomOnScreen(window);
        if (window.width() > room.width() || window.height() > room.height()
            || !window.screen()->availableGeometry().contains(window.frameGeometry()))
            faults << QStringLiteral("the window, %1x%2 where the screen has room for %3x%4")
                          .arg(window.width())
                          .arg(window.height())
                          .arg(room.width())
                          .arg(room.height());
        for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        {
            // A tab bar's own arrows are how its tabs give way.
            if (qobject_cast<const QTabBar *>(button->parent()))
                continue;
            const QRect inWindow(button->mapTo(&window, QPoint()), button->size());
            if (button->isVisibleTo(&window)
                && (!window.rect().contains(inWindow) || button->width() < button->minimumSizeHint().width()))
                faults << button->objectName();
        }
        return faults;
    }
}

Q_DECLARE_METATYPE(Factory)

// Every window fits the screen it opens on with room for its title bar, and
// every button in it is whole. CTest runs this at 100% and at 200% on a
// 1280x1024 screen, where what can give way (a column, a long text, the size
// of a box's text) gives way before a button does.
class WindowFitTest : public QObject
{
    Q_OBJECT

private slots:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void WindowFitTest::fitsTheScreen_data()
{
    QTest::addColumn<Factory>("factory");

    QTest::newRow("main window") << Factory([](HistoryStore &) {
        auto window = std::make_unique<MainWindow>();
        window->Form_Load();
        return window;
    });
    QTest::newRow("history") << Factory([](HistoryStore &history) {
        addLongWords(history);
        auto *weak = new WeakHistory(history);
        auto window = std::make_unique<HistoryWindow>(history, *weak, true, nullptr);
        QObject::connect(window.get(), &QObject::destroyed, [weak] { delete weak; });
        return window;
    });
    QTest::newRow("word book") << Factory([](HistoryStore &history) {
        addLongWords(history);
        auto *weak = new WeakHistory(history);
        auto window = std::make_unique<WordBookWindow>(history, *weak, nullptr);
        QObject::connect(window.get(), &QObject::destroyed, [weak] { delete weak; });
        return window;
    });
    QTest::newRow("restore") << Factory([](HistoryStore &history) {
        return std::make_unique<RecordRestore>(&history, nullptr);
    });
    QTest::newRow("result") << Factory([](HistoryStore &) { return std::make_unique<Result>(passedOutcome(), nullptr); });
    QTest::newRow("end of test") << Factory([](HistoryStore &) {
        return std::make_unique<EndMessage>(passedOutcome(), nullptr);
    });
    QTest::newRow("read-me") << Factory([](HistoryStore &) {
        return std::make_unique<ReadMeViewer>(ProgramFolder::filePath(QStringLiteral("readme.txt")), nullptr);
    });
    QTest::newRow("record list") << plain<Record>();
    QTest::newRow("question settings") << plain<Syutudai>();
    QTest::newRow("romaji display") << plain<RomanSetting>();
    QTest::newRow("unsaved records") << plain<UnsavedRecords>();
    QTest::newRow("forced review") << plain<Kyosei>();
    QTest::newRow("certificate") << plain<Max>();
    QTest::newRow("user bank's top LEVEL") << plain<Max2>();
    QTest::newRow("name entry") << plain<EntryName>();
    QTest::newRow("version") << plain<VersionInfo>();
    QTest::newRow("book guide") << plain<BookGuide>();
}

void WindowFitTest::fitsTheScreen()
{
    QFETCH(Factory, factory);
    ProgramFolderFixture folder;
    folder.writeStandardBank(17 * 3);
    HistoryStore history(HistoryStore::defaultPath());
    ModalRecorder modals;
    SoundRecorder sounds;
    const std::unique_ptr<QWidget> window = factory(history);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList faults = outOfReach(*window);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
}

QTEST_MAIN(WindowFitTest)
#include "tst_windowfit.moc"
