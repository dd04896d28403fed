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

// The judge completes a unit on the first column that fits; a spelling that
// is a proper prefix of another column would cut that column short.
void TestJudgeTable::spellingsAreUsable()
{
    for (int row = 0; row < JudgeTableSet::JudgeRowCount; ++row)
    {
        const auto &spellings = JudgeTable[row].Spellings;
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
            for (int other = 0; other < 3; ++other)
            {
                if (other != c && !s.isEmpty() && !spellings[other].isEmpty())
                    QVERIFY2(!spellings[other].startsWith(s), qPrintable(JudgeTable[row].Unit));
            }
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
    QTest::newRow("ゐ") << u"ゐ"_qs << -1;
    QTest::newRow("pair without row") << u"ヴぅ"_qs << -1;
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
    JudgeTable[0].Unit = u"ゐ"_qs;
    QCOMPARE(JudgeTableSet::findRow(u"あ"_qs), -1); // but a stale hit is never returned
    JudgeTableSet::BuildJudgeTable();
    QCOMPARE(JudgeTable[11].Spellings[0], u"si"_qs);
    QCOMPARE(JudgeTable[11].Spellings[1], u"shi"_qs);
    QCOMPARE(JudgeTableSet::findRow(u"あ"_qs), 0);
}

QTEST_GUILESS_MAIN(TestJudgeTable)
#include "tst_judgetable.moc"
