#include <QDir>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <memory>

#include "app/singleinstance.h"

// How the learner's folder is found by a second start.
enum class Holder
{
    Nobody,
    RunningCopy,   // this program, started earlier on the same folder
    OtherFolder,   // a copy running on another learner's folder
    CrashedCopy,   // a lock file left by a process that is gone
    SilentProcess, // a live process that holds the lock and never answers
    EmptyLock,     // a crash between making the lock file and writing it
    FolderInPlace, // a folder stands where the lock file would be
    MissingFolder, // no file can be made there at all
};

namespace
{
    // A process that exits at once: its PID is free afterwards.
    qint64 deadPid()
    {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }

    // A child that takes the lock and waits, answering nobody, until it is killed.
    pid_t silentHolder(const QString &lockPath)
    {
        int ready[2];
        if (pipe(ready) != 0)
            return -1;
        const pid_t child = fork();
        if (child == 0)
        {
            QLockFile lock(lockPath);
            const char held = lock.tryLock(0) ? '1' : '0';
            if (write(ready[1], &held, 1) != 1)
                _exit(1);
            pause();
            _exit(0);
        }
        char held = 0;
        if (read(ready[0], &held, 1) != 1 || held != '1')
            return -1;
        return child;
    }
}

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondStart_data();
    void secondStart();
};

void SingleInstanceTest::secondStart_data()
{
    QTest::addColumn<Holder>("holder");
    QTest::addColumn<SingleInstance::Claim>("claim");

    QTest::newRow("a fresh folder") << Holder::Nobody << SingleInstance::Claim::Held;
    QTest::newRow("a copy running on the folder") << Holder::RunningCopy << SingleInstance::Claim::AlreadyRunning;
    QTest::newRow("a copy running on another folder") << Holder::OtherFolder << SingleInstance::Claim::Held;
    QTest::newRow("a lock left by a crash") << Holder::CrashedCopy << SingleInstance::Claim::Held;
    QTest::newRow("a holder that does not answer") << Holder::SilentProcess << SingleInstance::Claim::NotAnswering;
    QTest::newRow("an empty lock file") << Holder::EmptyLock << SingleInstance::Claim::Held;
    QTest::newRow("a folder in the lock's place") << Holder::FolderInPlace << SingleInstance::Claim::Unlocked;
    QTest::newRow("a folder that takes no file") << Holder::MissingFolder << SingleInstance::Claim::Unlocked;
}

void SingleInstanceTest::secondStart()
{
    QFETCH(Holder, holder);
    QFETCH(SingleInstance::Claim, claim);
    const QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("learner"));
    const QString other = root.filePath(QStringLiteral("another learner"));
    if (holder != Holder::MissingFolder)
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(other));
    const QString lockPath = QDir(folder).filePath(QStringLiteral("vocamira.lock"));

    std::unique_ptr<SingleInstance> first;
    pid_t silent = -1;
    switch (holder)
    {
    case Holder::Nobody:
        break;
    case Holder::RunningCopy:
    case Holder::OtherFolder:
        first = std::make_unique<SingleInstance>(holder == Holder::RunningCopy ? folder : other);
        QCOMPARE(first->claim(), SingleInstance::Claim::Held);
        break;
    case Holder::CrashedCopy:
    {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid()) + "\nvocamira\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        break;
    }
    case Holder::SilentProcess:
        silent = silentHolder(lockPath);
        QVERIFY(silent > 0);
        break;
    case Holder::EmptyLock:
        QVERIFY(QFile(lockPath).open(QIODevice::WriteOnly));
        break;
    case Holder::FolderInPlace:
        QVERIFY(QDir().mkdir(lockPath));
        break;
    case Holder::MissingFolder:
        break;
    }
    int asked = 0;
    if (first)
        connect(first.get(), &SingleInstance::activationRequested, this, [&asked] { ++asked; });

    SingleInstance second(folder);
    QCOMPARE(second.claim(), claim);
    if (silent > 0)
    {
        kill(silent, SIGKILL);
        waitpid(silent, nullptr, 0);
    }
    if (holder == Holder::RunningCopy)
        QTRY_COMPARE(asked, 1);
    else
        QCOMPARE(asked, 0);
    // Whoever holds the folder now answers the next start.
    if (claim == SingleInstance::Claim::Held || claim == SingleInstance::Claim::Unlocked)
    {
        QSignalSpy secondAsked(&second, &SingleInstance::activationRequested);
        SingleInstance third(folder);
        QCOMPARE(third.claim(), SingleInstance::Claim::AlreadyRunning);
        QTRY_COMPARE(secondAsked.size(), 1);
    }
    QVERIFY(SingleInstance::serverName(folder) != SingleInstance::serverName(other));
}

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
