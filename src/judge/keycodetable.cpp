#include "keycodetable.h"

std::array<CodeChangeTableSet::KeyCodeEntry, CodeChangeTableSet::KeyCodeCount> CodeChangeTableSet::KeyCodeTable;

namespace
{
    struct KeyData
    {
        int keyCode;
        bool hasShiftEntry; // the keypad has none
        const char16_t *character;
        const char16_t *shiftCharacter;
        const char16_t *kana;
        const char16_t *shiftKana;
    };

    // One line per key, in table order; a key with a Shift entry fills two
    // entries, the key alone first.
    const KeyData Keys[] = {
        {32, true, u" ", u" ", u"", u""},
        {48, true, u"0", u"", u"ﾜ", u"ｦ"},
        {49, true, u"1", u"!", u"ﾇ", u"ﾇ"},
        {50, true, u"2", u"\"", u"ﾌ", u"ﾌ"},
        {51, true, u"3", u"#", u"ｱ", u"ｧ"},
        {52, true, u"4", u"$", u"ｳ", u"ｩ"},
        {53, true, u"5", u"%", u"ｴ", u"ｪ"},
        {54, true, u"6", u"&", u"ｵ", u"ｫ"},
        {55, true, u"7", u"'", u"ﾔ", u"ｬ"},
        {56, true, u"8", u"(", u"ﾕ", u"ｭ"},
        {57, true, u"9", u")", u"ﾖ", u"ｮ"},
        {65, true, u"a", u"A", u"ﾁ", u"ﾁ"},
        {66, true, u"b", u"B", u"ｺ", u"ｺ"},
        {67, true, u"c", u"C", u"ｿ", u"ｿ"},
        {68, true, u"d", u"D", u"ｼ", u"ｼ"},
        {69, true, u"e", u"E", u"ｲ", u"ｨ"},
        {70, true, u"f", u"F", u"ﾊ", u"ﾊ"},
        {71, true, u"g", u"G", u"ｷ", u"ｷ"},
        {72, true, u"h", u"H", u"ｸ", u"ｸ"},
        {73, true, u"i", u"I", u"ﾆ", u"ﾆ"},
        {74, true, u"j", u"J", u"ﾏ", u"ﾏ"},
        {75, true, u"k", u"K", u"ﾉ", u"ﾉ"},
        {76, true, u"l", u"L", u"ﾘ", u"ﾘ"},
        {77, true, u"m", u"M", u"ﾓ", u"ﾓ"},
        {78, true, u"n", u"N", u"ﾐ", u"ﾐ"},
        {79, true, u"o", u"O", u"ﾗ", u"ﾗ"},
        {80, true, u"p", u"P", u"ｾ", u"ｾ"},
        {81, true, u"q", u"Q", u"ﾀ", u"ﾀ"},
        {82, true, u"r", u"R", u"ｽ", u"ｽ"},
        {83, true, u"s", u"S", u"ﾄ", u"ﾄ"},
        {84, true, u"t", u"T", u"ｶ", u"ｶ"},
        {85, true, u"u", u"U", u"ﾅ", u"ﾅ"},
        {86, true, u"v", u"V", u"ﾋ", u"ﾋ"},
        {87, true, u"w", u"W", u"ﾃ", u"ﾃ"},
        {88, true, u"x", u"X", u"ｻ", u"ｻ"},
        {89, true, u"y", u"Y", u"ﾝ", u"ﾝ"},
        {90, true, u"z", u"Z", u"ﾂ", u"ｯ"},
        {96, false, u"0", nullptr, u"", nullptr},
        {97, false, u"1", nullptr, u"", nullptr},
        {98, false, u"2", nullptr, u"", nullptr},
        {99, false, u"3", nullptr, u"", nullptr},
        {100, false, u"4", nullptr, u"", nullptr},
        {101, false, u"5", nullptr, u"", nullptr},
        {102, false, u"6", nullptr, u"", nullptr},
        {103, false, u"7", nullptr, u"", nullptr},
        {104, false, u"8", nullptr, u"", nullptr},
        {105, false, u"9", nullptr, u"", nullptr},
        {106, false, u"*", nullptr, u"", nullptr},
        {107, false, u"+", nullptr, u"", nullptr},
        {109, false, u"-", nullptr, u"", nullptr},
        {110, false, u".", nullptr, u"", nullptr},
        {111, false, u"/", nullptr, u"", nullptr},
        {186, true, u":", u"*", u"ｹ", u"ｹ"},
        {187, true, u";", u"+", u"ﾚ", u"ﾚ"},
        {188, true, u",", u"<", u"ﾈ", u"､"},
        {189, true, u"-", u"=", u"ﾎ", u"ﾎ"},
        {190, true, u".", u">", u"ﾙ", u"｡"},
        {191, true, u"/", u"?", u"ﾒ", u"ﾒ"},
        {192, true, u"@", u"`", u"ﾞ", u"ﾞ"},
        {219, true, u"[", u"{", u"ﾟ", u"｢"},
        {220, true, u"\\", u"|", u"ｰ", u"ｰ"},
        {221, true, u"]", u"}", u"ﾑ", u"｣"},
        {222, true, u"^", u"~", u"ﾍ", u"ﾍ"},
        {226, true, u"\\", u"_", u"ﾛ", u"ﾛ"},
    };

    CodeChangeTableSet::KeyCodeEntry entry(int keyCode, int shift, const char16_t *character, const char16_t *kana)
    {
        return {keyCode, shift, QString::fromUtf16(character), QString::fromUtf16(kana)};
    }
}

void CodeChangeTableSet::BuildKeyCodeTable()
{
    int index = 0;
    for (const KeyData &key : Keys)
    {
        KeyCodeTable[index++] = entry(key.keyCode, 0, key.character, key.kana);
        if (key.hasShiftEntry)
            KeyCodeTable[index++] = entry(key.keyCode, 1, key.shiftCharacter, key.shiftKana);
    }
    Q_ASSERT(index == KeyCodeCount);
}
