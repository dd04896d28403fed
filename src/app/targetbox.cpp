#include "targetbox.h"

#include <QPainter>

#include <algorithm>

#include "gui_shared/sheet.h"
#include "scaledfont.h"

namespace
{
    constexpr qreal Margin = 8;
    constexpr int BasePointSize = 16;
    // Long lines shrink to this share of the box font before they scroll.
    constexpr qreal SmallestScale = 0.6;
    // A box given less than its natural height, on a small screen, shrinks
    // its text down to this share of the box font.
    constexpr qreal ShortestScale = 0.5;
    // A taller box grows its text up to this share of the box font.
    constexpr qreal LargestScale = 3.0;
    // Room for a romaji guide of about this many characters at full size.
    constexpr int WidthInCharacters = 40;
    // A scrolled line keeps this share of its room for what was typed before
    // the next character, so the learner still sees where they are.
    constexpr qreal TypedShare = 1.0 / 3;

    // What was typed, the next character, the rest.
    const std::array<QColor, 3> PartColors = {colorOf(EmphasisColor::Blue), colorOf(EmphasisColor::Red),
                                              colorOf(EmphasisColor::Black)};
    const QColor Ground(0xFF, 0xFF, 0xFF);
    const QColor Frame(0xA0, 0xA0, 0xA0);
    const QColor Quiet(0x80, 0x80, 0x80);
    const QString Ellipsis = QStringLiteral("…");

    QStringList noParts()
    {
        return {QString(), QString(), QString()};
    }

    bool allEmpty(const QStringList &parts)
    {
        return std::all_of(parts.cbegin(), parts.cend(), [](const QString &part) { return part.isEmpty(); });
    }
}

TargetBox::TargetBox(QWidget *parent)
    : QWidget(parent)
    , m_answer(noParts())
    , m_guide(noParts())
{
    // Painted whole by paintEvent, whatever the palette says.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont boxFont = font();
    boxFont.setPointSize(BasePointSize);
    setFont(boxFont);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
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

void TargetBox::setHint(const QString &hint)
{
    m_hint = hint;
    update();
}

QSize TargetBox::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.averageCharWidth() * WidthInCharacters + int(2 * Margin), 2 * fm.height() + int(3 * Margin)};
}

QSize TargetBox::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    const QFontMetrics shortest(scaledFont(font(), ShortestScale));
    return {fm.horizontalAdvance(QLatin1Char('m')) * 10, 2 * shortest.height() + int(3 * Margin)};
}

const QStringList &TargetBox::partsOf(Line line) const
{
    return line == Line::Answer ? m_answer : m_guide;
}

// The box font grown to fill the box's height with its two lines, or shrunk
// to fit a box that a small screen keeps below its natural height.
QFont TargetBox::grownFont() const
{
    const qreal baseHeight = QFontMetricsF(font()).height();
    const qreal smallest = height() < sizeHint().height() ? ShortestScale : 1.0;
    qreal scale = std::clamp((height() - 3 * Margin) / (2 * baseHeight), smallest, LargestScale);
    QFont grown = scaledFont(font(), scale);
    // Font heights do not grow in exact proportion to the point size.
    while (scale > smallest && 2 * QFontMetricsF(grown).height() + 3 * Margin > height())
    {
        scale = std::max(smallest, scale - 0.05);
        grown = scaledFont(font(), scale);
    }
    return grown;
}

TargetBox::LineLayout TargetBox::layOut(Line line) const
{
    const QStringList &parts = partsOf(line);
    const QFont grown = grownFont();
    const QFontMetricsF grownMetrics(grown);
    LineLayout layout;
    layout.height = grownMetrics.height();
    layout.top = line == Line::Answer ? Margin : 2 * Margin + layout.height;
    // Shrunk text keeps the baseline of full-size text, so both lines stay put.
    layout.baseline = layout.top + grownMetrics.ascent();

    const qreal room = width() - 2 * Margin;
    const QString whole = parts.join(QString());
    layout.font = grown;
    const qreal fullWidth = grownMetrics.horizontalAdvance(whole);
    if (fullWidth > room && room > 0)
    {
        const qreal smallest = font().pointSizeF() * SmallestScale;
        layout.font.setPointSizeF(std::max(smallest, grown.pointSizeF() * room / fullWidth));
    }

    const QFontMetricsF fm(layout.font);
    const qreal total = fm.horizontalAdvance(whole);
    const qreal typedWidth = fm.horizontalAdvance(parts.value(0));
    layout.currentWidth = fm.horizontalAdvance(parts.value(1));
    layout.left = Margin;
    layout.width = room;
    if (total > room)
    {
        // Too long even in the smaller font: show the stretch around the next
        // character, with an ellipsis on each side that hides text.
        const qreal ellipsis = fm.horizontalAdvance(Ellipsis);
        const auto scrollTo = [&](qreal shown) {
            return std::clamp(typedWidth - shown * TypedShare, 0.0, std::max(0.0, total - shown));
        };
        layout.width = room - ellipsis;
        layout.offset = scrollTo(layout.width);
        layout.cutRight = true;
        if (layout.offset > 0)
        {
            layout.cutLeft = true;
            layout.left = Margin + ellipsis;
            layout.width = room - 2 * ellipsis;
            layout.offset = scrollTo(layout.width);
            if (layout.offset >= total - layout.width)
            {
                // The end of the line is in view: no ellipsis on the right.
                layout.width = room - ellipsis;
                layout.offset = std::max(0.0, total - layout.width);
                layout.cutRight = false;
            }
        }
    }

    qreal x = layout.left - layout.offset;
    for (int i = 0; i < 3; ++i)
    {
        layout.partX[i] = x;
        x += fm.horizontalAdvance(parts.value(i));
    }
    return layout;
}

QRectF TargetBox::currentRect(Line line) const
{
    if (partsOf(line).value(1).isEmpty())
        return {};
    const LineLayout layout = layOut(line);
    return {layout.partX[1], layout.top, layout.currentWidth, layout.height};
}

QRectF TargetBox::visibleRect(Line line) const
{
    const LineLayout layout = layOut(line);
    return {layout.left, layout.top, layout.width, layout.height};
}

void TargetBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Ground);
    painter.setPen(Frame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    if (allEmpty(m_answer) && (!m_showGuide || allEmpty(m_guide)))
    {
        drawHint(painter);
        return;
    }
    drawLine(painter, Line::Answer);
    if (m_showGuide)
        drawLine(painter, Line::Guide);
}

void TargetBox::drawLine(QPainter &painter, Line line) const
{
    const QStringList &parts = partsOf(line);
    const LineLayout layout = layOut(line);
    painter.setFont(layout.font);

    painter.save();
    painter.setClipRect(QRectF(layout.left, 0, layout.width, height()));
    for (int i = 0; i < 3; ++i)
    {
        const QString part = parts.value(i);
        if (part.isEmpty())
            continue;
        painter.setPen(PartColors[i]);
        painter.drawText(QPointF(layout.partX[i], layout.baseline), part);
    }
    painter.restore();

    painter.setPen(Quiet);
    if (layout.cutLeft)
        painter.drawText(QPointF(Margin, layout.baseline), Ellipsis);
    if (layout.cutRight)
        painter.drawText(QPointF(layout.left + layout.width, layout.baseline), Ellipsis);
}

void TargetBox::drawHint(QPainter &painter) const
{
    if (m_hint.isEmpty())
        return;
    painter.setFont(scaledFont(font(), 0.75));
    painter.setPen(Quiet);
    painter.drawText(rect().adjusted(int(Margin), 0, -int(Margin), 0), Qt::AlignCenter | Qt::TextWordWrap, m_hint);
}
