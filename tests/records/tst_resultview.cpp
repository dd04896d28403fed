#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "bank/questions.h"
#include "records/endmessage.h"
#include "records/result.h"
#include "testsupport.h"
#include "testsupport_ui.h"

Q_DECLARE_METATYPE(TestOutcome)

namespace
{
    // A bank large enough for the sound folders' threshold at 170.
    void fillBank()
    {
        Common::QuestionBank.clear();
        for (int i = 0; i < 200; ++i)
            Common::QuestionBank.append({QStringLiteral("prompt%1").arg(i), QStringLiteral("answer%1").arg(i), {}, {}});
        Common::QuestionCount = int(Common::QuestionBank.size());
    }

    // A test ended while its 4th question was on screen. Slot 5 keeps a number
    // from an earlier test, as the shared state does.
    void endEarly()
    {
        const QStringList numbers {QStringLiteral("7"), QStringLiteral("169"), QStringLiteral("170"), QStringLiteral("3"),
                                   QStringLiteral("12")};
        const QStringList marks {QStringLiteral("○"), QStringLiteral("×"), QStringLiteral("○"), QStringLiteral("×"),
                                 QStringLiteral("○")};
        for (int k = 1; k <= numbers.size(); ++k)
        {
            Common::TestQuestionNumbers[k] = numbers[k - 1];
            Common::TestMarks[k] = marks[k - 1];
        }
        Common::TestQuestionIndex = 4;
    }

    QLabel *label(QWidget &window, const QString &name)
    {
        auto *found = window.findChild<QLabel *>(name);
        if (!found)
            qFatal("no label %s", qPrintable(name));
        return found;
    }
}

class TestResultView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void caption_data();
    void caption();
    void rowsOfATestEndedEarly();
    void clicksPlayTheEnglishWordOfTheStandardBank_data();
    void clicksPlayTheEnglishWordOfTheStandardBank();
    void clicksFollowTheSettingsAtTheTimeOfTheClick();
    void scoreFields_data();
    void scoreFields();
    void scrollingReachesEveryRow();
    void tenRowsInViewAtTheDefaultSize();
    void oneWidthFromTestToTest();
    void everyCloseRefreshesTheLevelDisplay_data();
    void everyCloseRefreshesTheLevelDisplay();
    void practiceNotesAndTheRowMenu();

private:
    void useBank(bool user, const QString &transMode);

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<SoundRecorder> m_sounds;
};

void TestResultView::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_sounds = std::make_unique<SoundRecorder>();
    fillBank();
    endEarly();
}

void TestResultView::cleanup()
{
    m_sounds.reset();
    m_folder.reset();
}

void TestResultView::useBank(bool user, const QString &transMode)
{
    m_folder->setCommon(Common::KeyTextKind, user ? Common::TextKindUser : Common::TextKindStandard);
    m_folder->setCommon(Common::KeyTextName, QStringLiteral("中学英単語"));
    m_folder->setCommon(Common::KeyTransMode, transMode);
}

void TestResultView::caption_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstHeader");
    QTest::addColumn<QString>("secondHeader");

    QTest::newRow("standard, 和訳") << false << QStringLiteral("和訳")
                                  << QStringLiteral("結果表示      < 標準問題 － 和訳 > ") << QStringLiteral("英単語")
                                  << QStringLiteral("日本語（正解）");
    QTest::newRow("standard, 英訳") << false << QStringLiteral("英訳")
                                  << QStringLiteral("結果表示      < 標準問題 － 英訳 > ") << QStringLiteral("日本語")
                                  << QStringLiteral("英単語（正解）");
    QTest::newRow("user, 和訳") << true << QStringLiteral("和訳")
                              << QStringLiteral("結果表示      < ユーザー問題 － 和訳 ： 中学英単語 >")
                              << QStringLiteral("英単語") << QStringLiteral("日本語（正解）");
    QTest::newRow("user, 英訳") << true << QStringLiteral("英訳")
                              << QStringLiteral("結果表示      < ユーザー問題 － 英訳 ： 中学英単語 >")
                              << QStringLiteral("日本語") << QStringLiteral("英単語（正解）");
}

// The caption, the headers and the look of the two columns follow the bank
// and the direction: the English column is bold, and underlined (clickable)
// only for the standard bank, whose hint is shown.
void TestResultView::caption()
{
    QFETCH(bool, user);
    QFETCH(QString, transMode);
    QFETCH(QString, caption);
    QFETCH(QString, firstHeader);
    QFETCH(QString, secondHeader);
    useBank(user, transMode);

    Result view({}, nullptr);

    QCOMPARE(view.windowTitle(), caption);
    QCOMPARE(label(view, QStringLiteral("Label7"))->text(), firstHeader);
    QCOMPARE(label(view, QStringLiteral("Label6"))->text(), secondHeader);
    QCOMPARE(label(view, QStringLiteral("Label20"))->isVisibleTo(&view), !user);
    const bool englishFirst = transMode != QStringLiteral("英訳");
    for (int i = 0; i < 10; ++i)
    {
        const QString row = QString::number(i);
        const QFont english = label(view, (englishFirst ? QStringLiteral("Label2_") : QStringLiteral("Label3_")) + row)->font();
        const QFont japanese = label(view, (englishFirst ? QStringLiteral("Label3_") : QStringLiteral("Label2_")) + row)->font();
        QVERIFY(english.bold());
        QCOMPARE(english.underline(), !user);
        QVERIFY(!japanese.bold());
        QVERIFY(!japanese.underline());
    }
    // The English column is the narrower one, whichever side it is on.
    const int firstWidth = view.findChild<QWidget *>(QStringLiteral("Picture2_0"))->width();
    const int secondWidth = view.findChild<QWidget *>(QStringLiteral("Picture3_0"))->width();
    QCOMPARE(firstWidth < secondWidth, englishFirst);
    QCOMPARE(label(view, QStringLiteral("Label7"))->width(), firstWidth);
}

void TestResultView::rowsOfATestEndedEarly()
{
    useBank(false, QStringLiteral("和訳"));
    Result view({}, nullptr);

    const QStringList numbers {QStringLiteral("7"), QStringLiteral("169"), QStringLiteral("170"), QStringLiteral("3")};
    for (int i = 0; i < 10; ++i)
    {
        const bool filled = i < 4;
        QCOMPARE(label(view, QStringLiteral("Label1_%1").arg(i))->text(), QString::number(i + 1));
        QCOMPARE(label(view, QStringLiteral("Label2_%1").arg(i))->text(),
                 filled ? QStringLiteral("prompt") + numbers[i] : QString());
        QCOMPARE(label(view, QStringLiteral("Label3_%1").arg(i))->text(),
                 filled ? QStringLiteral("answer") + numbers[i] : QString());
        QCOMPARE(label(view, QStringLiteral("Label4_%1").arg(i))->text(), filled ? Common::TestMarks[i + 1] : QString());
    }
    QCOMPARE(label(view, QStringLiteral("Label4_3"))->text(), QStringLiteral("×"));
    for (int i = 0; i < 20; ++i)
    {
        for (const char *group : {"Picture1_%1", "Picture2_%1", "Picture3_%1", "Picture4_%1"})
            QCOMPARE(view.findChild<QWidget *>(QString::fromLatin1(group).arg(i))->isVisibleTo(&view), i < 10);
    }
}

void TestResultView::clicksPlayTheEnglishWordOfTheStandardBank_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("played"); // folder/file, or "" for nothing

    const QString wayaku = QStringLiteral("和訳");
    const QString eiyaku = QStringLiteral("英訳");
    QTest::newRow("和訳, index 7") << false << wayaku << "Label2_0" << "sound1/0007.wma";
    QTest::newRow("和訳, index 169") << false << wayaku << "Label2_1" << "sound1/0169.wma";
    QTest::newRow("和訳, index 170") << false << wayaku << "Label2_2" << "sound2/0170.wma";
    QTest::newRow("和訳, Japanese column") << false << wayaku << "Label3_0" << "";
    QTest::newRow("英訳, index 170") << false << eiyaku << "Label3_2" << "sound2/0170.wma";
    QTest::newRow("英訳, index 3, the question on screen") << false << eiyaku << "Label3_3" << "sound1/0003.wma";
    QTest::newRow("英訳, Japanese column") << false << eiyaku << "Label2_0" << "";
    QTest::newRow("blank row with an old number") << false << wayaku << "Label2_4" << "";
    QTest::newRow("blank row never filled") << false << wayaku << "Label2_9" << "";
    QTest::newRow("user bank, 和訳") << true << wayaku << "Label2_0" << "";
    QTest::newRow("user bank, 英訳") << true << eiyaku << "Label3_0" << "";
}

void TestResultView::clicksPlayTheEnglishWordOfTheStandardBank()
{
    QFETCH(bool, user);
    QFETCH(QString, transMode);
    QFETCH(QString, clicked);
    QFETCH(QString, played);
    useBank(user, transMode);
    Result view({}, nullptr);
    view.show();

    QTest::mouseClick(label(view, clicked), Qt::LeftButton);

    const QStringList expected = played.isEmpty() ? QStringList() : QStringList {m_folder->path() + u'/' + played};
    QCOMPARE(m_sounds->played(), expected);
}

void TestResultView::clicksFollowTheSettingsAtTheTimeOfTheClick()
{
    useBank(false, QStringLiteral("和訳"));
    Result view({}, nullptr);
    view.show();

    m_folder->setCommon(Common::KeyTransMode, QStringLiteral("英訳"));
    QTest::mouseClick(label(view, QStringLiteral("Label2_0")), Qt::LeftButton);
    QVERIFY(m_sounds->played().isEmpty());
    QTest::mouseClick(label(view, QStringLiteral("Label3_1")), Qt::LeftButton);
    QCOMPARE(m_sounds->played(), QStringList {Common::SoundFilePath(169)});

    m_folder->setCommon(Common::KeyTextKind, Common::TextKindUser);
    QTest::mouseClick(label(view, QStringLiteral("Label3_1")), Qt::LeftButton);
    QCOMPARE(m_sounds->played().size(), 1);
}

void TestResultView::scoreFields_data()
{
    QTest::addColumn<TestOutcome>("outcome");
    QTest::addColumn<QStringList>("texts"); // Label14, Label16, Label15, Label9, Label11, Label18, Label19
    QTest::addColumn<QColor>("color");

    TestOutcome record {100, 80, true, QStringLiteral("レベルアップです！！"), EmphasisColor::Red, 10, 41.25, true};
    QTest::newRow("perfect, new best time")
        << record
        << QStringList {"100点", "1問10点で80点以上が合格です", "合格", "レベルアップです！！", "LEVEL10", "41.250秒", "最速記録！"}
        << QColor(0xFF, 0, 0);
    TestOutcome down {80, 90, false, QStringLiteral("予習不足！レベルダウン！！"), EmphasisColor::Blue, 80, 5, false};
    QTest::newRow("failed against the high pass mark")
        << down
        << QStringList {"80点", "1問10点で90点以上が合格です", "不合格", "予習不足！レベルダウン！！", "LEVEL80", "5.000秒", ""}
        << QColor(0, 0, 0xFF);
    TestOutcome stopped {0, 80, false, QStringLiteral("学習が不足しています"), EmphasisColor::Black, 0, 0.0125, false};
    QTest::newRow("stopped at once")
        << stopped
        << QStringList {"0点", "1問10点で80点以上が合格です", "不合格", "学習が不足しています", "LEVEL0", "0.013秒", ""}
        << QColor(0, 0, 0);
}

void TestResultView::scoreFields()
{
    QFETCH(TestOutcome, outcome);
    QFETCH(QStringList, texts);
    QFETCH(QColor, color);
    Result view(outcome, nullptr);

    const QStringList names {"Label14", "Label16", "Label15", "Label9", "Label11", "Label18", "Label19"};
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(label(view, names[i])->text(), texts[i]);
    QCOMPARE(label(view, QStringLiteral("Label9"))->palette().color(QPalette::WindowText), color);

    QCOMPARE(label(view, QStringLiteral("Label10"))->text() + label(view, QStringLiteral("Label11"))->text()
                 + label(view, QStringLiteral("Label12"))->text(),
             QStringLiteral("あなたは現在，") + texts[4] + QStringLiteral("です"));
}

// Ten rows of very long meanings do not fit the viewport, which takes no more
// than part of the screen; the scroll bar's full range brings the last row
// wholly into view and its start the first.
void TestResultView::scrollingReachesEveryRow()
{
    useBank(false, QStringLiteral("和訳"));
    for (int i = 0; i < 200; ++i)
        Common::QuestionBank[i].Answer = QStringLiteral("とても長い意味の説明が何行にもわたって続く場合").repeated(4) + QString::number(i);
    for (int k = 1; k <= 10; ++k)
        Common::TestQuestionNumbers[k] = QString::number(k);
    Common::TestQuestionIndex = 10;
    Result view({}, nullptr);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    auto *scroll = view.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    auto *rows = view.findChild<QWidget *>(QStringLiteral("Picture11"));
    QWidget *viewport = rows->parentWidget();
    QCOMPARE(scroll->maximum(), 120);
    QCOMPARE(scroll->pageStep(), 120);
    QVERIFY(scroll->isEnabled());
    QCOMPARE(rows->y(), 0);
    const QWidget *last = view.findChild<QWidget *>(QStringLiteral("Picture4_9"));
    QVERIFY(last->mapTo(viewport, QPoint(0, last->height())).y() > viewport->height());

    scroll->setValue(120);
    QVERIFY(rows->y() < 0);
    QCOMPARE(last->mapTo(viewport, QPoint(0, last->height())).y(), viewport->height());

    scroll->setValue(60);
    QVERIFY(rows->y() < 0);
    QVERIFY(last->mapTo(viewport, QPoint(0, last->height())).y() > viewport->height());

    // One notch of the wheel moves the rows by about one row.
    scroll->setValue(0);
    const int rowHeight = view.findChild<QWidget *>(QStringLiteral("Picture1_1"))->y();
    const QPoint inside(viewport->width() / 2, viewport->height() / 2);
    QWheelEvent notch(inside, viewport->mapToGlobal(inside), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &notch);
    QVERIFY2(-rows->y() > rowHeight / 2 && -rows->y() < rowHeight * 3 / 2,
             qPrintable(QStringLiteral("moved %1 for rows of %2").arg(-rows->y()).arg(rowHeight)));
}

// A test's ten rows are all in view without scrolling.
void TestResultView::tenRowsInViewAtTheDefaultSize()
{
    useBank(false, QStringLiteral("英訳"));
    for (int k = 1; k <= 10; ++k)
        Common::TestQuestionNumbers[k] = QString::number(k);
    Common::TestQuestionIndex = 10;
    Result view({}, nullptr);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QWidget *viewport = view.findChild<QWidget *>(QStringLiteral("Picture11"))->parentWidget();
    for (int i = 0; i < 10; ++i)
    {
        for (const char *group : {"Picture1", "Picture2", "Picture3", "Picture4"})
        {
            const auto *cell = view.findChild<QWidget *>(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(i));
            const QRect placed(cell->mapTo(viewport, QPoint()), cell->size());
            QVERIFY2(viewport->rect().contains(placed), qPrintable(cell->objectName()));
        }
    }
    QVERIFY(!view.findChild<QScrollBar *>(QStringLiteral("VScroll1"))->isEnabled());
}

// Whatever the messages of a test, the window keeps its width.
void TestResultView::oneWidthFromTestToTest()
{
    useBank(false, QStringLiteral("和訳"));
    endEarly();
    const TestOutcome narrow {0, 80, false, QStringLiteral("学習が不足しています"), EmphasisColor::Black, 0, 1, false};
    const TestOutcome wide {90, 100, false, QStringLiteral("予習不足！レベルアップならず"), EmphasisColor::Black,
                            100, 199.999, true};
    Result first(narrow, nullptr);
    Result second(wide, nullptr);
    first.show();
    second.show();
    QCOMPARE(first.width(), second.width());
}

void TestResultView::everyCloseRefreshesTheLevelDisplay_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("閉じる") << "ok";
    QTest::newRow("close box") << "close";
    QTest::newRow("Esc") << "escape";
}

// The main window shows the LEVEL and failure count the test has left
// however the result view that follows the end-of-test notice is closed.
void TestResultView::everyCloseRefreshesTheLevelDisplay()
{
    QFETCH(QString, how);
    ModalRecorder modals;
    bool openWhenTold = true;
    modals.answer(QStringLiteral("Result"), [&](QDialog &view) {
        if (how == QStringLiteral("ok"))
            QTest::mouseClick(view.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
        else if (how == QStringLiteral("close"))
            view.close();
        else
            QTest::keyClick(&view, Qt::Key_Escape);
        openWhenTold = view.isVisible();
    });
    EndMessage notice({}, nullptr);
    QSignalSpy closed(&notice, &EndMessage::resultViewClosed);

    Modal::exec(notice);

    QCOMPARE(modals.shown(), (QStringList {"EndMessage", "Result"}));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!openWhenTold);
}

// A practice shows where each word stands; a row's menu puts its word on the
// weak list when the owner gave a way, and a row of no question has no menu.
void TestResultView::practiceNotesAndTheRowMenu()
{
    useBank(false, QStringLiteral("和訳"));
    endEarly();
    QList<int> added;
    bool keeps = true;
    TestOutcome outcome;
    outcome.scheduleNotes = QStringList {"1/4", "0/4 最初から", "2/4 遅くて数えず", QString()};
    outcome.addWeakWord = [&](int bankIndex) {
        added.append(bankIndex);
        return keeps;
    };
    for (const bool practice : {false, true})
    {
        TestOutcome shown = outcome;
        if (!practice)
            shown.scheduleNotes.clear();
        Result view(shown, nullptr);
        QCOMPARE(label(view, QStringLiteral("noteHeader"))->isHidden(), !practice);
        QCOMPARE(label(view, QStringLiteral("note_2"))->text(), practice ? QStringLiteral("2/4 遅くて数えず") : QString());
        auto *menu = view.findChild<QMenu *>(QStringLiteral("rowMenu"));
        auto *add = view.findChild<QAction *>(QStringLiteral("addWeakAction"));
        QVERIFY(menu && add);
        for (const auto &[row, cell] : {std::pair {1, "Label2_1"}, {3, "Label4_3"}, {5, "Label3_5"}})
        {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
            QCoreApplication::sendEvent(label(view, QString::fromLatin1(cell)), &event);
            QCOMPARE(menu->isVisible(), row < 4);
            if (!menu->isVisible())
                continue;
            keeps = row == 1;
            add->trigger();
            menu->hide();
            QVERIFY(label(view, QStringLiteral("weakAdded"))->text().contains(keeps ? "追加しました" : "追加できませんでした"));
        }
    }
    QCOMPARE(added, (QList<int> {169, 3, 169, 3}));
}

QTEST_MAIN(TestResultView)
#include "tst_resultview.moc"
