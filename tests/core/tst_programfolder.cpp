#include <QDirIterator>
#include <QTest>

#include "bank/questions.h"
#include "records/recordsstore.h"
#include "testsupport.h"

// The two layouts: where the shipped files are read and the learner's files
// are written, decided from where the files are.
class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void decidesFromWhereTheBankIs_data();
    void decidesFromWhereTheBankIs();
    void installedLayoutReadsShippedAndWritesLearnerFiles();
    void uncreatableLearnerFolderEndsWithoutWriting_data();
    void uncreatableLearnerFolderEndsWithoutWriting();

private:
    static void touch(const QString &path)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        ProgramFolderFixture::writeFile(path, "x");
    }
    // Every file and folder below root, relative to it.
    static QStringList tree(const QString &root)
    {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << QDir(root).relativeFilePath(it.next());
        entries.sort();
        return entries;
    }
};

void TestProgramFolder::cleanup()
{
    ProgramFolder::setPath({});
    Message::setHandler({});
}

void TestProgramFolder::decidesFromWhereTheBankIs_data()
{
    QTest::addColumn<QStringList>("files"); // below the temporary root
    QTest::addColumn<QString>("xdgDataHome"); // "<root>" stands for the temporary root
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<QString>("learner");

    const QString bank = QStringLiteral("/word/標準テキスト/data2.dat");
    QTest::newRow("portable: the bank beside the program")
        << QStringList {"bin" + bank} << "<root>/xdg" << false << "bin" << "bin";
    QTest::newRow("portable wins over a shared install")
        << QStringList {"bin" + bank, "share/vocamira" + bank} << "<root>/xdg" << false << "bin" << "bin";
    QTest::newRow("installed") << QStringList {"share/vocamira" + bank} << "<root>/xdg" << true << "share/vocamira"
                               << "xdg/vocamira";
    QTest::newRow("installed, XDG_DATA_HOME unset")
        << QStringList {"share/vocamira" + bank} << "" << true << "share/vocamira" << "home/.local/share/vocamira";
    QTest::newRow("installed, XDG_DATA_HOME relative is ignored")
        << QStringList {"share/vocamira" + bank} << "xdg" << true << "share/vocamira" << "home/.local/share/vocamira";
    QTest::newRow("no bank anywhere: portable, start-up reports it")
        << QStringList {"share/vocamira/readme.txt"} << "<root>/xdg" << false << "bin" << "bin";
    QTest::newRow("a folder where the bank should be is no bank")
        << QStringList {"share/vocamira" + bank + "/inside"} << "<root>/xdg" << false << "bin" << "bin";
}

void TestProgramFolder::decidesFromWhereTheBankIs()
{
    QFETCH(QStringList, files);
    QFETCH(QString, xdgDataHome);
    QFETCH(bool, installed);
    QFETCH(QString, shipped);
    QFETCH(QString, learner);

    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    for (const QString &file : files)
        touch(root.path() + u'/' + file);
    const QStringList before = tree(root.path());

    const ProgramFolder::Layout layout = ProgramFolder::DecideLayout(
        root.path() + QStringLiteral("/bin"), QString(xdgDataHome).replace(QStringLiteral("<root>"), root.path()),
        root.path() + QStringLiteral("/home"));
    QCOMPARE(layout.installed, installed);
    QCOMPARE(layout.shipped, root.path() + u'/' + shipped);
    QCOMPARE(layout.learner, root.path() + u'/' + learner);
    QCOMPARE(tree(root.path()), before); // deciding writes nothing
}

void TestProgramFolder::installedLayoutReadsShippedAndWritesLearnerFiles()
{
    ProgramFolderFixture fixture; // messages recorded, state reset
    QTemporaryDir root;
    const QString shipped = root.path() + QStringLiteral("/usr/share/vocamira");
    touch(root.path() + QStringLiteral("/usr/bin/vocamira"));
    QStringList groups;
    for (int i = 0; i < 17; ++i)
        groups << QStringLiteral("word%1").arg(i) << QStringLiteral("意味%1").arg(i) << QStringLiteral("いみ%1").arg(i);
    QVERIFY(QDir().mkpath(shipped + u'/' + ProgramFolder::StandardWordDir));
    QVERIFY(GsxSeq::WriteContainerFile(shipped + QStringLiteral("/word/標準テキスト/data2.dat"), groups));
    const QStringList shippedBefore = tree(root.path() + QStringLiteral("/usr"));

    const ProgramFolder::Layout layout = ProgramFolder::DecideLayout(
        root.path() + QStringLiteral("/usr/bin"), root.path() + QStringLiteral("/data"), QString());
    QVERIFY(layout.installed);
    QVERIFY(ProgramFolder::PrepareLayout(layout));
    QVERIFY(ProgramFolder::PrepareLayout(layout)); // the second start finds them
    const QString learner = root.path() + QStringLiteral("/data/vocamira");
    for (const QString &folder : ProgramFolder::LearnerFolders)
        QVERIFY2(QFileInfo(learner + u'/' + folder).isDir(), qPrintable(folder));
    ProgramFolder::setLayout(layout);

    QCOMPARE(ProgramFolder::path(), learner);
    QCOMPARE(Common::SoundFilePath(3), shipped + QStringLiteral("/sound1/0003.wma"));
    QCOMPARE(Common::SoundFilePath(170), shipped + QStringLiteral("/sound2/0170.wma"));
    QCOMPARE(ProgramFolder::filePath(ProgramFolder::ReadMeFile), shipped + QStringLiteral("/readme.txt"));
    QCOMPARE(ProgramFolder::filePath(ProgramFolder::DictionaryDir, QStringLiteral("en-ja.tsv")),
             shipped + QStringLiteral("/dict/en-ja.tsv"));
    QCOMPARE(ProgramFolder::filePath(ProgramFolder::UserWordDir), learner + QStringLiteral("/word/ユーザーテキスト"));

    // A whole round: the shipped bank loads, settings and records land in the learner's folder.
    Common::LoadQuestions();
    QCOMPARE(Common::QuestionCount, 17);
    Common::LoadTestSettings();
    Common::LoadRecords();
    Common::WriteIniValue(Common::CommonIni, Common::SectionMainWindow, Common::KeySound, QStringLiteral("OFF"));
    Common::CurrentLevel = Common::HighestLevel = 1;
    QVERIFY(Common::SaveRecords());
    QVERIFY(QFile::exists(learner + QStringLiteral("/ini/tst.ini")));
    QVERIFY(QFile::exists(learner + QStringLiteral("/seiseki/標準テキスト/data1.dat")));
    QCOMPARE(tree(root.path() + QStringLiteral("/usr")), shippedBefore);
    QCOMPARE(fixture.messages(), QStringList());
}

void TestProgramFolder::uncreatableLearnerFolderEndsWithoutWriting_data()
{
    QTest::addColumn<QString>("inTheWay"); // a file where a folder must be, below the data home
    QTest::addColumn<QString>("named"); // the folder the message names

    QTest::newRow("the data home is a file") << "" << "vocamira/ini";
    QTest::newRow("the learner's folder is a file") << "vocamira" << "vocamira/ini";
    QTest::newRow("a records folder is a file") << "vocamira/seiseki" << "vocamira/seiseki/標準テキスト";
}

void TestProgramFolder::uncreatableLearnerFolderEndsWithoutWriting()
{
    QFETCH(QString, inTheWay);
    QFETCH(QString, named);

    QTemporaryDir root;
    touch(root.path() + QStringLiteral("/usr/share/vocamira/word/標準テキスト/data2.dat"));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/bin")));
    const QString dataHome = root.path() + QStringLiteral("/data");
    if (inTheWay.isEmpty())
        touch(dataHome);
    else
        touch(dataHome + u'/' + inTheWay);
    const QStringList before = tree(root.path());
    QStringList messages;
    Message::setHandler([&](const QString &text) { messages << text; });

    const ProgramFolder::Layout layout =
        ProgramFolder::DecideLayout(root.path() + QStringLiteral("/usr/bin"), dataHome, QString());
    QVERIFY(!ProgramFolder::PrepareLayout(layout));
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(dataHome + u'/' + named), qPrintable(messages.first()));
    QVERIFY(messages.first().contains(QStringLiteral("終了")));
    if (!inTheWay.startsWith(QStringLiteral("vocamira/")))
        QCOMPARE(tree(root.path()), before);
    QCOMPARE(tree(root.path() + QStringLiteral("/usr")), QStringList({"bin", "share", "share/vocamira",
                                                                       "share/vocamira/word",
                                                                       "share/vocamira/word/標準テキスト",
                                                                       "share/vocamira/word/標準テキスト/data2.dat"}));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
