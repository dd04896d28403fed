#include <QTemporaryDir>
#include <QTest>

#include "bank/questions.h"
#include "testsupport.h"
#include "wordimport/standardwords.h"
#include "wordimport/textwords.h"
#include "wordimport/wordranks.h"

namespace
{
    // A small dictionary: the words with a meaning (most frequent first), what
    // the spelling dictionary knows besides, and what Hunspell says some
    // forms inflect.
    class SmallLexicon : public EnglishLexicon
    {
    public:
        SmallLexicon()
        {
            const QStringList words = QStringLiteral(
                                          "say go see take think know make good find big run new may meet child dog "
                                          "cat book city stop well-known long term plan box happy large grow rain pay "
                                          "bill fast user street new discover discovered glasses glass tired driver "
                                          "teacher drive teach scientist species meeting researcher yesterday monday "
                                          "bird wolf aardvark")
                                          .split(u' ');
            for (const QString &word : words)
                m_ranks.insert(word, int(m_ranks.size()) + 1);
            // "tire" far rarer than "tired", as in general use.
            for (int i = 0; i < 200; ++i)
                m_ranks.insert(QStringLiteral("rare%1").arg(i), int(m_ranks.size()) + 1);
            m_ranks.insert(QStringLiteral("tire"), int(m_ranks.size()) + 1);
            const QStringList spelt = QStringLiteral(
                                          "children stopped running cities grew bigger biggest happier happiest went "
                                          "took larger largest books boxes wolves met said paid cats users scientists "
                                          "researchers ran meets John Mary London Monday May dgo tire")
                                          .split(u' ');
            m_spelt = QSet<QString>(spelt.cbegin(), spelt.cend());
            m_spelt.unite(QSet<QString>(words.cbegin(), words.cend()));
            m_spelt.remove(QStringLiteral("dgo"));
            using Kind = Inflection::Kind;
            m_inflections = {{QStringLiteral("books"), {{QStringLiteral("book"), Kind::Plural}}},
                             {QStringLiteral("tired"), {{QStringLiteral("tire"), Kind::Verbal}}},
                             {QStringLiteral("meeting"), {{QStringLiteral("meet"), Kind::Verbal}}},
                             {QStringLiteral("larger"), {{QStringLiteral("large"), Kind::Comparative}}},
                             {QStringLiteral("driver"), {{QStringLiteral("drive"), Kind::Comparative}}}};
        }

        bool isSpeltRight(const QString &word) const override { return m_spelt.contains(word); }
        bool isWord(const QString &word) const override { return m_ranks.contains(word); }
        QList<Inflection> inflections(const QString &word) const override { return m_inflections.value(word); }
        int rank(const QString &word) const override { return m_ranks.value(word, int(m_ranks.size()) + 1); }

    private:
        QHash<QString, int> m_ranks;
        QSet<QString> m_spelt;
        QHash<QString, QList<Inflection>> m_inflections;
    };

    QStringList found(const QString &text, const QSet<QString> &known = {})
    {
        QStringList words;
        for (const TextWord &word : TextWords::find(text, SmallLexicon(), known))
            words << QStringLiteral("%1:%2").arg(word.english).arg(word.count);
        return words;
    }
}

class TestTextWords : public QObject
{
    Q_OBJECT

private slots:
    void findsWords_data();
    void findsWords();
    void ranksByCountThenRarity();
    void keepsTheFirstSentence();
    void splitsSentences_data();
    void splitsSentences();
    void loadsRanks();
    void knowsTheStandardBankUpToTheLevel();
};

void TestTextWords::findsWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("known");
    QTest::addColumn<QString>("words"); // word:count, in any order

    QTest::newRow("plural, past, -ing, comparative")
        << "The children stopped running. Cities grew bigger and happier. Two books, three boxes, five wolves." << ""
        << "big:1,book:1,box:1,child:1,city:1,grow:1,happy:1,run:1,stop:1,wolf:1";
    QTest::newRow("irregular forms and a plural of its own") << "He went and took her glasses." << ""
                                                             << "glasses:1,go:1,take:1";
    QTest::newRow("a base far rarer than its form keeps the form") << "I was tired after the meeting." << ""
                                                                   << "meet:1,tired:1";
    QTest::newRow("a past that is a word of its own is still its verb") << "They discovered it." << "" << "discover:1";
    QTest::newRow("agent nouns are no comparatives") << "The teacher and the driver were larger." << ""
                                                     << "driver:1,large:1,teacher:1";
    QTest::newRow("names inside sentences") << "Yesterday John met Mary in London. London is big." << ""
                                            << "big:1,meet:1,yesterday:1";
    QTest::newRow("a name opening a sentence") << "London is big." << "" << "big:1";
    QTest::newRow("a word and a name") << "He paid the bill to Bill." << "" << "bill:1,pay:1";
    QTest::newRow("numbers") << "In 2023 there were 3 million cats on 42nd street." << "" << "cat:1,street:1";
    QTest::newRow("contractions and possessives") << "I don't think they're the cats' users." << ""
                                                  << "cat:1,think:1,user:1";
    QTest::newRow("unknown and misspelt words") << "The quixotic dgo." << "" << "";
    QTest::newRow("known words, in any form") << "Books run fast. The book ran." << "book,run" << "fast:1";
    QTest::newRow("acronyms and brands") << "NASA and iPhone users." << "" << "user:1";
    QTest::newRow("capitals of a heading are no names")
        << "Scientists Discover New Species\nResearchers said the species was new." << ""
        << "discover:1,new:2,researcher:1,say:1,scientist:1,species:2";
    QTest::newRow("headline in capitals") << "DOG MEETS CAT\nThe dog ran." << "" << "cat:1,dog:2,meet:1,run:1";
    QTest::newRow("the month and the modal") << "It may rain in May." << "" << "May:1,rain:1";
    QTest::newRow("compounds") << "A well-known plan for the long-term." << "" << "long:1,plan:1,term:1,well-known:1";
}

void TestTextWords::findsWords()
{
    QFETCH(QString, text);
    QFETCH(QString, known);
    QFETCH(QString, words);

    const QStringList knownList = known.split(u',', Qt::SkipEmptyParts);
    QStringList result = found(text, QSet<QString>(knownList.cbegin(), knownList.cend()));
    result.sort();
    QCOMPARE(result.join(u','), words);
}

void TestTextWords::ranksByCountThenRarity()
{
    QCOMPARE(found(QStringLiteral("The dog met a cat. The dog and the cat ran. A dog, a bird and an aardvark.")),
             QStringList({QStringLiteral("dog:3"), QStringLiteral("cat:2"), QStringLiteral("aardvark:1"),
                          QStringLiteral("bird:1"), QStringLiteral("meet:1"), QStringLiteral("run:1")}));
}

void TestTextWords::keepsTheFirstSentence()
{
    const QString longSentence = QStringLiteral("One ") + QStringLiteral("very ").repeated(60)
                                 + QStringLiteral("long sentence with a bird in it and ") + QStringLiteral("more ").repeated(60)
                                 + QStringLiteral("words.");
    const QList<TextWord> words = TextWords::find(QStringLiteral("The cats\n  slept.  A cat ran. ") + longSentence,
                                                  SmallLexicon(), {});
    const auto word = [&words](const char *english) {
        const auto it = std::find_if(words.cbegin(), words.cend(),
                                     [english](const TextWord &w) { return w.english == QLatin1String(english); });
        return it == words.cend() ? TextWord() : *it;
    };
    QCOMPARE(word("cat").sentence, QStringLiteral("The cats slept."));
    QCOMPARE(word("cat").forms, QStringList({QStringLiteral("cats"), QStringLiteral("cat")}));
    QCOMPARE(word("cat").count, 2);
    const QString excerpt = word("bird").sentence;
    QVERIFY2(excerpt.size() <= TextWords::MaxSentenceLength + 20, qPrintable(excerpt));
    QVERIFY(excerpt.startsWith(u'…') && excerpt.endsWith(u'…'));
    QVERIFY(excerpt.contains(QStringLiteral("with a bird in it")));
}

void TestTextWords::splitsSentences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("sentences");

    QTest::newRow("stops") << "It rained. Did it? Yes!" << QStringList {"It rained.", "Did it?", "Yes!"};
    QTest::newRow("abbreviations and initials") << "Mr. Smith met J. K. Rowling at 3 p.m. today. Then he left."
                                                << QStringList {"Mr. Smith met J. K. Rowling at 3 p.m. today.", "Then he left."};
    QTest::newRow("numbers and quotes") << "It costs 3.5 dollars. \"Stop!\" he said. \"Go.\" She went."
                                        << QStringList {"It costs 3.5 dollars.", "\"Stop!\" he said.", "\"Go.\"", "She went."};
    QTest::newRow("a heading and wrapped lines")
        << "Heading Of The Story\nThis line of prose goes on and wraps\nonto the next line. End.\n\nNew paragraph"
        << QStringList {"Heading Of The Story", "This line of prose goes on and wraps onto the next line.", "End.",
                        "New paragraph"};
}

void TestTextWords::splitsSentences()
{
    QFETCH(QString, text);
    QFETCH(QStringList, sentences);
    QCOMPARE(TextWords::sentences(text), sentences);
}

void TestTextWords::loadsRanks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ranks.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(WordRanks::Header) + "; test\nthe\ncat\nthe\n\naardvark");
    file.close();

    WordRanks ranks;
    QVERIFY(ranks.load(path, nullptr));
    QCOMPARE((QList<int> {ranks.rank(QStringLiteral("the")), ranks.rank(QStringLiteral("cat")),
                          ranks.rank(QStringLiteral("aardvark")), ranks.rank(QStringLiteral("zebra"))}),
             (QList<int> {1, 2, 3, 4}));

    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("the\ncat\n");
    file.close();
    QString error;
    QVERIFY(!ranks.load(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ranks.isLoaded());
    QCOMPARE(ranks.rank(QStringLiteral("the")), 1);
}

void TestTextWords::knowsTheStandardBankUpToTheLevel()
{
    ProgramFolderFixture folder;
    QCOMPARE(StandardWords::learnerLevel(), 0);
    QVERIFY(StandardWords::upToLevel(3).isEmpty());

    QStringList bank;
    for (int i = 0; i < 40; ++i)
        bank << QStringLiteral("Word%1").arg(i) << QStringLiteral("意味") << QStringLiteral("いみ");
    QVERIFY(GsxSeq::WriteContainerFile(Common::StandardQuestionPath(), bank));
    const auto records = [](const char *name, int level) {
        const QString path = ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QString::fromLatin1(name));
        return GsxSeq::WriteContainerFile(path, {QStringLiteral("%1,0,\"\",%1,\"\",#2024-01-01#").arg(level)});
    };
    QVERIFY(records("data1.dat", 1));
    QVERIFY(records("data1E.dat", 2));
    QCOMPARE(StandardWords::learnerLevel(), 2);

    const QSet<QString> known = StandardWords::upToLevel(2);
    QCOMPARE(known.size(), 2 * StandardWords::WordsPerLevel);
    QVERIFY(known.contains(QStringLiteral("word0")) && known.contains(QStringLiteral("word33")));
    QVERIFY(!known.contains(QStringLiteral("word34")));
    QCOMPARE(StandardWords::upToLevel(100).size(), 40);
    QVERIFY(StandardWords::upToLevel(0).isEmpty());
}

QTEST_GUILESS_MAIN(TestTextWords)
#include "tst_textwords.moc"
