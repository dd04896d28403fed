#include <QTest>

#include "records/recordbackups.h"
#include "records/recordsstore.h"
#include "testsupport.h"

// Daily copies of the records before a save replaces them, and restoring one.
class TestRecordBackups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneCopyPerDay();
    void fifteenthDayDeletesTheOldest();
    void failedCopyStillSaves();
    void restoreRoundTrip();

private:
    // Writes the standard bank's records at LEVEL level; with save, through
    // SaveRecords (which keeps today's copy), else straight to the file.
    static void writeAt(int level, bool save = false)
    {
        Common::CurrentLevel = level;
        Common::HighestLevel = level + 1;
        if (save)
            QVERIFY(Common::SaveRecords());
        else
            QVERIFY(GsxSeq::WriteContainerFile(Common::RecordDataPath(), Common::WriteRecordText()));
    }
    static QDateTime day(int n) { return QDateTime(QDate(2026, 1, 1).addDays(n), QTime(9, 0)); }

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestRecordBackups::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    Common::LevelCount = 10;
    Common::LoadRecords();
}

void TestRecordBackups::cleanup()
{
    m_folder.reset();
}

void TestRecordBackups::oneCopyPerDay()
{
    const QString path = Common::RecordDataPath();
    QVERIFY(RecordBackups::KeepDaily(path, day(0))); // no file yet: nothing to keep
    QVERIFY(RecordBackups::List(path).isEmpty());

    writeAt(2);
    QVERIFY(RecordBackups::KeepDaily(path, day(0)));
    writeAt(3);
    QVERIFY(RecordBackups::KeepDaily(path, day(0).addSecs(3600))); // same day: no second copy
    QCOMPARE(RecordBackups::List(path).size(), 1);
    QVERIFY(RecordBackups::KeepDaily(path, day(1)));

    const QList<RecordBackups::Backup> backups = RecordBackups::List(path);
    QCOMPARE(backups.size(), 2);
    QCOMPARE(backups[0].made, day(1)); // newest first
    QCOMPARE(backups[0].level, 3);
    QCOMPARE(backups[0].highestLevel, 4);
    QCOMPARE(backups[1].level, 2);
    QVERIFY(backups[0].path.startsWith(m_folder->path() + QStringLiteral("/seiseki/backup/標準テキスト/data1_")));

    // The other direction's file keeps copies of its own.
    m_folder->setCommon(Common::KeyTransMode, QStringLiteral("英訳"));
    QVERIFY(RecordBackups::List(Common::RecordDataPath()).isEmpty());
    QCOMPARE(m_folder->messages(), QStringList());
}

void TestRecordBackups::fifteenthDayDeletesTheOldest()
{
    const QString path = Common::RecordDataPath();
    writeAt(1);
    for (int n = 0; n < RecordBackups::KeptDays + 1; ++n)
        QVERIFY(RecordBackups::KeepDaily(path, day(n)));
    const QList<RecordBackups::Backup> backups = RecordBackups::List(path);
    QCOMPARE(backups.size(), RecordBackups::KeptDays);
    QCOMPARE(backups.first().made, day(RecordBackups::KeptDays));
    QCOMPARE(backups.last().made, day(1));
    QCOMPARE(QDir(RecordBackups::FolderFor(path)).entryList(QDir::Files).size(), RecordBackups::KeptDays);
}

void TestRecordBackups::failedCopyStillSaves()
{
    writeAt(1);
    // A file where the backup folder belongs: no copy can be made.
    ProgramFolderFixture::writeFile(m_folder->path() + QStringLiteral("/seiseki/backup"), "in the way");
    writeAt(2, true);
    writeAt(3, true);
    QCOMPARE(m_folder->messages().size(), 1); // told once, not at every save
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("バックアップを作れませんでした")));
    Common::LoadRecords();
    QCOMPARE(Common::CurrentLevel, 3);
}

void TestRecordBackups::restoreRoundTrip()
{
    const QString path = Common::RecordDataPath();
    writeAt(2);
    QVERIFY(RecordBackups::Keep(path, day(0)));
    writeAt(5);
    const QString chosen = RecordBackups::List(path).last().path;
    QCOMPARE(RecordBackups::List(path).last().level, 2);

    QVERIFY(Common::RestoreRecords(chosen));
    QCOMPARE(Common::CurrentLevel, 2); // loaded
    QCOMPARE(Common::HighestLevel, 3);
    // Today's records (LEVEL 5) were kept first, so the restore can be undone.
    const QList<RecordBackups::Backup> backups = RecordBackups::List(path);
    QVERIFY(std::any_of(backups.begin(), backups.end(), [](const auto &b) { return b.level == 5; }));
    QVERIFY(Common::RestoreRecords(backups.first().path));
    QCOMPARE(Common::CurrentLevel, 5);

    // A damaged backup replaces nothing.
    ProgramFolderFixture::writeFile(chosen, "not a records file");
    QVERIFY(!Common::RestoreRecords(chosen));
    QCOMPARE(Common::CurrentLevel, 5);
    QCOMPARE(m_folder->messages().size(), 1);
}

QTEST_GUILESS_MAIN(TestRecordBackups)
#include "tst_recordbackups.moc"
