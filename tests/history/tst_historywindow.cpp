#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSet>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "bank/questions.h"
#include "core/clock.h"
#include "gui_shared/soundplayer.h"
#include "history/historystore.h"
#include "history/historywindow.h"
#include "history/studycalendar.h"
#include "history/weakhistory.h"
#include "history/wordbookwindow.h"
#include "historysupport.h"
#include "testsupport.h"
#include "testsupport_ui.h"

namespace
{
    const QDateTime Day1(QDate(2026, 11, 2), QTime(9, 0));

    QChart *chart(const HistoryWindow &window, const char *name)
    {
        const auto *view = window.findChild<QChartView *>(QLatin1String(name));
        return view ? view->chart() : nullptr;
    }

    // A series of a chart drawn test by test, by its kind.
    QList<QPointF> points(const HistoryWindow &window, const char *name,
                          HistoryCharts::Series series = HistoryCharts::Directions)
    {
        const QChart *view = chart(window, name);
        return view ? static_cast<QXYSeries *>(view->series().value(series))->points() : QList<QPointF>();
    }

    QList<qreal> xs(const QList<QPointF> &points)
    {
        QList<qreal> list;
        for (const QPointF &point : points)
            list.append(point.x());
        return list;
    }

    // The bars of the tests per day of one kind, from the first day.
    QList<qreal> bars(const HistoryWindow &window, HistoryCharts::Series series)
    {
        const auto *days = static_cast<QStackedBarSeries *>(chart(window, "testsPerDayChart")->series().value(0));
        QList<qreal> values;
        for (int i = 0; i < days->barSets()[series]->count(); ++i)
            values.append(days->barSets()[series]->at(i));
        return values;
    }

    QStringList dates(const HistoryWindow &window, const char *name)
    {
        return static_cast<QCategoryAxis *>(chart(window, name)->axes(Qt::Horizontal).value(0))->categoriesLabels();
    }

    QList<qreal> values(const QList<QPointF> &points)
    {
        QList<qreal> ys;
        for (const QPointF &point : points)
            ys.append(std::round(point.y() * 100) / 100);
        return ys;
    }

    QStringList column(const QTableWidget &table, int column)
    {
        QStringList texts;
        for (int row = 0; row < table.rowCount(); ++row)
            texts.append(table.item(row, column)->text());
        return texts;
    }
}

class HistoryWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheSeededHistory();
};

// Day 1: word3 missed twice, word5 once; day 3: word5 and word8 missed, then
// word3 practised correctly (so weak but no longer due); the other direction
// on day 2 shows only with the switch.
void HistoryWindowTest::showsTheSeededHistory()
{
    ProgramFolderFixture folder;
    for (int i = 0; i < 40; ++i)
        Common::QuestionBank.append({QStringLiteral("word%1").arg(i), QStringLiteral("意味%1").arg(i),
                                     QStringLiteral("いみ"), QString()});
    HistoryStore store(HistoryStore::defaultPath());
    HistoryTest practice = seededTest(Day1.addDays(2).addSecs(600), 0);
    practice.kind = TestKind::WeakWords;
    practice.questions = practice.questions.mid(2, 1);
    QList<HistoryTest> tests {seededTest(Day1, 0, {3}), seededTest(Day1.addSecs(3600), 0, {3, 5}),
                              seededTest(Day1.addDays(1), 0, {1}, QStringLiteral("英訳")),
                              seededTest(Day1.addDays(2), 0, {5, 8}), practice,
                              seededTest(Day1.addDays(1), 20, {}, HistoryFilter::ListeningDirection)};
    tests.last().kind = TestKind::Listening;
    // word8's miss on day 3 is a question the time limit ended.
    tests[3].ending = HistoryTest::Ending::TimeLimit;
    tests[3].questions[7].answered = false;
    tests[3].questions[7].chosenAnswer.clear();
    for (HistoryTest &test : tests)
        QVERIFY(store.addTest(test));
    WeakHistory weak(store);

    // The records of this bank were put back from a backup that morning.
    QVERIFY(store.addRestore(HistoryFilter::current(), Day1.addDays(2).addSecs(-3600), 3, 1));
    Clock::setDateTimeSource([] { return Day1.addDays(2).addSecs(3600); });

    HistoryWindow window(store, weak, true, nullptr);
    // One test after another: two on day 1, listening on day 2, then a test and a practice on day 3.
    QCOMPARE(xs(points(window, "scoreChart")), (QList<qreal>{0, 1, 3}));
    QCOMPARE(values(points(window, "scoreChart")), (QList<qreal>{90, 80, 80}));
    // The practice of one word, right, is 100: a share of what it asked.
    QCOMPARE(points(window, "scoreChart", HistoryCharts::Practice), (QList<QPointF>{{4, 100}}));
    QCOMPARE(points(window, "scoreChart", HistoryCharts::Listening), (QList<QPointF>{{2, 100}}));
    QCOMPARE(dates(window, "scoreChart"), (QStringList{"2026/11/2", "11/3", "11/4"}));
    QCOMPARE(values(points(window, "levelChart")), (QList<qreal>{0, 0, 0}));
    QVERIFY(points(window, "levelChart", HistoryCharts::Practice).isEmpty());
    QVERIFY(points(window, "levelChart", HistoryCharts::Listening).isEmpty());
    const auto *restores = static_cast<QScatterSeries *>(chart(window, "levelChart")->series().constLast());
    QCOMPARE(restores->points(), (QList<QPointF>{{2.5, 1}}));
    // A bar a day up to today, each kind apart.
    QCOMPARE(bars(window, HistoryCharts::Directions), (QList<qreal>{2, 0, 1}));
    QCOMPARE(bars(window, HistoryCharts::Practice), (QList<qreal>{0, 0, 1}));
    QCOMPARE(bars(window, HistoryCharts::Listening), (QList<qreal>{0, 1, 0}));
    QCOMPARE(values(points(window, "speedChart")), (QList<qreal>{120, 120, 120}));
    QCOMPARE(values(points(window, "speedChart", HistoryCharts::Practice)), QList<qreal>{12});
    // 60 keys taken and 10 refused in a whole test; the practice's one question had none refused.
    QCOMPARE(values(points(window, "accuracyChart")), (QList<qreal>{85.71, 85.71, 85.71}));
    QCOMPARE(values(points(window, "accuracyChart", HistoryCharts::Practice)), QList<qreal>{100});
    QVERIFY(chart(window, "scoreChart")->legend()->isVisible());
    // A point under the pointer tells its test's start.
    auto *practiceLine = static_cast<QLineSeries *>(chart(window, "scoreChart")->series()[HistoryCharts::Practice]);
    emit practiceLine->hovered(practiceLine->at(0), true);
    QCOMPARE(QToolTip::text(), QStringLiteral("2026/11/04 9:10　100％"));
    // The calendar: three days in a row up to today, two tests on the first.
    const StudyDays &days = window.findChild<StudyCalendar *>(QStringLiteral("studyCalendar"))->days();
    QCOMPARE(std::tuple(days.tests(Day1.date()), days.currentRun(), days.longestRun(), days.daysStudied()),
             std::tuple(2, 3, 3, 3));
    // Under the pointer, each day of the calendar tells its tests and each week its words.
    auto *calendar = window.findChild<StudyCalendar *>(QStringLiteral("studyCalendar"));
    calendar->resize(calendar->sizeHint());
    QSet<QString> tips;
    for (int y = 0; y < calendar->height(); y += 2)
    {
        for (int x = 0; x < calendar->width(); x += 2)
            tips.insert(calendar->toolTipAt({x, y}));
    }
    tips.remove(QString());
    QCOMPARE(tips.size(), days.firstDay().daysTo(days.today()) + 1 + StudyDays::Weeks);
    QVERIFY(tips.contains(QStringLiteral("2026/11/02（月）　テスト 2回")));

    auto *table = window.findChild<QTableWidget *>(QStringLiteral("mostMissed"));
    QVERIFY(table);
    QCOMPARE(column(*table, HistoryWindow::PromptColumn), (QStringList{"word5", "word3", "word8"}));
    QCOMPARE(column(*table, HistoryWindow::MissedColumn), (QStringList{"2", "2", "1"}));
    QCOMPARE(column(*table, HistoryWindow::AskedColumn), (QStringList{"3", "4", "3"}));
    QCOMPARE(column(*table, HistoryWindow::ChosenColumn), (QStringList{"意味105", "意味103", "（未解答 1回）"}));
    QCOMPARE(column(*table, HistoryWindow::WeakColumn), (QStringList{"今日練習", "苦手", "今日練習"}));
    QCOMPARE(column(*table, HistoryWindow::DueColumn), (QStringList{"2026/11/04", "2026/11/05", "2026/11/04"}));
    QVERIFY(table->isColumnHidden(HistoryWindow::BankColumn));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("totals"))->text().startsWith(QStringLiteral("テスト 4回")));

    window.findChild<QCheckBox *>(QStringLiteral("showAll"))->setChecked(true);
    QCOMPARE(column(*table, HistoryWindow::PromptColumn), (QStringList{"word5", "word3", "word8", "word1"}));
    QCOMPARE(table->item(3, HistoryWindow::WeakColumn)->text(), QString());
    QVERIFY(!table->isColumnHidden(HistoryWindow::BankColumn));
    QCOMPARE(points(window, "scoreChart").size(), 4);
    QCOMPARE(points(window, "scoreChart", HistoryCharts::Listening).size(), 1);

    // The English word pronounces; here the prompt, as the direction is 和訳.
    QStringList played;
    SoundPlayer::setHandler([&played](const QString &path) { played.append(path); });
    emit table->cellClicked(1, HistoryWindow::AnswerColumn);
    emit table->cellClicked(1, HistoryWindow::PromptColumn);
    emit table->cellClicked(3, HistoryWindow::PromptColumn);
    SoundPlayer::setHandler({});
    QCOMPARE(played, QStringList{Common::SoundFilePath(3)});

    auto *practiseButton = window.findChild<QPushButton *>(QStringLiteral("practiceButton"));
    QVERIFY(practiseButton->isEnabled());
    practiseButton->click();
    QCOMPARE(window.result(), int(HistoryWindow::PracticeRequested));
    // A test running: nothing to start from here.
    QVERIFY(!HistoryWindow(store, weak, false, nullptr).findChild<QPushButton *>("practiceButton")->isEnabled());

    // The word book opens on the same words; taking every word off the weak
    // list there leaves nothing to practise here.
    ModalRecorder modals;
    bool allBanks = false;
    modals.answer(QStringLiteral("WordBookWindow"), [&allBanks](QDialog &dialog) {
        allBanks = dialog.findChild<QCheckBox *>(QStringLiteral("showAll"))->isChecked();
        dialog.findChild<QTableView *>(QStringLiteral("words"))->selectAll();
        static_cast<WordBookWindow &>(dialog).markSelected(WordMark::Kind::NotWeak);
        dialog.accept();
    });
    window.findChild<QPushButton *>(QStringLiteral("wordBookButton"))->click();
    QCOMPARE(modals.shown(), QStringList{QStringLiteral("WordBookWindow")});
    QVERIFY(allBanks);
    QCOMPARE(column(*table, HistoryWindow::WeakColumn), (QStringList{"", "", "", ""}));
    QVERIFY(!practiseButton->isEnabled());
    Clock::setDateTimeSource({});
}

QTEST_MAIN(HistoryWindowTest)
#include "tst_historywindow.moc"
