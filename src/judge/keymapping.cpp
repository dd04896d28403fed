#include "keymapping.h"

#include <QHash>

namespace
{
    enum ModifierBit
    {
        ShiftBit = 1,
        CtrlBit = 2,
        AltBit = 4,
    };

    struct ScanKey
    {
        quint32 scanCode; // evdev code + 8
        int keyCode;
    };

    // Physical keys of a JIS 106/109 keyboard by X11 keycode. A US keyboard has
    // the letters, digits and "-" at the same places, so it types them too.
    const ScanKey ScanKeys[] = {
        {9, 27},    // Esc
        {10, 49}, {11, 50}, {12, 51}, {13, 52}, {14, 53}, // 1 to 5
        {15, 54}, {16, 55}, {17, 56}, {18, 57}, {19, 48}, // 6 to 9, 0
        {20, 189},  // -
        {21, 222},  // ^ (US =)
        {22, 8},    // Backspace
        {23, 9},    // Tab
        {24, 81}, {25, 87}, {26, 69}, {27, 82}, {28, 84}, // Q W E R T
        {29, 89}, {30, 85}, {31, 73}, {32, 79}, {33, 80}, // Y U I O P
        {34, 192},  // @ (US [)
        {35, 219},  // [ (US ])
        {36, 13},   // Enter
        {38, 65}, {39, 83}, {40, 68}, {41, 70}, {42, 71}, // A S D F G
        {43, 72}, {44, 74}, {45, 75}, {46, 76},           // H J K L
        {47, 187},  // ;
        {48, 186},  // : (US ')
        {51, 221},  // ] (US \)
        {52, 90}, {53, 88}, {54, 67}, {55, 86}, {56, 66}, // Z X C V B
        {57, 78}, {58, 77},                               // N M
        {59, 188},  // ,
        {60, 190},  // .
        {61, 191},  // /
        {63, 106},  // keypad *
        {65, 32},   // space
        {79, 103}, {80, 104}, {81, 105}, // keypad 7 8 9
        {82, 109},  // keypad -
        {83, 100}, {84, 101}, {85, 102}, // keypad 4 5 6
        {86, 107},  // keypad +
        {87, 97}, {88, 98}, {89, 99},    // keypad 1 2 3
        {90, 96},   // keypad 0
        {91, 110},  // keypad .
        {97, 226},  // ろ / backslash beside the right Shift
        {104, 13},  // keypad Enter
        {106, 111}, // keypad /
        {132, 220}, // yen
    };

    // What a JIS layout types without Shift and with it, as Qt keys. The Shift
    // bit follows the character, not the modifiers: a US keyboard gives "@"
    // with Shift, which on JIS is the "@" key alone.
    struct CharacterKey
    {
        int qtKey;
        int keyCode;
        bool shifted;
    };

    const CharacterKey CharacterKeys[] = {
        {Qt::Key_Exclam, 49, true},      {Qt::Key_QuoteDbl, 50, true},     {Qt::Key_NumberSign, 51, true},
        {Qt::Key_Dollar, 52, true},      {Qt::Key_Percent, 53, true},      {Qt::Key_Ampersand, 54, true},
        {Qt::Key_Apostrophe, 55, true},  {Qt::Key_ParenLeft, 56, true},    {Qt::Key_ParenRight, 57, true},
        {Qt::Key_Colon, 186, false},     {Qt::Key_Asterisk, 186, true},
        {Qt::Key_Semicolon, 187, false}, {Qt::Key_Plus, 187, true},
        {Qt::Key_Comma, 188, false},     {Qt::Key_Less, 188, true},
        {Qt::Key_Minus, 189, false},     {Qt::Key_Equal, 189, true},
        {Qt::Key_Period, 190, false},    {Qt::Key_Greater, 190, true},
        {Qt::Key_Slash, 191, false},     {Qt::Key_Question, 191, true},
        {Qt::Key_At, 192, false},        {Qt::Key_QuoteLeft, 192, true},
        {Qt::Key_BracketLeft, 219, false}, {Qt::Key_BraceLeft, 219, true},
        {Qt::Key_yen, 220, false},       {Qt::Key_Bar, 220, true},
        {Qt::Key_BracketRight, 221, false}, {Qt::Key_BraceRight, 221, true},
        {Qt::Key_AsciiCircum, 222, false}, {Qt::Key_AsciiTilde, 222, true},
        // Both the yen key and the ro key type "\" on a JIS layout; the ro key
        // is taken, since only it types a kana that hiragana readings need (ろ).
        {Qt::Key_Backslash, 226, false}, {Qt::Key_Underscore, 226, true},
    };

    struct KeypadKey
    {
        int qtKey;
        int keyCode;
    };

    const KeypadKey KeypadKeys[] = {
        {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109},
        {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
    };

    int modifierMask(Qt::KeyboardModifiers modifiers)
    {
        int mask = 0;
        if (modifiers & Qt::ShiftModifier)
            mask |= ShiftBit;
        if (modifiers & Qt::ControlModifier)
            mask |= CtrlBit;
        if (modifiers & Qt::AltModifier)
            mask |= AltBit;
        return mask;
    }

    bool isDigitKey(int qtKey)
    {
        return qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    }

    // With Num Lock off the keypad digits move the cursor; they type nothing.
    bool keypadTypesDigit(int keyCode, int qtKey)
    {
        const bool digitOrDecimal = (keyCode >= 96 && keyCode <= 105) || keyCode == 110;
        return !digitOrDecimal || qtKey == 0 || isDigitKey(qtKey) || qtKey == Qt::Key_Period || qtKey == Qt::Key_Comma;
    }

    int keyCodeFromScanCode(quint32 scanCode, int qtKey)
    {
        static const QHash<quint32, int> byScanCode = [] {
            QHash<quint32, int> map;
            for (const ScanKey &key : ScanKeys)
                map.insert(key.scanCode, key.keyCode);
            return map;
        }();
        const int keyCode = byScanCode.value(scanCode, 0);
        return keypadTypesDigit(keyCode, qtKey) ? keyCode : 0;
    }

    VirtualKey fromKeypad(int qtKey, int mask)
    {
        if (isDigitKey(qtKey))
            return {96 + (qtKey - Qt::Key_0), mask};
        if (qtKey == Qt::Key_Enter || qtKey == Qt::Key_Return)
            return {13, mask};
        for (const KeypadKey &key : KeypadKeys)
        {
            if (key.qtKey == qtKey)
                return {key.keyCode, mask};
        }
        return {0, mask};
    }

    VirtualKey fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
    {
        const int mask = modifierMask(modifiers);
        if (modifiers & Qt::KeypadModifier)
            return fromKeypad(qtKey, mask);
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
            return {65 + (qtKey - Qt::Key_A), mask};
        if (isDigitKey(qtKey))
            return {48 + (qtKey - Qt::Key_0), mask & ~ShiftBit};
        switch (qtKey)
        {
        case Qt::Key_Space: return {32, mask};
        case Qt::Key_Return:
        case Qt::Key_Enter: return {13, mask};
        case Qt::Key_Escape: return {27, mask};
        case Qt::Key_Backspace: return {8, mask};
        case Qt::Key_Tab: return {9, mask};
        default: break;
        }
        for (const CharacterKey &key : CharacterKeys)
        {
            if (key.qtKey == qtKey)
                return {key.keyCode, key.shifted ? (mask | ShiftBit) : (mask & ~ShiftBit)};
        }
        return {0, mask};
    }
}

VirtualKey virtualKeyFromEvent(quint32 nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers)
{
    // Only X11 and Wayland give evdev-based keycodes; elsewhere the scan code
    // means something else and the Qt key is used.
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (nativeScanCode != 0)
    {
        const int keyCode = keyCodeFromScanCode(nativeScanCode, qtKey);
        if (keyCode != 0)
            return {keyCode, modifierMask(modifiers)};
    }
#else
    Q_UNUSED(nativeScanCode);
#endif
    return fromQtKey(qtKey, modifiers);
}
