#include "bookcover.h"

#include <QColor>
#include <QPainter>
#include <QString>

QPixmap BookCover::draw(const QString &title, const QString &publisher, const QColor &colour, qreal devicePixelRatio)
{
    const qreal width = Size.width();
    const qreal height = Size.height();
    QPixmap cover(Size * devicePixelRatio);
    cover.setDevicePixelRatio(devicePixelRatio);
    cover.fill(colour);

    // The painter works in device-independent pixels from here on.
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.lighter(160), 3));
    painter.drawRect(QRectF(6, 6, width - 12, height - 12));
    painter.fillRect(QRectF(12, 96, width - 24, 2), colour.lighter(160));

    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.drawText(QRectF(14, 16, width - 28, 76), Qt::AlignCenter | Qt::TextWordWrap, title);
    font.setBold(false);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QRectF(14, 104, width - 28, 44), Qt::AlignCenter | Qt::TextWordWrap, publisher);
    return cover;
}
