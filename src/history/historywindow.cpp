#include "historywindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "bank/questions.h"
#include "bankmatch.h"
#include "core/clock.h"
#include "core/settings.h"
#include "gui_shared/screenroom.h"
#include "gui_shared/soundplayer.h"

namespace
{
    // Above this many points a series is drawn as a line only.
    constexpr int MarkedPointsUpTo = 60;
    constexpr qint64 MinuteMs = 60 * 1000;
    constexpr qint64 DayMs = 24 * 60 * MinuteMs;

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

    const std::array<ChartStyle, HistoryWindow::ChartCount> ChartStyles {{
        {"scoreChart", QStringLiteral("得点"), QStringLiteral("テストの得点"), QColor(0xD0, 0x30, 0x30)},
        {"levelChart", QStringLiteral("LEVEL"), QStringLiteral("テスト後のLEVEL"), QColor(0x20, 0x60, 0xC0)},
        {"testsPerDayChart", QStringLiteral("テスト回数"), QStringLiteral("1日のテスト回数"), QColor(0x30, 0x90, 0x40)},
        {"speedChart", QStringLiteral("入力速度"), QStringLiteral("入力速度（受け付けたキー／分）"),
         QColor(0x90, 0x40, 0xB0)},
        {"accuracyChart", QStringLiteral("正確さ"), QStringLiteral("正確さ（受け付けたキー／すべてのキー、％）"),
         QColor(0xC0, 0x70, 0x10)},
    }};

    // Each chart has a line of the tests of both directions and one of the
    // listening tests, dashed in the same colour.
    enum Line
    {
        Directions,
        Listening,
        LineCount,
    };
    const std::array<QString, LineCount> LineNames {QStringLiteral("和訳・英訳"), QStringLiteral("聞き取り")};

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

    // The time axis spans the points with a little room on either side; the
    // labels say the day, and the hour as well while the span is short.
    void setTimeRange(QDateTimeAxis *axis, const QList<QPointF> &points, bool wholeDays)
    {
        const qint64 now = Clock::currentDateTime().toMSecsSinceEpoch();
        const qint64 first = points.isEmpty() ? now - 7 * DayMs : qint64(points.first().x());
        const qint64 last = points.isEmpty() ? now : qint64(points.last().x());
        const qint64 span = last - first;
        const qint64 margin = wholeDays ? DayMs : std::max<qint64>(span / 20, MinuteMs * 10);
        axis->setRange(QDateTime::fromMSecsSinceEpoch(first - margin), QDateTime::fromMSecsSinceEpoch(last + margin));
        axis->setFormat(!wholeDays && span < 2 * DayMs ? QStringLiteral("M/d H:mm") : QStringLiteral("yyyy/M/d"));
    }

    QTableWidgetItem *count(int value)
    {
        return item(QString::number(value), Qt::AlignRight | Qt::AlignVCenter);
    }
}

HistoryWindow::HistoryWindow(HistoryStore &store, const WeakWords &weak, bool canPractise, QWidget *owner)
    : QDialog(owner)
    , m_store(store)
    , m_weak(weak)
    , m_current(HistoryFilter::current())
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("学習履歴") + Common::BankDescription());
    if (owner)
        setFont(owner->font());

    m_totals = new QLabel(this);
    // On a narrow screen the totals take two lines rather than push 閉じる off it.
    m_totals->setWordWrap(true);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #FF0000;"));
    m_showAll = new QCheckBox(QStringLiteral("すべての問題集と方向を表示(&A)"), this);
    m_showAll->setObjectName(QStringLiteral("showAll"));
    connect(m_showAll, &QCheckBox::toggled, this, &HistoryWindow::reload);

    buildCharts();
    buildTable();
    m_practice = new QPushButton(QStringLiteral("苦手単語を練習(&P)"), this);
    m_practice->setObjectName(QStringLiteral("practiceButton"));
    m_practice->setEnabled(canPractise && !m_weak.isEmpty());
    m_practice->setToolTip(QStringLiteral("今日が復習日の苦手単語 %1語").arg(m_weak.dueCount()));
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
    QFont titleFont = font();
    titleFont.setBold(true);
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    for (int i = 0; i < ChartCount; ++i)
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
        for (int line = 0; line < LineCount; ++line)
        {
            auto *series = new QLineSeries(chart);
            series->setName(LineNames[line]);
            series->setPen(QPen(style.color, 2, line == Listening ? Qt::DashLine : Qt::SolidLine));
            series->setColor(style.color);
            chart->addSeries(series);
        }
        auto *time = new QDateTimeAxis(chart);
        time->setTickCount(3);
        auto *values = new QValueAxis(chart);
        values->setLabelFormat(QStringLiteral("%d"));
        for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(time), static_cast<QAbstractAxis *>(values)})
        {
            axis->setLabelsFont(font());
            chart->addAxis(axis, axis == time ? Qt::AlignBottom : Qt::AlignLeft);
            for (QAbstractSeries *series : chart->series())
                series->attachAxis(axis);
        }
        m_charts[i] = new QChartView(chart, m_tabs);
        m_charts[i]->setObjectName(QLatin1String(style.name));
        m_charts[i]->setRenderHint(QPainter::Antialiasing);
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
    top->addWidget(m_showAll);

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
    buttons->addWidget(m_practice);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_problem);
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
    filter.all = m_showAll->isChecked();
    QList<HistoryStore::TestPoint> points = m_store.testPoints(filter);
    // The listening tests of the bank in use, which keep their words apart.
    if (!filter.all)
        points += m_store.testPoints(HistoryFilter::listening());
    fillCharts(points);
    m_words = m_store.mostMissed(filter, MissedRows);
    fillTable();
    fillTotals(m_store.totals(filter));
    m_problem->setText(m_store.problemText());
    m_problem->setVisible(m_store.problem() != HistoryStore::Problem::None);
}

void HistoryWindow::fillCharts(const QList<HistoryStore::TestPoint> &points)
{
    std::array<std::array<QList<QPointF>, ChartCount>, LineCount> data;
    std::array<QMap<QDate, int>, LineCount> perDay;
    for (const HistoryStore::TestPoint &point : points)
    {
        const int line = point.listening ? Listening : Directions;
        const qreal x = qreal(point.startedAt.toMSecsSinceEpoch());
        const int keys = point.keysAccepted + point.keysRejected;
        data[line][ScoreChart].append({x, qreal(point.score)});
        // A LEVEL the records never held (the learner quit without them) is no
        // point of its line; a listening test moves no LEVEL.
        if (point.recordsSaved && line == Directions)
            data[line][LevelChart].append({x, qreal(point.levelAfter)});
        if (point.seconds > 0)
            data[line][SpeedChart].append({x, point.keysAccepted * 60.0 / point.seconds});
        if (keys > 0)
            data[line][AccuracyChart].append({x, 100.0 * point.keysAccepted / keys});
        ++perDay[line][point.startedAt.date()];
    }
    for (int line = 0; line < LineCount; ++line)
    {
        for (auto day = perDay[line].cbegin(); day != perDay[line].cend(); ++day)
            data[line][TestsPerDayChart].append(
                {qreal(QDateTime(day.key(), QTime(12, 0)).toMSecsSinceEpoch()), qreal(day.value())});
    }

    for (int i = 0; i < ChartCount; ++i)
    {
        QChart *chart = m_charts[i]->chart();
        const QList<QAbstractSeries *> series = chart->series();
        QList<QPointF> both;
        for (int line = 0; line < LineCount; ++line)
        {
            auto *lineSeries = static_cast<QLineSeries *>(series[line]);
            lineSeries->replace(data[line][i]);
            lineSeries->setPointsVisible(data[line][i].size() <= MarkedPointsUpTo);
            both += data[line][i];
        }
        // The legend tells the lines apart once there are two.
        chart->legend()->setVisible(!data[Listening][i].isEmpty() && !data[Directions][i].isEmpty());
        std::sort(both.begin(), both.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        const QList<QAbstractAxis *> axes = series.constFirst()->attachedAxes();
        setTimeRange(qobject_cast<QDateTimeAxis *>(axes.value(0)), both, i == TestsPerDayChart);
        qreal top = 0;
        for (const QPointF &p : both)
            top = std::max(top, p.y());
        const bool percent = i == ScoreChart || i == AccuracyChart;
        auto *values = qobject_cast<QValueAxis *>(axes.value(1));
        values->setRange(0, percent ? 100 : std::max<qreal>(std::ceil(top * 1.1), 5));
        values->applyNiceNumbers();
    }
}

void HistoryWindow::fillTable()
{
    const bool all = m_showAll->isChecked();
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
