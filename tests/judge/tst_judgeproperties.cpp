#include <QTest>

#include <QSet>

#include <random>

#include "judge/judge.h"
#include "judge/judgetable.h"
#include "imespellings.h"
#include "judgedriver.h"

using JudgeTableSet::JudgeTable;

namespace
{
    QStringList allUnits()
    {
        QStringList units;
        for (const auto &row : JudgeTable)
            units.append(row.Unit);
        return units;
    }

    // The table's spellings of a row, and those an input method takes for its unit.
    QStringList spellingsOf(int row)
    {
        QStringList spellings;
        if (row < 0)
            return spellings;
        for (const QString &s : JudgeTable[row].Spellings)
        {
            if (!s.isEmpty() && !JudgeTableSet::isMarker(s))
                spellings.append(s);
        }
        for (const auto &[keys, kana] : ImeSpellings::All)
        {
            if (JudgeTable[row].Unit == QStringView(kana))
                spellings.append(QString::fromUtf16(keys));
        }
        return spellings;
    }

    // Targets that put ん and っ before and after every unit, and random
    // sequences of units with a few characters typed directly.
    QStringList targetsAround(const QString &unit, std::mt19937 &random, int randomCount)
    {
        QStringList targets {unit, u"ん"_qs + unit, u"っ"_qs + unit, unit + u"ん"_qs, unit + u"っ"_qs,
                             u"んっ"_qs + unit, u"っん"_qs + unit, u"か"_qs + unit + u"んか"_qs};
        const QStringList units = allUnits() + QStringList {u"ん"_qs, u"っ"_qs, u"A"_qs, u"b"_qs, u"-"_qs};
        std::uniform_int_distribution<qsizetype> pick(0, units.size() - 1);
        std::uniform_int_distribution<int> length(0, 6);
        for (int i = 0; i < randomCount; ++i)
        {
            QString target;
            const int before = length(random);
            for (int j = 0; j < before; ++j)
                target += units[pick(random)];
            target += unit;
            const int after = length(random);
            for (int j = 0; j < after; ++j)
                target += units[pick(random)];
            targets.append(target);
        }
        return targets;
    }

    // Following the guide completes the target, and so does following the
    // guide as it stands after every key.
    void checkGuideCompletes(const QString &target)
    {
        Judge::JudgeState s = JudgeDriver::start(target, true);
        const QString guide = s.JudgeGuide;
        for (QChar key : guide)
        {
            QVERIFY2(JudgeDriver::completes(s, s.JudgeGuide), qPrintable(target + u" at "_qs + s.JudgeTyped));
            JudgeDriver::Run run;
            QVERIFY2(JudgeDriver::press(s, QString(key), QString(), true, run), qPrintable(target + u' ' + guide));
        }
        QCOMPARE(s.JudgePos, target.size() + 1);
    }

    void chooseDisplay(int row, int column)
    {
        JudgeTableSet::BuildJudgeTable();
        std::swap(JudgeTable[row].Spellings[0], JudgeTable[row].Spellings[column]);
    }

    // An acceptor written from the rules alone: every key string that types
    // the target, by the table's and the input method's spellings, the single
    // n of ん and the doubled letter of っ (before う only its w).
    class Acceptor
    {
    public:
        explicit Acceptor(const QString &target)
            : m_target(target)
        {
            collect(0, QString(), true, m_accepted);
            for (const QString &keys : std::as_const(m_accepted))
            {
                for (qsizetype n = 1; n <= keys.size(); ++n)
                    m_prefixes.insert(keys.left(n));
            }
        }

        const QSet<QString> &accepted() const { return m_accepted; }
        const QSet<QString> &prefixes() const { return m_prefixes; }

    private:
        static bool isOneOf(QChar c, QStringView set) { return set.contains(c); }

        int rowOf(qsizetype i, qsizetype length) const { return JudgeTableSet::findRow(m_target.mid(i, length)); }

        void collectUnit(qsizetype i, const QString &typed, int row, qsizetype length, QSet<QString> &out) const
        {
            for (const QString &s : spellingsOf(row))
                collect(i + length, typed + s, true, out);
        }

        // `plain` is false right after a single n: the next unit is then typed
        // only by its spellings, neither directly nor by a doubled letter.
        void collect(qsizetype i, const QString &typed, bool plain, QSet<QString> &out) const
        {
            if (i == m_target.size())
            {
                out.insert(typed);
                return;
            }
            const QChar c = m_target[i];
            const bool hasNext = i + 1 < m_target.size();
            if (plain && c.unicode() < 0x80)
                collect(i + 1, typed + c, true, out);
            if (hasNext && isOneOf(m_target[i + 1], u"ぁぃぅぇぉゃゅょ"))
                collectUnit(i, typed, rowOf(i, 2), 2, out);
            collectUnit(i, typed, rowOf(i, 1), 1, out);
            if (c == u'ん' && hasNext && !isOneOf(m_target[i + 1], u"あいうえおなにぬねのやゆよ"))
                collectAfterSingleN(i + 1, typed + u'n', out);
            const QChar next = hasNext ? m_target[i + 1] : QChar();
            if (plain && c == u'っ' && hasNext && (next == u'う' || !isOneOf(next, u"あいうえおなにぬねの")))
            {
                for (const QString &s : spellingsOf(rowOf(i + 1, 1)))
                {
                    if (s[0] != u'x' && s[0] != u'l' && (next != u'う' || s[0] == u'w'))
                        collect(i + 1, typed + s[0], true, out);
                }
            }
        }

        // After a single n the next key must not be another n.
        void collectAfterSingleN(qsizetype i, const QString &typed, QSet<QString> &out) const
        {
            QSet<QString> tails;
            collect(i, typed, false, tails);
            for (const QString &keys : std::as_const(tails))
            {
                if (keys.size() > typed.size() && keys[typed.size()] != u'n')
                    out.insert(keys);
            }
        }

        QString m_target;
        QSet<QString> m_accepted;
        QSet<QString> m_prefixes;
    };
}

class TestJudgeProperties : public QObject
{
    Q_OBJECT

private slots:
    void init() { JudgeTableSet::BuildJudgeTable(); }

    void guideCompletesTarget();
    void guideCompletesWithEveryDisplayChoice();
    void everySpellingTypesItsUnit();
    void foreignKeysNeverMoveTheJudge();
    void agreesWithIndependentAcceptor();
};

void TestJudgeProperties::guideCompletesTarget()
{
    std::mt19937 random(20240611);
    for (const QString &unit : allUnits())
    {
        for (const QString &target : targetsAround(unit, random, 8))
        {
            checkGuideCompletes(target);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

void TestJudgeProperties::guideCompletesWithEveryDisplayChoice()
{
    std::mt19937 random(7);
    for (int row = 0; row < JudgeTableSet::JudgeRowCount; ++row)
    {
        if (JudgeTable[row].Selectable.isEmpty())
            continue;
        for (int column = 1; column < 3 && !JudgeTable[row].Spellings[column].isEmpty(); ++column)
        {
            chooseDisplay(row, column);
            const bool nOrTsu = row == 45 || row == 79; // their rules meet every other unit
            const QStringList units = nOrTsu ? allUnits() : QStringList {JudgeTable[row].Unit};
            for (const QString &unit : units)
            {
                for (const QString &target : targetsAround(unit, random, nOrTsu ? 1 : 12))
                {
                    checkGuideCompletes(target);
                    if (QTest::currentTestFailed())
                        return;
                }
            }
        }
    }
}

void TestJudgeProperties::everySpellingTypesItsUnit()
{
    for (int row = 0; row < JudgeTableSet::UnitCount; ++row)
    {
        const QString unit = JudgeTable[row].Unit;
        for (const QString &spelling : spellingsOf(row))
        {
            QVERIFY2(JudgeDriver::completes(JudgeDriver::start(unit, true), spelling), qPrintable(unit + u' ' + spelling));
            QVERIFY2(JudgeDriver::completes(JudgeDriver::start(u"か"_qs + unit + u"か"_qs, true), u"ka"_qs + spelling + u"ka"_qs),
                     qPrintable(unit + u' ' + spelling));
        }
        if (!JudgeTable[row].KanaKeys.isEmpty())
        {
            Judge::JudgeState s = JudgeDriver::start(unit, false);
            JudgeDriver::Run run;
            for (QChar key : JudgeTable[row].KanaKeys)
                JudgeDriver::press(s, QString(), QString(key), false, run);
            QVERIFY2(run.done && !run.accepted.contains(u'-'), qPrintable(unit));
        }
    }
}

// Keys that no spelling holds, typed at every point of typing the guide,
// are rejected and change nothing; so is any key the judge rejects.
void TestJudgeProperties::foreignKeysNeverMoveTheJudge()
{
    QSet<QChar> spellingChars;
    for (int row = 0; row < JudgeTableSet::UnitCount; ++row)
    {
        for (const QString &s : spellingsOf(row))
            spellingChars.unite(QSet<QChar>(s.begin(), s.end()));
    }
    QString foreign;
    QString all;
    for (char16_t c = 0x20; c < 0x7f; ++c)
    {
        all += QChar(c);
        if (!spellingChars.contains(QChar(c)))
            foreign += QChar(c);
    }
    QVERIFY(foreign.contains(u'A') && foreign.contains(u'|') && foreign.contains(u'~'));

    std::mt19937 random(99);
    for (const QString &unit : allUnits())
    {
        for (const QString &target : targetsAround(unit, random, 2))
        {
            Judge::JudgeState s = JudgeDriver::start(target, true);
            for (QChar next : QString(s.JudgeGuide))
            {
                JudgeDriver::Run run;
                for (QChar key : foreign)
                {
                    if (!target.contains(key))
                        QVERIFY2(!JudgeDriver::press(s, QString(key), QString(), true, run), qPrintable(target));
                }
                for (QChar key : all)
                {
                    Judge::JudgeState copy = s;
                    JudgeDriver::press(copy, QString(key), QString(), true, run);
                }
                QVERIFY2(!run.rejectedKeysChangedState, qPrintable(target));
                JudgeDriver::press(s, QString(next), QString(), true, run);
            }
        }
    }
}

void TestJudgeProperties::agreesWithIndependentAcceptor()
{
    const QStringList pool {u"あ"_qs, u"い"_qs, u"う"_qs, u"え"_qs, u"か"_qs, u"き"_qs, u"く"_qs, u"し"_qs,
                            u"ち"_qs, u"つ"_qs, u"て"_qs, u"と"_qs, u"な"_qs, u"に"_qs, u"や"_qs, u"よ"_qs,
                            u"わ"_qs, u"じ"_qs, u"ふ"_qs, u"ヴ"_qs, u"ゃ"_qs, u"ぃ"_qs, u"ぇ"_qs, u"ぁ"_qs,
                            u"ん"_qs, u"っ"_qs, u"ー"_qs, u"A"_qs, u"ゔ"_qs, u"ゐ"_qs, u"ゑ"_qs, u"で"_qs,
                            u"ど"_qs, u"ぅ"_qs, u"ゅ"_qs, u"ぉ"_qs};
    QStringList targets = pool;
    for (const QString &a : pool)
    {
        for (const QString &b : pool)
            targets.append(a + b);
    }
    std::mt19937 random(1234);
    std::uniform_int_distribution<qsizetype> pick(0, pool.size() - 1);
    for (int i = 0; i < 600; ++i)
        targets.append(pool[pick(random)] + pool[pick(random)] + pool[pick(random)]);

    const QString keys = u"abcdefghijklmnopqrstuvwxyzA-|~1'"_qs;
    for (const QString &target : targets)
    {
        const Acceptor acceptor(target);
        QVERIFY2(!acceptor.accepted().isEmpty(), qPrintable(target));
        // Walk every key string the acceptor allows, trying every key at each point.
        QList<std::pair<QString, Judge::JudgeState>> open {{QString(), JudgeDriver::start(target, true)}};
        while (!open.isEmpty())
        {
            const auto [typed, state] = open.takeLast();
            for (QChar key : keys)
            {
                Judge::JudgeState s = state;
                JudgeDriver::Run run;
                const bool hit = JudgeDriver::press(s, QString(key), QString(), true, run);
                const QString next = typed + key;
                QVERIFY2(hit == acceptor.prefixes().contains(next), qPrintable(target + u' ' + next));
                QVERIFY2(run.done == acceptor.accepted().contains(next), qPrintable(target + u' ' + next));
                QVERIFY(!run.rejectedKeysChangedState);
                if (hit && !run.done)
                    open.append({next, s});
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestJudgeProperties)
#include "tst_judgeproperties.moc"
