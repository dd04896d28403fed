#pragma once

#include <QDateTime>
#include <QList>
#include <QMultiHash>
#include <QSqlDatabase>
#include <QString>

#include <functional>

#include "historyfilter.h"
#include "historytest.h"
#include "practice/wordmark.h"

class QSqlError;
class QSqlQuery;

// The study history: every scored test and each of its questions, in an
// SQLite file beside the learner's records. The history never stands in the
// way of a test: a file that cannot be opened, is locked, read-only, damaged
// or from a newer version is told to the learner once per store, and the
// test goes on without it. A damaged file is kept aside under a new name and
// a fresh history begins.
class HistoryStore
{
public:
    // Schema versions, kept in PRAGMA user_version: 1 held the tests and
    // their questions, 2 added the wrong candidate's answer text and the
    // moment each question was shown, 3 the counts of each word, 4 how each
    // test ended and whether its records were saved, 5 the learner's marks
    // of words and the restores of records, 6 how often the word of a
    // listening question was heard again.
    static constexpr int SchemaVersion = 6;

    enum class Problem
    {
        None,
        CannotOpen,
        Locked,
        ReadOnly,
        Damaged,      // kept aside, a fresh file started
        NewerVersion,
        CannotWrite,  // a full disk and other failures of the file
    };

    enum class Creation
    {
        CreateIfMissing,
        ExistingOnly, // never creates one; it may still bring an older file up to date
        // Only reads a file of this version, as it is, for a reader beside the
        // store that keeps it: never creates, changes, sets aside or tells.
        ReaderOnly,
    };

    struct MissedWord
    {
        QString bankKind;
        QString bankName;
        QString direction;
        int bankIndex = 0;
        QString prompt;
        QString answer;
        int asked = 0;
        int missed = 0;
        QDateTime lastMissed;
        QStringList chosenInstead; // wrong answers completed, most often first
        int unanswered = 0;        // misses by a test that ended before an answer
    };

    struct Totals
    {
        int tests = 0;
        double seconds = 0;
        int wordsSeen = 0;
        int wordsNeverMissed = 0;
    };

    // One row of a test's summary for the charts, in time order.
    struct TestPoint
    {
        QDateTime startedAt;
        int score = 0;
        int levelAfter = 0;
        double seconds = 0;
        int keysAccepted = 0;
        int keysRejected = 0;
        bool recordsSaved = true;
        bool listening = false; // a test of the ear, its own line in the charts
        TestKind kind = TestKind::Preview; // a kind this version does not know reads as Preview
        int asked = 0;   // questions answered, and the one the time limit ended on
        int correct = 0;
    };

    explicit HistoryStore(const QString &path, Creation creation = Creation::CreateIfMissing);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // seiseki/history.sqlite3 of the learner's folder.
    static QString defaultPath();

    QString path() const { return m_path; }
    // Opens the file if need be, telling a problem once; false when it cannot be used.
    bool isUsable() { return ensureOpen(); }
    // The last problem met; None once a write or read has worked again.
    Problem problem() const { return m_problem; }
    // A sentence for the learner about the last problem, "" when none.
    QString problemText() const;

    // Writes the test and its questions in one transaction and sets its id.
    // False when nothing was written (the learner has been told, once).
    bool addTest(HistoryTest &test);

    // A consistent copy of the whole history at `path`, made with SQLite's
    // online backup through the store's own connection, so tests kept while
    // it copies wait rather than tear it. The copy is one file with no log
    // beside it, which SQLite (and this store) opens as it is; the file at
    // `path` is replaced only once the copy is complete. False, with a reason
    // for the learner in `error`, when no copy was made.
    bool backupTo(const QString &path, QString *error = nullptr);
    // Puts the history copied at `path` (by backupTo) in place of this one,
    // in one step, and goes on with it, brought up to date if it is older.
    // False, with a reason, when the history was left as it was.
    bool restoreFrom(const QString &path, QString *error = nullptr);

    // A test kept while its records could not be saved waits for the records
    // file recordsPath: once that is written, it is marked as saved.
    void awaitRecords(qint64 testId, const QString &recordsPath);
    void recordsSaved(const QString &recordsPath);

    // Reads fail quietly (empty results) and leave problem() set.
    QList<TestPoint> testPoints(const HistoryFilter &filter);
    QList<MissedWord> mostMissed(const HistoryFilter &filter, int limit);
    Totals totals(const HistoryFilter &filter);
    // One question as the weak-word schedule reads it; a question left out
    // (HistoryTest::leftOut) is not visited.
    struct AskedWord
    {
        qint64 startedMs = 0;  // the start of the test, milliseconds since 1970
        QDate testDay;         // the day the test began
        bool practice = false; // asked in a weak-word practice test
        int bankIndex = 0;
        QString prompt;
        QString answer;
        bool answered = false;
        bool correct = false;
        double seconds = -1;   // -1 when unanswered
    };
    // Every question of the tests, oldest first, without the rest of each test.
    bool forEachAskedWord(const HistoryFilter &filter, const std::function<void(const AskedWord &)> &visit);

    // Every test with its questions, oldest first.
    bool forEachTest(const HistoryFilter &filter, const std::function<void(const HistoryTest &)> &visit);

    // One choice of the learner in the word book.
    struct Mark
    {
        QDateTime at;
        QString bankKind;
        QString bankName;
        QString direction;
        QString prompt;
        QString answer;
        int bankIndex = 0;
        WordMark::Kind kind = WordMark::Kind::Known;
    };
    // Keeps the marks in one transaction: all or none.
    bool addMarks(const QList<Mark> &marks);
    // The marks, oldest first.
    bool forEachMark(const HistoryFilter &filter, const std::function<void(const Mark &)> &visit);

    // Records of a bank and direction put back from a backup.
    struct Restore
    {
        QDateTime at;
        int levelBefore = 0;
        int levelAfter = 0;
    };
    // Every bank and direction that has tests or marks, in order.
    QList<HistoryFilter> banks();

    bool addRestore(const HistoryFilter &bank, const QDateTime &at, int levelBefore, int levelAfter);
    QList<Restore> restores(const HistoryFilter &filter);

private:
    // Opens the file on first use; a problem is told to the learner.
    bool ensureOpen();
    bool open();
    bool openConnection();
    bool migrate();
    void close();
    // Sets m_problem from a failed statement; a damaged file is set aside.
    void fail(const QSqlError &error);
    void setAside();
    void keepDailyBackup();
    // Deals with a -shm or -wal that a run which could only read left behind.
    void healLeftovers();
    // The file (or folder) that makes the history read-only.
    QString blockingFile() const;
    // Posts problemText(), once for each text.
    void tell();
    bool exec(QSqlQuery &query);
    bool exec(QSqlQuery &query, const QString &statement);
    bool writeTest(HistoryTest &test);
    // Adds the test's questions to the counts of their words.
    bool countWords(const HistoryTest &test);
    QString whereClause(const HistoryFilter &filter, const QString &alias) const;
    void bindFilter(QSqlQuery &query, const HistoryFilter &filter) const;

    QString m_path;
    Creation m_creation;
    QString m_connection;
    QSqlDatabase m_db;
    bool m_open = false;
    Problem m_problem = Problem::None;
    QString m_asideName; // where a damaged file was kept
    QStringList m_told;
    bool m_toldMissing = false;
    QDate m_backedUpOn;
    QMultiHash<QString, qint64> m_awaiting; // test ids by records path
};
