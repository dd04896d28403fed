#include "studycalendar.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>

namespace
{
    constexpr int Rows = 7;
    // The bars of the words that left the list stand this many cells high.
    constexpr int BarCells = 2;
    const QString WeekDays = QStringLiteral("日月火水木金土");

    // Day i of a week column, Sunday 0: Qt counts Monday as 1 and Sunday as 7.
    int rowOf(const QDate &day)
    {
        return day.dayOfWeek() % 7;
    }

    // The shades of a contribution calendar, none to the most.
    const std::array<QColor, StudyDays::Shades> Shades {QColor(0x9B, 0xE9, 0xA8), QColor(0x40, 0xC4, 0x63),
                                                        QColor(0x30, 0xA1, 0x4E), QColor(0x21, 0x6E, 0x39)};
    const QColor BarColor(0x20, 0x60, 0xC0);
}

StudyCalendar::StudyCalendar(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void StudyCalendar::setDays(const StudyDays &days)
{
    m_days = days;
    m_mostLeft = 0;
    for (int week = 0; week < StudyDays::Weeks; ++week)
        m_mostLeft = std::max(m_mostLeft, m_days.wordsLeft(week));
    update();
}

QSize StudyCalendar::sizeHint() const
{
    // Squares of a third of a line, so that the calendar leaves the list of words
    // beside it its room; they grow with the room they are given.
    const int h = fontMetrics().height();
    const int cell = h / 3;
    return {2 * h + StudyDays::Weeks * cell, 3 * h + (Rows + BarCells) * cell};
}

QSize StudyCalendar::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    return {2 * h + StudyDays::Weeks * 5, 3 * h + (Rows + BarCells) * 5};
}

// The squares take what room there is, the labels the font's.
StudyCalendar::Geometry StudyCalendar::geometry() const
{
    const int h = fontMetrics().height();
    Geometry g;
    g.left = fontMetrics().horizontalAdvance(QChar(0x6C34)) + h / 2;
    g.top = h + 2;
    const int byWidth = (width() - g.left - 2) / StudyDays::Weeks;
    const int byHeight = (height() - g.top - 2 * h) / (Rows + BarCells);
    g.cell = std::max(4, std::min({byWidth, byHeight, 2 * h}));
    g.barsTop = g.top + Rows * g.cell + h / 2;
    g.barsHeight = BarCells * g.cell;
    return g;
}

QDate StudyCalendar::dayAt(const QPoint &at, const Geometry &g) const
{
    if (at.x() < g.left || at.y() < g.top)
        return {};
    const int week = (at.x() - g.left) / g.cell;
    const int row = (at.y() - g.top) / g.cell;
    if (week >= StudyDays::Weeks || row >= Rows)
        return {};
    const QDate day = m_days.firstDay().addDays(7 * week + row);
    return day <= m_days.today() ? day : QDate();
}

int StudyCalendar::weekAt(const QPoint &at, const Geometry &g) const
{
    if (at.x() < g.left || at.y() < g.barsTop || at.y() >= g.barsTop + g.barsHeight)
        return -1;
    const int week = (at.x() - g.left) / g.cell;
    return week < StudyDays::Weeks ? week : -1;
}

QString StudyCalendar::toolTipAt(const QPoint &at) const
{
    if (!m_days.firstDay().isValid())
        return {};
    const Geometry g = geometry();
    if (const QDate day = dayAt(at, g); day.isValid())
    {
        const int tests = m_days.tests(day);
        return day.toString(QStringLiteral("yyyy/MM/dd（")) + WeekDays[rowOf(day)] + QStringLiteral("）　")
               + (tests > 0 ? QStringLiteral("テスト %1回").arg(tests) : QStringLiteral("テストなし"));
    }
    const int week = weekAt(at, g);
    if (week < 0)
        return {};
    const QDate sunday = m_days.firstDay().addDays(7 * week);
    return QStringLiteral("%1〜%2の週　苦手から外れた単語 %3語")
        .arg(sunday.toString(QStringLiteral("M/d")), std::min(sunday.addDays(6), m_days.today()).toString(QStringLiteral("M/d")))
        .arg(m_days.wordsLeft(week));
}

bool StudyCalendar::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
}

void StudyCalendar::paintEvent(QPaintEvent *)
{
    if (!m_days.firstDay().isValid())
        return;
    QPainter painter(this);
    const Geometry g = geometry();
    const int h = fontMetrics().height();
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    const QColor empty = dark ? QColor(0x2D, 0x33, 0x3B) : QColor(0xEB, 0xED, 0xF0);
    const int gap = std::max(1, g.cell / 6);

    // Monday, Wednesday and Friday name their rows, as on a wall calendar's
    // edge, while the rows are tall enough for their names.
    painter.setPen(palette().color(QPalette::WindowText));
    for (const int row : {1, 3, 5})
    {
        if (2 * g.cell < h)
            break;
        const int middle = g.top + row * g.cell + g.cell / 2;
        painter.drawText(QRect(0, middle - h / 2, g.left - 2, h), Qt::AlignRight | Qt::AlignVCenter, WeekDays.at(row));
    }

    int labelEnd = 0;
    for (int week = 0; week < StudyDays::Weeks; ++week)
    {
        const QDate sunday = m_days.firstDay().addDays(7 * week);
        const int x = g.left + week * g.cell;
        // A month is named over the first week that begins in it, where its
        // name does not run into the last one.
        const QString month = QStringLiteral("%1月").arg(sunday.month());
        const int end = x + fontMetrics().horizontalAdvance(month);
        if ((week == 0 || sunday.month() != sunday.addDays(-7).month()) && x >= labelEnd && end <= width())
        {
            painter.drawText(QPoint(x, g.top - 4 - fontMetrics().descent()), month);
            labelEnd = end + h / 3;
        }
        for (int row = 0; row < Rows; ++row)
        {
            const QDate day = sunday.addDays(row);
            if (day > m_days.today())
                break;
            const int shade = m_days.shade(day);
            const QRect square(x, g.top + row * g.cell, g.cell - gap, g.cell - gap);
            painter.fillRect(square, shade == 0 ? empty : Shades[shade - 1]);
            if (day == m_days.today())
            {
                painter.setPen(palette().color(QPalette::Highlight));
                painter.drawRect(square.adjusted(0, 0, -1, -1));
                painter.setPen(palette().color(QPalette::WindowText));
            }
        }
        if (const int left = m_days.wordsLeft(week); left > 0)
        {
            const int height = std::max(1, g.barsHeight * left / m_mostLeft);
            painter.fillRect(QRect(x, g.barsTop + g.barsHeight - height, g.cell - gap, height), BarColor);
        }
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(g.left, g.barsTop + g.barsHeight, g.left + StudyDays::Weeks * g.cell - gap, g.barsTop + g.barsHeight);

    // The key: the bars on the left, the shades on the right.
    painter.setPen(palette().color(QPalette::WindowText));
    const int keyTop = g.barsTop + g.barsHeight + 4;
    const QRect key(g.left, keyTop, StudyDays::Weeks * g.cell, h);
    painter.fillRect(QRect(g.left, keyTop + (h - g.cell) / 2, g.cell - gap, g.cell - gap), BarColor);
    painter.drawText(key.adjusted(g.cell + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("苦手から外れた単語（週ごと）"));
    const QString more = QStringLiteral("多");
    int x = key.right() - fontMetrics().horizontalAdvance(more);
    painter.drawText(QPoint(x, keyTop + fontMetrics().ascent()), more);
    for (int shade = StudyDays::Shades; shade >= 0; --shade)
    {
        x -= g.cell;
        painter.fillRect(QRect(x, keyTop + (h - g.cell) / 2, g.cell - gap, g.cell - gap),
                         shade == 0 ? empty : Shades[shade - 1]);
    }
    const QString fewer = QStringLiteral("少");
    painter.drawText(QPoint(x - fontMetrics().horizontalAdvance(fewer) - 2, keyTop + fontMetrics().ascent()), fewer);
}
