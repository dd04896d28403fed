#include "keycodelookup.h"

#include "keycodetable.h"

void CodeChage::LookupKeyCode(KeyLookup &k)
{
    k.KeyRomaChar.clear();
    k.KeyKanaChar.clear();
    k.KeyNotFound = QStringLiteral("1");
    for (const auto &entry : CodeChangeTableSet::KeyCodeTable)
    {
        if (entry.KeyCode != k.KeyCodeIn || entry.Shift != k.ShiftIn)
            continue;
        k.KeyRomaChar = entry.Character;
        k.KeyKanaChar = entry.Kana;
        k.KeyNotFound = QStringLiteral("0");
        return;
    }
}
