#pragma once

#include <QSize>

class QWidget;

// The room a window may take on the screen it opens on: the screen's free
// area less the title bar and borders that a window manager adds, which are
// not known before the window is shown. A window bounds its size by it, so
// that it and its buttons stay on a small screen at any scale.
QSize RoomOnScreen(const QWidget &window);
