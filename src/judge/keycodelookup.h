#pragma once

#include <QString>

// Turns a key-down event (virtual-key code and modifier mask) into what the
// key types, through the key-code table.
namespace CodeChage
{
    struct KeyLookup
    {
        int KeyCodeIn = 0;
        int ShiftIn = 0; // 1 Shift, 2 Ctrl, 4 Alt
        QString KeyRomaChar;
        QString KeyKanaChar;
        QString KeyNotFound; // "0" found, "1" not found
    };

    // A key with Ctrl or Alt matches no entry, so shortcuts never type.
    void LookupKeyCode(KeyLookup &k);
}
