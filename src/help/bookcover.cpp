#include "bookcover.h"

#include <QColor>
#include <QPainter>
#include <QString>

QPixmap BookCover(const QString &title, const QString &publisher, const QColor &colour)
{
    constexpr int Width = 120;
    constexpr int Height = 160;
    QPixmap cover(Width, Height);
    cover.fill(colour);

    QPainter painter(&cover);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.lighter(160), 3));
    painter.drawRect(QRectF(6, 6, Width - 12, Height - 12));
    painter.fillRect(QRectF(12, 96, Width - 24, 2), colour.lighter(160));

    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.drawText(QRectF(14, 16, Width - 28, 76), Qt::AlignCenter | Qt::TextWordWrap, title);
    font.setBold(false);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QRectF(14, 104, Width - 28, 44), Qt::AlignCenter | Qt::TextWordWrap, publisher);
    return cover;
}
