#include "guidebuilder.h"

#include <QVarLengthArray>

#include <algorithm>
#include <vector>

#include "judge.h"
#include "judgetable.h"

using JudgeTableSet::JudgeTable;

namespace
{
    struct Unit
    {
        qsizetype start = 0;
        qsizetype length = 1;
        int row = -1;       // the row of the whole unit
        QStringView piece;  // what the guide shows for it
    };

    using Units = QVarLengthArray<Unit, 64>;

    // Two-kana units have their own rows; every other character is one unit.
    void splitUnits(QStringView source, Units &units)
    {
        for (qsizetype i = 0; i < source.size();)
        {
            Unit unit;
            unit.start = i;
            if (i + 1 < source.size())
                unit.row = JudgeTableSet::findRow(source.mid(i, 2));
            if (unit.row >= 0)
                unit.length = 2;
            else
                unit.row = JudgeTableSet::findRow(source.mid(i, 1));
            units.append(unit);
            i += unit.length;
        }
    }

    QChar firstKey(const Unit &unit)
    {
        return unit.piece.isEmpty() ? QChar() : unit.piece.front();
    }

    bool hasSpellingStartingWith(int row, QChar key)
    {
        if (row < 0 || key.isNull())
            return false;
        for (const QString &spelling : JudgeTable[row].Spellings)
        {
            if (!spelling.isEmpty() && spelling.front() == key && !JudgeTableSet::isMarker(spelling))
                return true;
        }
        return false;
    }

    // っ is typed by doubling only with a key that the judge takes as the start
    // of the kana right after it (its one-kana row, even before a two-kana unit)
    // and that is not the x or l of xtu/ltu.
    bool canDouble(QStringView source, const Unit &next)
    {
        const QChar key = firstKey(next);
        if (Judge::GuideBuilder::blocksDoubling(source[next.start]) || key == u'x' || key == u'l')
            return false;
        return hasSpellingStartingWith(JudgeTableSet::findRow(source.mid(next.start, 1)), key);
    }

    // A single n completes ん only when the next key is not another n and the
    // judge takes it as the start of the next unit by its spellings (neither a
    // character typed directly nor a doubled consonant of っ).
    bool canUseSingleN(QStringView source, const Unit &next)
    {
        const QChar key = firstKey(next);
        if (Judge::GuideBuilder::blocksSingleN(source[next.start]) || key == u'n')
            return false;
        return hasSpellingStartingWith(next.row, key);
    }

    // Each piece depends on the first key of the piece after it, so the pieces
    // are chosen from the end.
    void choosePieces(QStringView source, Units &units)
    {
        for (qsizetype j = units.size() - 1; j >= 0; --j)
        {
            Unit &unit = units[j];
            const Unit *next = j + 1 < units.size() ? &units[j + 1] : nullptr;
            if (unit.row < 0)
            {
                unit.piece = source.mid(unit.start, 1);
                continue;
            }
            const QString &display = JudgeTable[unit.row].Spellings[0];
            if (display == JudgeTableSet::DoubleMarker)
            {
                unit.piece = next && canDouble(source, *next) ? next->piece.first(1) : QStringView(u"xtu");
            }
            else if (display == JudgeTableSet::NMarker)
            {
                unit.piece = next && canUseSingleN(source, *next) ? QStringView(u"n") : QStringView(u"nn");
            }
            else
            {
                unit.piece = display;
            }
        }
    }

    void buildUnits(QStringView source, Units &units)
    {
        splitUnits(source, units);
        choosePieces(source, units);
    }

    // A target's guide with the offset in it where the guide of each rest
    // begins. The pieces of a unit depend only on the units after it, so the
    // guide of a rest that starts on a unit boundary is the tail of the
    // target's guide.
    class ParsedTarget
    {
    public:
        bool matches(const QString &target) const
        {
            if (m_target.size() != target.size())
                return false;
            if (m_target.constData() != target.constData() && m_target != target)
                return false;
            return std::all_of(m_rows.begin(), m_rows.end(), [](const UsedRow &used) { return used.unchanged(); });
        }

        void parse(const QString &target)
        {
            m_target = target;
            m_guide.clear();
            m_rows.clear();
            m_offsets.assign(target.size() + 1, -1);
            Units units;
            buildUnits(target, units);
            for (const Unit &unit : units)
            {
                m_offsets[unit.start] = m_guide.size();
                m_guide.append(unit.piece);
                remember(unit.row);
                // The rules of っ and ん also read the row of a unit's first kana.
                if (unit.length == 2)
                    remember(JudgeTableSet::findRow(QStringView(target).mid(unit.start, 1)));
            }
            m_offsets[target.size()] = m_guide.size();
        }

        // False inside a two-kana unit, where the rest is parsed differently.
        bool appendFrom(qsizetype from, QString &guide) const
        {
            const qsizetype offset = m_offsets[from];
            if (offset < 0)
                return false;
            guide.append(QStringView(m_guide).mid(offset));
            return true;
        }

    private:
        // A row as it was when the target was parsed. The table's strings are
        // only ever replaced, never edited in place, so the data pointers show
        // a reordering (BuildJudgeTable restores the same ones).
        struct UsedRow
        {
            int row = -1;
            std::array<const QChar *, 4> data {};

            static std::array<const QChar *, 4> dataOf(int row)
            {
                const auto &r = JudgeTable[row];
                return {r.Unit.constData(), r.Spellings[0].constData(), r.Spellings[1].constData(),
                        r.Spellings[2].constData()};
            }

            bool unchanged() const { return dataOf(row) == data; }
        };

        void remember(int row)
        {
            if (row >= 0)
                m_rows.append({row, UsedRow::dataOf(row)});
        }

        QString m_target;
        QString m_guide;
        std::vector<qsizetype> m_offsets;
        QVarLengthArray<UsedRow, 32> m_rows;
    };

    // Three targets per question, judged in turn.
    ParsedTarget &parsed(const QString &target)
    {
        static std::array<ParsedTarget, 4> recent;
        static std::size_t next = 0;
        for (ParsedTarget &candidate : recent)
        {
            if (candidate.matches(target))
                return candidate;
        }
        ParsedTarget &slot = recent[next];
        next = (next + 1) % recent.size();
        slot.parse(target);
        return slot;
    }

    bool isOneOf(QChar c, QStringView set)
    {
        return set.contains(c);
    }
}

bool Judge::GuideBuilder::blocksSingleN(QChar next)
{
    return isOneOf(next, u"あいうえおなにぬねのやゆよ");
}

bool Judge::GuideBuilder::blocksDoubling(QChar next)
{
    return isOneOf(next, u"あいうえおなにぬねの");
}

void Judge::GuideBuilder::appendRoma(QStringView source, QString &guide)
{
    Units units;
    buildUnits(source, units);
    for (const Unit &unit : units)
        guide.append(unit.piece);
}

void Judge::GuideBuilder::appendRomaRest(const QString &target, qsizetype from, QString &guide)
{
    if (!parsed(target).appendFrom(from, guide))
        appendRoma(QStringView(target).mid(from), guide);
}

bool Judge::GuideBuilder::showsSingleN(QStringView source)
{
    Units units;
    buildUnits(source, units);
    return !units.isEmpty() && units.front().piece == u"n";
}

void Judge::GuideBuilder::appendKana(QStringView source, QString &guide)
{
    for (qsizetype i = 0; i < source.size(); ++i)
    {
        const int row = JudgeTableSet::findRow(source.mid(i, 1));
        // ゐ and ゑ have no key, like ゎ, but the guide goes on showing them as
        // it did before they had rows, as every character no key types.
        const bool keyless = row >= JudgeTableSet::JudgeRowCount && JudgeTable[row].KanaKeys.isEmpty();
        if (row >= 0 && !keyless)
            guide.append(JudgeTable[row].KanaKeys);
        else
            guide.append(source[i]);
    }
}

QString Judge::MakeRomaGuide(const QString &source)
{
    QString guide;
    guide.reserve(source.size() * 3);
    GuideBuilder::appendRoma(source, guide);
    return guide;
}

QString Judge::MakeKanaGuide(const QString &source)
{
    QString guide;
    guide.reserve(source.size() * 2);
    GuideBuilder::appendKana(source, guide);
    return guide;
}
