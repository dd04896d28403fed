#pragma once

#include <QPixmap>
#include <QSize>

class QColor;
class QString;

// A plain cover picture for the book guide: the title on a coloured card,
// drawn here so that no picture files need to be shipped. Every cover has
// the same size, and is drawn at the screen's device pixel ratio so that it
// stays sharp on a scaled desktop.
namespace BookCover
{
    // In device-independent pixels.
    inline constexpr QSize Size {120, 160};

    QPixmap draw(const QString &title, const QString &publisher, const QColor &colour, qreal devicePixelRatio);
}
