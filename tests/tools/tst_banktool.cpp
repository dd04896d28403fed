#include <QLockFile>
#include <QTest>

#include "banktool.h"
#include "bank/gsxseq.h"
#include "bank/questions.h"
#include "core/clock.h"
#include "core/cp932.h"
#include "historysupport.h"
#include "records/recordsstore.h"
#include "studysupport.h"
#include "testsupport.h"
#include "wordlist/wordhelp.h"

namespace
{
    struct Run
    {
        int code;
        QString out;
        QString err;
    };

    Run runTool(const QStringList &arguments)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = BankTool(outStream, errStream).run(arguments);
        outStream.flush();
        errStream.flush();
        return {code, out, err};
    }
}

class TestBankTool : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void helpExplainsEveryCommand();
    void badUsage_data();
    void badUsage();
    void encodeDecodeRoundTrips_data();
    void encodeDecodeRoundTrips();
    void encodeRefusesBadTables_data();
    void encodeRefusesBadTables();
    void decodeRefusesDamagedOrForeignFiles_data();
    void decodeRefusesDamagedOrForeignFiles();
    void recordsRoundTripThroughText();
    void loadRecordsRefusesBadText_data();
    void loadRecordsRefusesBadText();
    void historyPrintsAndLeavesTheFile_data();
    void historyPrintsAndLeavesTheFile();
    void suggestPrintsMeaningsBestFirst_data();
    void suggestPrintsMeaningsBestFirst();
    void readingPrintsHiragana();
    void exportAndImportMoveAStudy();

private:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestBankTool::helpExplainsEveryCommand()
{
    const Run run = runTool({QStringLiteral("--help")});
    QCOMPARE(run.code, 0);
    for (const char *command : {"encode", "decode", "dump-records", "load-records", "history", "suggest", "reading",
                                "export", "import", "--tsv"})
        QVERIFY2(run.out.contains(QLatin1String(command)), command);
}

void TestBankTool::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList {"pack"};
    QTest::newRow("encode without output") << QStringList {"encode", "table.txt"};
    QTest::newRow("decode with too much") << QStringList {"decode", "a", "b", "c"};
    QTest::newRow("load-records without output") << QStringList {"load-records", "a.txt"};
    QTest::newRow("history without file") << QStringList {"history"};
    QTest::newRow("suggest without words") << QStringList {"suggest"};
    QTest::newRow("suggest without index") << QStringList {"suggest", "apple", "--index"};
    QTest::newRow("reading without text") << QStringList {"reading"};
}

void TestBankTool::badUsage()
{
    QFETCH(QStringList, arguments);
    const Run run = runTool(arguments);
    QCOMPARE(run.code, int(BankTool::BadUsage));
    QVERIFY(!run.err.isEmpty());
}

void TestBankTool::encodeDecodeRoundTrips_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<bool>("tsv");

    const QString text = QStringLiteral("eat\n食べる\nたべる\nice cream\nアイスクリーム\nあいすくりーむ\n");
    QTest::newRow("UTF-8, three lines") << text.toUtf8() << false;
    QTest::newRow("CP932, CR LF") << Cp932::encode(QString(text).replace(u'\n', QStringLiteral("\r\n"))) << false;
    QTest::newRow("TSV with comment") << QByteArray("# english\tmeaning\treading\neat\t食べる\tたべる\n"
                                                    "ice cream\tアイスクリーム\tあいすくりーむ\n")
                                      << true;
}

void TestBankTool::encodeDecodeRoundTrips()
{
    QFETCH(QByteArray, table);
    QFETCH(bool, tsv);

    ProgramFolderFixture::writeFile(file("table"), table);
    QStringList arguments {"encode", file("table"), file("data2.dat")};
    if (tsv)
        arguments.insert(1, QStringLiteral("--tsv"));
    QCOMPARE(runTool(arguments).code, 0);

    // The program itself reads what the tool wrote.
    ProgramFolderFixture folder;
    QVERIFY(QFile::copy(file("data2.dat"), Common::StandardQuestionPath()));
    Common::LoadQuestions();
    QCOMPARE(Common::QuestionCount, 2);
    QCOMPARE(Common::QuestionBank[1].AnswerKeys, QStringLiteral("あいすくりーむ"));

    const Run decoded = runTool({"decode", file("data2.dat")});
    QCOMPARE(decoded.code, 0);
    QCOMPARE(decoded.out, QStringLiteral("eat\n食べる\nたべる\nice cream\nアイスクリーム\nあいすくりーむ\n"));
}

void TestBankTool::encodeRefusesBadTables_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<bool>("tsv");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("incomplete question") << QByteArray("a\nb\nc\nd\n") << false << "4 lines";
    QTest::newRow("empty") << QByteArray("") << false << "no questions";
    QTest::newRow("outside code page 932") << QString("caf\u00e9\n喫茶店\nきっさてん\n").toUtf8() << false
                                           << "code page 932";
    QTest::newRow("tsv with two fields") << QByteArray("eat\tたべる\n") << true << ":1: expected 3";
}

void TestBankTool::encodeRefusesBadTables()
{
    QFETCH(QByteArray, table);
    QFETCH(bool, tsv);
    QFETCH(QString, complaint);

    ProgramFolderFixture::writeFile(file("bad"), table);
    QStringList arguments {"encode", file("bad"), file("out.dat")};
    if (tsv)
        arguments.insert(1, QStringLiteral("--tsv"));
    const Run run = runTool(arguments);
    QCOMPARE(run.code, int(BankTool::BadInput));
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QVERIFY(!QFile::exists(file("out.dat")));
}

void TestBankTool::decodeRefusesDamagedOrForeignFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("missing") << "missing" << "no such file";
    QTest::newRow("foreign") << "foreign" << "not a Vocamira container";
    QTest::newRow("cut short") << "cut" << "damaged after";
    QTest::newRow("not whole questions") << "records" << "not a question bank";
}

void TestBankTool::decodeRefusesDamagedOrForeignFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, complaint);

    const QString path = file(kind + QStringLiteral(".dat"));
    QFile::remove(path);
    if (kind == u"foreign")
        ProgramFolderFixture::writeFile(path, "PK\x03\x04");
    if (kind == u"cut" || kind == u"records")
    {
        QVERIFY(GsxSeq::WriteContainerFile(path, {"a", "b", "c", "d"}));
        if (kind == u"cut")
            ProgramFolderFixture::writeFile(path, ProgramFolderFixture::readFile(path).chopped(3));
    }
    const Run run = runTool({"decode", path, file("out.txt")});
    QCOMPARE(run.code, int(BankTool::BadInput));
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QVERIFY(!QFile::exists(file("out.txt")));
    QCOMPARE(runTool({"dump-records", path}).code, int(BankTool::BadInput));
}

void TestBankTool::recordsRoundTripThroughText()
{
    ProgramFolderFixture folder;
    Common::QuestionCount = 170;
    Common::LoadTestSettings();
    Common::LoadRecords();
    Common::CurrentLevel = Common::HighestLevel = 2;
    Common::CertificateName = QStringLiteral("名前, with comma");
    Common::LevelRecords[1].BestTime = 12345;
    QVERIFY(Common::SaveRecords());

    QCOMPARE(runTool({"dump-records", Common::RecordDataPath(), file("records.txt")}).code, 0);
    const QString text = QString::fromUtf8(ProgramFolderFixture::readFile(file("records.txt")));
    QVERIFY(text.startsWith(QStringLiteral("2,0,\"\",2,\"名前, with comma\",#1899-12-30#\n")));
    QCOMPARE(text.count(u'\n'), 4);

    QVERIFY(QFile::remove(Common::RecordDataPath()));
    QCOMPARE(runTool({"load-records", file("records.txt"), Common::RecordDataPath()}).code, 0);
    Common::ResetState();
    Common::QuestionCount = 170;
    Common::LoadTestSettings();
    Common::LoadRecords();
    QCOMPARE(Common::CurrentLevel, 2);
    QCOMPARE(Common::CertificateName, QStringLiteral("名前, with comma"));
    QCOMPARE(Common::LevelRecords[1].BestTime, 12345.0);
    QVERIFY(folder.messages().isEmpty());
}

void TestBankTool::loadRecordsRefusesBadText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("empty") << QByteArray("") << "empty";
    QTest::newRow("short header") << QByteArray("1,0,\"\"\n") << ":1: the header";
    QTest::newRow("bad row") << QByteArray("1,0,\"\",1,\"\",#1899-12-30#\n#2020-01-01#,1,2\n") << ":2: a LEVEL line";
}

void TestBankTool::loadRecordsRefusesBadText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, complaint);

    ProgramFolderFixture::writeFile(file("in.txt"), text);
    ProgramFolderFixture::writeFile(file("keep.dat"), "old records");
    const Run run = runTool({"load-records", file("in.txt"), file("keep.dat")});
    QCOMPARE(run.code, int(BankTool::BadInput));
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QCOMPARE(ProgramFolderFixture::readFile(file("keep.dat")), QByteArray("old records"));
}

void TestBankTool::historyPrintsAndLeavesTheFile_data()
{
    QTest::addColumn<HistoryFault>("fault");
    QTest::addColumn<QString>("change"); // "read-only", "removed" or "first schema"
    QTest::addColumn<QString>("complaint"); // "" when the history is printed
    QTest::addColumn<QStringList>("chosen"); // what was chosen instead of words 3, 4 and 5, and their states

    const QStringList chosen {"意味200 / 意味103\t苦手 0/4\t2026-12-09", "意味104\t知っている\t",
                              "-\t苦手 0/4\t2026-12-09"};
    QTest::newRow("sound") << HistoryFault::None << "" << "" << chosen;
    QTest::newRow("read-only file") << HistoryFault::None << "read-only" << "" << chosen;
    QTest::newRow("in use by a running program") << HistoryFault::Locked << "" << "" << chosen;
    // The first schema did not keep the wrong answers' texts, nor the word book's choices.
    QTest::newRow("first schema") << HistoryFault::None << "first schema" << ""
                                  << QStringList {"-\t苦手 0/4\t2026-12-09", "-\t苦手 0/4\t2026-12-09",
                                                  "-\t苦手 0/4\t2026-12-09"};
    QTest::newRow("missing") << HistoryFault::None << "removed" << "no such file" << QStringList();
    QTest::newRow("a folder") << HistoryFault::FolderInPlace << "" << "not a file" << QStringList();
    QTest::newRow("not a database") << HistoryFault::Garbage << "" << "damaged" << QStringList();
    QTest::newRow("damaged pages") << HistoryFault::DamagedPages << "" << "damaged" << QStringList();
    QTest::newRow("newer version") << HistoryFault::NewerVersion << "" << "newer version" << QStringList();
}

void TestBankTool::historyPrintsAndLeavesTheFile()
{
    QFETCH(HistoryFault, fault);
    QFETCH(QString, change);
    QFETCH(QString, complaint);
    QFETCH(QStringList, chosen);

    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite3"));
    {
        QList<HistoryTest> tests {seededTest(QDateTime(QDate(2026, 12, 8), QTime(9, 30)), 0, {3}),
                                  seededTest(QDateTime(QDate(2026, 12, 9), QTime(7, 5)), 0, {3, 4, 5}),
                                  seededTest(QDateTime(QDate(2026, 12, 10), QTime(21, 0)), 20, {}, "英訳")};
        tests[0].questions[2].chosenAnswer = QStringLiteral("意味200");
        tests[0].levelBefore = 1;
        tests[0].levelAfter = 2;
        tests[1].kind = TestKind::ForcedReview;
        tests[1].level = tests[1].levelBefore = tests[1].levelAfter = 2;
        tests[1].questions[4] = {5, 5, "word5", "意味5", false, false, -1, {}, 24000, -1, 0, 2};
        tests[1].ending = HistoryTest::Ending::TimeLimit;
        tests[2].bankKind = QStringLiteral("USER");
        tests[2].bankName = QStringLiteral("旅行 words");
        tests[2].inputMethod = QStringLiteral("KANA");
        tests[2].kind = TestKind::WeakWords;
        HistoryStore store(path);
        for (HistoryTest &test : tests)
            QVERIFY(store.addTest(test));
        // Word 4 marked known, and a word of the user bank added to the weak words.
        const HistoryStore::Mark known {QDateTime(QDate(2026, 12, 9), QTime(8, 0)), "STANDARD", {}, "和訳",
                                        "word4", "意味4", 4, WordMark::Kind::Known};
        const HistoryStore::Mark added {QDateTime(QDate(2026, 12, 10), QTime(21, 5)), "USER", "旅行 words", "英訳",
                                        "word21", "意味21", 21,
                                        WordMark::Kind::Weak};
        QVERIFY(store.addMarks({known, added}));
    }
    const auto other = injectFault(fault, path);
    if (change == u"read-only")
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    if (change == u"removed")
        QVERIFY(QFile::remove(path));
    if (change == u"first schema")
    {
        OtherConnection older(path);
        for (const char *statement : {"DROP TABLE marks", "DROP TABLE restores", "DROP TABLE words",
                                      "DROP INDEX questions_missed",
                                      "ALTER TABLE questions DROP COLUMN chosen_answer",
                                      "ALTER TABLE questions DROP COLUMN shown_ms", "ALTER TABLE tests DROP COLUMN ended_by",
                                      "ALTER TABLE tests DROP COLUMN records_saved", "ALTER TABLE questions DROP COLUMN replays",
                                      "PRAGMA user_version = 1"})
            QVERIFY(older.exec(QString::fromUtf8(statement)));
    }
    const QByteArray before = QFileInfo(path).isFile() ? ProgramFolderFixture::readFile(path) : QByteArray();
    const QStringList folderBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    Clock::setDateTimeSource([] { return QDateTime(QDate(2026, 12, 11), QTime(9, 0)); });
    const Run run = runTool({"history", path});
    Clock::setDateTimeSource({});
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), folderBefore);
    if (!before.isEmpty())
        QVERIFY(ProgramFolderFixture::readFile(path) == before);
    if (!complaint.isEmpty())
    {
        QCOMPARE(run.code, int(BankTool::BadInput));
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        return;
    }
    QCOMPARE(run.code, 0);
    QCOMPARE(run.err, QString());
    const QStringList marks {"2026/12/09 08:00\t標準\t和訳\tword4\t意味4\t知っている\t知っている\t",
                             "2026/12/10 21:05\tユーザー：旅行 words\t英訳\tword21\t意味21\t苦手に追加\t苦手 0/4\t2026-12-10"};
    QCOMPARE(run.out.split(u'\n'), QStringList({
        "# tests: 3",
        "started\tbank\tdirection\tinput\tkind\tLEVEL\tscore\tseconds\tresult\tLEVEL before→after",
        "2026/12/08 09:30\t標準\t和訳\tローマ字\tレベル上げ\t1\t90\t30.0\tpassed\t1→2",
        "2026/12/09 07:05\t標準\t和訳\tローマ字\t強制復習\t2\t70\t30.0\tfailed\t2→2",
        "2026/12/10 21:00\tユーザー：旅行 words\t英訳\tかな\t苦手単語の練習\t1\t100\t30.0\tpassed\t0→0",
        "",
        "# most-missed words: 標準 和訳: 3",
        "prompt\tanswer\tasked\tmissed\tlast missed\tchosen instead\tstate\tnext review",
        "word3\t意味3\t2\t2\t2026/12/09 07:05\t" + chosen[0],
        "word4\t意味4\t2\t1\t2026/12/09 07:05\t" + chosen[1],
        "word5\t意味5\t2\t1\t2026/12/09 07:05\t" + chosen[2],
        "",
        "# most-missed words: ユーザー：旅行 words 英訳: 0",
        "prompt\tanswer\tasked\tmissed\tlast missed\tchosen instead\tstate\tnext review",
        "",
        "# word-book choices: " + QString::number(change == u"first schema" ? 0 : 2),
        "made\tbank\tdirection\tprompt\tanswer\tchoice\tstate\tnext review",
    }) + (change == u"first schema" ? QStringList() : marks) + QStringList {""});
}

void TestBankTool::suggestPrintsMeaningsBestFirst_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");

    QTest::newRow("one word") << QStringList {"apple"} << 0 << "apple\t林檎\tりんご\napple\tアップル\tあっぷる\n";
    QTest::newRow("several, in order") << QStringList {"Zoo", "apple"} << 0
                                       << "zoo\t動物園\tどうぶつえん\napple\t林檎\tりんご\napple\tアップル\tあっぷる\n";
    QTest::newRow("a plural") << QStringList {"zoos"} << 0 << "zoo\t動物園\tどうぶつえん\n";
    QTest::newRow("unknown word") << QStringList {"qqq", "zoo"} << 1 << "zoo\t動物園\tどうぶつえん\n";
}

void TestBankTool::suggestPrintsMeaningsBestFirst()
{
    QFETCH(QStringList, words);
    QFETCH(int, code);
    QFETCH(QString, out);
    ProgramFolderFixture::writeFile(file(QStringLiteral("en-ja.tsv")),
                                    QByteArray(WordIndex::Header) + "\napple\t林檎\tりんご\tアップル\tあっぷる\n"
                                        + "zoo\t動物園\tどうぶつえん\n");
    const Run run = runTool(QStringList {"suggest", "--index", file(QStringLiteral("en-ja.tsv"))} + words);
    QCOMPARE(run.code, code);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err.isEmpty(), code == 0);

    const Run missing = runTool({QStringLiteral("suggest"), QStringLiteral("--index"), file(QStringLiteral("none.tsv")),
                                 QStringLiteral("apple")});
    QCOMPARE(missing.code, 1);
    QVERIFY(missing.err.contains(QStringLiteral("none.tsv")));
}

void TestBankTool::readingPrintsHiragana()
{
    if (!QFileInfo::exists(JapaneseReading::defaultDictionary() + QStringLiteral("/sys.dic")))
        QSKIP("MeCab's UTF-8 IPA dictionary is not installed (scripts/setup installs it)");
    const Run run = runTool({QStringLiteral("reading"), QStringLiteral("林檎を食べる"), QStringLiteral("コーヒー")});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("りんごをたべる\nこーひー\n"));
}

// A study moves between two folders; an import is refused, changing nothing,
// while the program holds the folder or when the file is not a study's.
void TestBankTool::exportAndImportMoveAStudy()
{
    using namespace StudySupport;
    const QString from = file(QStringLiteral("from"));
    const QString to = file(QStringLiteral("to"));
    writeStudy(from, 0);
    writeStudy(to, 1);
    const QString zip = file(QStringLiteral("study.zip"));
    QCOMPARE(runTool({QStringLiteral("export"), from, zip}).code, 0);

    const QMap<QString, QByteArray> before = learnerView(to);
    QLockFile running(QDir(to).filePath(ProgramFolder::LockFileName));
    QVERIFY(running.tryLock(0));
    Run run = runTool({QStringLiteral("import"), zip, to});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(QLatin1String("running")), qPrintable(run.err));
    running.unlock();
    run = runTool({QStringLiteral("import"), file(QStringLiteral("from/ini/tst.ini")), to});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(QLatin1String("not a zip")), qPrintable(run.err));
    QCOMPARE(learnerView(to), before);

    run = runTool({QStringLiteral("import"), zip, to});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QStringLiteral("標準\t和訳\t4 (top 6)\t3\t2025/03/03\t3 (top 5)\t2\t2025/03/02")), qPrintable(run.out));
    QCOMPARE(learnerView(to), learnerView(from));
}

QTEST_GUILESS_MAIN(TestBankTool)
#include "tst_banktool.moc"
