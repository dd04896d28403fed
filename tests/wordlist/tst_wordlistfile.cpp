#include <QTest>

#include "bank/questions.h"
#include "core/cp932.h"
#include "testsupport.h"
#include "wordlist/wordlistfile.h"
#include "wordlist/wordlistnames.h"

using Encoding = UserText::Encoding;

class TestWordListFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void refusesWhatIsNoList();
    void writtenListLoadsAsTheSameBank();
    void otherDirection();
    void names_data();
    void names();
};

void TestWordListFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields"); // three per row
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("incomplete");
    QTest::addColumn<bool>("unreadable");

    const QStringList two {"apple", "林檎", "りんご", "dog", "犬", "いぬ"};
    const QString text = two.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QTest::newRow("UTF-8, CR LF") << text.toUtf8() << two << int(Encoding::Utf8) << false << false;
    QTest::newRow("UTF-8 with BOM, LF") << "\xEF\xBB\xBF" + two.join(u'\n').toUtf8() << two << int(Encoding::Utf8Bom)
                                         << false << false;
    QTest::newRow("Shift-JIS, CR") << Cp932::encode(two.join(u'\r')) << two << int(Encoding::Cp932) << false << false;
    QTest::newRow("last word cut short") << QStringLiteral("apple\n林檎\nりんご\ndog\n").toUtf8()
                                         << QStringList {"apple", "林檎", "りんご", "dog", "", ""} << int(Encoding::Utf8)
                                         << true << false;
    // Lines pasted from two files: each keeps its own encoding.
    QTest::newRow("UTF-8 and Shift-JIS lines")
        << QStringLiteral("apple\r\n林檎\r\n").toUtf8() + Cp932::encode(QStringLiteral("りんご\r\n")) << two.mid(0, 3)
        << int(Encoding::Cp932) << false << false;
    QTest::newRow("bytes of neither") << QByteArray("cat\n\x81\xFF\nねこ\n") << QStringList {"cat", "\uFFFD\uFFFD", "ねこ"}
                                      << int(Encoding::Cp932) << false << true;
    QTest::newRow("empty lines are fields") << QByteArray("\n\n\n") << QStringList {"", "", ""} << int(Encoding::Utf8)
                                            << false << false;
    QTest::newRow("empty file") << QByteArray() << QStringList() << int(Encoding::Utf8) << false << false;
}

void TestWordListFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(int, encoding);
    QFETCH(bool, incomplete);
    QFETCH(bool, unreadable);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    ProgramFolderFixture::writeFile(path, bytes);
    const WordListFile::Loaded loaded = WordListFile::read(path);
    QVERIFY(loaded.error.isEmpty());
    QStringList read;
    for (const WordRow &row : loaded.rows)
        read << row.english << row.meaning << row.reading;
    QCOMPARE(read, fields);
    QCOMPARE(int(loaded.encoding), encoding);
    QCOMPARE(loaded.incompleteLastRow, incomplete);
    QCOMPARE(loaded.unreadableBytes, unreadable);
}

void TestWordListFile::refusesWhatIsNoList()
{
    QTemporaryDir dir;
    QVERIFY(!WordListFile::read(dir.filePath(QStringLiteral("missing.txt"))).error.isEmpty());
    QFile huge(dir.filePath(QStringLiteral("huge.txt")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(WordListFile::MaxFileBytes + 1));
    huge.close();
    const WordListFile::Loaded loaded = WordListFile::read(huge.fileName());
    QVERIFY(loaded.error.contains(QStringLiteral("大きすぎます")));
    QVERIFY(loaded.rows.isEmpty());
}

void TestWordListFile::writtenListLoadsAsTheSameBank()
{
    ProgramFolderFixture folder;
    const QList<WordRow> rows {{"apple", "林檎", "りんご"}, {"", "", ""}, {"ice cream", "アイスクリーム", "あいすくりーむ"},
                               {"rare", "𠮷", "きち"}};
    QString error;
    QVERIFY(WordListFile::write(WordListNames::bankPath(QStringLiteral("mine")), rows, &error));
    QVERIFY(ProgramFolderFixture::readFile(WordListNames::bankPath(QStringLiteral("mine")))
                .startsWith(QStringLiteral("apple\r\n林檎\r\n").toUtf8()));
    QCOMPARE(WordListFile::read(WordListNames::bankPath(QStringLiteral("mine"))).rows, rows);
    // A first word that starts like a byte-order mark keeps its character.
    const QList<WordRow> marked {{QStringLiteral("\uFEFFword"), "語", "ご"}};
    QVERIFY(WordListFile::write(WordListNames::bankPath(QStringLiteral("marked")), marked, &error));
    QCOMPARE(WordListFile::read(WordListNames::bankPath(QStringLiteral("marked"))).rows, marked);
    QFile::remove(WordListNames::bankPath(QStringLiteral("marked")));

    folder.setCommon(Common::KeyTextKind, Common::TextKindUser);
    folder.setCommon(Common::KeyTextName, QStringLiteral("mine"));
    Common::LoadQuestions();
    QCOMPARE(Common::QuestionCount, rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
    {
        const Common::QuestionEntry &entry = Common::QuestionBank[i];
        QCOMPARE((WordRow {entry.Prompt, entry.Answer, entry.AnswerKeys}), rows[i]);
    }
    QCOMPARE(WordListNames::existingBanks(), QStringList {"mine"});
}

void TestWordListFile::otherDirection()
{
    const QList<WordRow> other = WordListFile::otherDirection({{"apple", "林檎", "りんご"}});
    QCOMPARE(other, (QList<WordRow> {{"林檎", "apple", "apple"}}));
    QCOMPARE(WordListNames::otherDirectionName(QStringLiteral("中1")), QStringLiteral("中1（英訳用）"));
    QCOMPARE(WordListNames::listOfOtherDirection(QStringLiteral("中1（英訳用）")), QStringLiteral("中1"));
    QCOMPARE(WordListNames::listOfOtherDirection(QStringLiteral("中1")), QString());
    QCOMPARE(WordListNames::listOfOtherDirection(QStringLiteral("（英訳用）")), QString());
}

void TestWordListFile::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem"); // a part of the message; "" when the name may be used

    QTest::newRow("plain") << "school" << "";
    QTest::newRow("japanese and blanks inside") << "中学1年 単語" << "";
    QTest::newRow("existing bank again") << "old" << "";
    QTest::newRow("empty") << "" << "名前を入力";
    QTest::newRow("blank") << "  " << "名前を入力";
    QTest::newRow("leading blank") << " school" << "空白";
    QTest::newRow("trailing dot") << "school." << "空白や「.」";
    QTest::newRow("dot dot") << ".." << "空白や「.」";
    QTest::newRow("slash") << "a/b" << "使えません";
    QTest::newRow("backslash") << "a\\b" << "使えません";
    QTest::newRow("colon") << "a:b" << "使えません";
    QTest::newRow("not in Shift-JIS") << "school🐱" << "Shift-JIS";
    QTest::newRow("too long") << QString(80, u'あ') << "長すぎます";
    QTest::newRow("other direction's name") << "old（英訳用）" << "英訳用";
    QTest::newRow("shares files with old") << "oldE" << "重なる";
    QTest::newRow("shares files with testE") << "test" << "重なる";
}

void TestWordListFile::names()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    const QString found = WordListNames::problem(name, {"old", "testE"});
    if (problem.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(found.contains(problem), qPrintable(found));
}

QTEST_GUILESS_MAIN(TestWordListFile)
#include "tst_wordlistfile.moc"
