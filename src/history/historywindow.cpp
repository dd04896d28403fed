#include "historywindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCursor>
#include <QBarSet>
#include <QCategoryAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "bank/questions.h"
#include "bankhistory.h"
#include "bankmatch.h"
#include "core/clock.h"
#include "core/settings.h"
#include "gui_shared/modal.h"
#include "gui_shared/screenroom.h"
#include "gui_shared/soundplayer.h"
#include "studycalendar.h"
#include "weakhistory.h"
#include "wordbookwindow.h"

namespace
{
    using Charts = HistoryCharts;

    // Above this many points a series is drawn as a line only.
    constexpr int MarkedPointsUpTo = 60;
    // Dates under an axis, at most, until the chart has a width to fit them to.
    constexpr int DateLabels = 6;

    // Due weak words stand out in the colour of the practice test's badge;
    // words not due yet in a paler one.
    const QColor DueColor(WeakWords::BadgeColor);
    const QColor WeakColor(0xFF, 0xF0, 0xD8);
    const QString DateFormat = QStringLiteral("yyyy/MM/dd");

    struct ChartStyle
    {
        const char *name;
        QString tab;
        QString title;
        QColor color;
    };

    const std::array<ChartStyle, Charts::ChartCount> ChartStyles {{
        {"scoreChart", QStringLiteral("得点"), QStringLiteral("テストの得点（出題のうち正解の割合、％）"),
         QColor(0xD0, 0x30, 0x30)},
        {"levelChart", QStringLiteral("LEVEL"), QStringLiteral("テスト後のLEVEL"), QColor(0x20, 0x60, 0xC0)},
        {"testsPerDayChart", QStringLiteral("テスト回数"), QStringLiteral("1日のテスト回数"), QColor(0x30, 0x90, 0x40)},
        {"speedChart", QStringLiteral("入力速度"), QStringLiteral("入力速度（受け付けたキー／分）"),
         QColor(0x90, 0x40, 0xB0)},
        {"accuracyChart", QStringLiteral("正確さ"), QStringLiteral("正確さ（受け付けたキー／すべてのキー、％）"),
         QColor(0xC0, 0x70, 0x10)},
    }};

    // The tests of both directions are drawn in the chart's colour; practice
    // and listening in colours of their own, on every chart, and in strokes
    // of their own for a reader who does not tell the colours apart.
    struct SeriesStyle
    {
        QString name;
        Qt::PenStyle pen;
        QColor color; // none: the chart's
    };
    const std::array<SeriesStyle, Charts::SeriesCount> SeriesStyles {{
        {QStringLiteral("和訳・英訳"), Qt::SolidLine, QColor()},
        {QStringLiteral("苦手単語の練習"), Qt::DotLine, QColor(0xD0, 0x80, 0x00)},
        {QStringLiteral("聞き取り"), Qt::DashLine, QColor(0x20, 0x90, 0xA0)},
    }};
    const QColor RestoreColor(0x50, 0x50, 0x50);
    const QString RestoreName = QStringLiteral("記録の復元");

    bool isPercent(Charts::Chart chart)
    {
        return chart == Charts::ScoreChart || chart == Charts::AccuracyChart;
    }

    void setDates(QCategoryAxis *axis, const QList<Charts::Label> &labels, int count)
    {
        for (const QString &label : axis->categoriesLabels())
            axis->remove(label);
        axis->setStartValue(-0.5);
        for (const Charts::Label &label : labels)
            axis->append(label.text, label.at);
        axis->setRange(-0.5, std::max(count, 1) - 0.5);
    }

    bool isEnglishColumn(const HistoryStore::MissedWord &word, int column)
    {
        const bool englishAnswer = word.direction == Common::TransModeEnglish;
        return column == (englishAnswer ? HistoryWindow::AnswerColumn : HistoryWindow::PromptColumn);
    }

    QString bankText(const HistoryStore::MissedWord &word)
    {
        const QString bank = word.bankKind == Common::TextKindUser ? word.bankName : QStringLiteral("標準");
        return bank + u' ' + word.direction;
    }

    QString chosenText(const HistoryStore::MissedWord &word)
    {
        QStringList parts = word.chosenInstead;
        if (word.unanswered > 0)
            parts.append(QStringLiteral("（未解答 %1回）").arg(word.unanswered));
        return parts.join(QStringLiteral("、"));
    }

    QString durationText(double seconds)
    {
        const qint64 minutes = qRound64(seconds / 60);
        return QStringLiteral("%1時間%2分").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar(u'0'));
    }

    QTableWidgetItem *item(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
    {
        auto *cell = new QTableWidgetItem(text);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setTextAlignment(alignment);
        return cell;
    }

    QTableWidgetItem *count(int value)
    {
        return item(QString::number(value), Qt::AlignRight | Qt::AlignVCenter);
    }
}

HistoryWindow::HistoryWindow(HistoryStore &store, WeakHistory &weak, bool canPractise, QWidget *owner)
    : QDialog(owner)
    , m_store(store)
    , m_weakHistory(weak)
    , m_weak(weak.weakWords(Clock::currentDateTime().date()))
    , m_canPractise(canPractise)
    , m_current(HistoryFilter::current())
    , m_scope(this)
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("学習履歴") + Common::BankDescription());
    if (owner)
        setFont(owner->font());

    m_totals = new QLabel(this);
    // On a narrow screen the totals take two lines rather than push 閉じる off it.
    m_totals->setWordWrap(true);
    m_totals->setObjectName(QStringLiteral("totals"));
    connect(m_scope.showAll(), &QCheckBox::toggled, this, &HistoryWindow::reload);

    buildCharts();
    buildTable();
    m_wordBook = new QPushButton(QStringLiteral("単語帳(&B)…"), this);
    m_wordBook->setObjectName(QStringLiteral("wordBookButton"));
    m_wordBook->setToolTip(QStringLiteral("単語ごとの状態を見て、知っている単語や苦手単語を決めます。"));
    connect(m_wordBook, &QPushButton::clicked, this, &HistoryWindow::openWordBook);
    m_practice = new QPushButton(QStringLiteral("苦手単語を練習(&P)"), this);
    m_practice->setObjectName(QStringLiteral("practiceButton"));
    connect(m_practice, &QPushButton::clicked, this, [this] { done(PracticeRequested); });
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    layOut();
    reload();
}

void HistoryWindow::buildCharts()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("charts"));
    // The year at a glance comes first.
    auto *days = new QWidget(m_tabs);
    m_runs = new QLabel(days);
    m_runs->setObjectName(QStringLiteral("studyRuns"));
    m_runs->setWordWrap(true);
    m_calendar = new StudyCalendar(days);
    m_calendar->setObjectName(QStringLiteral("studyCalendar"));
    auto *daysLayout = new QVBoxLayout(days);
    daysLayout->addWidget(m_runs);
    daysLayout->addWidget(m_calendar, 1);
    m_tabs->addTab(days, QStringLiteral("学習日"));
    QFont titleFont = font();
    titleFont.setBold(true);
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    for (int i = 0; i < Charts::ChartCount; ++i)
    {
        const ChartStyle &style = ChartStyles[i];
        auto *chart = new QChart;
        // A dark desktop gets dark charts; the theme comes first, as it sets every colour and font.
        if (dark)
            chart->setTheme(QChart::ChartThemeDark);
        chart->legend()->hide();
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->legend()->setFont(font());
        chart->setTitle(style.title);
        chart->setTitleFont(titleFont);
        if (i == Charts::TestsPerDayChart)
        {
            // A day's bar holds each kind of test in its own shade.
            auto *bars = new QStackedBarSeries(chart);
            for (const SeriesStyle &kind : SeriesStyles)
            {
                auto *set = new QBarSet(kind.name, bars);
                set->setColor(kind.color.isValid() ? kind.color : style.color);
                set->setBorderColor(set->color());
                bars->append(set);
            }
            bars->setBarWidth(0.8);
            connect(bars, &QStackedBarSeries::hovered, this, [this](bool on, int day) {
                showTip(on ? m_chartData.dayText(day) : QString());
            });
            chart->addSeries(bars);
        }
        else
        {
            for (const SeriesStyle &kind : SeriesStyles)
            {
                auto *series = new QLineSeries(chart);
                series->setName(kind.name);
                const QColor color = kind.color.isValid() ? kind.color : style.color;
                series->setPen(QPen(color, 2, kind.pen));
                series->setColor(color);
                connect(series, &QLineSeries::hovered, this, [this, i](const QPointF &point, bool on) {
                    showTip(on ? m_chartData.pointText(Charts::Chart(i), point) : QString());
                });
                chart->addSeries(series);
            }
        }
        if (i == Charts::LevelChart)
        {
            auto *restores = new QScatterSeries(chart);
            restores->setName(RestoreName);
            restores->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
            restores->setMarkerSize(fontMetrics().height() * 0.8);
            restores->setColor(RestoreColor);
            restores->setBorderColor(RestoreColor);
            connect(restores, &QScatterSeries::hovered, this, [this](const QPointF &point, bool on) {
                showTip(on ? QStringLiteral("%1（LEVEL %2）").arg(RestoreName).arg(point.y()) : QString());
            });
            chart->addSeries(restores);
        }
        auto *dates = new QCategoryAxis(chart);
        dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        dates->setGridLineVisible(false);
        auto *values = new QValueAxis(chart);
        values->setLabelFormat(QStringLiteral("%d"));
        if (isPercent(Charts::Chart(i)))
        {
            // A little room above 100, so that a point there shows whole.
            values->setTickType(QValueAxis::TicksDynamic);
            values->setTickAnchor(0);
            values->setTickInterval(20);
            values->setRange(0, 104);
        }
        for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(dates), static_cast<QAbstractAxis *>(values)})
        {
            axis->setLabelsFont(font());
            chart->addAxis(axis, axis == dates ? Qt::AlignBottom : Qt::AlignLeft);
            for (QAbstractSeries *series : chart->series())
                series->attachAxis(axis);
        }
        m_charts[i] = new QChartView(chart, m_tabs);
        m_charts[i]->setObjectName(QLatin1String(style.name));
        m_charts[i]->setRenderHint(QPainter::Antialiasing);
        m_charts[i]->installEventFilter(this);
        m_tabs->addTab(m_charts[i], style.tab);
    }
}

void HistoryWindow::buildTable()
{
    m_tableHeading = new QLabel(QStringLiteral("【 よく間違える単語 】"), this);
    m_tableHeading->setObjectName(QStringLiteral("tableHeading"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("mostMissed"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("問題集"), QStringLiteral("問題"), QStringLiteral("正解"),
                                        QStringLiteral("出題"), QStringLiteral("間違い"),
                                        QStringLiteral("最後の間違い"), QStringLiteral("代わりに選んだ答え"),
                                        QStringLiteral("苦手"), QStringLiteral("次の復習日")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(ChosenColumn, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellClicked, this, &HistoryWindow::Word_Click);
    m_hint = new QLabel(QStringLiteral("※ 英単語をクリックすると発音を聴く事ができます"), this);
    m_hint->setObjectName(QStringLiteral("hint"));
}

void HistoryWindow::layOut()
{
    auto *top = new QHBoxLayout;
    top->addWidget(m_totals, 1);
    top->addWidget(m_scope.showAll());

    auto *words = new QWidget(this);
    auto *wordsLayout = new QVBoxLayout(words);
    wordsLayout->setContentsMargins(0, 0, 0, 0);
    wordsLayout->addWidget(m_tableHeading);
    wordsLayout->addWidget(m_table, 1);
    wordsLayout->addWidget(m_hint);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(words);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_wordBook);
    buttons->addWidget(m_practice);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_scope.problem());
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    // Room for a readable chart and table at any scale: sizes follow the font.
    const int unit = fontMetrics().horizontalAdvance(QChar(0x3042));
    const QSize wanted(84 * unit, 36 * fontMetrics().height());
    resize(wanted.boundedTo(RoomOnScreen(*this)));
}

void HistoryWindow::reload()
{
    HistoryFilter filter = HistoryFilter::current();
    filter.all = m_scope.all();
    QList<HistoryStore::TestPoint> points = m_store.testPoints(filter);
    // The listening tests of the bank in use, which keep their words apart.
    if (!filter.all)
    {
        points += m_store.testPoints(HistoryFilter::listening());
        std::stable_sort(points.begin(), points.end(), [](const auto &a, const auto &b) {
            return a.startedAt < b.startedAt;
        });
    }
    m_chartData = HistoryCharts(points, m_store.restores(filter), Clock::currentDateTime().date());
    fillCharts();
    fillStudyDays(points, filter);
    m_words = m_store.mostMissed(filter, MissedRows);
    fillTable();
    fillTotals(m_store.totals(filter));
    m_practice->setEnabled(m_canPractise && !m_weak.isEmpty());
    m_practice->setToolTip(QStringLiteral("今日が復習日の苦手単語 %1語").arg(m_weak.dueCount()));
    m_scope.showProblem(m_store);
}

// The learner's marks there change what is weak here.
void HistoryWindow::openWordBook()
{
    WordBookWindow book(m_store, m_weakHistory, this);
    book.setShowAll(m_scope.all());
    Modal::exec(book);
    m_weak = m_weakHistory.weakWords(Clock::currentDateTime().date());
    reload();
}

void HistoryWindow::fillCharts()
{
    const HistoryCharts &charts = m_chartData;
    for (int i = 0; i < Charts::ChartCount; ++i)
    {
        const auto chart = Charts::Chart(i);
        QChart *view = m_charts[i]->chart();
        const QList<QAbstractSeries *> series = view->series();
        int drawn = 0;
        for (int kind = 0; kind < Charts::SeriesCount; ++kind)
        {
            bool any = false;
            if (chart == Charts::TestsPerDayChart)
            {
                QBarSet *set = static_cast<QStackedBarSeries *>(series.first())->barSets()[kind];
                const QList<int> &perDay = charts.testsPerDay(Charts::Series(kind));
                set->remove(0, set->count());
                set->append(QList<qreal>(perDay.cbegin(), perDay.cend()));
                any = std::any_of(perDay.cbegin(), perDay.cend(), [](int n) { return n > 0; });
                view->legend()->markers(series.first())[kind]->setVisible(any);
            }
            else
            {
                auto *line = static_cast<QLineSeries *>(series[kind]);
                const QList<QPointF> &points = charts.points(chart, Charts::Series(kind));
                line->replace(points);
                line->setPointsVisible(points.size() <= MarkedPointsUpTo);
                any = !points.isEmpty();
                view->legend()->markers(line).constFirst()->setVisible(any);
            }
            drawn += any;
        }
        if (chart == Charts::LevelChart)
        {
            auto *restores = static_cast<QScatterSeries *>(series.last());
            restores->replace(charts.restoreMarks());
            view->legend()->markers(restores).constFirst()->setVisible(!charts.restoreMarks().isEmpty());
            drawn += !charts.restoreMarks().isEmpty();
        }
        // The legend tells the series apart once there are two.
        view->legend()->setVisible(drawn > 1);

        placeDates(chart);
        if (isPercent(chart))
            continue;
        const QList<QAbstractAxis *> axes = series.constFirst()->attachedAxes();
        auto *values = qobject_cast<QValueAxis *>(axes.value(1));
        values->setRange(0, std::max<qreal>(std::ceil(charts.top(chart) * 1.1), 5));
        values->applyNiceNumbers();
    }
}

// As many dates under the chart as its width holds apart, at any scale.
void HistoryWindow::placeDates(HistoryCharts::Chart chart)
{
    const QChartView *view = m_charts[chart];
    const int label = view->fontMetrics().horizontalAdvance(QStringLiteral("2026/12/31")) * 3 / 2;
    const int most = view->isVisible() ? std::max(2, view->width() * 3 / 4 / label) : DateLabels;
    const bool perDay = chart == Charts::TestsPerDayChart;
    auto *dates = qobject_cast<QCategoryAxis *>(view->chart()->axes(Qt::Horizontal).value(0));
    setDates(dates, perDay ? m_chartData.dayLabels(most) : m_chartData.testLabels(most),
             perDay ? m_chartData.dayCount() : m_chartData.testCount());
}

void HistoryWindow::showTip(const QString &text)
{
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), text, this);
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
    {
        const auto chart = std::find(m_charts.cbegin(), m_charts.cend(), watched);
        if (chart != m_charts.cend())
            placeDates(Charts::Chart(chart - m_charts.cbegin()));
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryWindow::fillStudyDays(const QList<HistoryStore::TestPoint> &points, const HistoryFilter &filter)
{
    const QDate today = Clock::currentDateTime().date();
    QList<QDate> days;
    days.reserve(points.size());
    for (const HistoryStore::TestPoint &point : points)
        days.append(point.startedAt.date());
    const StudyDays study(days, wordsLeft(filter, today), today);
    m_calendar->setDays(study);
    int left = 0;
    for (int week = 0; week < StudyDays::Weeks; ++week)
        left += study.wordsLeft(week);
    m_runs->setText(QStringLiteral("連続学習 %1日（最長 %2日）　この1年で学習した日 %3日　苦手から外れた単語 %4語")
                        .arg(study.currentRun())
                        .arg(study.longestRun())
                        .arg(study.daysStudied())
                        .arg(left));
}

QList<QDate> HistoryWindow::wordsLeft(const HistoryFilter &filter, const QDate &today)
{
    if (!filter.all)
        return m_weak.wordsLeft();
    QList<QDate> left;
    for (const HistoryFilter &bank : m_store.banks())
    {
        if (bank == m_current)
        {
            left += m_weak.wordsLeft();
            continue;
        }
        // Another bank is not loaded: its words are those of its history.
        BankHistory other(QList<Common::QuestionEntry>(), bank.direction == HistoryFilter::ListeningDirection);
        if (other.read(m_store, bank))
            left += other.weakWords(today).wordsLeft();
    }
    return left;
}

void HistoryWindow::fillTable()
{
    const bool all = m_scope.all();
    m_table->setColumnHidden(BankColumn, !all);
    m_table->setRowCount(int(m_words.size()));
    BankMatch bank;
    bool playable = false;
    for (int row = 0; row < m_words.size(); ++row)
    {
        const HistoryStore::MissedWord &word = m_words[row];
        const bool standard = word.bankKind != Common::TextKindUser;
        m_table->setItem(row, BankColumn, item(bankText(word)));
        m_table->setItem(row, PromptColumn, item(word.prompt));
        m_table->setItem(row, AnswerColumn, item(word.answer));
        m_table->setItem(row, AskedColumn, count(word.asked));
        m_table->setItem(row, MissedColumn, count(word.missed));
        m_table->setItem(row, LastMissedColumn, item(word.lastMissed.date().toString(DateFormat)));
        m_table->setItem(row, ChosenColumn, item(chosenText(word)));
        markWeak(row, word, bank);
        // The English word is bold, and underlined where a click pronounces it.
        QTableWidgetItem *english = m_table->item(row, isEnglishColumn(word, PromptColumn) ? PromptColumn : AnswerColumn);
        QFont font = m_table->font();
        font.setBold(true);
        font.setUnderline(standard);
        english->setFont(font);
        playable = playable || standard;
    }
    m_hint->setVisible(playable);
}

// The schedule is known for the words of the bank and direction in use.
void HistoryWindow::markWeak(int row, const HistoryStore::MissedWord &word, BankMatch &bank)
{
    const bool current = word.bankKind == m_current.bankKind && word.bankName == m_current.bankName
                         && word.direction == m_current.direction;
    const WordSchedule *schedule =
        current ? m_weak.find(bank.indexOf(word.bankIndex, word.prompt, word.answer)) : nullptr;
    const bool due = schedule && schedule->isDue(m_weak.today());
    QString mark;
    if (schedule)
        mark = due ? QStringLiteral("今日練習") : QStringLiteral("苦手");
    m_table->setItem(row, WeakColumn, item(mark, Qt::AlignCenter));
    m_table->setItem(row, DueColumn, item(schedule ? schedule->due.toString(DateFormat) : QString()));
    if (!schedule)
        return;
    for (int column = 0; column < ColumnCount; ++column)
    {
        QTableWidgetItem *cell = m_table->item(row, column);
        cell->setBackground(due ? DueColor : WeakColor);
        // Readable on the pale ground in a dark theme too.
        cell->setForeground(Qt::black);
    }
}

void HistoryWindow::fillTotals(const HistoryStore::Totals &totals)
{
    m_totals->setText(QStringLiteral("テスト %1回　学習時間 %2　出会った単語 %3語　一度も間違えなかった単語 %4語")
                          .arg(totals.tests)
                          .arg(durationText(totals.seconds))
                          .arg(totals.wordsSeen)
                          .arg(totals.wordsNeverMissed));
}

// Only the English word of the standard bank pronounces.
void HistoryWindow::Word_Click(int row, int column)
{
    if (row < 0 || row >= m_words.size())
        return;
    const HistoryStore::MissedWord &word = m_words[row];
    if (word.bankKind == Common::TextKindUser || !isEnglishColumn(word, column))
        return;
    SoundPlayer::play(Common::SoundFilePath(word.bankIndex));
}
