#include <QTest>

#include "bank/questions.h"
#include "core/cp932.h"
#include "testsupport.h"

using namespace Common;

namespace
{
    const QString NoQuestionMessage = QStringLiteral("問題文が１問も存在しません。処理続行不能！！");

    struct Entry
    {
        QString prompt, answer, keys;
    };

    QList<Entry> entries()
    {
        QList<Entry> list;
        for (const QuestionEntry &e : std::as_const(QuestionBank))
            list.append({e.Prompt, e.Answer, e.AnswerKeys});
        return list;
    }

    bool operator==(const Entry &a, const Entry &b)
    {
        return a.prompt == b.prompt && a.answer == b.answer && a.keys == b.keys;
    }

    char *toString(const Entry &e)
    {
        return QTest::toString(QStringList {e.prompt, e.answer, e.keys}.join(u'|'));
    }
}

Q_DECLARE_METATYPE(Entry)

class TestQuestions : public QObject
{
    Q_OBJECT

private slots:
    void standardBankByDirection_data();
    void standardBankByDirection();
    void damagedStandardBankKeepsCompleteQuestions();
    void userBankEncodingsAndLineEnds_data();
    void userBankEncodingsAndLineEnds();
    void userBankIgnoresDirection();
    void emptyOrMissingBankShowsMessage_data();
    void emptyOrMissingBankShowsMessage();
    void soundFilePaths_data();
    void soundFilePaths();
};

void TestQuestions::standardBankByDirection_data()
{
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<Entry>("first");

    QTest::newRow("和訳") << "和訳" << Entry {"eat", "食べる", "たべる"};
    QTest::newRow("empty means 和訳") << "" << Entry {"eat", "食べる", "たべる"};
    QTest::newRow("英訳") << "英訳" << Entry {"食べる", "eat", "eat"};
}

void TestQuestions::standardBankByDirection()
{
    QFETCH(QString, transMode);
    QFETCH(Entry, first);

    ProgramFolderFixture folder;
    const QString long200(200, u'語');
    folder.writeStandardBank({"eat", "食べる", "たべる", "", long200, "ご"});
    folder.setCommon(KeyTransMode, transMode);
    LoadQuestions();
    QCOMPARE(QuestionCount, 2);
    QCOMPARE(QuestionBank.size(), 2);
    QCOMPARE(entries().first(), first);
    QVERIFY(QuestionBank[1].Answer == long200 || QuestionBank[1].Prompt == long200);
    QVERIFY(QuestionBank[0].UsedMark.isEmpty());
    QVERIFY(folder.messages().isEmpty());
}

void TestQuestions::damagedStandardBankKeepsCompleteQuestions()
{
    ProgramFolderFixture folder;
    folder.writeStandardBank({"one", "一", "いち", "two", "二", "に", "three", "三", "さん"});
    const QString path = StandardQuestionPath();
    const QByteArray whole = ProgramFolderFixture::readFile(path);
    // Cut inside the third question: the first two are complete.
    ProgramFolderFixture::writeFile(path, whole.left(whole.size() - 6));
    LoadQuestions();
    QCOMPARE(QuestionCount, 2);
    QCOMPARE(QuestionBank[1].Prompt, QStringLiteral("two"));
}

void TestQuestions::userBankEncodingsAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<Entry>>("expected");

    const QString text = QStringLiteral("りんご\napple\napple\n空の行\n\nから\n");
    const QList<Entry> two {{"りんご", "apple", "apple"}, {"空の行", "", "から"}};
    auto withEnds = [&](const QString &end) { return QString(text).replace(u'\n', end); };

    QTest::newRow("CP932, CR LF") << Cp932::encode(withEnds("\r\n")) << two;
    QTest::newRow("CP932, CR") << Cp932::encode(withEnds("\r")) << two;
    QTest::newRow("UTF-8, LF") << withEnds("\n").toUtf8() << two;
    QTest::newRow("UTF-8 with BOM, CR LF") << "\xEF\xBB\xBF" + withEnds("\r\n").toUtf8() << two;
    QTest::newRow("no final line end") << Cp932::encode(withEnds("\r\n").chopped(2)) << two;
    QTest::newRow("trailing partial question") << Cp932::encode(withEnds("\r\n") + "orphan\r\nline\r\n") << two;
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd\r\ne\nf") << QList<Entry> {{"a", "b", "c"}, {"d", "e", "f"}};
}

void TestQuestions::userBankEncodingsAndLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<Entry>, expected);

    ProgramFolderFixture folder;
    folder.useUserBank(QStringLiteral("単語帳"), {});
    ProgramFolderFixture::writeFile(UserQuestionPath(), bytes);
    LoadQuestions();
    QCOMPARE(entries(), expected);
    QCOMPARE(QuestionCount, expected.size());
}

void TestQuestions::userBankIgnoresDirection()
{
    ProgramFolderFixture folder;
    folder.useUserBank(QStringLiteral("mine"), {"prompt", "answer", "keys"}, QStringLiteral("英訳"));
    LoadQuestions();
    QCOMPARE(entries(), (QList<Entry> {{"prompt", "answer", "keys"}}));
    folder.setCommon(KeyTransMode, QStringLiteral("和訳"));
    LoadQuestions();
    QCOMPARE(entries(), (QList<Entry> {{"prompt", "answer", "keys"}}));
}

void TestQuestions::emptyOrMissingBankShowsMessage_data()
{
    QTest::addColumn<QString>("textKind");
    QTest::addColumn<QString>("textName");
    QTest::addColumn<QByteArray>("userFile");

    QTest::newRow("empty user file") << "USER" << "empty" << QByteArray("");
    QTest::newRow("two lines only") << "USER" << "short" << QByteArray("a\r\nb\r\n");
    QTest::newRow("missing user file") << "USER" << "missing" << QByteArray();
    QTest::newRow("name leaving the folder") << "USER" << "../word/x" << QByteArray();
    QTest::newRow("missing standard bank") << "" << "" << QByteArray();
}

void TestQuestions::emptyOrMissingBankShowsMessage()
{
    QFETCH(QString, textKind);
    QFETCH(QString, textName);
    QFETCH(QByteArray, userFile);

    ProgramFolderFixture folder;
    // A bank loaded before must not survive a switch to a bank that has nothing.
    folder.writeStandardBank(20);
    LoadQuestions();
    QCOMPARE(QuestionCount, 20);
    QFile::remove(StandardQuestionPath());

    folder.setCommon(KeyTextKind, textKind);
    folder.setCommon(KeyTextName, textName);
    if (!userFile.isNull())
        ProgramFolderFixture::writeFile(UserQuestionPath(), userFile);
    LoadQuestions();
    QCOMPARE(QuestionCount, 0);
    QVERIFY(QuestionBank.isEmpty());
    QCOMPARE(folder.messages(), QStringList {NoQuestionMessage});
}

void TestQuestions::soundFilePaths_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("7") << 7 << "sound1/0007.wma";
    QTest::newRow("169") << 169 << "sound1/0169.wma";
    QTest::newRow("170") << 170 << "sound2/0170.wma";
    QTest::newRow("1699") << 1699 << "sound2/1699.wma";
}

void TestQuestions::soundFilePaths()
{
    QFETCH(int, index);
    QFETCH(QString, expected);

    ProgramFolderFixture folder;
    QCOMPARE(SoundFilePath(index), folder.path() + u'/' + expected);
}


QTEST_GUILESS_MAIN(TestQuestions)
#include "tst_questions.moc"
