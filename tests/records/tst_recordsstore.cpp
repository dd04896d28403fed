#include <QTest>

#include <unistd.h>

#include "bank/gsxseq.h"
#include "records/recordsstore.h"
#include "testsupport.h"

using namespace Common;

namespace
{
    void useLevels(int levels)
    {
        QuestionCount = levels * 17;
        LoadTestSettings();
    }

    LevelRecord sampleRow(int level)
    {
        LevelRecord row;
        row.ReachedDate = QDate(2004, 11, level % 28 + 1);
        row.ChallengePassCount = level;
        row.ChallengeFailCount = level * 2;
        row.PracticePassCount = 3;
        row.PracticeFailCount = 0;
        row.BestScore = 90;
        row.BestScoreDate = QDate(2005, 1, 2);
        row.BestTime = 41250.5;
        row.BestTimeDate = QDate(2026, 12, 7);
        return row;
    }

    void fillRecords(int highest)
    {
        CurrentLevel = highest;
        HighestLevel = highest;
        FailCount = 2;
        RecordSpare = QStringLiteral("spare");
        CertificateName = QStringLiteral("山田, 太郎 (Taro)");
        CertificateDate = QDate(2004, 11, 1);
        for (int level = 1; level <= LevelCount; ++level)
            LevelRecords[level] = level <= RecordRowCount() ? sampleRow(level) : LevelRecord();
    }

    struct Snapshot
    {
        int current, fails, highest;
        QString spare, name;
        QDate date;
        QList<LevelRecord> rows;
        bool operator==(const Snapshot &) const = default;
    };

    Snapshot snapshot()
    {
        return {CurrentLevel, FailCount, HighestLevel, RecordSpare, CertificateName, CertificateDate, LevelRecords};
    }

    QStringList containerLines()
    {
        QStringList lines;
        GsxSeq::ReadContainerFile(RecordDataPath(), lines);
        return lines;
    }
}

class TestRecordsStore : public QObject
{
    Q_OBJECT

private slots:
    void newLearnerHasFreshRecords();
    void roundTrips_data();
    void roundTrips();
    void textFormIsExact();
    void directionsAndBanksHaveTheirOwnFiles();
    void readsFileOfAnIndependentWriter();
    void readsANameWithAQuoteAsTheOriginalDesign();
    void damagedFilesLoadWhatTheyCan_data();
    void damagedFilesLoadWhatTheyCan();
    void rowsBeyondTheBankAreNotRead();
    void filesOfASmallerBankAreSound_data();
    void filesOfASmallerBankAreSound();
    void saveIntoReadOnlyFolderKeepsOldFileAndTells();
    void saveIntoMissingFolderTellsAndKeepsRecordsInMemory();
    void saveInterruptedBeforeRenameLeavesOldRecords();
};

void TestRecordsStore::newLearnerHasFreshRecords()
{
    ProgramFolderFixture folder;
    useLevels(100);
    CurrentLevel = 9;
    LoadRecords();
    QCOMPARE(CurrentLevel, 0);
    QCOMPARE(FailCount, 0);
    QCOMPARE(HighestLevel, 0);
    QVERIFY(CertificateName.isEmpty());
    QVERIFY(CertificateDate.isNull());
    QCOMPARE(LevelRecords.size(), 101);
    QVERIFY(folder.messages().isEmpty());

    QVERIFY(SaveRecords());
    QCOMPARE(containerLines(), (QStringList {"0,0,\"\",0,\"\",#1899-12-30#",
                                             "#1899-12-30#,0,0,0,0,0,#1899-12-30#,0,#1899-12-30#"}));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("seiseki/標準テキスト"), QStringLiteral("data1.txt"))));
}

void TestRecordsStore::roundTrips_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("storedRows");

    QTest::newRow("highest 5 of 100") << 100 << 5 << 6;
    QTest::newRow("top of 100") << 100 << 100 << 100;
    QTest::newRow("no LEVEL at all") << 0 << 0 << 0;
    QTest::newRow("one LEVEL, reached") << 1 << 1 << 1;
}

void TestRecordsStore::roundTrips()
{
    QFETCH(int, levels);
    QFETCH(int, highest);
    QFETCH(int, storedRows);

    ProgramFolderFixture folder;
    useLevels(levels);
    LoadRecords();
    fillRecords(highest);
    const Snapshot saved = snapshot();
    QVERIFY(SaveRecords());
    QCOMPARE(containerLines().size(), 1 + storedRows);

    ResetState();
    useLevels(levels);
    LoadRecords();
    QCOMPARE(snapshot(), saved);
    QVERIFY(folder.messages().isEmpty());
}

void TestRecordsStore::textFormIsExact()
{
    ProgramFolderFixture folder;
    useLevels(10);
    LoadRecords();
    fillRecords(1);
    QVERIFY(SaveRecords());
    QCOMPARE(containerLines(),
             (QStringList {"1,2,\"spare\",1,\"山田, 太郎 (Taro)\",#2004-11-01#",
                           "#2004-11-02#,1,2,3,0,90,#2005-01-02#,41250.5,#2026-12-07#",
                           "#2004-11-03#,2,4,3,0,90,#2005-01-02#,41250.5,#2026-12-07#"}));
}

void TestRecordsStore::directionsAndBanksHaveTheirOwnFiles()
{
    ProgramFolderFixture folder;
    useLevels(10);
    const QString standard = folder.path() + QStringLiteral("/seiseki/標準テキスト/");
    const QString user = folder.path() + QStringLiteral("/seiseki/ユーザーテキスト/");
    QCOMPARE(RecordDataPath(), standard + "data1.dat");
    folder.setCommon(KeyTransMode, TransModeEnglish);
    QCOMPARE(RecordDataPath(), standard + "data1E.dat");
    folder.setCommon(KeyTextKind, TextKindUser);
    folder.setCommon(KeyTextName, QStringLiteral("単語帳"));
    QCOMPARE(RecordDataPath(), user + "単語帳E.dat");
    LoadRecords();
    CurrentLevel = HighestLevel = 3;
    QVERIFY(SaveRecords());

    folder.setCommon(KeyTransMode, TransModeJapanese);
    QCOMPARE(RecordDataPath(), user + "単語帳.dat");
    LoadRecords();
    QCOMPARE(CurrentLevel, 0);
    folder.setCommon(KeyTransMode, TransModeEnglish);
    LoadRecords();
    QCOMPARE(CurrentLevel, 3);
}

void TestRecordsStore::readsFileOfAnIndependentWriter()
{
    ProgramFolderFixture folder;
    useLevels(20);
    QVERIFY(GsxSeq::WriteContainerFile(RecordDataPath(),
                                       {"2, 1,\"\",2,\"Ａ\",#2010-02-03#",
                                        "#2009-01-01#,1,0,0,0,100,#2009-01-01#,9876,#2009-01-01#",
                                        "#2009-01-05#,1,0,0,0,70,#2009-01-05#,0,#1899-12-30#",
                                        "##,0,1,0,0,0,#00:00:00#,0,#NULL#"}));
    LoadRecords();
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(FailCount, 1);
    QCOMPARE(CertificateName, QStringLiteral("Ａ"));
    QCOMPARE(LevelRecords[1].BestTime, 9876.0);
    QCOMPARE(LevelRecords[2].BestScore, 70);
    QVERIFY(LevelRecords[2].BestTimeDate.isNull());
    QCOMPARE(LevelRecords[3].ChallengeFailCount, 1);
    QVERIFY(LevelRecords[3].ReachedDate.isNull());
}

// The original design wrote a certificate name with a quote unescaped; its
// reader kept the name up to that quote and went on with the next field.
void TestRecordsStore::readsANameWithAQuoteAsTheOriginalDesign()
{
    ProgramFolderFixture folder;
    useLevels(20);
    QVERIFY(GsxSeq::WriteContainerFile(RecordDataPath(),
                                       {"1,0,\"\",1,\"山田\"太郎\",#2010-02-03#",
                                        "#2009-01-01#,1,0,0,0,100,#2009-01-01#,9876,#2009-01-01#",
                                        "#1899-12-30#,0,2,0,0,0,#1899-12-30#,0,#1899-12-30#"}));
    LoadRecords();
    QCOMPARE(folder.messages(), QStringList());
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(CertificateName, QStringLiteral("山田"));
    QCOMPARE(CertificateDate, QDate(2010, 2, 3));
    QCOMPARE(LevelRecords[2].ChallengeFailCount, 2);
    QVERIFY(SaveRecords());
    QCOMPARE(containerLines().first(), QStringLiteral("1,0,\"\",1,\"山田\",#2010-02-03#"));
}

void TestRecordsStore::damagedFilesLoadWhatTheyCan_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("row1Passes");

    QTest::newRow("foreign file") << QByteArray("just some text") << 0 << 0;
    QTest::newRow("empty file") << QByteArray() << 0 << 0;
    QTest::newRow("wrong format byte") << QByteArray("ABCDEFGHIJKL\x07") << 0 << 0;
    QTest::newRow("cut inside the second row") << QByteArray("cut") << 2 << 5;
    QTest::newRow("header does not parse") << QByteArray("header") << 0 << 0;
    QTest::newRow("row does not parse") << QByteArray("row") << 2 << 5;
}

void TestRecordsStore::damagedFilesLoadWhatTheyCan()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, level);
    QFETCH(int, row1Passes);

    ProgramFolderFixture folder;
    useLevels(10);
    const QStringList good {"2,0,\"\",2,\"\",#1899-12-30#", "#2009-01-01#,5,0,0,0,0,#1899-12-30#,0,#1899-12-30#",
                            "#2009-01-02#,6,0,0,0,0,#1899-12-30#,0,#1899-12-30#",
                            "#1899-12-30#,0,0,0,0,0,#1899-12-30#,0,#1899-12-30#"};
    if (bytes == "cut")
    {
        QVERIFY(GsxSeq::WriteContainerFile(RecordDataPath(), good));
        bytes = ProgramFolderFixture::readFile(RecordDataPath());
        bytes.chop(60);
    }
    else if (bytes == "header" || bytes == "row")
    {
        QStringList lines = good;
        lines[bytes == "header" ? 0 : 2] = QStringLiteral("#garbage#,x");
        QVERIFY(GsxSeq::WriteContainerFile(RecordDataPath(), lines));
        bytes = ProgramFolderFixture::readFile(RecordDataPath());
    }
    ProgramFolderFixture::writeFile(RecordDataPath(), bytes);

    LoadRecords();
    QCOMPARE(CurrentLevel, level);
    QCOMPARE(LevelRecords[1].ChallengePassCount, row1Passes);
    QCOMPARE(LevelRecords[2].ChallengePassCount, 0);
    // The damaged file is kept for the learner, and they are told.
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QCOMPARE(ProgramFolderFixture::readFile(RecordDataPath() + QStringLiteral(".damaged")), bytes);

    // Every later load of the same damage keeps that one copy; another damage
    // gets a copy of its own.
    LoadRecords();
    LoadRecords();
    QCOMPARE(folder.messages().size(), 3);
    QCOMPARE(folder.messages().last(), folder.messages().first());
    ProgramFolderFixture::writeFile(RecordDataPath(), "PK\x03\x04 another damage");
    LoadRecords();
    LoadRecords();
    const QDir records = QFileInfo(RecordDataPath()).dir();
    QCOMPARE(records.entryList({QStringLiteral("*.damaged*")}, QDir::Files, QDir::Name),
             (QStringList {"data1.dat.damaged", "data1.dat.damaged2"}));
}

void TestRecordsStore::filesOfASmallerBankAreSound_data()
{
    QTest::addColumn<int>("savedLevels");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("loadedLevels");

    QTest::newRow("top LEVEL, one LEVEL more") << 5 << 5 << 6;
    QTest::newRow("top LEVEL, many more") << 5 << 5 << 20;
    QTest::newRow("below the top") << 5 << 3 << 6;
}

// Questions added to a user bank (or fewer per LEVEL) give it more LEVELs: a
// file saved at the old top lacks the row of the LEVEL above, and is sound.
void TestRecordsStore::filesOfASmallerBankAreSound()
{
    QFETCH(int, savedLevels);
    QFETCH(int, highest);
    QFETCH(int, loadedLevels);
    ProgramFolderFixture folder;
    useLevels(savedLevels);
    LoadRecords();
    fillRecords(highest);
    QVERIFY(SaveRecords());

    useLevels(loadedLevels);
    LoadRecords();

    QCOMPARE(folder.messages(), QStringList());
    QCOMPARE(QDir(QFileInfo(RecordDataPath()).path()).entryList(QDir::Files), QStringList {"data1.dat"});
    QCOMPARE(CurrentLevel, highest);
    for (int level = 1; level <= loadedLevels; ++level)
        QCOMPARE(LevelRecords[level], level <= std::min(highest + 1, savedLevels) ? sampleRow(level) : LevelRecord());
    QVERIFY(SaveRecords());
    QCOMPARE(containerLines().size(), 1 + highest + 1);
}

void TestRecordsStore::rowsBeyondTheBankAreNotRead()
{
    ProgramFolderFixture folder;
    useLevels(10);
    LoadRecords();
    fillRecords(9);
    QVERIFY(SaveRecords());

    useLevels(4); // the bank now has fewer LEVELs than the file
    LoadRecords();
    QCOMPARE(LevelRecords.size(), 5);
    QCOMPARE(CurrentLevel, 4);
    QCOMPARE(HighestLevel, 4);
    QCOMPARE(LevelRecords[4], sampleRow(4));
    QVERIFY(SaveRecords());
    QCOMPARE(containerLines().size(), 1 + 4);
}

void TestRecordsStore::saveIntoReadOnlyFolderKeepsOldFileAndTells()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    ProgramFolderFixture folder;
    useLevels(10);
    LoadRecords();
    QVERIFY(SaveRecords());
    const QByteArray before = ProgramFolderFixture::readFile(RecordDataPath());

    const QString dir = QFileInfo(RecordDataPath()).path();
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    CurrentLevel = HighestLevel = 5;
    QVERIFY(!SaveRecords());
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QCOMPARE(ProgramFolderFixture::readFile(RecordDataPath()), before);
    QCOMPARE(CurrentLevel, 5); // still in memory for the next save
}

void TestRecordsStore::saveIntoMissingFolderTellsAndKeepsRecordsInMemory()
{
    ProgramFolderFixture folder;
    useLevels(10);
    LoadRecords();
    QVERIFY(QDir(QFileInfo(RecordDataPath()).path()).removeRecursively());
    CurrentLevel = HighestLevel = 5;
    QVERIFY(!SaveRecords());
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QCOMPARE(CurrentLevel, 5);
    QVERIFY(!QFileInfo::exists(QFileInfo(RecordDataPath()).path())); // the folder is not made
}

void TestRecordsStore::saveInterruptedBeforeRenameLeavesOldRecords()
{
    ProgramFolderFixture folder;
    useLevels(10);
    LoadRecords();
    fillRecords(3);
    QVERIFY(SaveRecords());
    const Snapshot saved = snapshot();

    // A crash after writing the new container but before it replaced the old
    // one leaves the temporary file beside the old records.
    const QString dir = QFileInfo(RecordDataPath()).path();
    ProgramFolderFixture::writeFile(dir + QStringLiteral("/data1.dat.AbCdEf"), QByteArray("ABCDEFGHIJKL\x01 partial"));
    ResetState();
    useLevels(10);
    LoadRecords();
    QCOMPARE(snapshot(), saved);
}

QTEST_GUILESS_MAIN(TestRecordsStore)
#include "tst_recordsstore.moc"
