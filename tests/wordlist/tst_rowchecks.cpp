#include <QTest>

#include "wordlist/rowchecks.h"

using RowChecks::Field;

class TestRowChecks : public QObject
{
    Q_OBJECT

private slots:
    void fieldProblem_data();
    void fieldProblem();
    void duplicatesNameTheFirstRow();
    void shortfall_data();
    void shortfall();
};

void TestRowChecks::fieldProblem_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // "" when the field may be asked

    const QString none;
    QTest::newRow("english word") << int(RowChecks::English) << "apple" << none;
    QTest::newRow("english with blank, hyphen, capital, apostrophe")
        << int(RowChecks::English) << "Mother-in-law's ice cream" << none;
    QTest::newRow("english empty") << int(RowChecks::English) << "" << "英単語が空です";
    QTest::newRow("english accent") << int(RowChecks::English) << "café" << "英単語の「é」はキーボードで入力できません";
    QTest::newRow("english full-width") << int(RowChecks::English) << "ｐen" << "英単語の「ｐ」はキーボードで入力できません";
    QTest::newRow("english tab") << int(RowChecks::English) << "a\tb" << "英単語に改行やタブがあります";
    QTest::newRow("english emoji") << int(RowChecks::English) << "cat🐱" << "英単語の「🐱」はキーボードで入力できません";

    QTest::newRow("meaning kanji") << int(RowChecks::Meaning) << "林檎" << none;
    QTest::newRow("meaning never typed") << int(RowChecks::Meaning) << "～を食べる" << none;
    QTest::newRow("meaning empty") << int(RowChecks::Meaning) << "" << "意味が空です";
    QTest::newRow("meaning line break") << int(RowChecks::Meaning) << "林\n檎" << "意味に改行やタブがあります";

    QTest::newRow("reading plain") << int(RowChecks::Reading) << "りんご" << none;
    QTest::newRow("reading small kana, sokuon, n") << int(RowChecks::Reading) << "ぎゅうにゅうがっこうきんえん" << none;
    QTest::newRow("reading long vowel mark") << int(RowChecks::Reading) << "こーひー" << none;
    QTest::newRow("reading ending in n") << int(RowChecks::Reading) << "ほん" << none;
    QTest::newRow("reading kanji left") << int(RowChecks::Reading) << "りん檎" << "読みの「檎」はキーボードで入力できません";
    QTest::newRow("reading katakana") << int(RowChecks::Reading) << "リンゴ" << "読みの「リ」はキーボードで入力できません";
    QTest::newRow("reading wave dash") << int(RowChecks::Reading) << "たべる～" << "読みの「～」はキーボードで入力できません";
    QTest::newRow("reading vu") << int(RowChecks::Reading) << "ゔぁいおりん" << none;
    QTest::newRow("reading wi, no kana key") << int(RowChecks::Reading) << "ゐど" << "読みの「ゐ」はかな入力では入力できません";
    QTest::newRow("reading empty") << int(RowChecks::Reading) << "" << "読みが空です";
    QTest::newRow("reading carriage return") << int(RowChecks::Reading) << "りん\rご" << "読みに改行やタブがあります";
}

void TestRowChecks::fieldProblem()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QCOMPARE(RowChecks::fieldProblem(Field(field), text), reason);
}

void TestRowChecks::duplicatesNameTheFirstRow()
{
    const QList<WordRow> rows {{"apple", "林檎", "りんご"},
                               {"pear", "梨", "なし"},
                               {"apple", "りんご", "りんご"},
                               {"nothing", "梨", "なし"},
                               {"apple", "", "りんご"}};
    const QList<RowChecks::Problems> problems = RowChecks::check(rows);
    QCOMPARE(problems.size(), rows.size());
    QVERIFY(!problems[0].any());
    QVERIFY(!problems[1].any());
    QCOMPARE(problems[2].text(), QStringLiteral("英単語が1行目と同じです"));
    QCOMPARE(problems[3].text(), QStringLiteral("意味が2行目と同じです"));
    // A row's own problem comes before its duplicate, and readings may repeat.
    QCOMPARE(problems[4].text(), QStringLiteral("英単語が1行目と同じです、意味が空です"));
    QVERIFY(RowChecks::check({}).isEmpty());
}

void TestRowChecks::shortfall_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("perLevel");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty list") << 0 << 10 << "テストを始めるには、あと 10 語必要です（1LEVEL 10 語）";
    QTest::newRow("one short") << 16 << 17 << "テストを始めるには、あと 1 語必要です（1LEVEL 17 語）";
    QTest::newRow("a whole LEVEL") << 10 << 10 << "";
    QTest::newRow("at the limit") << 32767 << 10 << "";
    QTest::newRow("over the limit") << 32770 << 10 << "問題集に入るのは 32767 語までです（あと 3 語減らしてください）";
}

void TestRowChecks::shortfall()
{
    QFETCH(int, rows);
    QFETCH(int, perLevel);
    QFETCH(QString, text);
    QCOMPARE(RowChecks::shortfall(rows, perLevel), text);
}

QTEST_GUILESS_MAIN(TestRowChecks)
#include "tst_rowchecks.moc"
