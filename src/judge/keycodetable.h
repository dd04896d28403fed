#pragma once

#include <QString>

#include <array>

// What each key of a JIS keyboard types, by Windows virtual-key code and
// Shift: the character for romaji and direct typing, and the kana of the JIS
// kana keyboard, so both always come from the same physical key.
namespace CodeChangeTableSet
{
    inline constexpr int KeyCodeCount = 113;

    struct KeyCodeEntry
    {
        int KeyCode = 0;
        int Shift = 0; // 0 the key alone, 1 with Shift
        QString Character;
        QString Kana;
    };

    extern std::array<KeyCodeEntry, KeyCodeCount> KeyCodeTable;

    void BuildKeyCodeTable();
}
