#include "fittedlabel.h"

#include <QPainter>

#include <algorithm>

#include "scaledfont.h"

namespace
{
    // Each try at a smaller font is this much of the one before.
    constexpr qreal ShrinkStep = 0.92;
    // The narrowest the label asks for, in average characters.
    constexpr int MinimumCharacters = 8;
}

FittedLabel::FittedLabel(QWidget *parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // It draws its text as it stands: a tag in a bank's text is text to show.
    setTextFormat(Qt::PlainText);
}

void FittedLabel::setArea(int lines, qreal pointSize)
{
    m_lines = std::max(1, lines);
    m_pointSize = pointSize;
    updateGeometry();
}

void FittedLabel::setScaleRange(qreal smallest, qreal largest)
{
    m_smallest = smallest;
    m_largest = std::max(1.0, largest);
    update();
}

int FittedLabel::areaHeight(qreal scale) const
{
    QFont reference = font();
    if (m_pointSize > 0)
        reference.setPointSizeF(m_pointSize);
    return m_lines * QFontMetrics(scaledFont(reference, scale)).height();
}

QSize FittedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().averageCharWidth() * MinimumCharacters + margins.left() + margins.right(),
            areaHeight() + margins.top() + margins.bottom()};
}

// On a small screen the area gives way as far as its text may shrink.
QSize FittedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {sizeHint().width(), areaHeight(m_smallest) + margins.top() + margins.bottom()};
}

int FittedLabel::textFlags() const
{
    return int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
}

bool FittedLabel::fits(const QFont &font) const
{
    const QRectF area = contentsRect();
    const QRectF needed = QFontMetricsF(font).boundingRect(area, textFlags(), text());
    return needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5;
}

QFont FittedLabel::shownFont() const
{
    const qreal room = qreal(contentsRect().height()) / std::max(1, areaHeight());
    qreal scale = std::clamp(room, 1.0, m_largest);
    for (; scale > m_smallest; scale *= ShrinkStep)
    {
        const QFont candidate = scaledFont(font(), scale);
        if (fits(candidate))
            return candidate;
    }
    return scaledFont(font(), m_smallest);
}

QString FittedLabel::shownText() const
{
    const QFont font = shownFont();
    if (wordWrap() || fits(font))
        return text();
    return QFontMetrics(font).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void FittedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(shownFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), textFlags(), shownText());
}
