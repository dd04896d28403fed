#include "historystore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

#include "core/clock.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "historybackups.h"

namespace
{
    const QString FileName = QStringLiteral("history.sqlite3");
    const QString RestoreHint = QStringLiteral("［ファイル］→［成績を復元…］で、バックアップから戻せます。");

    // The rule of HistoryTest::missed(), for tests t and their questions q.
    const QString MissedCondition = QStringLiteral("(q.correct = 0 AND (q.answered = 1 OR t.ended_by = 'T'))");

    // Each step takes the schema one version further; a new file runs them all.
    const QList<QStringList> Migrations {
        // 0 -> 1: the tests and their questions.
        {QStringLiteral("CREATE TABLE tests ("
                        " id INTEGER PRIMARY KEY,"
                        " started_at INTEGER NOT NULL," // milliseconds since 1970, UTC
                        " ended_at INTEGER NOT NULL,"
                        " bank_kind TEXT NOT NULL,"
                        " bank_name TEXT NOT NULL,"
                        " direction TEXT NOT NULL,"
                        " input_method TEXT NOT NULL,"
                        " kind TEXT NOT NULL,"
                        " level INTEGER NOT NULL,"
                        " score INTEGER NOT NULL,"
                        " seconds REAL NOT NULL,"
                        " passed INTEGER NOT NULL,"
                        " level_before INTEGER NOT NULL,"
                        " level_after INTEGER NOT NULL)"),
         QStringLiteral("CREATE TABLE questions ("
                        " test_id INTEGER NOT NULL REFERENCES tests (id) ON DELETE CASCADE,"
                        " number INTEGER NOT NULL,"
                        " bank_index INTEGER NOT NULL,"
                        " prompt TEXT NOT NULL,"
                        " answer TEXT NOT NULL,"
                        " answered INTEGER NOT NULL,"
                        " correct INTEGER NOT NULL,"
                        " chosen_index INTEGER,"   // the wrong candidate completed
                        " seconds REAL,"           // NULL when never answered
                        " keys_accepted INTEGER NOT NULL,"
                        " keys_rejected INTEGER NOT NULL,"
                        " PRIMARY KEY (test_id, number)) WITHOUT ROWID"),
         // The views take one bank and direction in time order.
         QStringLiteral("CREATE INDEX tests_by_bank ON tests (bank_kind, bank_name, direction, started_at)")},
        // 1 -> 2: what was chosen instead survives a change of the bank; when each question came.
        {QStringLiteral("ALTER TABLE questions ADD COLUMN chosen_answer TEXT"),
         QStringLiteral("ALTER TABLE questions ADD COLUMN shown_ms INTEGER NOT NULL DEFAULT 0")},
        // 2 -> 3: each word's counts, kept up to date with every test, so that the
        // most-missed words and the totals of a long history read fast; a word is
        // its prompt and answer, wherever the bank kept it.
        {QStringLiteral("CREATE TABLE words ("
                        " bank_kind TEXT NOT NULL,"
                        " bank_name TEXT NOT NULL,"
                        " direction TEXT NOT NULL,"
                        " prompt TEXT NOT NULL,"
                        " answer TEXT NOT NULL,"
                        " bank_index INTEGER NOT NULL," // where it was asked last
                        " asked INTEGER NOT NULL,"
                        " missed INTEGER NOT NULL,"
                        " last_missed INTEGER,"        // the start of the test, NULL when never missed
                        " PRIMARY KEY (bank_kind, bank_name, direction, prompt, answer)) WITHOUT ROWID"),
         QStringLiteral("INSERT INTO words SELECT t.bank_kind, t.bank_name, t.direction, q.prompt, q.answer,"
                        " MAX(q.bank_index), COUNT(*), SUM(q.correct = 0),"
                        " MAX(CASE WHEN q.correct = 0 THEN t.started_at END)"
                        " FROM tests t JOIN questions q ON q.test_id = t.id"
                        " GROUP BY t.bank_kind, t.bank_name, t.direction, q.prompt, q.answer"),
         QStringLiteral("CREATE INDEX words_by_misses ON words (bank_kind, bank_name, direction, missed)"),
         // What was chosen instead of a word is looked up among the misses alone.
         QStringLiteral("CREATE INDEX questions_missed ON questions (prompt) WHERE correct = 0")},
        // 3 -> 4: how each test ended, since only the time limit makes the
        // question on screen a miss; and whether its records were saved. The
        // tests kept before knew neither: one that ended on a question left
        // unanswered ran out of time when its time is the whole limit, which
        // the clock reached (a stop lands on a whole second one time in a
        // thousand); the words are counted again by that rule.
        {QStringLiteral("ALTER TABLE tests ADD COLUMN ended_by TEXT NOT NULL DEFAULT 'A'"),
         QStringLiteral("ALTER TABLE tests ADD COLUMN records_saved INTEGER NOT NULL DEFAULT 1"),
         QStringLiteral("UPDATE tests SET ended_by = CASE WHEN seconds = ROUND(seconds)"
                        " AND ended_at - started_at >= seconds * 1000 THEN 'T' ELSE 'S' END"
                        " WHERE EXISTS (SELECT 1 FROM questions q WHERE q.test_id = tests.id AND q.answered = 0)"),
         QStringLiteral("DELETE FROM words"),
         QStringLiteral("INSERT INTO words SELECT t.bank_kind, t.bank_name, t.direction, q.prompt, q.answer,"
                        " MAX(q.bank_index), COUNT(*), SUM(%1),"
                        " MAX(CASE WHEN %1 THEN t.started_at END)"
                        " FROM tests t JOIN questions q ON q.test_id = t.id"
                        " GROUP BY t.bank_kind, t.bank_name, t.direction, q.prompt, q.answer")
             .arg(MissedCondition)},
        // 4 -> 5: the learner's choices in the word book, and each restore of
        // records, in time order; a word is its prompt and answer.
        {QStringLiteral("CREATE TABLE marks ("
                        " id INTEGER PRIMARY KEY,"
                        " at INTEGER NOT NULL," // milliseconds since 1970, UTC
                        " bank_kind TEXT NOT NULL,"
                        " bank_name TEXT NOT NULL,"
                        " direction TEXT NOT NULL,"
                        " prompt TEXT NOT NULL,"
                        " answer TEXT NOT NULL,"
                        " bank_index INTEGER NOT NULL," // where the bank held it then
                        " mark TEXT NOT NULL)"),        // one of MarkCodes
         QStringLiteral("CREATE INDEX marks_by_bank ON marks (bank_kind, bank_name, direction, at)"),
         QStringLiteral("CREATE TABLE restores ("
                        " id INTEGER PRIMARY KEY,"
                        " at INTEGER NOT NULL,"
                        " bank_kind TEXT NOT NULL,"
                        " bank_name TEXT NOT NULL,"
                        " direction TEXT NOT NULL,"
                        " level_before INTEGER NOT NULL,"
                        " level_after INTEGER NOT NULL)")},
        // 5 -> 6: the replays of a listening question.
        {QStringLiteral("ALTER TABLE questions ADD COLUMN replays INTEGER NOT NULL DEFAULT 0")},
    };
    // ended_by, in the order of HistoryTest::Ending.
    const QStringList EndingCodes {QStringLiteral("A"), QStringLiteral("T"), QStringLiteral("S")};

    // marks.mark, in the order of WordMark::Kind.
    const QStringList MarkCodes {QStringLiteral("known"), QStringLiteral("not_known"), QStringLiteral("weak"),
                                 QStringLiteral("not_weak")};

    // SQLite's primary result codes.
    enum SqliteCode
    {
        SqlitePerm = 3,
        SqliteBusy = 5,
        SqliteLocked = 6,
        SqliteReadOnly = 8,
        SqliteCorrupt = 11,
        SqliteCantOpen = 14,
        SqliteNotADatabase = 26,
    };

    // Long enough to pass over another program's short write, short enough
    // that the end of a test never waits noticeably.
    const QString ConnectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=100");

    const QChar ChoiceSeparator(0x1F);
    // Stands among the choices for a miss that was never answered.
    const QString UnansweredMark(QChar(0x1E));

    QString nextConnectionName()
    {
        static std::atomic<int> counter {0};
        return QStringLiteral("vocamira-history-%1").arg(++counter);
    }

    // Qt binds a null string as NULL: an empty text is stored as "".
    QVariant text(const QString &value)
    {
        return QVariant(value.isNull() ? QStringLiteral("") : value);
    }

    QDateTime fromMs(const QVariant &value)
    {
        return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
    }

    // The wrong answers chosen, the most frequent first, ties in order of first choice.
    QStringList byFrequency(const QString &joined)
    {
        QStringList order;
        QHash<QString, int> counts;
        for (const QString &choice : joined.split(ChoiceSeparator, Qt::SkipEmptyParts))
        {
            if (!counts.contains(choice))
                order.append(choice);
            ++counts[choice];
        }
        std::stable_sort(order.begin(), order.end(),
                         [&counts](const QString &a, const QString &b) { return counts[a] > counts[b]; });
        return order;
    }
}

namespace
{
    // The connection's own SQLite handle, as Qt's SQLite driver holds it.
    sqlite3 *nativeHandle(const QSqlDatabase &db)
    {
        const QVariant handle = db.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            return nullptr;
        return *static_cast<sqlite3 *const *>(handle.constData());
    }

    // Every page of `from` into `to`, in one step, so the copy is of one
    // moment; a short wait while another program writes.
    int copyPages(sqlite3 *to, sqlite3 *from)
    {
        sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
        if (!backup)
            return sqlite3_errcode(to);
        int step = SQLITE_OK;
        for (int tries = 0; tries < 20; ++tries)
        {
            step = sqlite3_backup_step(backup, -1);
            if (step != SQLITE_BUSY && step != SQLITE_LOCKED)
                break;
            sqlite3_sleep(50);
        }
        const int finished = sqlite3_backup_finish(backup);
        return step == SQLITE_DONE ? finished : step;
    }
}

int HistoryTest::keysAccepted() const
{
    int keys = 0;
    for (const Question &question : questions)
        keys += question.keysAccepted;
    return keys;
}

int HistoryTest::keysRejected() const
{
    int keys = 0;
    for (const Question &question : questions)
        keys += question.keysRejected;
    return keys;
}

HistoryStore::HistoryStore(const QString &path, Creation creation)
    : m_path(path)
    , m_creation(creation)
    , m_connection(nextConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
    m_db.setConnectOptions(ConnectOptions);
}

HistoryStore::~HistoryStore()
{
    close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

QString HistoryStore::defaultPath()
{
    // Beside the records folders, wherever the learner's folder is.
    return QFileInfo(ProgramFolder::filePath(ProgramFolder::StandardRecordDir)).path() + u'/' + FileName;
}

QString HistoryStore::problemText() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    const QString notKept = QStringLiteral("今回の学習履歴は記録されません（成績は保存されています）。");
    switch (m_problem)
    {
    case Problem::None:
        return {};
    case Problem::CannotOpen:
        return QStringLiteral("学習履歴ファイルを開けません。") + notKept + u'\n' + file;
    case Problem::Locked:
        return QStringLiteral("学習履歴ファイルが他のプログラムに使われています。") + notKept + u'\n' + file;
    case Problem::ReadOnly:
    {
        // The file that really stands in the way, which may be the folder or SQLite's log beside the history.
        const QString blocking = blockingFile();
        return (QFileInfo(blocking).isDir() ? QStringLiteral("学習履歴のフォルダに書き込めません（読み取り専用）。")
                                            : QStringLiteral("学習履歴ファイルに書き込めません（読み取り専用）。"))
            + notKept + u'\n' + QDir::toNativeSeparators(blocking);
    }
    case Problem::Damaged:
        if (m_asideName.isEmpty())
            return QStringLiteral("学習履歴ファイルが壊れています。") + notKept + u'\n' + file;
        return QStringLiteral("学習履歴ファイルが壊れていたため、%1 として残し、新しい学習履歴を始めました。")
                   .arg(QDir::toNativeSeparators(m_asideName))
            + (HistoryBackups::List(m_path).isEmpty() ? QString() : RestoreHint);
    case Problem::NewerVersion:
        return QStringLiteral("学習履歴ファイルは新しい版のVocamiraで作られたため、この版では読み書きしません。")
            + notKept + u'\n' + file;
    case Problem::CannotWrite:
        return QStringLiteral("学習履歴ファイルに書き込めません（ディスクの空きなどを確認してください）。") + notKept
            + u'\n' + file;
    }
    return {};
}

bool HistoryStore::addTest(HistoryTest &test)
{
    keepDailyBackup();
    bool written = ensureOpen() && writeTest(test);
    // A damaged file has just been set aside: the test goes into a fresh one.
    if (!written && m_problem == Problem::Damaged && !m_asideName.isEmpty())
        written = ensureOpen() && writeTest(test);
    tell();
    if (written && m_problem != Problem::Damaged)
        m_problem = Problem::None;
    return written;
}

bool HistoryStore::ensureOpen()
{
    if (m_open)
        return true;
    // A newer program's file is not ours to change, for the whole run.
    if (m_problem == Problem::NewerVersion)
        return false;
    bool opened = open();
    // A damaged file has just been set aside: the fresh history begins at once.
    if (!opened && m_problem == Problem::Damaged && !m_asideName.isEmpty() && m_creation == Creation::CreateIfMissing)
        opened = open();
    // The learner hears of a file set aside even though the history goes on.
    if (!opened || m_problem == Problem::Damaged)
        tell();
    return opened;
}

// Before the day's first test changes the history, a copy of it is kept.
void HistoryStore::keepDailyBackup()
{
    const QDateTime now = Clock::currentDateTime();
    if (m_backedUpOn == now.date())
        return;
    m_backedUpOn = now.date();
    // A fresh history begun in place of a damaged one would only push a sound copy out.
    if (!QFileInfo(m_path).isFile() || !ensureOpen() || m_problem == Problem::Damaged)
        return;
    if (!HistoryBackups::KeepDaily(*this, now))
        Message::post(QStringLiteral("学習履歴のバックアップを作れませんでした。学習履歴の記録は続けます。\n%1")
                          .arg(QDir::toNativeSeparators(HistoryBackups::FolderFor(m_path))));
}

bool HistoryStore::open()
{
    // A history that has gone is begun afresh; the learner hears that its copies can bring it back.
    if (m_creation == Creation::CreateIfMissing && !QFileInfo::exists(m_path) && !m_toldMissing
        && m_asideName.isEmpty() && !HistoryBackups::List(m_path).isEmpty())
    {
        m_toldMissing = true;
        Message::post(QStringLiteral("学習履歴ファイルが見つからないため、新しい学習履歴を始めました。%1\n%2")
                          .arg(RestoreHint, QDir::toNativeSeparators(m_path)));
    }
    if (m_creation != Creation::CreateIfMissing && !QFileInfo(m_path).isFile())
    {
        m_problem = Problem::CannotOpen;
        return false;
    }
    if (!openConnection())
        return false;
    if (!migrate())
    {
        close();
        return false;
    }
    m_open = true;
    return true;
}

bool HistoryStore::openConnection()
{
    // SQLite would take a folder's name and fail later, less clearly.
    if (QFileInfo(m_path).isDir() || !QFileInfo(QFileInfo(m_path).path()).isDir())
    {
        m_problem = Problem::CannotOpen;
        return false;
    }
    if (m_creation != Creation::ReaderOnly)
        healLeftovers();
    if (m_db.open())
        return true;
    fail(m_db.lastError());
    if (m_problem != Problem::Damaged)
        m_problem = Problem::CannotOpen;
    return false;
}

bool HistoryStore::migrate()
{
    QSqlQuery query(m_db);
    if (!exec(query, QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int version = query.value(0).toInt();
    if (version > SchemaVersion)
    {
        m_problem = Problem::NewerVersion;
        return false;
    }
    // The store that keeps the file brings it up to date, not a reader.
    if (m_creation == Creation::ReaderOnly)
    {
        if (version != SchemaVersion)
            m_problem = Problem::CannotOpen;
        return version == SchemaVersion;
    }
    // A commit then only appends to the log: the end of a test never waits for the disk.
    if (!exec(query, QStringLiteral("PRAGMA journal_mode = WAL")) || !exec(query, QStringLiteral("PRAGMA synchronous = NORMAL"))
        || !exec(query, QStringLiteral("PRAGMA foreign_keys = ON")))
        return false;
    if (version == SchemaVersion)
        return true;

    if (!exec(query, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    for (int step = version; step < SchemaVersion; ++step)
    {
        for (const QString &statement : Migrations[step])
        {
            if (!exec(query, statement))
                return false;
        }
    }
    return exec(query, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion))
        && exec(query, QStringLiteral("COMMIT"));
}

void HistoryStore::close()
{
    m_open = false;
    if (m_db.isOpen())
        m_db.close();
}

bool HistoryStore::exec(QSqlQuery &query, const QString &statement)
{
    if (query.exec(statement))
        return true;
    fail(query.lastError());
    return false;
}

bool HistoryStore::exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    fail(query.lastError());
    return false;
}

void HistoryStore::fail(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    switch (code)
    {
    case SqliteBusy:
    case SqliteLocked:
        m_problem = Problem::Locked;
        break;
    case SqlitePerm:
    case SqliteReadOnly:
        m_problem = Problem::ReadOnly;
        break;
    case SqliteCorrupt:
    case SqliteNotADatabase:
        m_problem = Problem::Damaged;
        break;
    case SqliteCantOpen:
        m_problem = Problem::CannotOpen;
        break;
    default:
        m_problem = Problem::CannotWrite;
        break;
    }
    // Leave no transaction behind; the next use opens the file again.
    if (m_db.isOpen())
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    close();
    if (m_problem == Problem::Damaged && m_creation != Creation::ReaderOnly)
        setAside();
}

// One copy of the program holds the learner's folder, so no connection has
// the history open when the store opens it: a -shm or -wal that cannot be
// written is a leftover of a run that could only read (SQLite makes them as
// read-only as the history was then). The -shm holds nothing lasting (SQLite
// builds it again from the log), so it goes; the log may hold tests, so it is
// given the history's own permissions, as SQLite gives a new one.
void HistoryStore::healLeftovers()
{
    const QFileInfo history(m_path);
    if (!history.isFile() || !history.isWritable())
        return;
    const QString log = m_path + QStringLiteral("-wal");
    if (QFileInfo::exists(log) && !QFileInfo(log).isWritable())
        QFile::setPermissions(log, history.permissions());
    const QString shared = m_path + QStringLiteral("-shm");
    if (QFileInfo::exists(shared) && !QFileInfo(shared).isWritable())
        QFile::remove(shared);
}

QString HistoryStore::blockingFile() const
{
    for (const QString &file : {m_path, m_path + QStringLiteral("-wal"), m_path + QStringLiteral("-shm")})
    {
        if (QFileInfo::exists(file) && !QFileInfo(file).isWritable())
            return file;
    }
    // SQLite keeps its log beside the history: the folder must take new files.
    const QString folder = QFileInfo(m_path).path();
    return QFileInfo(folder).isWritable() ? m_path : folder;
}

// The damaged file keeps its name with ".damaged" (or ".damaged2", ...) after
// it, with its log, so nothing in it is lost; the next open starts afresh.
void HistoryStore::setAside()
{
    QString aside = m_path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_path + QStringLiteral(".damaged%1").arg(n);
    if (!QFile::rename(m_path, aside))
    {
        m_asideName.clear();
        return;
    }
    m_asideName = aside;
    const QString log = m_path + QStringLiteral("-wal");
    if (QFileInfo::exists(log))
        QFile::rename(log, aside + QStringLiteral("-wal"));
    QFile::remove(m_path + QStringLiteral("-shm"));
}

void HistoryStore::tell()
{
    if (m_creation == Creation::ReaderOnly)
        return;
    const QString text = problemText();
    if (text.isEmpty() || m_told.contains(text))
        return;
    m_told.append(text);
    Message::post(text);
}

bool HistoryStore::backupTo(const QString &path, QString *error)
{
    const auto failed = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!ensureOpen())
        return failed(problemText());
    sqlite3 *source = nativeHandle(m_db);
    if (!source)
        return failed(QStringLiteral("学習履歴を写せません（SQLite に直接つながりません）。"));
    // Made beside the target and renamed over it once whole.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    sqlite3 *copy = nullptr;
    int result = sqlite3_open_v2(QFile::encodeName(part).constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
    if (result == SQLITE_OK)
        result = copyPages(copy, source);
    // The copy carries the history's log mode; as one file it needs no log.
    if (result == SQLITE_OK)
        result = sqlite3_exec(copy, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
    const QString reason = QString::fromUtf8(sqlite3_errstr(result));
    sqlite3_close(copy);
    if (result != SQLITE_OK)
    {
        QFile::remove(part);
        return failed(QStringLiteral("学習履歴の写しを作れませんでした（%1）。\n%2").arg(reason, QDir::toNativeSeparators(path)));
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0)
    {
        QFile::remove(part);
        return failed(QStringLiteral("学習履歴の写しを置けませんでした。\n%1").arg(QDir::toNativeSeparators(path)));
    }
    return true;
}

bool HistoryStore::restoreFrom(const QString &path, QString *error)
{
    const auto failed = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    sqlite3 *copy = nullptr;
    int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &copy, SQLITE_OPEN_READONLY, nullptr);
    int version = -1;
    // Only a history this version can read takes the place of the one in use.
    if (result == SQLITE_OK)
        result = sqlite3_exec(
            copy, "PRAGMA user_version",
            [](void *out, int, char **values, char **) {
                *static_cast<int *>(out) = values[0] ? std::atoi(values[0]) : -1;
                return 0;
            },
            &version, nullptr);
    if (result == SQLITE_OK && version > SchemaVersion)
        result = SQLITE_NOTADB;
    if (result == SQLITE_OK && !ensureOpen())
    {
        sqlite3_close(copy);
        return failed(problemText());
    }
    sqlite3 *live = nativeHandle(m_db);
    if (result == SQLITE_OK)
        result = live ? copyPages(live, copy) : SQLITE_MISUSE;
    const QString reason = QString::fromUtf8(sqlite3_errstr(result));
    sqlite3_close(copy);
    if (result != SQLITE_OK)
    {
        close();
        return failed(QStringLiteral("学習履歴のバックアップを読めないため、戻しませんでした（%1）。\n%2")
                          .arg(reason, QDir::toNativeSeparators(path)));
    }
    // Opened afresh: an older copy is brought up to date, and the learner
    // hears again of whatever goes wrong with the history from now on.
    close();
    m_problem = Problem::None;
    m_asideName.clear();
    m_told.clear();
    m_awaiting.clear(); // their tests were in the history replaced
    return ensureOpen() || failed(problemText());
}

void HistoryStore::awaitRecords(qint64 testId, const QString &recordsPath)
{
    m_awaiting.insert(recordsPath, testId);
}

void HistoryStore::recordsSaved(const QString &recordsPath)
{
    const QList<qint64> ids = m_awaiting.values(recordsPath);
    if (ids.isEmpty() || !ensureOpen())
        return;
    QStringList list;
    for (const qint64 id : ids)
        list.append(QString::number(id));
    QSqlQuery query(m_db);
    if (exec(query, QStringLiteral("UPDATE tests SET records_saved = 1 WHERE id IN (%1)").arg(list.join(u','))))
        m_awaiting.remove(recordsPath);
    else
        tell();
}

bool HistoryStore::writeTest(HistoryTest &test)
{
    QSqlQuery query(m_db);
    if (!exec(query, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    query.prepare(QStringLiteral(
        "INSERT INTO tests (started_at, ended_at, bank_kind, bank_name, direction, input_method, kind, level,"
        " score, seconds, passed, level_before, level_after, ended_by, records_saved)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value :
         {QVariant(test.startedAt.toMSecsSinceEpoch()), QVariant(test.endedAt.toMSecsSinceEpoch()),
          text(test.bankKind), text(test.bankName), text(test.direction), text(test.inputMethod), text(TestKinds::letter(test.kind)), QVariant(test.level), QVariant(test.score), QVariant(test.seconds),
          QVariant(test.passed ? 1 : 0), QVariant(test.levelBefore), QVariant(test.levelAfter),
          QVariant(EndingCodes[int(test.ending)]), QVariant(test.recordsSaved ? 1 : 0)})
        query.addBindValue(value);
    if (!exec(query))
        return false;
    const qint64 id = query.lastInsertId().toLongLong();

    query.prepare(QStringLiteral(
        "INSERT INTO questions (test_id, number, bank_index, prompt, answer, answered, correct, chosen_index,"
        " chosen_answer, seconds, shown_ms, keys_accepted, keys_rejected, replays)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const HistoryTest::Question &q : test.questions)
    {
        const bool chose = q.answered && !q.correct;
        for (const QVariant &value :
             {QVariant(id), QVariant(q.number), QVariant(q.bankIndex), text(q.prompt), text(q.answer),
              QVariant(q.answered ? 1 : 0), QVariant(q.correct ? 1 : 0),
              chose ? QVariant(q.chosenIndex) : QVariant(QMetaType(QMetaType::Int)),
              chose ? text(q.chosenAnswer) : QVariant(QMetaType(QMetaType::QString)),
              q.answered ? QVariant(q.seconds) : QVariant(QMetaType(QMetaType::Double)), QVariant(q.shownMs),
              QVariant(q.keysAccepted), QVariant(q.keysRejected), QVariant(q.replays)})
            query.addBindValue(value);
        if (!exec(query))
            return false;
    }
    if (!countWords(test))
        return false;
    if (!exec(query, QStringLiteral("COMMIT")))
        return false;
    test.id = id;
    return true;
}

bool HistoryStore::countWords(const HistoryTest &test)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "INSERT INTO words VALUES (?, ?, ?, ?, ?, ?, 1, ?, ?) ON CONFLICT DO UPDATE SET"
        " bank_index = excluded.bank_index, asked = words.asked + 1, missed = words.missed + excluded.missed,"
        " last_missed = COALESCE(MAX(words.last_missed, excluded.last_missed), words.last_missed, excluded.last_missed)"));
    for (const HistoryTest::Question &q : test.questions)
    {
        const bool missed = test.missed(q);
        for (const QVariant &value :
             {text(test.bankKind), text(test.bankName), text(test.direction), text(q.prompt), text(q.answer),
              QVariant(q.bankIndex), QVariant(missed ? 1 : 0),
              missed ? QVariant(test.startedAt.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong))})
            query.addBindValue(value);
        if (!exec(query))
            return false;
    }
    return true;
}

QString HistoryStore::whereClause(const HistoryFilter &filter, const QString &alias) const
{
    if (filter.all)
        return QStringLiteral("1");
    return QStringLiteral("%1.bank_kind = :kind AND %1.bank_name = :name AND %1.direction = :direction").arg(alias);
}

void HistoryStore::bindFilter(QSqlQuery &query, const HistoryFilter &filter) const
{
    if (filter.all)
        return;
    query.bindValue(QStringLiteral(":kind"), text(filter.bankKind));
    query.bindValue(QStringLiteral(":name"), text(filter.bankName));
    query.bindValue(QStringLiteral(":direction"), text(filter.direction));
}

QList<HistoryStore::TestPoint> HistoryStore::testPoints(const HistoryFilter &filter)
{
    QList<TestPoint> points;
    if (!ensureOpen())
        return points;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    // The sums of a test's questions in one look-up of them, as one text.
    query.prepare(QStringLiteral("SELECT t.started_at, t.score, t.level_after, t.seconds, t.records_saved,"
                                 " t.direction = :heard, t.kind, t.ended_by = :timeLimit,"
                                 " (SELECT printf('%d %d %d %d %d', SUM(keys_accepted), SUM(keys_rejected),"
                                 " SUM(answered), COUNT(*), SUM(correct)) FROM questions WHERE test_id = t.id)"
                                 " FROM tests t WHERE %1 ORDER BY t.started_at, t.id")
                      .arg(whereClause(filter, QStringLiteral("t"))));
    bindFilter(query, filter);
    query.bindValue(QStringLiteral(":heard"), HistoryFilter::ListeningDirection);
    query.bindValue(QStringLiteral(":timeLimit"), EndingCodes[int(HistoryTest::Ending::TimeLimit)]);
    if (!exec(query))
    {
        tell();
        return points;
    }
    while (query.next())
    {
        enum Sum
        {
            KeysAccepted,
            KeysRejected,
            Answered,
            Shown,
            Correct,
            SumCount,
        };
        std::array<int, SumCount> sums {};
        const QStringList texts = query.value(8).toString().split(u' ');
        for (qsizetype i = 0; i < texts.size() && i < SumCount; ++i)
            sums[i] = texts[i].toInt();
        TestPoint point {QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()), query.value(1).toInt(),
                         query.value(2).toInt(), query.value(3).toDouble(), sums[KeysAccepted], sums[KeysRejected],
                         query.value(4).toInt() != 0, query.value(5).toInt() != 0};
        point.kind = TestKinds::fromLetter(query.value(6).toString()).value_or(TestKind::Preview);
        // A question left on screen when the learner stopped the test was not
        // asked; the one the time limit ended on was.
        point.asked = query.value(7).toInt() != 0 ? sums[Shown] : sums[Answered];
        point.correct = sums[Correct];
        points.append(point);
    }
    return points;
}

QList<HistoryStore::MissedWord> HistoryStore::mostMissed(const HistoryFilter &filter, int limit)
{
    QList<MissedWord> words;
    if (!ensureOpen())
        return words;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        // The words first, then what was chosen instead of each of them alone;
        // the misses are found by their prompt before their tests are read.
        "WITH top AS (SELECT w.bank_kind, w.bank_name, w.direction, w.bank_index, w.prompt, w.answer, w.asked,"
        " w.missed, w.last_missed FROM words w WHERE %1 AND w.missed > 0"
        " ORDER BY w.missed DESC, w.last_missed DESC, w.bank_index LIMIT :limit)"
        " SELECT top.*, (SELECT GROUP_CONCAT(CASE WHEN q.answered = 0 THEN char(30) ELSE q.chosen_answer END, char(31))"
        " FROM questions q CROSS JOIN tests t"
        " ON t.id = q.test_id WHERE q.correct = 0 AND %2 AND q.prompt = top.prompt AND q.answer = top.answer"
        " AND t.bank_kind = top.bank_kind AND t.bank_name = top.bank_name AND t.direction = top.direction)"
        " FROM top")
                      .arg(whereClause(filter, QStringLiteral("w")), MissedCondition));
    bindFilter(query, filter);
    query.bindValue(QStringLiteral(":limit"), limit);
    if (!exec(query))
    {
        tell();
        return words;
    }
    while (query.next())
    {
        const QString joined = query.value(9).toString();
        QStringList chosen = byFrequency(joined);
        chosen.removeOne(UnansweredMark);
        words.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                      query.value(3).toInt(), query.value(4).toString(), query.value(5).toString(),
                      query.value(6).toInt(), query.value(7).toInt(), fromMs(query.value(8)), chosen,
                      int(joined.count(UnansweredMark))});
    }
    return words;
}

HistoryStore::Totals HistoryStore::totals(const HistoryFilter &filter)
{
    Totals totals;
    if (!ensureOpen())
        return totals;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT COUNT(*), TOTAL(seconds) FROM tests t WHERE %1")
                      .arg(whereClause(filter, QStringLiteral("t"))));
    bindFilter(query, filter);
    if (!exec(query) || !query.next())
    {
        tell();
        return totals;
    }
    totals.tests = query.value(0).toInt();
    totals.seconds = query.value(1).toDouble();

    query.prepare(QStringLiteral("SELECT COUNT(*), TOTAL(w.missed = 0) FROM words w WHERE %1")
                      .arg(whereClause(filter, QStringLiteral("w"))));
    bindFilter(query, filter);
    if (!exec(query) || !query.next())
    {
        tell();
        return totals;
    }
    totals.wordsSeen = query.value(0).toInt();
    totals.wordsNeverMissed = query.value(1).toInt();
    return totals;
}

bool HistoryStore::forEachTest(const HistoryFilter &filter, const std::function<void(const HistoryTest &)> &visit)
{
    if (!ensureOpen())
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT t.id, t.started_at, t.ended_at, t.bank_kind, t.bank_name, t.direction, t.input_method, t.kind,"
        " t.level, t.score, t.seconds, t.passed, t.level_before, t.level_after, t.ended_by, t.records_saved,"
        " q.number, q.bank_index, q.prompt, q.answer, q.answered, q.correct, q.chosen_index, q.chosen_answer,"
        " q.shown_ms, q.seconds, q.keys_accepted, q.keys_rejected, q.replays"
        " FROM tests t LEFT JOIN questions q ON q.test_id = t.id WHERE %1 ORDER BY t.started_at, t.id, q.number")
                      .arg(whereClause(filter, QStringLiteral("t"))));
    bindFilter(query, filter);
    if (!exec(query))
    {
        tell();
        return false;
    }
    HistoryTest test;
    // A kind of test that a later version added is not this version's to tell.
    bool knownKind = false;
    while (query.next())
    {
        const qint64 id = query.value(0).toLongLong();
        if (id != test.id)
        {
            if (test.id != 0 && knownKind)
                visit(test);
            test = HistoryTest {};
            test.id = id;
            test.startedAt = fromMs(query.value(1));
            test.endedAt = fromMs(query.value(2));
            test.bankKind = query.value(3).toString();
            test.bankName = query.value(4).toString();
            test.direction = query.value(5).toString();
            test.inputMethod = query.value(6).toString();
            const std::optional<TestKind> kind = TestKinds::fromLetter(query.value(7).toString());
            knownKind = kind.has_value();
            test.kind = kind.value_or(TestKind::Preview);
            test.level = query.value(8).toInt();
            test.score = query.value(9).toInt();
            test.seconds = query.value(10).toDouble();
            test.passed = query.value(11).toInt() != 0;
            test.levelBefore = query.value(12).toInt();
            test.levelAfter = query.value(13).toInt();
            test.ending = HistoryTest::Ending(std::max(0, int(EndingCodes.indexOf(query.value(14).toString()))));
            test.recordsSaved = query.value(15).toInt() != 0;
        }
        constexpr int Q = 16; // the first column of the question
        if (query.value(Q).isNull())
            continue;
        HistoryTest::Question q;
        q.number = query.value(Q).toInt();
        q.bankIndex = query.value(Q + 1).toInt();
        q.prompt = query.value(Q + 2).toString();
        q.answer = query.value(Q + 3).toString();
        q.answered = query.value(Q + 4).toInt() != 0;
        q.correct = query.value(Q + 5).toInt() != 0;
        q.chosenIndex = query.value(Q + 6).isNull() ? -1 : query.value(Q + 6).toInt();
        q.chosenAnswer = query.value(Q + 7).toString();
        q.shownMs = query.value(Q + 8).toLongLong();
        q.seconds = query.value(Q + 9).isNull() ? -1 : query.value(Q + 9).toDouble();
        q.keysAccepted = query.value(Q + 10).toInt();
        q.keysRejected = query.value(Q + 11).toInt();
        q.replays = query.value(Q + 12).toInt();
        test.questions.append(q);
    }
    if (test.id != 0 && knownKind)
        visit(test);
    return true;
}

bool HistoryStore::forEachAskedWord(const HistoryFilter &filter, const std::function<void(const AskedWord &)> &visit)
{
    if (!ensureOpen())
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t.id, t.started_at, t.kind IN (:practice, :listening, :dictation), q.bank_index, q.prompt, q.answer,"
                                 " q.answered, q.correct, q.seconds"
                                 " FROM tests t JOIN questions q ON q.test_id = t.id"
                                 " WHERE %1 AND (q.answered = 1 OR t.ended_by = 'T')"
                                 " ORDER BY t.started_at, t.id, q.number")
                      .arg(whereClause(filter, QStringLiteral("t"))));
    bindFilter(query, filter);
    query.bindValue(QStringLiteral(":practice"), TestKinds::letter(TestKind::WeakWords));
    query.bindValue(QStringLiteral(":listening"), TestKinds::letter(TestKind::ListeningWeakWords));
    query.bindValue(QStringLiteral(":dictation"), TestKinds::letter(TestKind::DictationWeakWords));
    if (!exec(query))
    {
        tell();
        return false;
    }
    AskedWord word;
    qint64 testId = 0;
    while (query.next())
    {
        // The questions of a test share its day, converted once.
        const qint64 id = query.value(0).toLongLong();
        if (id != testId)
        {
            testId = id;
            word.startedMs = query.value(1).toLongLong();
            word.testDay = fromMs(query.value(1)).date();
            word.practice = query.value(2).toInt() != 0;
        }
        word.bankIndex = query.value(3).toInt();
        word.prompt = query.value(4).toString();
        word.answer = query.value(5).toString();
        word.answered = query.value(6).toInt() != 0;
        word.correct = query.value(7).toInt() != 0;
        word.seconds = query.value(8).isNull() ? -1 : query.value(8).toDouble();
        visit(word);
    }
    return true;
}

bool HistoryStore::addMarks(const QList<Mark> &marks)
{
    if (!ensureOpen())
    {
        tell();
        return false;
    }
    QSqlQuery query(m_db);
    if (!exec(query, QStringLiteral("BEGIN IMMEDIATE")))
    {
        tell();
        return false;
    }
    query.prepare(QStringLiteral("INSERT INTO marks (at, bank_kind, bank_name, direction, prompt, answer, bank_index,"
                                 " mark) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Mark &mark : marks)
    {
        for (const QVariant &value :
             {QVariant(mark.at.toMSecsSinceEpoch()), text(mark.bankKind), text(mark.bankName), text(mark.direction),
              text(mark.prompt), text(mark.answer), QVariant(mark.bankIndex), QVariant(MarkCodes[int(mark.kind)])})
            query.addBindValue(value);
        if (!exec(query))
        {
            tell();
            return false;
        }
    }
    if (!exec(query, QStringLiteral("COMMIT")))
    {
        tell();
        return false;
    }
    if (m_problem != Problem::Damaged)
        m_problem = Problem::None;
    return true;
}

bool HistoryStore::forEachMark(const HistoryFilter &filter, const std::function<void(const Mark &)> &visit)
{
    if (!ensureOpen())
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT m.at, m.bank_kind, m.bank_name, m.direction, m.prompt, m.answer,"
                                 " m.bank_index, m.mark FROM marks m WHERE %1 ORDER BY m.at, m.id")
                      .arg(whereClause(filter, QStringLiteral("m"))));
    bindFilter(query, filter);
    if (!exec(query))
    {
        tell();
        return false;
    }
    Mark mark;
    while (query.next())
    {
        const qsizetype kind = MarkCodes.indexOf(query.value(7).toString());
        // A mark of a later version means nothing to this one.
        if (kind < 0)
            continue;
        mark.at = fromMs(query.value(0));
        mark.bankKind = query.value(1).toString();
        mark.bankName = query.value(2).toString();
        mark.direction = query.value(3).toString();
        mark.prompt = query.value(4).toString();
        mark.answer = query.value(5).toString();
        mark.bankIndex = query.value(6).toInt();
        mark.kind = WordMark::Kind(kind);
        visit(mark);
    }
    return true;
}

bool HistoryStore::addRestore(const HistoryFilter &bank, const QDateTime &at, int levelBefore, int levelAfter)
{
    if (!ensureOpen())
    {
        tell();
        return false;
    }
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("INSERT INTO restores (at, bank_kind, bank_name, direction, level_before,"
                                 " level_after) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {QVariant(at.toMSecsSinceEpoch()), text(bank.bankKind), text(bank.bankName),
                                  text(bank.direction), QVariant(levelBefore), QVariant(levelAfter)})
        query.addBindValue(value);
    if (!exec(query))
    {
        tell();
        return false;
    }
    return true;
}

QList<HistoryStore::Restore> HistoryStore::restores(const HistoryFilter &filter)
{
    QList<Restore> list;
    if (!ensureOpen())
        return list;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT r.at, r.level_before, r.level_after FROM restores r WHERE %1"
                                 " ORDER BY r.at, r.id")
                      .arg(whereClause(filter, QStringLiteral("r"))));
    bindFilter(query, filter);
    if (!exec(query))
    {
        tell();
        return list;
    }
    while (query.next())
        list.append({fromMs(query.value(0)), query.value(1).toInt(), query.value(2).toInt()});
    return list;
}

QList<HistoryFilter> HistoryStore::banks()
{
    QList<HistoryFilter> list;
    if (!ensureOpen())
        return list;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!exec(query, QStringLiteral("SELECT bank_kind, bank_name, direction FROM tests"
                                    " UNION SELECT bank_kind, bank_name, direction FROM marks ORDER BY 1, 2, 3")))
    {
        tell();
        return list;
    }
    while (query.next())
        list.append({false, query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    return list;
}
