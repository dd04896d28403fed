#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// One copy of the program per learner's folder, so two copies never write
// over each other's records. The copy that starts first holds a lock file in
// the folder and listens on a local socket whose name comes from the folder
// (two folders run side by side); a second start on the same folder asks the
// first to come to the front and ends. A lock left by a copy that crashed
// (its process is gone, or it never wrote its name) is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        Held,           // this copy holds the folder
        AlreadyRunning, // another copy holds it and was asked to come forward
        NotAnswering,   // another copy holds it and does not answer
        Unlocked,       // no lock file can be made there; this copy runs without one
    };

    explicit SingleInstance(const QString &folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    Claim claim();

    QString lockPath() const { return m_lock.fileName(); }
    // The local socket's name for the folder, the same for every copy of one user.
    static QString serverName(const QString &folder);
    // Shows the window (and a dialog open over it) in front, restored if minimised.
    static void bringForward(QWidget *window);

signals:
    // Another start on this folder asked this copy to come to the front.
    void activationRequested();

private:
    Claim takeOverUnwrittenLock();
    bool askRunningCopy() const;
    void listen();

    QString m_name;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
