#include "judge.h"

#include <QVarLengthArray>

#include "judgetable.h"
#include "guidebuilder.h"

using JudgeTableSet::JudgeTable;

namespace
{
    const QString Accepted = QStringLiteral("0");
    const QString Rejected = QStringLiteral("1");
    const QString Done = QStringLiteral("1");

    constexpr QChar N = u'ん';
    constexpr QChar SmallTsu = u'っ';

    enum class Match
    {
        None,
        Direct,
        TwoKana,
        OneKana,
    };

    // Which spellings a romaji key is tried against: the table's, and then,
    // for a key the table refuses, also those that input methods take.
    enum class Spellings
    {
        Table,
        WithMore,
    };

    // The keys typed toward a unit plus the new key, without allocating.
    class KeyRun
    {
    public:
        KeyRun(QStringView pending, QStringView key)
        {
            m_chars.append(pending.data(), pending.size());
            m_chars.append(key.data(), key.size());
        }

        QStringView view() const { return {m_chars.constData(), m_chars.size()}; }

        // The spelling passes when it begins with the run. The markers of ん
        // and っ stand for rules, not keys, so no key types them.
        bool fits(QStringView spelling) const
        {
            if (spelling.isEmpty() || JudgeTableSet::isMarker(spelling))
                return false;
            return spelling.size() >= m_chars.size() && spelling.startsWith(view());
        }

        // The first spelling of the row that fits, in column order; empty when none.
        QStringView firstFitting(int row, Spellings which) const
        {
            if (row < 0)
                return {};
            for (const QString &spelling : JudgeTable[row].Spellings)
            {
                if (fits(spelling))
                    return spelling;
            }
            if (which == Spellings::WithMore)
            {
                for (QStringView spelling : JudgeTableSet::moreSpellings(row))
                {
                    if (fits(spelling))
                        return spelling;
                }
            }
            return {};
        }

        qsizetype size() const { return m_chars.size(); }

    private:
        QVarLengthArray<QChar, 16> m_chars;
    };

    // What one key leads to, kept apart from the state until the key is accepted.
    struct Outcome
    {
        Match match = Match::None;
        qsizetype index = 0; // 0-based JudgePos
        // Copied into the state only when the key is accepted: the keys of
        // the unit in progress, and a view into the table's spelling.
        QVarLengthArray<QChar, 16> pending;
        QStringView unitRest;

        QStringView pendingView() const { return {pending.constData(), pending.size()}; }
    };

    void setText(QString &field, QStringView text)
    {
        // Reuses the field's buffer: the judge runs on every key.
        field.resize(0);
        field.append(text);
    }

    // Continues or completes the unit of `length` characters at out.index with
    // the spelling (or kana keys) that the run fits.
    void takeUnit(Outcome &out, const KeyRun &run, QStringView spelling, qsizetype length)
    {
        if (run.size() == spelling.size())
        {
            out.index += length;
            return;
        }
        const QStringView keys = run.view();
        out.pending.append(keys.data(), keys.size());
        out.unitRest = spelling.mid(run.size());
    }

    void finish(Judge::JudgeState &s, const Outcome &out, QStringView accepted,
                void (*appendGuide)(const QString &, qsizetype, QString &))
    {
        s.JudgeMiss = Accepted;
        s.JudgeTyped.append(accepted);
        s.JudgePos = int(out.index + 1);
        setText(s.JudgePending, out.pendingView());
        setText(s.JudgeUnitRest, out.unitRest);

        s.JudgeGuide.resize(0);
        if (out.index >= s.JudgeTarget.size())
        {
            s.JudgeDone = Done;
            return;
        }
        if (out.unitRest.isEmpty())
        {
            appendGuide(s.JudgeTarget, out.index, s.JudgeGuide);
            return;
        }
        const qsizetype unitLength = out.match == Match::TwoKana ? 2 : 1;
        s.JudgeGuide.append(out.unitRest);
        appendGuide(s.JudgeTarget, out.index + unitLength, s.JudgeGuide);
    }

    void kanaRest(const QString &target, qsizetype from, QString &guide)
    {
        Judge::GuideBuilder::appendKana(QStringView(target).mid(from), guide);
    }

    bool isSmallVowelOrY(QChar c)
    {
        return QStringView(u"ぁぃぅぇぉゃゅょ").contains(c);
    }

    // A complete target is never judged again; a position outside the target
    // can only come from a damaged state, and no key may move it.
    bool judgeable(const Judge::JudgeState &s)
    {
        return s.JudgePos >= 1 && s.JudgePos <= s.JudgeTarget.size();
    }

    bool matchesDirectly(const Judge::JudgeState &s)
    {
        return QStringView(s.JudgeTarget).mid(s.JudgePos - 1, 1) == s.JudgeKeyRoma;
    }

    struct RomaFlags
    {
        bool singleNTaken = false; // an earlier single n completed ん; the key tries the next unit
        bool firstN = false;       // the key is the first n of a ん that a single n may complete
        bool doubling = false;     // the key is tried as the doubled letter that types っ
    };

    // っ is not typed by doubling before a vowel or a kana of the n column;
    // input methods double the w of う's spellings all the same (wwu, wwi).
    bool doublesBefore(QChar next, QStringView key, Spellings which)
    {
        if (!Judge::GuideBuilder::blocksDoubling(next))
            return true;
        return which == Spellings::WithMore && next == u'う' && key == u"w";
    }

    // The rules of ん and っ: they may move the position tentatively onto the
    // unit after ん or っ before the key is tried.
    RomaFlags applyRomaRules(const Judge::JudgeState &s, Outcome &out, QStringView &pending, Spellings which)
    {
        RomaFlags flags;
        const QStringView target = s.JudgeTarget;
        const qsizetype i = out.index;
        const bool hasNext = i + 1 < target.size();
        if (target[i] == N)
        {
            if (!hasNext || Judge::GuideBuilder::blocksSingleN(target[i + 1]))
                return flags;
            if (pending == u"n" && s.JudgeKeyRoma != u"n")
            {
                flags.singleNTaken = true;
                pending = {};
                ++out.index;
            }
            flags.firstN = pending.isEmpty() && s.JudgeKeyRoma == u"n";
            return flags;
        }
        if (target[i] == SmallTsu && hasNext && doublesBefore(target[i + 1], s.JudgeKeyRoma, which) && pending.isEmpty()
            && s.JudgeKeyRoma != u"l" && s.JudgeKeyRoma != u"x")
        {
            flags.doubling = true;
            ++out.index;
        }
        return flags;
    }

    bool tryTwoKana(const Judge::JudgeState &s, Outcome &out, const KeyRun &run, Spellings which)
    {
        const QStringView target = s.JudgeTarget;
        if (out.index + 1 >= target.size() || !isSmallVowelOrY(target[out.index + 1]))
            return false;
        const QStringView spelling = run.firstFitting(JudgeTableSet::findRow(target.mid(out.index, 2)), which);
        if (spelling.isEmpty())
            return false;
        out.match = Match::TwoKana;
        takeUnit(out, run, spelling, 2);
        return true;
    }

    bool tryOneKana(const Judge::JudgeState &s, Outcome &out, const KeyRun &run, const RomaFlags &flags,
                    Spellings which)
    {
        const QStringView target = s.JudgeTarget;
        const int row = JudgeTableSet::findRow(target.mid(out.index, 1));
        const QStringView spelling = run.firstFitting(row, which);
        if (spelling.isEmpty())
            return false;
        out.match = Match::OneKana;
        // The doubled letter completes only the っ, so the position stays on
        // the unit after it, where the letter is typed again.
        if (flags.doubling)
            return true;
        takeUnit(out, run, spelling, 1);
        // A first n that a single n may complete leaves nothing of ん to show
        // when the guide already shows ん as that single n.
        if (!out.unitRest.isEmpty() && flags.firstN && JudgeTable[row].Spellings[0] == JudgeTableSet::NMarker
            && Judge::GuideBuilder::showsSingleN(target.mid(out.index)))
            out.unitRest = {};
        return true;
    }

    // Steps the key through the rules of ん and っ and the units at the
    // position; false when nothing takes it.
    bool matchRoma(const Judge::JudgeState &s, Outcome &out, Spellings which)
    {
        out = Outcome();
        out.index = s.JudgePos - 1;
        QStringView pending = s.JudgePending;
        const RomaFlags flags = applyRomaRules(s, out, pending, which);
        const KeyRun run(pending, s.JudgeKeyRoma);
        if ((!flags.doubling && tryTwoKana(s, out, run, which)) || tryOneKana(s, out, run, flags, which))
            return true;
        if (which == Spellings::Table || !flags.singleNTaken)
            return false;
        // The earlier n was not a single n after all, but the start of n'.
        out.index = s.JudgePos - 1;
        return tryOneKana(s, out, KeyRun(s.JudgePending, s.JudgeKeyRoma), RomaFlags(), which);
    }
}

void Judge::JudgeRomaKey(JudgeState &s)
{
    s.JudgeMiss = Rejected;
    s.JudgeDone.clear();
    // A key with no character for romaji input types nothing, so it must not count.
    if (!judgeable(s) || s.JudgeKeyRoma.isEmpty())
        return;

    Outcome out;
    out.index = s.JudgePos - 1;
    if (matchesDirectly(s))
    {
        out.match = Match::Direct;
        ++out.index;
        finish(s, out, s.JudgeKeyRoma, GuideBuilder::appendRomaRest);
        return;
    }

    // The table judges every key it takes exactly as it always has; the
    // spellings of input methods only take keys it refuses. A rejected key
    // leaves the state as it was, tentative steps included.
    if (!matchRoma(s, out, Spellings::Table) && !matchRoma(s, out, Spellings::WithMore))
        return;
    finish(s, out, s.JudgeKeyRoma, GuideBuilder::appendRomaRest);
}

void Judge::JudgeKanaKey(JudgeState &s)
{
    s.JudgeMiss = Rejected;
    s.JudgeDone.clear();
    if (!judgeable(s))
        return;

    Outcome out;
    out.index = s.JudgePos - 1;
    if (!s.JudgeKeyRoma.isEmpty() && matchesDirectly(s))
    {
        out.match = Match::Direct;
        ++out.index;
        finish(s, out, s.JudgeKeyRoma, kanaRest);
        return;
    }
    // The space bar and the keypad have no kana: such a key types nothing.
    if (s.JudgeKeyKana.isEmpty())
        return;

    const KeyRun run(s.JudgePending, s.JudgeKeyKana);
    const int row = JudgeTableSet::findRow(QStringView(s.JudgeTarget).mid(out.index, 1));
    if (row < 0 || !run.fits(JudgeTable[row].KanaKeys))
        return;
    out.match = Match::OneKana;
    takeUnit(out, run, JudgeTable[row].KanaKeys, 1);
    finish(s, out, s.JudgeKeyKana, kanaRest);
}

namespace
{
    // The kana keys that type one character of a target; a character without
    // kana keys is typed as itself.
    QStringView kanaKeysOf(QStringView character)
    {
        const int row = JudgeTableSet::findRow(character);
        return row >= 0 && !JudgeTable[row].KanaKeys.isEmpty() ? QStringView(JudgeTable[row].KanaKeys) : character;
    }

    // Compares the kana keys of both texts key by key, without building them.
    bool kanaKeysBegin(QStringView candidate, QStringView answer)
    {
        qsizetype next = 0;
        QStringView keys;
        for (qsizetype i = 0; i < candidate.size(); ++i)
        {
            for (QChar key : kanaKeysOf(candidate.mid(i, 1)))
            {
                if (keys.isEmpty() && next < answer.size())
                    keys = kanaKeysOf(answer.mid(next++, 1));
                if (keys.isEmpty() || keys.front() != key)
                    return false;
                keys = keys.mid(1);
            }
        }
        return !keys.isEmpty() || next < answer.size();
    }
}

bool Judge::IsTypedBeginning(QStringView candidate, QStringView answer)
{
    // An empty target is never judged, so it never completes.
    if (candidate.isEmpty())
        return false;
    if (candidate.size() < answer.size() && answer.startsWith(candidate))
        return true;
    return kanaKeysBegin(candidate, answer);
}
