#include <QTest>

#include <QSet>

#include "judge/judgetable.h"

using JudgeTableSet::JudgeTable;

class TestJudgeTable : public QObject
{
    Q_OBJECT

private slots:
    void init() { JudgeTableSet::BuildJudgeTable(); }

    void rowsKeepTheirShape();
    void spellingsAreUsable();
    void selectableRows();
    void addedRowsTypeLikeTheirTwins();
    void findRow_data();
    void findRow();
    void rebuildRestoresOrder();
};

void TestJudgeTable::rowsKeepTheirShape()
{
    QSet<QString> units;
    for (int row = 0; row < JudgeTableSet::JudgeRowCount; ++row)
    {
        const auto &r = JudgeTable[row];
        QVERIFY2(!units.contains(r.Unit), qPrintable(r.Unit));
        units.insert(r.Unit);
        QCOMPARE(r.Unit.size(), row < 90 ? 1 : 2);
        if (row >= 90)
        {
            QVERIFY(QStringView(u"ぁぃぅぇぉゃゅょ").contains(r.Unit[1]));
            QVERIFY(r.KanaKeys.isEmpty());
        }
        else
        {
            QCOMPARE(r.KanaKeys.isEmpty(), QStringView(u"ゎヵヶ").contains(r.Unit[0]));
        }
    }
}

// The judge completes a unit on the first spelling that fits; a spelling that
// is a proper prefix of another would cut that one short.
void TestJudgeTable::spellingsAreUsable()
{
    for (int row = 0; row < JudgeTableSet::UnitCount; ++row)
    {
        const auto &spellings = JudgeTable[row].Spellings;
        QStringList all(spellings.begin(), spellings.end());
        for (QStringView more : JudgeTableSet::moreSpellings(row))
        {
            if (more.isEmpty())
                continue;
            QVERIFY(!all.contains(more));
            for (QChar ch : more)
                QVERIFY2((ch >= u'a' && ch <= u'z') || ch == u'\'', qPrintable(more.toString()));
            all.append(more.toString());
        }
        for (const QString &a : std::as_const(all))
        {
            for (const QString &b : std::as_const(all))
                QVERIFY2(a == b || a.isEmpty() || b.isEmpty() || !b.startsWith(a), qPrintable(JudgeTable[row].Unit));
        }
        QVERIFY(!spellings[0].isEmpty());
        for (int c = 0; c < 3; ++c)
        {
            const QString &s = spellings[c];
            if (c > 0 && spellings[c - 1].isEmpty())
                QVERIFY(s.isEmpty());
            const bool marker = JudgeTableSet::isMarker(s);
            QCOMPARE(marker, c == 0 && (row == 45 || row == 79));
            for (QChar ch : s)
                QVERIFY2(marker || (ch >= u'a' && ch <= u'z') || QStringView(u"-,.[]/").contains(ch), qPrintable(s));
        }
    }
}

void TestJudgeTable::selectableRows()
{
    int count = 0;
    for (const auto &r : JudgeTable)
    {
        QVERIFY(r.Selectable.isEmpty() || r.Selectable == u"1"_qs);
        if (r.Selectable.isEmpty())
            continue;
        ++count;
        QVERIFY2(!r.Spellings[1].isEmpty(), qPrintable(r.Unit));
    }
    QCOMPARE(count, 48);
    QVERIFY(JudgeTable[1].Selectable.isEmpty());
    QVERIFY(JudgeTable[2].Selectable.isEmpty());
}

// ゔ is typed and shown as ヴ on both keyboards; ゐ and ゑ have no kana key.
void TestJudgeTable::addedRowsTypeLikeTheirTwins()
{
    int twins = 0;
    for (int row = JudgeTableSet::JudgeRowCount; row < JudgeTableSet::UnitCount; ++row)
    {
        const auto &added = JudgeTable[row];
        QVERIFY(added.Selectable.isEmpty());
        QCOMPARE(JudgeTableSet::findRow(added.Unit), row);
        const int twin = JudgeTableSet::twinRow(row);
        if (twin < 0)
        {
            QVERIFY(added.KanaKeys.isEmpty());
            continue;
        }
        ++twins;
        QCOMPARE(u'ヴ' + added.Unit.mid(1), JudgeTable[twin].Unit);
        QCOMPARE(added.KanaKeys, JudgeTable[twin].KanaKeys);
        QCOMPARE(added.Spellings, JudgeTable[twin].Spellings);
    }
    QCOMPARE(twins, 8);
    QCOMPARE(JudgeTableSet::twinRow(83), -1);
}

void TestJudgeTable::findRow_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("row");

    QTest::newRow("あ") << u"あ"_qs << 0;
    QTest::newRow("ー") << u"ー"_qs << 84;
    QTest::newRow("しぃ") << u"しぃ"_qs << 96;
    QTest::newRow("すぃ by its own row") << u"すぃ"_qs << 181;
    QTest::newRow("うぉ") << u"うぉ"_qs << 211;
    QTest::newRow("kanji") << u"漢"_qs << -1;
    QTest::newRow("Latin") << u"a"_qs << -1;
    QTest::newRow("full-width digit") << u"１"_qs << -1;
    QTest::newRow("ゐ after the table") << u"ゐ"_qs << 220;
    QTest::newRow("ゔぃ after the table") << u"ゔぃ"_qs << 214;
    QTest::newRow("katakana ヰ") << u"ヰ"_qs << -1;
    QTest::newRow("pair without row") << u"ヴぅ"_qs << -1;
    QTest::newRow("ゔ pair without row") << u"ゔぅ"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("longer than a unit") << u"きゃあ"_qs << -1;
}

void TestJudgeTable::findRow()
{
    QFETCH(QString, unit);
    QFETCH(int, row);
    QCOMPARE(JudgeTableSet::findRow(unit), row);
}

void TestJudgeTable::rebuildRestoresOrder()
{
    std::swap(JudgeTable[11].Spellings[0], JudgeTable[11].Spellings[1]);
    JudgeTable[0].Unit = u"ヰ"_qs;
    QCOMPARE(JudgeTableSet::findRow(u"あ"_qs), -1); // but a stale hit is never returned
    JudgeTableSet::BuildJudgeTable();
    QCOMPARE(JudgeTable[11].Spellings[0], u"si"_qs);
    QCOMPARE(JudgeTable[11].Spellings[1], u"shi"_qs);
    QCOMPARE(JudgeTableSet::findRow(u"あ"_qs), 0);
}

QTEST_GUILESS_MAIN(TestJudgeTable)
#include "tst_judgetable.moc"
