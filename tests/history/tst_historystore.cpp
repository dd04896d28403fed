#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <tuple>

#include "core/clock.h"
#include "history/historycsv.h"
#include "history/historystore.h"
#include "history/knownwords.h"
#include "historysupport.h"
#include "testsupport.h"

namespace
{
    const QDateTime Day1(QDate(2026, 11, 2), QTime(9, 0));

    // The first schema, as the first version of the program wrote it.
    const QStringList FirstSchema {
        "CREATE TABLE tests (id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL, ended_at INTEGER NOT NULL,"
        " bank_kind TEXT NOT NULL, bank_name TEXT NOT NULL, direction TEXT NOT NULL, input_method TEXT NOT NULL,"
        " kind TEXT NOT NULL, level INTEGER NOT NULL, score INTEGER NOT NULL, seconds REAL NOT NULL,"
        " passed INTEGER NOT NULL, level_before INTEGER NOT NULL, level_after INTEGER NOT NULL)",
        "CREATE TABLE questions (test_id INTEGER NOT NULL REFERENCES tests (id) ON DELETE CASCADE,"
        " number INTEGER NOT NULL, bank_index INTEGER NOT NULL, prompt TEXT NOT NULL, answer TEXT NOT NULL,"
        " answered INTEGER NOT NULL, correct INTEGER NOT NULL, chosen_index INTEGER, seconds REAL,"
        " keys_accepted INTEGER NOT NULL, keys_rejected INTEGER NOT NULL,"
        " PRIMARY KEY (test_id, number)) WITHOUT ROWID",
        "CREATE INDEX tests_by_bank ON tests (bank_kind, bank_name, direction, started_at)",
        "INSERT INTO tests VALUES (7, 1790000000000, 1790000030000, 'STANDARD', '', '和訳', 'KANA', 'P', 3, 10,"
        " 30.0, 0, 2, 2)",
        "INSERT INTO questions VALUES (7, 1, 40, 'word40', '意味40', 1, 0, 99, 4.25, 9, 2)",
        "PRAGMA user_version = 1",
    };

    // Reads back what a spreadsheet program would: quoted fields may hold
    // commas, doubled quotes and line breaks.
    QList<QStringList> parseCsv(const QString &text)
    {
        QList<QStringList> rows;
        QStringList row;
        QString field;
        bool quoted = false;
        auto next = [&text](qsizetype i) { return i + 1 < text.size() ? text[i + 1] : QChar(); };
        for (qsizetype i = 0; i < text.size(); ++i)
        {
            const QChar c = text[i];
            if (quoted && c == u'"' && next(i) == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = !quoted;
            else if (!quoted && (c == u',' || (c == u'\r' && next(i) == u'\n')))
            {
                row.append(field);
                field.clear();
                if (c == u',')
                    continue;
                rows.append(row);
                row.clear();
                ++i;
            }
            else
                field += c;
        }
        return rows;
    }

    QList<HistoryTest> allTests(HistoryStore &store, bool all = true)
    {
        QList<HistoryTest> tests;
        HistoryFilter filter = HistoryFilter::current();
        filter.all = all;
        store.forEachTest(filter, [&tests](const HistoryTest &test) { tests.append(test); });
        return tests;
    }
}

class HistoryStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void testsReadBackAsWritten();
    void kindsKeepTheirLetters_data();
    void kindsKeepTheirLetters();
    void migratesFromTheFirstSchema();
    void faultsNeverTouchTheRecords_data();
    void faultsNeverTouchTheRecords();
    void permissionFaults_data();
    void permissionFaults();
    void mostMissedAndTotals();
    void csvRoundTrip();
    void backupAndRestore();
    void csvFieldsNeverRunAsFormulas_data();
    void csvFieldsNeverRunAsFormulas();
    void marksRestoresAndKnownWords();
};

void HistoryStoreTest::testsReadBackAsWritten()
{
    ProgramFolderFixture folder;
    const QString path = HistoryStore::defaultPath();
    QCOMPARE(path, folder.path() + QStringLiteral("/seiseki/history.sqlite3"));
    HistoryTest first = seededTest(Day1, 0, {2, 7});
    // An unanswered last question: no time, no candidate.
    first.questions[9].answered = false;
    first.questions[9].correct = false;
    first.questions[9].chosenIndex = -1;
    first.questions[9].chosenAnswer.clear();
    first.questions[9].seconds = -1;
    HistoryTest second = seededTest(Day1.addDays(1), 20, {}, QStringLiteral("英訳"));
    second.bankKind = QStringLiteral("USER");
    second.bankName = QStringLiteral("mine");
    {
        HistoryStore store(path);
        QVERIFY(store.addTest(first));
        QVERIFY(store.addTest(second));
        QVERIFY(first.id > 0 && second.id > first.id);
    }
    HistoryStore store(path);
    QCOMPARE(allTests(store), (QList<HistoryTest>{first, second}));
    // Only the tests of the bank and direction chosen now.
    QCOMPARE(allTests(store, false), QList<HistoryTest>{first});
    QVERIFY(folder.messages().isEmpty());
    OtherConnection other(path);
    QCOMPARE(other.value(QStringLiteral("PRAGMA user_version")), HistoryStore::SchemaVersion);
}

void HistoryStoreTest::kindsKeepTheirLetters_data()
{
    QTest::addColumn<int>("kind"); // -1: a kind that a later version added
    QTest::addColumn<QString>("letter");
    QTest::newRow("preview/review") << int(TestKind::Preview) << "P";
    QTest::newRow("level-up") << int(TestKind::LevelUp) << "L";
    QTest::newRow("forced review") << int(TestKind::ForcedReview) << "K";
    QTest::newRow("weak words") << int(TestKind::WeakWords) << "W";
    QTest::newRow("listening") << int(TestKind::Listening) << "H";
    QTest::newRow("listening, weak words") << int(TestKind::ListeningWeakWords) << "J";
    QTest::newRow("dictation") << int(TestKind::Dictation) << "D";
    QTest::newRow("dictation, weak words") << int(TestKind::DictationWeakWords) << "E";
    QTest::newRow("unknown") << -1 << "X";
}

// The letters are the history's format: every history written so far holds them.
void HistoryStoreTest::kindsKeepTheirLetters()
{
    QFETCH(int, kind);
    QFETCH(QString, letter);
    ProgramFolderFixture folder;
    const QString path = HistoryStore::defaultPath();
    HistoryStore store(path);
    HistoryTest test = seededTest(Day1, 0);
    test.kind = kind < 0 ? TestKind::Preview : TestKind(kind);
    QVERIFY(store.addTest(test));
    OtherConnection other(path);
    if (kind < 0)
        QVERIFY(other.exec(QStringLiteral("UPDATE tests SET kind = '%1'").arg(letter)));
    QCOMPARE(other.value(QStringLiteral("SELECT count(*) FROM tests WHERE kind = '%1'").arg(letter)), 1);
    // A test of a kind this version does not know is kept, and not told.
    QCOMPARE(allTests(store), kind < 0 ? QList<HistoryTest>() : QList<HistoryTest>{test});
}

void HistoryStoreTest::migratesFromTheFirstSchema()
{
    ProgramFolderFixture folder;
    const QString path = HistoryStore::defaultPath();
    {
        OtherConnection old(path);
        for (const QString &statement : FirstSchema)
            QVERIFY(old.exec(statement));
    }
    HistoryStore store(path);
    HistoryTest added = seededTest(Day1, 0, {1});
    QVERIFY(store.addTest(added));

    const QList<HistoryTest> tests = allTests(store);
    QCOMPARE(tests.size(), 2);
    const HistoryTest &old = tests[1].id == 7 ? tests[1] : tests[0];
    QCOMPARE(old.id, 7);
    QCOMPARE(old.kind, TestKind::Preview);
    QCOMPARE(old.inputMethod, QStringLiteral("KANA"));
    QCOMPARE(old.startedAt, QDateTime::fromMSecsSinceEpoch(1790000000000));
    QCOMPARE(old.questions.size(), 1);
    QCOMPARE(old.questions[0].chosenIndex, 99);
    QCOMPARE(old.questions[0].chosenAnswer, QString());
    QCOMPARE(old.questions[0].seconds, 4.25);
    QCOMPARE(old.questions[0].keysRejected, 2);
    QVERIFY(tests.contains(added));
    // The words of the tests kept before the update count with the new ones.
    const QList<HistoryStore::MissedWord> missed = store.mostMissed(HistoryFilter::current(), 10);
    QCOMPARE(missed.size(), 2);
    QCOMPARE(missed[1].prompt, QStringLiteral("word40"));
    QCOMPARE(missed[1].asked, 1);
    QCOMPARE(missed[1].lastMissed, old.startedAt);
    QCOMPARE(store.totals(HistoryFilter::current()).wordsSeen, 11);
    QVERIFY(folder.messages().isEmpty());
    OtherConnection other(path);
    QCOMPARE(other.value(QStringLiteral("PRAGMA user_version")), HistoryStore::SchemaVersion);
}

void HistoryStoreTest::faultsNeverTouchTheRecords_data()
{
    QTest::addColumn<HistoryFault>("fault");
    QTest::addColumn<HistoryStore::Problem>("problem");
    QTest::addColumn<bool>("writtenAfterAll");
    QTest::addColumn<QString>("told");

    QTest::newRow("a folder in its place") << HistoryFault::FolderInPlace << HistoryStore::Problem::CannotOpen << false
                                           << "学習履歴ファイルを開けません。";
    QTest::newRow("locked by another program") << HistoryFault::Locked << HistoryStore::Problem::Locked << false
                                               << "他のプログラムに使われています";
    QTest::newRow("no database at all") << HistoryFault::Garbage << HistoryStore::Problem::Damaged << true
                                        << "新しい学習履歴を始めました";
    QTest::newRow("damaged pages") << HistoryFault::DamagedPages << HistoryStore::Problem::Damaged << true
                                   << "新しい学習履歴を始めました";
    QTest::newRow("a newer version") << HistoryFault::NewerVersion << HistoryStore::Problem::NewerVersion << false
                                     << "新しい版のVocamira";
}

void HistoryStoreTest::faultsNeverTouchTheRecords()
{
    QFETCH(HistoryFault, fault);
    QFETCH(HistoryStore::Problem, problem);
    QFETCH(bool, writtenAfterAll);
    QFETCH(QString, told);
    ProgramFolderFixture folder;
    const QString records = folder.filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1.dat"));
    ProgramFolderFixture::writeFile(records, QByteArray("ABCDEFGHIJKL records as they were\x01", 35));
    const QString path = HistoryStore::defaultPath();
    {
        HistoryStore healthy(path);
        HistoryTest earlier = seededTest(Day1, 0);
        QVERIFY(healthy.addTest(earlier));
    }
    std::unique_ptr<OtherConnection> other = injectFault(fault, path);
    const QByteArray historyBefore = ProgramFolderFixture::readFile(path);

    HistoryStore store(path);
    HistoryTest test = seededTest(Day1.addDays(1), 30);
    HistoryTest another = seededTest(Day1.addDays(2), 40);
    const bool written = store.addTest(test);
    QCOMPARE(store.problem(), problem);
    QCOMPARE(written, writtenAfterAll);
    store.addTest(another);

    // Told once, whatever the number of tests.
    QCOMPARE(folder.messages().size(), 1);
    QVERIFY2(folder.messages()[0].contains(told), qPrintable(folder.messages()[0]));
    QCOMPARE(ProgramFolderFixture::readFile(records), QByteArray("ABCDEFGHIJKL records as they were\x01", 35));
    if (problem == HistoryStore::Problem::Damaged)
    {
        // The damaged file is kept as it was; the fresh one holds the new tests.
        QVERIFY(folder.messages()[0].contains(QStringLiteral("history.sqlite3.damaged")));
        QCOMPARE(ProgramFolderFixture::readFile(path + QStringLiteral(".damaged")), historyBefore);
        QCOMPARE(allTests(store), (QList<HistoryTest>{test, another}));
    }
    if (problem == HistoryStore::Problem::NewerVersion)
        QCOMPARE(ProgramFolderFixture::readFile(path), historyBefore);
    if (fault == HistoryFault::Locked)
    {
        // Once the other program lets go, the next test is kept again.
        QVERIFY(other->exec(QStringLiteral("ROLLBACK")));
        HistoryTest third = seededTest(Day1.addDays(3), 50);
        QVERIFY(store.addTest(third));
        QCOMPARE(store.problem(), HistoryStore::Problem::None);
        QCOMPARE(allTests(store).size(), 2);
        QCOMPARE(folder.messages().size(), 1);
    }
}

void HistoryStoreTest::permissionFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("outcome");

    // What the learner's own account meets: the tests kept, and the file the message names.
    QTest::newRow("a read-only history") << "history" << "tests 1, told history.sqlite3";
    QTest::newRow("a read-only -shm left by a run that could only read") << "shm" << "tests 2, told nothing";
    QTest::newRow("a read-only log left by a crash") << "wal" << "tests 3, told nothing";
    QTest::newRow("a read-only folder") << "folder" << "tests 1, told seiseki";
}

namespace
{
    // Makes the fault, as the learner who owns the files, then keeps one more test.
    QString permissionFault(const QString &fault, const QString &path, ProgramFolderFixture &folder)
    {
        const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto writable = readOnly | QFile::WriteOwner;
        const QString wal = path + QStringLiteral("-wal");
        {
            HistoryStore healthy(path);
            HistoryTest earlier = seededTest(Day1, 0);
            healthy.addTest(earlier);
            if (fault == u"wal")
            {
                // A crash leaves the log of a test never copied into the file.
                HistoryTest unchecked = seededTest(Day1.addDays(1), 10);
                healthy.addTest(unchecked);
                QFile::copy(path, path + QStringLiteral(".crash"));
                QFile::copy(wal, wal + QStringLiteral(".crash"));
            }
        }
        if (fault == u"wal")
        {
            QFile::remove(path);
            QFile::rename(path + QStringLiteral(".crash"), path);
            QFile::rename(wal + QStringLiteral(".crash"), wal);
            QFile::setPermissions(wal, readOnly);
        }
        if (fault == u"history" || fault == u"shm")
            QFile::setPermissions(path, readOnly);
        if (fault == u"shm")
        {
            // Reading a read-only history leaves a -shm as read-only as the file.
            HistoryStore reader(path);
            reader.totals(HistoryFilter::current());
            QFile::setPermissions(path, writable);
        }
        if (fault == u"folder")
            QFile::setPermissions(QFileInfo(path).path(), readOnly | QFile::ExeOwner);
        folder.takeMessages();

        HistoryStore store(path);
        HistoryTest test = seededTest(Day1.addDays(2), 30);
        store.addTest(test);
        QFile::setPermissions(QFileInfo(path).path(), writable | QFile::ExeOwner);
        HistoryStore after(path, HistoryStore::Creation::ExistingOnly);
        const QStringList told = folder.messages();
        return QStringLiteral("tests %1, told %2")
            .arg(after.totals(HistoryFilter::current()).tests)
            .arg(told.isEmpty() ? QStringLiteral("nothing") : QFileInfo(told.first().section(u'\n', -1)).fileName());
    }
}

void HistoryStoreTest::permissionFaults()
{
    QFETCH(QString, fault);
    QFETCH(QString, outcome);
    ProgramFolderFixture folder;
    const QString path = HistoryStore::defaultPath();
    // Root writes any file: the learner is played by nobody, in a child, whose
    // account the folder is.
    int pipeEnds[2];
    QVERIFY(pipe(pipeEnds) == 0);
    if (geteuid() == 0)
    {
        for (const QString &dir : {folder.path(), QFileInfo(path).path()})
        {
            QFile::setPermissions(dir, QFile::Permissions(0x7777));
            QVERIFY(chown(qPrintable(dir), 65534, 65534) == 0);
        }
    }
    const pid_t child = fork();
    if (child == 0)
    {
        if (geteuid() == 0 && setuid(65534) != 0)
            _exit(1);
        const QByteArray result = permissionFault(fault, path, folder).toUtf8();
        _exit(write(pipeEnds[1], result.constData(), size_t(result.size())) == result.size() ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    QByteArray result(512, '\0');
    const ssize_t length = read(pipeEnds[0], result.data(), size_t(result.size()));
    ::close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(QString::fromUtf8(result.left(std::max<ssize_t>(length, 0))), outcome);
}

void HistoryStoreTest::mostMissedAndTotals()
{
    ProgramFolderFixture folder;
    HistoryStore store(HistoryStore::defaultPath());
    // word3 is missed three times, word5 twice (last on day 4), word8 twice (last on day 3).
    QList<HistoryTest> tests {seededTest(Day1, 0, {3, 5}), seededTest(Day1.addDays(1), 0, {3, 8}),
                              seededTest(Day1.addDays(2), 0, {3, 8}), seededTest(Day1.addDays(3), 0, {5}),
                              seededTest(Day1.addDays(4), 0, {}, QStringLiteral("英訳"))};
    tests[2].questions[2].chosenAnswer = QStringLiteral("別の答え");
    // A practice stopped on its last question, which it did not ask.
    tests[3].kind = TestKind::WeakWords;
    tests[3].ending = HistoryTest::Ending::Stopped;
    tests[3].questions[9].answered = tests[3].questions[9].correct = false;
    for (HistoryTest &test : tests)
        QVERIFY(store.addTest(test));

    const HistoryFilter current = HistoryFilter::current();
    const QList<HistoryStore::MissedWord> missed = store.mostMissed(current, 10);
    QCOMPARE(missed.size(), 3);
    QCOMPARE(missed[0].prompt, QStringLiteral("word3"));
    QCOMPARE(missed[0].asked, 4);
    QCOMPARE(missed[0].missed, 3);
    QCOMPARE(missed[0].lastMissed, Day1.addDays(2));
    QCOMPARE(missed[0].chosenInstead, (QStringList{"意味103", "別の答え"}));
    QCOMPARE(missed[1].prompt, QStringLiteral("word5"));
    QCOMPARE(missed[2].prompt, QStringLiteral("word8"));
    QCOMPARE(store.mostMissed(current, 1).size(), 1);

    const HistoryStore::Totals totals = store.totals(current);
    QCOMPARE(totals.tests, 4);
    QCOMPARE(totals.seconds, 120.0);
    QCOMPARE(totals.wordsSeen, 10);
    QCOMPARE(totals.wordsNeverMissed, 7);
    HistoryFilter all = current;
    all.all = true;
    QCOMPARE(store.totals(all).tests, 5);
    QCOMPARE(store.totals(all).wordsSeen, 20);

    const QList<HistoryStore::TestPoint> points = store.testPoints(current);
    QCOMPARE(points.size(), 4);
    QCOMPARE(points[1].startedAt, Day1.addDays(1));
    QCOMPARE(points[1].score, 80);
    QCOMPARE(points[1].keysAccepted, 60);
    QCOMPARE(points[1].keysRejected, 10);
    QCOMPARE(std::tuple(int(points[1].kind), points[1].asked, points[1].correct), std::tuple(int(TestKind::LevelUp), 10, 8));
    QCOMPARE(std::tuple(int(points[3].kind), points[3].asked, points[3].correct), std::tuple(int(TestKind::WeakWords), 9, 8));

    // Over every bank and direction the same index in another direction is another word.
    HistoryTest other = seededTest(Day1.addDays(5), 0, {3}, QStringLiteral("英訳"));
    QVERIFY(store.addTest(other));
    const QList<HistoryStore::MissedWord> everywhere = store.mostMissed(all, 10);
    QCOMPARE(everywhere.size(), 4);
    QCOMPARE(everywhere[0].asked, 4);
    QCOMPARE(everywhere[0].missed, 3);
    QCOMPARE(everywhere[3].direction, QStringLiteral("英訳"));
    QCOMPARE(everywhere[3].prompt, QStringLiteral("word3"));
    QCOMPARE(everywhere[3].asked, 2);
    QCOMPARE(everywhere[3].missed, 1);
    QCOMPARE(store.totals(all).wordsNeverMissed, 16);
    QVERIFY(folder.messages().isEmpty());
}

void HistoryStoreTest::csvRoundTrip()
{
    ProgramFolderFixture folder;
    HistoryStore store(HistoryStore::defaultPath());
    HistoryTest first = seededTest(Day1, 0, {2});
    first.questions[0].prompt = QStringLiteral("say \"hi\", then\r\nleave");
    first.questions[9].answered = false;
    HistoryTest other = seededTest(Day1.addDays(1), 20, {}, QStringLiteral("英訳"));
    for (HistoryTest *test : {&first, &other})
        QVERIFY(store.addTest(*test));

    // Between the two tests the learner marked word 3 known; word 2, missed, is weak.
    const HistoryFilter bank = HistoryFilter::current();
    const HistoryStore::Mark known {Day1.addSecs(3600), bank.bankKind, bank.bankName, bank.direction,
                                    first.questions[2].prompt, first.questions[2].answer, 3, WordMark::Kind::Known};
    QVERIFY(store.addMarks({known}));

    const QString path = folder.path() + QStringLiteral("/履歴.csv");
    Clock::setDateTimeSource([] { return Day1.addDays(3); });
    QVERIFY(HistoryCsv::write(store, path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    HistoryCsv::WordStates states;
    QVERIFY(states.read(store, Day1.addDays(3).date()));
    Clock::setDateTimeSource({});
    QList<QStringList> expected {HistoryCsv::header()};
    expected += HistoryCsv::rows(allTests(store)[0], &states);
    expected += HistoryCsv::markRow(known, states);
    expected += HistoryCsv::rows(allTests(store)[1], &states);
    QCOMPARE(parseCsv(QString::fromUtf8(bytes.mid(3))), expected);
    for (const QStringList &row : expected)
        QCOMPARE(row.size(), expected[0].size());
    QCOMPARE(expected[1][17], first.questions[0].prompt);
    QCOMPARE(expected[2].mid(19, 3), (QStringList{"不正解", "102", "意味102"}));
    QCOMPARE(expected[2].mid(25), (QStringList{"苦手 0/4", "2026-11-02"}));
    QCOMPARE(expected[3].mid(25), (QStringList{"知っている", ""}));
    QCOMPARE(expected[4].mid(25), (QStringList{"学習中", ""}));
    QCOMPARE(expected[11].mid(7, 1) + expected[11].mid(16, 4), (QStringList{"単語帳", "3", "word3", "意味3", "知っている"}));
    QCOMPARE(expected[10][19], QStringLiteral("中断"));

    // A folder that is not there: a reason, and no file.
    QString error;
    QVERIFY(!HistoryCsv::write(store, folder.path() + QStringLiteral("/none/履歴.csv"), &error));
    QVERIFY(!error.isEmpty());
}

void HistoryStoreTest::backupAndRestore()
{
    ProgramFolderFixture folder;
    const QString path = HistoryStore::defaultPath();
    const QString copy = folder.path() + QStringLiteral("/写し.sqlite3");
    HistoryStore store(path);
    QList<HistoryTest> kept {seededTest(Day1, 0, {2}), seededTest(Day1.addDays(1), 20)};
    for (HistoryTest &test : kept)
        QVERIFY(store.addTest(test));

    QString error;
    QVERIFY2(store.backupTo(copy, &error), qPrintable(error));
    // One file that opens as it is, with no log beside it, holding every test.
    QVERIFY(!QFileInfo::exists(copy + QStringLiteral("-wal")));
    QVERIFY(!QFileInfo::exists(copy + QStringLiteral(".part")));
    {
        OtherConnection other(copy);
        QCOMPARE(other.value(QStringLiteral("SELECT COUNT(*) FROM tests")), 2);
        QCOMPARE(other.value(QStringLiteral("PRAGMA user_version")), HistoryStore::SchemaVersion);
    }
    {
        HistoryStore reader(copy, HistoryStore::Creation::ExistingOnly);
        QCOMPARE(allTests(reader), kept);
    }

    // Restored, the history is that of the copy, and the store goes on writing.
    HistoryTest later = seededTest(Day1.addDays(2), 40);
    QVERIFY(store.addTest(later));
    QVERIFY2(store.restoreFrom(copy, &error), qPrintable(error));
    QCOMPARE(allTests(store), kept);
    HistoryTest after = seededTest(Day1.addDays(3), 60);
    QVERIFY(store.addTest(after));
    QCOMPARE(allTests(store).size(), 3);

    // Neither a copy that is not a history nor one of a newer version takes its place.
    for (const QByteArray &bytes : {QByteArray(5000, 'x'), QByteArray()})
    {
        const QString bad = folder.path() + QStringLiteral("/bad.sqlite3");
        QFile::remove(bad);
        if (bytes.isEmpty())
        {
            QVERIFY(store.backupTo(bad));
            OtherConnection(bad).exec(QStringLiteral("PRAGMA user_version = %1").arg(HistoryStore::SchemaVersion + 1));
        }
        else
            ProgramFolderFixture::writeFile(bad, bytes);
        QVERIFY(!store.restoreFrom(bad, &error));
        QVERIFY(error.contains(QStringLiteral("戻しませんでした")));
        QCOMPARE(allTests(store).size(), 3);
    }
    // A copy that cannot be made leaves nothing behind.
    QVERIFY(!store.backupTo(folder.path() + QStringLiteral("/none/写し.sqlite3"), &error));
    QVERIFY(error.contains(QStringLiteral("写しを作れませんでした")));
    QVERIFY(!QFileInfo::exists(folder.path() + QStringLiteral("/none")));
    QVERIFY(folder.messages().isEmpty());
}

void HistoryStoreTest::marksRestoresAndKnownWords()
{
    ProgramFolderFixture folder;
    const HistoryFilter standard {false, QStringLiteral("STANDARD"), QString(), QStringLiteral("和訳")};
    const HistoryFilter english {false, QStringLiteral("STANDARD"), QString(), QStringLiteral("英訳")};
    const HistoryFilter mine {false, QStringLiteral("USER"), QStringLiteral("mine"), QStringLiteral("和訳")};
    using Kind = WordMark::Kind;
    auto mark = [](const HistoryFilter &bank, int minute, const QString &prompt, const QString &answer, Kind kind) {
        return HistoryStore::Mark {Day1.addSecs(60 * minute), bank.bankKind, bank.bankName, bank.direction,
                                   prompt, answer, minute, kind};
    };
    // Kept in two transactions, read back in time order whatever the order kept.
    const QList<HistoryStore::Mark> later {
        mark(standard, 5, "apple", "りんご", Kind::NotKnown),
        mark(english, 6, "机", "Desk", Kind::Known),
    };
    const QList<HistoryStore::Mark> earlier {
        mark(standard, 1, "apple", "りんご", Kind::Known),
        mark(standard, 2, "pear", "なし", Kind::Known),
        mark(standard, 3, "plum", "すもも", Kind::Weak),
        mark(mine, 4, "cat", "ねこ", Kind::Known),
    };
    {
        HistoryStore store(HistoryStore::defaultPath());
        QVERIFY(store.addMarks(later));
        QVERIFY(store.addMarks(earlier));
        HistoryTest test = seededTest(Day1, 0);
        QVERIFY(store.addTest(test));
        QVERIFY(store.addRestore(mine, Day1.addDays(1), 7, 3));
    }
    HistoryStore store(HistoryStore::defaultPath());
    QList<int> minutes;
    QVERIFY(store.forEachMark(standard, [&minutes](const HistoryStore::Mark &m) { minutes.append(m.bankIndex); }));
    QCOMPARE(minutes, (QList<int>{1, 2, 3, 5}));
    HistoryFilter all;
    all.all = true;
    QList<HistoryStore::Mark> read;
    QVERIFY(store.forEachMark(all, [&read](const HistoryStore::Mark &m) { read.append(m); }));
    QCOMPARE(read.size(), 6);
    QCOMPARE(read[3].bankName, QStringLiteral("mine"));
    QCOMPARE(read[3].kind, Kind::Known);
    QCOMPARE(read[3].at, Day1.addSecs(240));
    QCOMPARE(store.banks(), (QList<HistoryFilter>{standard, english, mine}));

    // The last mark of a word stands: apple was known, then known no more.
    const KnownWords known = KnownWords::read(store, all);
    QCOMPARE(known.size(), 3);
    QVERIFY(!known.isKnown(standard, "apple", "りんご"));
    QVERIFY(known.isKnown(standard, "pear", "なし"));
    QVERIFY(!known.isKnown(standard, "plum", "すもも"));
    QVERIFY(!known.isKnown(english, "pear", "なし"));
    // The English side of either direction, in any case.
    for (const char *word : {"PEAR", "desk", "Cat"})
        QVERIFY2(known.isKnownEnglish(QString::fromUtf8(word)), word);
    QVERIFY(!known.isKnownEnglish(QStringLiteral("apple")));
    QCOMPARE(KnownWords::read(store, mine).size(), 1);

    const QList<HistoryStore::Restore> restores = store.restores(mine);
    QCOMPARE(restores.size(), 1);
    QCOMPARE(restores[0].at, Day1.addDays(1));
    QCOMPARE(restores[0].levelBefore, 7);
    QCOMPARE(restores[0].levelAfter, 3);
    QVERIFY(store.restores(standard).isEmpty());
    QVERIFY(folder.messages().isEmpty());

    // A history that cannot be written keeps no mark, and says so once.
    injectFault(HistoryFault::NewerVersion, HistoryStore::defaultPath());
    HistoryStore newer(HistoryStore::defaultPath());
    QVERIFY(!newer.addMarks(earlier));
    QVERIFY(!newer.addMarks(later));
    QCOMPARE(folder.messages().size(), 1);
    QCOMPARE(KnownWords::read(newer, all).size(), 0);
}

void HistoryStoreTest::csvFieldsNeverRunAsFormulas_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("read");

    QTest::newRow("=") << "=1+1" << "'=1+1";
    QTest::newRow("+") << "+81 3" << "'+81 3";
    QTest::newRow("-") << "-ing" << "'-ing";
    QTest::newRow("@") << "@SUM(A1)" << "'@SUM(A1)";
    QTest::newRow("tab") << "\t=1" << "'\t=1";
    QTest::newRow("carriage return") << "\r=1" << "'\r=1";
    QTest::newRow("with a comma and quotes") << "=HYPERLINK(\"x\",\"y\")" << "'=HYPERLINK(\"x\",\"y\")";
    QTest::newRow("within, not at the start") << "a=b-c" << "a=b-c";
    QTest::newRow("a Japanese meaning") << "～を楽しみにする" << "～を楽しみにする";
}

void HistoryStoreTest::csvFieldsNeverRunAsFormulas()
{
    QFETCH(QString, field);
    QFETCH(QString, read);
    const QByteArray bytes = HistoryCsv::encode({{QStringLiteral("1"), field, QStringLiteral("last")}});
    // Read back as a spreadsheet program reads it: the formula's first character is never first.
    QCOMPARE(parseCsv(QString::fromUtf8(bytes.mid(3))), (QList<QStringList>{{"1", read, "last"}}));
}

QTEST_GUILESS_MAIN(HistoryStoreTest)
#include "tst_historystore.moc"
