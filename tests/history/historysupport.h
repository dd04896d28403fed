#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <memory>

#include "history/historystore.h"
#include "history/historytest.h"

// A second connection to a history file, as another program would hold it.
class OtherConnection
{
public:
    explicit OtherConnection(const QString &path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~OtherConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    OtherConnection(const OtherConnection &) = delete;
    OtherConnection &operator=(const OtherConnection &) = delete;

    bool exec(const QString &statement)
    {
        QSqlQuery query(m_db);
        const bool ok = query.exec(statement);
        if (!ok)
            qWarning() << statement << query.lastError().text();
        return ok;
    }
    int value(const QString &statement)
    {
        QSqlQuery query(m_db);
        return query.exec(statement) && query.next() ? query.value(0).toInt() : -1;
    }

private:
    QSqlDatabase m_db;
};

// What can go wrong with a history file that already holds tests.
enum class HistoryFault
{
    None,
    FolderInPlace,
    Locked,
    Garbage,
    DamagedPages,
    NewerVersion,
};

// Does the harm to the file at `path`; a lock is held by the connection
// returned, until it goes.
inline std::unique_ptr<OtherConnection> injectFault(HistoryFault fault, const QString &path)
{
    std::unique_ptr<OtherConnection> other;
    switch (fault)
    {
    case HistoryFault::None:
        break;
    case HistoryFault::FolderInPlace:
        QFile::remove(path);
        QDir().mkdir(path);
        break;
    case HistoryFault::Locked:
        other = std::make_unique<OtherConnection>(path);
        other->exec(QStringLiteral("BEGIN EXCLUSIVE"));
        other->exec(QStringLiteral("DELETE FROM questions"));
        break;
    case HistoryFault::Garbage:
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(QByteArray(5000, 'x'));
        break;
    }
    case HistoryFault::DamagedPages:
    {
        // Everything after the first page, which names the tables, is noise.
        QFile file(path);
        const qint64 pageSize = 4096;
        if (file.open(QIODevice::ReadWrite) && file.size() > pageSize && file.seek(pageSize))
            file.write(QByteArray(int(file.size() - pageSize), '\xA5'));
        break;
    }
    case HistoryFault::NewerVersion:
        OtherConnection(path).exec(QStringLiteral("PRAGMA user_version = %1").arg(HistoryStore::SchemaVersion + 1));
        break;
    }
    return other;
}

// Tests of a made-up history: question n of a test asks bank entry `first + n`
// ("word<i>" / "意味<i>"), and every question whose number is in `missed` is
// answered with the wrong candidate `first + n + 100`.
inline HistoryTest seededTest(const QDateTime &startedAt, int first, QList<int> missed = {},
                              const QString &direction = QStringLiteral("和訳"))
{
    HistoryTest test;
    test.startedAt = startedAt;
    test.endedAt = startedAt.addSecs(30);
    test.bankKind = QStringLiteral("STANDARD");
    test.direction = direction;
    test.inputMethod = QStringLiteral("ROMA");
    test.kind = TestKind::LevelUp;
    test.level = 1;
    test.seconds = 30.0;
    for (int n = 1; n <= 10; ++n)
    {
        HistoryTest::Question q;
        q.number = n;
        q.bankIndex = first + n;
        q.prompt = QStringLiteral("word%1").arg(first + n);
        q.answer = QStringLiteral("意味%1").arg(first + n);
        q.answered = true;
        q.correct = !missed.contains(n);
        if (!q.correct)
        {
            q.chosenIndex = first + n + 100;
            q.chosenAnswer = QStringLiteral("意味%1").arg(first + n + 100);
        }
        q.shownMs = (n - 1) * 3000;
        q.seconds = 2.5;
        q.keysAccepted = 6;
        q.keysRejected = n % 3;
        q.replays = n % 2;
        test.questions.append(q);
    }
    test.score = 10 * int(test.questions.size() - missed.size());
    test.passed = test.score >= 80;
    return test;
}
