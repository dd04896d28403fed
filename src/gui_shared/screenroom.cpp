#include "screenroom.h"

#include <QScreen>
#include <QWidget>

QSize RoomOnScreen(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // A title bar is about two lines of the window's own text tall.
    const int border = 2;
    const int titleBar = 2 * window.fontMetrics().height() + border;
    return screen->availableSize() - QSize(2 * border, titleBar + 2 * border);
}
