#pragma once

#include <QDialog>

#include <array>

#include "historycharts.h"
#include "historyscope.h"
#include "historystore.h"
#include "practice/weakwords.h"

class BankMatch;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class StudyCalendar;
class WeakHistory;

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

// The study history of the bank and direction in use (or of all of them):
// charts of score, LEVEL, tests per day, typing speed and accuracy, test by test,
// the days studied in the last year with the runs of days in a row, the
// words missed most often with their place on the weak-word schedule, and
// the totals. Clicking an English word of the standard bank pronounces it, as
// in the result view. Changes no data itself; its word book button opens the
// word book of the same words, where the learner marks them, and its practice
// button closes it with PracticeRequested so that the owner starts a
// practice test.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    enum Column
    {
        BankColumn,
        PromptColumn,
        AnswerColumn,
        AskedColumn,
        MissedColumn,
        LastMissedColumn,
        ChosenColumn,
        WeakColumn,
        DueColumn,
        ColumnCount,
    };

    // The result of exec() when the learner asked to practise the weak words.
    static constexpr int PracticeRequested = QDialog::Accepted + 1;

    // The most-missed table lists this many words at most.
    static constexpr int MissedRows = 100;

    // weak: the weak words of the bank and direction in use, read already
    // (else the window reads them first); canPractise: whether a practice
    // test may start now.
    HistoryWindow(HistoryStore &store, WeakHistory &weak, bool canPractise, QWidget *owner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCharts();
    void buildTable();
    void layOut();
    void reload();
    void fillCharts();
    void placeDates(HistoryCharts::Chart chart);
    // What the point or bar under the pointer says; "" hides it.
    void showTip(const QString &text);
    void fillStudyDays(const QList<HistoryStore::TestPoint> &points, const HistoryFilter &filter);
    // The days words left the weak list, of the bank and direction in use or of all.
    QList<QDate> wordsLeft(const HistoryFilter &filter, const QDate &today);
    void fillTable();
    void fillTotals(const HistoryStore::Totals &totals);
    void markWeak(int row, const HistoryStore::MissedWord &word, BankMatch &bank);
    void Word_Click(int row, int column);
    void openWordBook();

    HistoryStore &m_store;
    WeakHistory &m_weakHistory;
    WeakWords m_weak;
    bool m_canPractise;
    HistoryFilter m_current;
    HistoryScope m_scope;
    QLabel *m_totals;
    QTabWidget *m_tabs;
    std::array<QChartView *, HistoryCharts::ChartCount> m_charts {};
    QLabel *m_runs;
    StudyCalendar *m_calendar;
    QLabel *m_tableHeading;
    QTableWidget *m_table;
    QLabel *m_hint;
    QPushButton *m_wordBook;
    QPushButton *m_practice;
    QPushButton *m_close;
    QList<HistoryStore::MissedWord> m_words;
    HistoryCharts m_chartData;
};
