#pragma once

#include <QPixmap>

class QColor;
class QString;

// A plain cover picture for the book guide: the title on a coloured card,
// drawn here so that no picture files need to be shipped.
QPixmap BookCover(const QString &title, const QString &publisher, const QColor &colour);
