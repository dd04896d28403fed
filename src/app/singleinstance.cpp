#include "singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include <unistd.h>

#include "core/programfolder.h"

namespace
{
    const QByteArray ComeForward = QByteArrayLiteral("show\n");
    constexpr int AnswerMs = 1000;
    // A copy that has just taken the lock may not listen yet.
    constexpr int StartingUpMs = 3000;
    constexpr int RetryMs = 100;
}

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_name(serverName(folder))
    , m_lock(QDir(folder).filePath(ProgramFolder::LockFileName))
{
    // The lock is held for the whole run: only a dead owner makes it stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::serverName(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("vocamira-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::Claim SingleInstance::claim()
{
    const QDeadlineTimer startingUp(StartingUpMs);
    while (true)
    {
        if (m_lock.tryLock(0))
        {
            listen();
            return Claim::Held;
        }
        if (m_lock.error() != QLockFile::LockFailedError)
        {
            // A folder that takes no lock file: another copy can still be found by its socket.
            if (askRunningCopy())
                return Claim::AlreadyRunning;
            listen();
            return Claim::Unlocked;
        }
        if (askRunningCopy())
            return Claim::AlreadyRunning;
        if (startingUp.hasExpired())
            return takeOverUnwrittenLock();
        QThread::msleep(RetryMs);
    }
}

// A lock file that names no process (empty after a crash at its making,
// damaged, a folder) was never a running copy's: taken over when it can be.
SingleInstance::Claim SingleInstance::takeOverUnwrittenLock()
{
    if (m_lock.getLockInfo(nullptr, nullptr, nullptr))
        return Claim::NotAnswering;
    const Claim claim = m_lock.removeStaleLockFile() && m_lock.tryLock(0) ? Claim::Held : Claim::Unlocked;
    listen();
    return claim;
}

bool SingleInstance::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(AnswerMs))
        return false;
    socket.write(ComeForward);
    socket.waitForBytesWritten(AnswerMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, any socket of that name was left by a copy that crashed.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        return; // the lock alone still keeps a second copy out
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
        {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(ComeForward.trimmed()))
                    emit activationRequested();
            });
        }
    });
}

void SingleInstance::bringForward(QWidget *window)
{
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    // A question or a result view open over the window comes with it.
    if (QWidget *modal = QApplication::activeModalWidget())
    {
        modal->raise();
        modal->activateWindow();
    }
}
