#include "typeability.h"

#include <QHash>

#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/keycodetable.h"

namespace
{
    struct Key
    {
        QString roma;
        QString kana;
    };

    // What each character of a guide is typed with: for romaji the key that
    // types the character; for kana input the key whose kana it is, else the
    // key that types it directly.
    struct Keyboard
    {
        QHash<QChar, Key> direct;
        QHash<QChar, Key> kana;

        Keyboard()
        {
            using CodeChangeTableSet::KeyCodeTable;
            if (KeyCodeTable[0].Character.isEmpty())
                CodeChangeTableSet::BuildKeyCodeTable();
            for (const CodeChangeTableSet::KeyCodeEntry &entry : KeyCodeTable)
            {
                const Key key {entry.Character, entry.Kana};
                if (entry.Character.size() == 1 && !direct.contains(entry.Character[0]))
                    direct.insert(entry.Character[0], key);
                if (entry.Kana.size() == 1 && !kana.contains(entry.Kana[0]))
                    kana.insert(entry.Kana[0], key);
            }
        }

        const Key *find(QChar c, Typeability::Input input) const
        {
            if (input == Typeability::Input::Kana)
            {
                const auto found = kana.constFind(c);
                if (found != kana.constEnd())
                    return &found.value();
            }
            const auto found = direct.constFind(c);
            return found != direct.constEnd() ? &found.value() : nullptr;
        }
    };

    const Keyboard &keyboard()
    {
        static const Keyboard keys;
        return keys;
    }
}

qsizetype Typeability::firstUntypeable(const QString &text, Input input)
{
    if (text.isEmpty())
        return -1;
    // The program builds the judge table at start-up, with the learner's
    // display choices; a tool or a test may ask before that.
    if (JudgeTableSet::JudgeTable[0].Unit.isEmpty())
        JudgeTableSet::BuildJudgeTable();
    const bool romaji = input == Input::Romaji;
    Judge::JudgeState state;
    state.JudgeTarget = text;
    state.JudgeGuide = romaji ? Judge::MakeRomaGuide(text) : Judge::MakeKanaGuide(text);
    // Every accepted key either completes a unit or shortens the guide of the
    // unit in progress; the bound only guards against a judge that did not.
    for (qsizetype keys = 0; keys < 8 * text.size() + 16; ++keys)
    {
        const Key *key = state.JudgeGuide.isEmpty() ? nullptr : keyboard().find(state.JudgeGuide[0], input);
        if (!key)
            break;
        state.JudgeKeyRoma = key->roma;
        state.JudgeKeyKana = key->kana;
        romaji ? Judge::JudgeRomaKey(state) : Judge::JudgeKanaKey(state);
        if (state.JudgeMiss != u"0")
            break;
        if (state.JudgeDone == u"1")
            return -1;
    }
    return state.JudgePos - 1;
}
