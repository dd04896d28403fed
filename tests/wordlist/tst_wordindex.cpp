#include <QTest>

#include "testsupport.h"
#include "wordlist/wordindex.h"

namespace
{
    const QByteArray Header = QByteArray(WordIndex::Header) + "; made for this test\n";

    QString writeIndex(const QTemporaryDir &dir, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("en-ja.tsv"));
        ProgramFolderFixture::writeFile(path, bytes);
        return path;
    }

    QStringList flat(const QList<WordIndex::Meaning> &meanings)
    {
        QStringList fields;
        for (const WordIndex::Meaning &m : meanings)
            fields << m.meaning << m.reading;
        return fields;
    }
}

class TestWordIndex : public QObject
{
    Q_OBJECT

private slots:
    void meanings_data();
    void meanings();
    void damagedIndexLoadsNothing_data();
    void damagedIndexLoadsNothing();
};

void TestWordIndex::meanings_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("first word") << "a lot" << QStringList {"たくさん", "たくさん"};
    QTest::newRow("best first") << "apple" << QStringList {"林檎", "りんご", "アップル", "あっぷる"};
    QTest::newRow("capitals and blanks") << "  Ice   Cream " << QStringList {"アイスクリーム", "あいすくりーむ"};
    QTest::newRow("last word") << "zoo" << QStringList {"動物園", "どうぶつえん"};
    QTest::newRow("between words") << "banana" << QStringList();
    QTest::newRow("before the first") << "a" << QStringList();
    QTest::newRow("after the last") << "zzz" << QStringList();
    QTest::newRow("a word's beginning only") << "appl" << QStringList();
    QTest::newRow("empty") << "" << QStringList();
}

void TestWordIndex::meanings()
{
    QFETCH(QString, english);
    QFETCH(QStringList, fields);
    QTemporaryDir dir;
    const QByteArray lines = QStringLiteral("a lot\tたくさん\tたくさん\n"
                                            "apple\t林檎\tりんご\tアップル\tあっぷる\n"
                                            "ice cream\tアイスクリーム\tあいすくりーむ\n"
                                            "zoo\t動物園\tどうぶつえん") // no line end at the end
                                 .toUtf8();
    WordIndex index;
    QString error;
    QVERIFY2(index.load(writeIndex(dir, Header + lines), &error), qPrintable(error));
    QCOMPARE(index.wordCount(), 4);
    QCOMPARE(flat(index.meanings(english)), fields);
}

void TestWordIndex::damagedIndexLoadsNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no header") << QByteArray("apple\t林檎\tりんご\n") << "形式が違います";
    QTest::newRow("header only") << Header << "単語がありません";
    QTest::newRow("out of order") << Header + "dog\t犬\tいぬ\ncat\t猫\tねこ\n" << "壊れています（%1、3行目）";
    QTest::newRow("twice") << Header + "cat\t猫\tねこ\ncat\t猫\tねこ\n" << "壊れています（%1、3行目）";
    QTest::newRow("meaning without reading") << Header + "cat\t猫\n" << "壊れています（%1、2行目）";
    QTest::newRow("empty field") << Header + "cat\t\tねこ\n" << "壊れています（%1、2行目）";
    QTest::newRow("blank line") << Header + "cat\t猫\tねこ\n\ndog\t犬\tいぬ\n" << "壊れています（%1、3行目）";
}

void TestWordIndex::damagedIndexLoadsNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    WordIndex index;
    QString error;
    // What was loaded before goes: nothing is kept half.
    QVERIFY(index.load(writeIndex(dir, Header + "cat\t猫\tねこ\n"), &error));
    const QString path = writeIndex(dir, bytes);
    QVERIFY(!index.load(path, &error));
    QVERIFY2(error.contains(reason.contains(u'%') ? reason.arg(path) : reason), qPrintable(error));
    QVERIFY(!index.isLoaded());
    QVERIFY(index.meanings(QStringLiteral("cat")).isEmpty());
    QVERIFY(!index.load(dir.filePath(QStringLiteral("missing.tsv")), &error));
    QVERIFY(error.contains(QStringLiteral("ありません")));
}

QTEST_GUILESS_MAIN(TestWordIndex)
#include "tst_wordindex.moc"
