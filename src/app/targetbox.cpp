#include "targetbox.h"

#include <QPainter>

#include <array>

namespace
{
    constexpr int Margin = 8;
    // Long answers shrink to this share of the box font before they are elided.
    constexpr qreal SmallestScale = 0.6;
    // Room for a romaji guide of about this many characters at full size.
    constexpr int WidthInCharacters = 40;

    const std::array<QColor, 3> PartColors = {QColor(0x00, 0x00, 0xFF), QColor(0xFF, 0x00, 0x00),
                                              QColor(0x00, 0x00, 0x00)};

    QStringList noParts()
    {
        return {QString(), QString(), QString()};
    }
}

TargetBox::TargetBox(QWidget *parent)
    : QWidget(parent)
    , m_answer(noParts())
    , m_guide(noParts())
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont boxFont = font();
    boxFont.setPointSize(16);
    setFont(boxFont);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TargetBox::draw(const QStringList &answer, const QStringList &guide, bool showGuide)
{
    m_answer = answer;
    m_guide = guide;
    m_showGuide = showGuide;
    update();
}

void TargetBox::clear()
{
    draw(noParts(), noParts(), false);
}

QSize TargetBox::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.averageCharWidth() * WidthInCharacters + 2 * Margin, 2 * fm.height() + 3 * Margin};
}

QSize TargetBox::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(QLatin1Char('m')) * 10, 2 * fm.height() + 3 * Margin};
}

void TargetBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const int lineHeight = QFontMetrics(font()).height();
    drawLine(painter, m_answer, Margin + lineHeight);
    if (m_showGuide)
        drawLine(painter, m_guide, 2 * Margin + 2 * lineHeight);
}

QFont TargetBox::fittedFont(const QStringList &parts) const
{
    const int available = width() - 2 * Margin;
    const int needed = QFontMetrics(font()).horizontalAdvance(parts.join(QString()));
    QFont fitted = font();
    if (needed <= available || needed <= 0)
        return fitted;
    const qreal scale = std::max(SmallestScale, qreal(available) / needed);
    fitted.setPointSizeF(font().pointSizeF() * scale);
    return fitted;
}

void TargetBox::drawLine(QPainter &painter, const QStringList &parts, int baseline) const
{
    const QFont lineFont = fittedFont(parts);
    const QFontMetrics fm(lineFont);
    painter.setFont(lineFont);

    // What does not fit even in the smaller font ends in an ellipsis.
    const QString whole = parts.join(QString());
    const QString elided = fm.elidedText(whole, Qt::ElideRight, width() - 2 * Margin);
    qsizetype room = elided == whole ? whole.size() : std::max<qsizetype>(elided.size() - 1, 0);

    int x = Margin;
    for (int i = 0; i < 3 && room > 0; ++i)
    {
        const QString part = parts.value(i).left(room);
        room -= part.size();
        if (part.isEmpty())
            continue;
        painter.setPen(PartColors[i]);
        painter.drawText(x, baseline, part);
        x += fm.horizontalAdvance(part);
    }
    if (elided != whole)
    {
        painter.setPen(PartColors[2]);
        painter.drawText(x, baseline, QStringLiteral("…"));
    }
}
