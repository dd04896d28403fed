#pragma once

#include <QtGlobal>
#include <Qt>

// The Windows virtual-key code and modifier mask that the same physical key
// of a JIS 106/109 keyboard gives, so that the key-code table works whatever
// keyboard layout the desktop has.
struct VirtualKey
{
    int keyCode = 0; // 0 when the key is unknown
    int shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
};

// nativeScanCode is the X11/Wayland keycode (Linux evdev code + 8), or 0 when
// the platform gives none; then the key is taken from the Qt key as a JIS
// layout produces it.
VirtualKey virtualKeyFromEvent(quint32 nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers);
