#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include "bank/gsxseq.h"
#include "filesizelimit.h"
#include "judge/romansettings.h"
#include "records/recordsstore.h"
#include "testsupport.h"

using namespace Common;

// A save cut short anywhere (a crash, a full disk, a folder that changed
// under the program) leaves the old or the new records loadable, tells the
// learner which file, and keeps the records in memory for the next save.
namespace
{
    struct Snapshot
    {
        int current, fails, highest;
        QString name;
        QList<LevelRecord> rows;
        bool operator==(const Snapshot &) const = default;
    };

    Snapshot snapshot()
    {
        return {CurrentLevel, FailCount, HighestLevel, CertificateName, LevelRecords};
    }

    void useLevels(int levels)
    {
        QuestionCount = levels * 17;
        LoadTestSettings();
        LoadRecords();
    }

    // Records reaching `highest`, every stored row distinct from the others.
    void fillRecords(int highest, int seed)
    {
        CurrentLevel = HighestLevel = highest;
        FailCount = seed;
        CertificateName = QStringLiteral("山田 %1").arg(seed);
        for (int level = 1; level <= RecordRowCount(); ++level)
            LevelRecords[level] = {QDate(2020 + seed, 1, level), level, seed, 1, 2, 70, QDate(2021, 2, 3),
                                   1000.25 * level, QDate(2021, 2, 4)};
    }

    Snapshot reloaded()
    {
        ResetState();
        useLevels(10);
        return snapshot();
    }

    QString recordDir() { return QFileInfo(RecordDataPath()).path(); }

    // Runs `step` as a learner who cannot read `path` but owns it, so the step
    // may make it readable: for root, whom no permission stops, in a child
    // process running as nobody. Returns the step's result.
    bool withUnreadableFile(const QString &root, const QString &path, const std::function<bool()> &step)
    {
        if (geteuid() != 0)
        {
            QFile::setPermissions(path, {});
            const bool result = step();
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            return result;
        }
        const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup
            | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        for (QString dir = QFileInfo(path).path(); dir.startsWith(root); dir = QFileInfo(dir).path())
            QFile::setPermissions(dir, all);
        QFile::setPermissions(path, {});
        if (chown(qPrintable(path), 65534, 65534) != 0)
            return false;
        const pid_t child = fork();
        if (child == 0)
            _exit(setuid(65534) == 0 && step() ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    void removeDamagedCopies()
    {
        QDir dir(recordDir());
        for (const QString &name : dir.entryList({QStringLiteral("*.damaged*")}))
            dir.remove(name);
    }
}

class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void tempFileLeftAtEveryByte();
    void recordsCutAtEveryByteLoadWhatTheyCanAndHeal();
    void fullDiskKeepsOldRecords_data();
    void fullDiskKeepsOldRecords();
    void recordsPathTakenByFolderTells();
    void damagedRecordsOnFullDiskClaimNoCopy();
    void unreadableRecordsAreNeitherLoadedNorReplaced();
    void settingsWriteFailureKeepsOldFile_data();
    void settingsWriteFailureKeepsOldFile();
    void romanSettingsOnFullDiskKeepOldFile();
};

void TestSaveFaults::tempFileLeftAtEveryByte()
{
    ProgramFolderFixture folder;
    useLevels(10);
    fillRecords(3, 1);
    QVERIFY(SaveRecords());
    const Snapshot old = snapshot();

    fillRecords(7, 2);
    const QString scratch = folder.path() + QStringLiteral("/new.dat");
    QVERIFY(GsxSeq::WriteContainerFile(scratch, WriteRecordText()));
    const QByteArray next = ProgramFolderFixture::readFile(scratch);

    // A crash after any byte of the temporary file, before the rename.
    const QString temp = RecordDataPath() + QStringLiteral(".XyZ123");
    for (qsizetype cut = 0; cut <= next.size(); ++cut)
    {
        ProgramFolderFixture::writeFile(temp, next.left(cut));
        QCOMPARE(reloaded(), old);
    }
    QVERIFY(folder.messages().isEmpty());

    // The rename itself is the one step that switches to the new records.
    QVERIFY(QFile::remove(RecordDataPath()));
    QVERIFY(QFile::rename(temp, RecordDataPath()));
    fillRecords(7, 2);
    const Snapshot fresh = snapshot();
    QCOMPARE(reloaded(), fresh);
}

void TestSaveFaults::recordsCutAtEveryByteLoadWhatTheyCanAndHeal()
{
    ProgramFolderFixture folder;
    useLevels(10);
    fillRecords(4, 3);
    QVERIFY(SaveRecords());
    const Snapshot whole = snapshot();
    const QByteArray bytes = ProgramFolderFixture::readFile(RecordDataPath());

    // Left by a writer that replaced the file in place and stopped.
    for (qsizetype cut = 0; cut < bytes.size(); ++cut)
    {
        const QByteArray damaged = bytes.left(cut);
        ProgramFolderFixture::writeFile(RecordDataPath(), damaged);
        removeDamagedCopies();
        const Snapshot partial = reloaded();
        QCOMPARE(folder.takeMessages().size(), 1);
        QCOMPARE(ProgramFolderFixture::readFile(RecordDataPath() + QStringLiteral(".damaged")), damaged);
        QVERIFY(partial.current == 0 || partial.current == whole.current);
        for (int level = 1; level <= 10; ++level)
            QVERIFY(partial.rows[level] == LevelRecord() || partial.rows[level] == whole.rows[level]);

        // The next save writes a sound file again.
        QVERIFY(SaveRecords());
        QCOMPARE(reloaded(), partial);
        QVERIFY(folder.takeMessages().isEmpty());
    }
}

void TestSaveFaults::fullDiskKeepsOldRecords_data()
{
    QTest::addColumn<int>("limit");

    QTest::newRow("no room at all") << 0;
    QTest::newRow("room for the magic only") << 12;
    QTest::newRow("cut inside the key table") << 500;
    QTest::newRow("cut after the key table") << GsxSeq::HeaderSize;
    QTest::newRow("cut inside the rows") << GsxSeq::HeaderSize + 300;
    QTest::newRow("one byte short") << -1;
}

void TestSaveFaults::fullDiskKeepsOldRecords()
{
    QFETCH(int, limit);

    ProgramFolderFixture folder;
    useLevels(10);
    fillRecords(2, 1);
    QVERIFY(SaveRecords());
    const QByteArray before = ProgramFolderFixture::readFile(RecordDataPath());

    fillRecords(9, 2);
    const Snapshot inMemory = snapshot();
    const QString scratch = folder.path() + QStringLiteral("/new.dat");
    QVERIFY(GsxSeq::WriteContainerFile(scratch, WriteRecordText()));
    const auto newSize = rlim_t(QFileInfo(scratch).size());
    bool saved = true;
    {
        const FileSizeLimit disk(limit < 0 ? newSize - 1 : rlim_t(limit));
        saved = SaveRecords();
    }
    QVERIFY(!saved);
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QCOMPARE(snapshot(), inMemory);
    QCOMPARE(ProgramFolderFixture::readFile(RecordDataPath()), before);
    QCOMPARE(QDir(recordDir()).entryList(QDir::Files), QStringList {QStringLiteral("data1.dat")});

    // With room again, the records kept in memory are saved.
    QVERIFY(SaveRecords());
    QCOMPARE(reloaded(), inMemory);
}

void TestSaveFaults::recordsPathTakenByFolderTells()
{
    ProgramFolderFixture folder;
    useLevels(10);
    QVERIFY(QDir().mkpath(RecordDataPath() + QStringLiteral("/inside")));
    fillRecords(5, 1);
    const Snapshot inMemory = snapshot();

    QVERIFY(!SaveRecords());
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QCOMPARE(snapshot(), inMemory);
    QVERIFY(QFileInfo(RecordDataPath() + QStringLiteral("/inside")).isDir());
}

void TestSaveFaults::damagedRecordsOnFullDiskClaimNoCopy()
{
    ProgramFolderFixture folder;
    useLevels(10);
    fillRecords(4, 1);
    QVERIFY(SaveRecords());
    QByteArray bytes = ProgramFolderFixture::readFile(RecordDataPath());
    bytes.chop(40);
    ProgramFolderFixture::writeFile(RecordDataPath(), bytes);

    {
        const FileSizeLimit disk(0);
        reloaded();
    }
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(RecordDataPath()));
    QVERIFY(!folder.messages().first().contains(QStringLiteral(".damaged")));
    QCOMPARE(QDir(recordDir()).entryList(QDir::Files), QStringList {QStringLiteral("data1.dat")});
    QCOMPARE(ProgramFolderFixture::readFile(RecordDataPath()), bytes);
}

void TestSaveFaults::unreadableRecordsAreNeitherLoadedNorReplaced()
{
    ProgramFolderFixture folder;
    useLevels(10);
    fillRecords(6, 1);
    QVERIFY(SaveRecords());
    const QByteArray before = ProgramFolderFixture::readFile(RecordDataPath());
    const QString path = RecordDataPath();

    // A learner who once ran the program as another user cannot read the file.
    const bool refused = withUnreadableFile(folder.path(), path, [&] {
        QStringList told;
        Message::setHandler([&](const QString &text) { told.append(text); });
        useLevels(10);
        const bool notLoaded = CurrentLevel == 0 && told.size() == 1 && told.first().contains(path);
        // The learner mends the permissions, as the message asks, and goes on.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        CurrentLevel = HighestLevel = 1;
        return notLoaded && !SaveRecords() && told.size() == 2 && told.last().contains(path);
    });
    QVERIFY(refused);
    QCOMPARE(ProgramFolderFixture::readFile(path), before);
}

void TestSaveFaults::settingsWriteFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("fault");

    QTest::newRow("full disk") << "disk";
    QTest::newRow("full disk after the first line") << "disk after line";
    QTest::newRow("path taken by a folder") << "folder";
    QTest::newRow("ini folder missing") << "no folder";
}

void TestSaveFaults::settingsWriteFailureKeepsOldFile()
{
    QFETCH(QString, fault);

    ProgramFolderFixture folder;
    folder.setCommon(KeyTransMode, TransModeEnglish);
    WriteIniValue(CommonIni, SectionMainWindow, KeySound, QStringLiteral("ON"));
    const QString path = CommonIniPath();
    const QByteArray before = ProgramFolderFixture::readFile(path);
    QVERIFY(!before.isEmpty());

    if (fault == "folder")
    {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    }
    else if (fault == "no folder")
    {
        QVERIFY(QDir(QFileInfo(path).path()).removeRecursively());
    }
    {
        const FileSizeLimit disk(fault == "disk" ? 0 : fault == "disk after line" ? 20 : RLIM_INFINITY);
        WriteIniValue(CommonIni, SectionMainWindow, KeySound, QStringLiteral("OFF"));
    }

    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(path));
    if (fault.startsWith("disk"))
    {
        QCOMPARE(ProgramFolderFixture::readFile(path), before);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList {QStringLiteral("tst.ini")});
        QCOMPARE(ReadIniValue(CommonIni, SectionSyutudai, KeyTransMode), TransModeEnglish);
    }
    else
    {
        QVERIFY(!QFileInfo(path).isFile());
    }
}

void TestSaveFaults::romanSettingsOnFullDiskKeepOldFile()
{
    ProgramFolderFixture folder;
    QVERIFY(JudgeTableSet::WriteRomanSettings({{QStringLiteral("し"), QStringLiteral("shi")}}));
    const QString path = JudgeTableSet::RomanIniPath();
    const QByteArray before = ProgramFolderFixture::readFile(path);

    bool written = true;
    {
        const FileSizeLimit disk(10);
        written = JudgeTableSet::WriteRomanSettings(
            {{QStringLiteral("し"), QStringLiteral("ci")}, {QStringLiteral("ん"), QStringLiteral("nn")}});
    }
    QVERIFY(!written);
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY(folder.messages().first().contains(path));
    QCOMPARE(ProgramFolderFixture::readFile(path), before);
}

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
