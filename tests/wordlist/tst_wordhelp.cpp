#include <QTest>

#include "testsupport.h"
#include "wordlist/wordhelp.h"

namespace
{
    bool haveMeCab()
    {
        return QFileInfo::exists(JapaneseReading::defaultDictionary() + QStringLiteral("/sys.dic"));
    }

    bool haveHunspell()
    {
        return QFileInfo::exists(Spelling::defaultDictionary() + QStringLiteral(".dic"));
    }
}

class TestWordHelp : public QObject
{
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void spelling_data();
    void spelling();
    void baseForms_data();
    void baseForms();
    void suggestionsFallBackOnDictionaryForms();
    void readingOfAMeaningOfTheWordComesFromTheIndex();
    void missingHelpIsToldOnceAndLeavesTheRest();
};

void TestWordHelp::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reading");

    QTest::newRow("verb") << "食べる" << "たべる";
    QTest::newRow("sokuon") << "学校" << "がっこう";
    QTest::newRow("long vowel") << "東京" << "とうきょう";
    QTest::newRow("loanword keeps its mark") << "コーヒー" << "こーひー";
    QTest::newRow("vu") << "ヴァイオリン" << "ゔぁいおりん";
    QTest::newRow("ke, small ka") << "ヶ月ヵ" << "かげつゕ";
    QTest::newRow("letter") << "Tシャツ" << "てぃーしゃつ";
    QTest::newRow("half-width kana") << "ｺｰﾋｰ" << "こーひー";
    QTest::newRow("particle as written") << "今日は晴れ" << "きょうははれ";
    QTest::newRow("idiom") << "一生懸命" << "いっしょうけんめい";
    QTest::newRow("empty") << "" << "";
}

void TestWordHelp::reading()
{
    if (!haveMeCab())
        QSKIP("MeCab's UTF-8 IPA dictionary is not installed (scripts/setup installs it)");
    QFETCH(QString, text);
    QFETCH(QString, reading);
    WordHelp help({{}, JapaneseReading::defaultDictionary(), {}});
    QCOMPARE(help.reading(text), reading);
    QVERIFY(help.hasReadings());
}

void TestWordHelp::spelling_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("suggested"); // among the suggestions, or the stems of a known word

    QTest::newRow("word") << "apple" << true << "";
    QTest::newRow("phrase") << "ice cream" << true << "";
    QTest::newRow("hyphenated") << "mother-in-law" << true << "";
    QTest::newRow("irregular plural") << "children" << true << "";
    QTest::newRow("plural") << "apples" << true << "apple";
    QTest::newRow("misspelt") << "aple" << false << "apple";
    QTest::newRow("misspelt in a phrase") << "ice craem" << false << "ice cream";
    QTest::newRow("day in lower case") << "monday" << false << "Monday";
}

void TestWordHelp::spelling()
{
    if (!haveHunspell())
        QSKIP("Hunspell's en_US dictionary is not installed (scripts/setup installs it)");
    QFETCH(QString, word);
    QFETCH(bool, known);
    QFETCH(QString, suggested);
    WordHelp help({{}, {}, Spelling::defaultDictionary()});
    QCOMPARE(help.isSpeltRight(word), known);
    if (suggested.isEmpty())
        return;
    Spelling spelling;
    QVERIFY(spelling.load(Spelling::defaultDictionary(), nullptr));
    const QStringList offered = known ? spelling.stems(word) : help.spellingSuggestions(word);
    QVERIFY2(offered.contains(suggested), qPrintable(offered.join(u',')));
}

void TestWordHelp::baseForms_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("forms");

    QTest::newRow("-ies") << "cities" << QStringList {"city", "citie"};
    QTest::newRow("-es after ch") << "watches" << QStringList {"watch", "watche"};
    QTest::newRow("-s") << "apples" << QStringList {"apple"};
    QTest::newRow("no -s after s") << "glass" << QStringList();
    QTest::newRow("doubled before -ing") << "running" << QStringList {"runn", "runne", "run"};
    QTest::newRow("-ed after e") << "loved" << QStringList {"lov", "love"};
    QTest::newRow("-ied") << "tried" << QStringList {"tri", "trie", "try"};
    QTest::newRow("too short") << "red" << QStringList();
}

void TestWordHelp::baseForms()
{
    QFETCH(QString, word);
    QFETCH(QStringList, forms);
    QCOMPARE(WordHelp::baseForms(word), forms);
}

void TestWordHelp::suggestionsFallBackOnDictionaryForms()
{
    if (!haveHunspell())
        QSKIP("Hunspell's en_US dictionary is not installed");
    QTemporaryDir dir;
    const QString index = dir.filePath(QStringLiteral("en-ja.tsv"));
    ProgramFolderFixture::writeFile(index, QByteArray(WordIndex::Header)
                                               + "\napple\t林檎\tりんご\nrun\t走る\tはしる\t経営する\tけいえいする\n");
    WordHelp help({index, {}, Spelling::defaultDictionary()});
    using S = WordHelp::Suggestion;
    QCOMPARE(help.suggestions(QStringLiteral("Apple")), (QList<S> {{"apple", "林檎", "りんご"}}));
    QCOMPARE(help.suggestions(QStringLiteral("apples")), (QList<S> {{"apple", "林檎", "りんご"}}));
    QCOMPARE(help.suggestions(QStringLiteral("running"), 1), (QList<S> {{"run", "走る", "はしる"}}));
    QVERIFY(help.suggestions(QStringLiteral("pear")).isEmpty());
    QVERIFY(help.missing().isEmpty());
}

void TestWordHelp::readingOfAMeaningOfTheWordComesFromTheIndex()
{
    if (!haveMeCab())
        QSKIP("MeCab's UTF-8 IPA dictionary is not installed (scripts/setup installs it)");
    QTemporaryDir dir;
    const QString index = dir.filePath(QStringLiteral("en-ja.tsv"));
    ProgramFolderFixture::writeFile(index, QByteArray(WordIndex::Header) + "\nalone\t一人\tひとり\n");
    WordHelp help({index, JapaneseReading::defaultDictionary(), {}});
    QCOMPARE(help.reading(QStringLiteral("一人"), QStringLiteral("Alone")), QStringLiteral("ひとり"));
    // Another word's meaning, or no word: MeCab reads it.
    QCOMPARE(help.reading(QStringLiteral("一人"), QStringLiteral("one")), help.reading(QStringLiteral("一人")));
}

void TestWordHelp::missingHelpIsToldOnceAndLeavesTheRest()
{
    QTemporaryDir dir;
    const QString nowhere = dir.filePath(QStringLiteral("nowhere"));
    WordHelp help({nowhere + QStringLiteral("/en-ja.tsv"), nowhere, nowhere + QStringLiteral("/en_US")});
    QVERIFY(help.missing().isEmpty());
    for (int twice = 0; twice < 2; ++twice)
    {
        QVERIFY(help.suggestions(QStringLiteral("apple")).isEmpty());
        QCOMPARE(help.reading(QStringLiteral("林檎")), QString());
        QVERIFY(help.isSpeltRight(QStringLiteral("aple")));
        QVERIFY(help.spellingSuggestions(QStringLiteral("aple")).isEmpty());
    }
    const QString missing = help.missing();
    QCOMPARE(missing.count(u'\n'), 2);
    for (const QString &what : {QStringLiteral("辞書の索引"), QStringLiteral("mecab-ipadic-utf8"), QStringLiteral("hunspell-en-us")})
        QVERIFY2(missing.contains(what), qPrintable(missing));
    QVERIFY(!help.hasIndex() && !help.hasReadings() && !help.hasSpelling());
}

QTEST_GUILESS_MAIN(TestWordHelp)
#include "tst_wordhelp.moc"
