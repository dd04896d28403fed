#pragma once

#include <QFont>

// The font at `scale` times its size, for text shrunk to fit its box.
inline QFont scaledFont(const QFont &font, qreal scale)
{
    QFont result = font;
    result.setPointSizeF(font.pointSizeF() * scale);
    return result;
}
