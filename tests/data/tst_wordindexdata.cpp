#include <QFile>
#include <QTest>

#include "wordlist/typeability.h"
#include "wordlist/wordindex.h"

// The English-Japanese index the build made, beside the standard bank it was
// made with.
class TestWordIndexData : public QObject
{
    Q_OBJECT

private slots:
    void standardBankChoiceComesFirst();
    void everyReadingCanBeTyped();
};

void TestWordIndexData::standardBankChoiceComesFirst()
{
    WordIndex index;
    QString error;
    QVERIFY2(index.load(QStringLiteral(VOCAMIRA_WORD_INDEX), &error), qPrintable(error));
    QVERIFY(index.wordCount() > 50000);
    QFile table(QStringLiteral(VOCAMIRA_STANDARD_TABLE));
    QVERIFY(table.open(QIODevice::ReadOnly));
    int rows = 0;
    for (const QString &line : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts))
    {
        if (line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        const QList<WordIndex::Meaning> meanings = index.meanings(fields[0]);
        QVERIFY2(!meanings.isEmpty() && meanings.first() == (WordIndex::Meaning {fields[1], fields[2]}),
                 qPrintable(line));
        ++rows;
    }
    QCOMPARE(rows, 1700);
}

void TestWordIndexData::everyReadingCanBeTyped()
{
    QFile file(QStringLiteral(VOCAMIRA_WORD_INDEX));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1);
    for (const QString &line : lines)
    {
        const QStringList fields = line.split(u'\t');
        for (qsizetype i = 2; i < fields.size(); i += 2)
        {
            for (const auto input : {Typeability::Input::Romaji, Typeability::Input::Kana})
                QVERIFY2(Typeability::firstUntypeable(fields[i], input) < 0, qPrintable(line));
        }
    }
}

QTEST_GUILESS_MAIN(TestWordIndexData)
#include "tst_wordindexdata.moc"
