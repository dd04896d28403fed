// The keystroke judge under any target of the table's units and any keys of
// the JIS keyboard. After every key its invariants hold; a completed target
// was really typed; small romaji targets agree with an acceptor written from
// the typing rules alone.
#include "fuzzsupport.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/keycodetable.h"

namespace
{
    using JudgeTableSet::JudgeTable;

    struct Key
    {
        QString roma;
        QString kana;
    };

    // Reads the input a byte at a time; zeros once it runs out.
    class Bytes
    {
    public:
        Bytes(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
        bool atEnd() const { return m_pos >= m_size; }
        uint8_t next() { return atEnd() ? 0 : m_data[m_pos++]; }
        size_t pick(size_t count) { return (next() | (size_t(next()) << 8)) % count; }

    private:
        const uint8_t *m_data;
        size_t m_size;
        size_t m_pos = 0;
    };

    QStringList unitPool()
    {
        QStringList units;
        for (const auto &row : JudgeTable)
            units.append(row.Unit);
        units << QStringLiteral("A") << QStringLiteral("b") << QStringLiteral("-") << QStringLiteral("1");
        return units;
    }

    QList<Key> keyPool()
    {
        QList<Key> keys;
        for (const auto &entry : CodeChangeTableSet::KeyCodeTable)
            keys.append({entry.Character, entry.Kana});
        return keys;
    }

    QStringList spellingsOf(QStringView unit)
    {
        QStringList spellings;
        const int row = JudgeTableSet::findRow(unit);
        if (row < 0)
            return spellings;
        for (const QString &s : JudgeTable[row].Spellings)
        {
            if (!s.isEmpty() && !JudgeTableSet::isMarker(s))
                spellings.append(s);
        }
        for (QStringView s : JudgeTableSet::moreSpellings(row))
        {
            if (!s.isEmpty())
                spellings.append(s.toString());
        }
        return spellings;
    }

    // Whether `keys` starts (prefix) or completes (whole) a spelling of the
    // target from position i: the table's spellings and those of input
    // methods, ASCII typed as itself, a single n for ん before a unit that
    // allows it, and っ as the doubled first letter of the next unit (before
    // う only its w). After a single n (plain false) the next unit is typed
    // only by its spellings.
    struct Match
    {
        bool prefix = false;
        bool whole = false;
        void add(Match m) { prefix |= m.prefix; whole |= m.whole; }
    };

    Match match(const QString &target, qsizetype i, QStringView keys, bool plain)
    {
        if (i == target.size())
            return {keys.isEmpty(), keys.isEmpty()};
        if (keys.isEmpty())
            return {true, false};
        Match result;
        const QChar c = target[i];
        const bool hasNext = i + 1 < target.size();
        if (plain && c.unicode() < 0x80 && keys[0] == c)
            result.add(match(target, i + 1, keys.mid(1), true));
        const auto byUnit = [&](qsizetype length) {
            for (const QString &s : spellingsOf(QStringView(target).mid(i, length)))
            {
                if (keys.startsWith(s))
                    result.add(match(target, i + length, keys.mid(s.size()), true));
                else if (s.startsWith(keys))
                    result.prefix = true;
            }
        };
        if (hasNext && QStringView(u"ぁぃぅぇぉゃゅょ").contains(target[i + 1]))
            byUnit(2);
        byUnit(1);
        if (c == u'ん' && hasNext && !QStringView(u"あいうえおなにぬねのやゆよ").contains(target[i + 1]) && keys[0] == u'n')
        {
            if (keys.size() == 1)
                result.prefix = true;
            else if (keys[1] != u'n')
                result.add(match(target, i + 1, keys.mid(1), false));
        }
        const bool beforeU = hasNext && target[i + 1] == u'う';
        if (plain && c == u'っ' && hasNext && (beforeU || !QStringView(u"あいうえおなにぬねの").contains(target[i + 1])))
        {
            for (const QString &s : spellingsOf(QStringView(target).mid(i + 1, 1)))
            {
                if (s[0] != u'x' && s[0] != u'l' && (!beforeU || s[0] == u'w') && keys[0] == s[0])
                    result.add(match(target, i + 1, keys.mid(1), true));
            }
        }
        return result;
    }

    bool sameInOut(const Judge::JudgeState &a, const Judge::JudgeState &b)
    {
        return a.JudgeTarget == b.JudgeTarget && a.JudgePos == b.JudgePos && a.JudgeTyped == b.JudgeTyped
            && a.JudgePending == b.JudgePending && a.JudgeGuide == b.JudgeGuide && a.JudgeUnitRest == b.JudgeUnitRest;
    }

    Judge::JudgeState start(const QString &target, bool roma)
    {
        Judge::JudgeState s;
        s.JudgeTarget = target;
        s.JudgeGuide = roma ? Judge::MakeRomaGuide(target) : Judge::MakeKanaGuide(target);
        return s;
    }

    void press(Judge::JudgeState &s, const Key &key, bool roma)
    {
        s.JudgeKeyRoma = key.roma;
        s.JudgeKeyKana = key.kana;
        roma ? Judge::JudgeRomaKey(s) : Judge::JudgeKanaKey(s);
    }

    // The keys that completed a target complete it again on a fresh judge,
    // each accepted, the last one completing it.
    void checkRetyped(const QString &target, const QList<Key> &accepted, bool roma)
    {
        Judge::JudgeState s = start(target, roma);
        for (qsizetype k = 0; k < accepted.size(); ++k)
        {
            press(s, accepted[k], roma);
            FuzzSupport::check(s.JudgeMiss == u"0", "a typed key is rejected when typed again");
            FuzzSupport::check((s.JudgeDone == u"1") == (k + 1 == accepted.size()), "typed again, ends elsewhere");
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool built = [] {
        JudgeTableSet::BuildJudgeTable();
        CodeChangeTableSet::BuildKeyCodeTable();
        return true;
    }();
    Q_UNUSED(built);
    static const QStringList units = unitPool();
    static const QList<Key> keys = keyPool();

    Bytes input(data, size);
    const bool roma = (input.next() & 1) == 0;
    const int unitCount = 1 + input.next() % 8;
    QString target;
    for (int i = 0; i < unitCount; ++i)
        target += units[input.pick(units.size())];
    const bool small = target.size() <= 6;

    Judge::JudgeState s = start(target, roma);
    QList<Key> accepted;
    QString typed;
    while (!input.atEnd() && s.JudgeDone != u"1")
    {
        const Key &key = keys[input.pick(keys.size())];
        const Judge::JudgeState before = s;
        press(s, key, roma);
        FuzzSupport::check(s.JudgeMiss == u"0" || s.JudgeMiss == u"1", "JudgeMiss is neither 0 nor 1");
        FuzzSupport::check(1 <= s.JudgePos && s.JudgePos <= target.size() + 1, "JudgePos out of range");
        if (s.JudgeMiss == u"1")
        {
            FuzzSupport::check(sameInOut(before, s), "a rejected key changed the state");
            FuzzSupport::check(s.JudgeDone != u"1", "a rejected key completed the target");
        }
        else
        {
            const bool grewByKey = s.JudgeTyped == before.JudgeTyped + key.roma
                || (!roma && s.JudgeTyped == before.JudgeTyped + key.kana);
            FuzzSupport::check(grewByKey, "JudgeTyped did not grow by the key");
            FuzzSupport::check(s.JudgePos >= before.JudgePos, "JudgePos went back");
            accepted.append(key);
        }
        FuzzSupport::check(s.JudgeDone != u"1" || s.JudgePos == target.size() + 1, "completed short of the end");
        if (roma && small && !key.roma.isEmpty())
        {
            const Match m = match(target, 0, typed + key.roma, true);
            FuzzSupport::check((s.JudgeMiss == u"0") == m.prefix, "the judge and the acceptor disagree on a key");
            FuzzSupport::check((s.JudgeDone == u"1") == m.whole, "the judge and the acceptor disagree on the end");
        }
        if (s.JudgeMiss == u"0")
            typed += key.roma;
    }
    if (s.JudgeDone == u"1")
        checkRetyped(target, accepted, roma);
    return 0;
}
