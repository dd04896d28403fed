#include "dataswitch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "core/atomicfile.h"
#include "core/programfolder.h"
#include "learnerfiles.h"

namespace
{
    using Kind = TransferProblem::Kind;

    const QString PlanFile = QStringLiteral("plan");
    const QString OldDir = QStringLiteral("old");
    const QByteArray Forward = "forward";
    const QByteArray Back = "back";

    struct Unit
    {
        QString path;
        bool hadOld = false; // the learner had this file when the plan was made
        bool hasNew = false; // the stage holds a new one
    };

    DataSwitch::StepHook &stepHook()
    {
        static DataSwitch::StepHook hook;
        return hook;
    }

    int &stepCount()
    {
        static int count = 0;
        return count;
    }

    // One switch or recovery: its folders and its count of steps.
    class Switch
    {
    public:
        explicit Switch(const QString &learner)
            : m_learner(learner)
            , m_stage(DataSwitch::StagePath(learner))
        {
        }

        DataSwitch::Result run();
        DataSwitch::Result recover();

    private:
        QString current(const Unit &unit) const { return m_learner + u'/' + unit.path; }
        QString staged(const Unit &unit) const { return DataSwitch::NewPath(m_learner) + u'/' + unit.path; }
        QString old(const Unit &unit) const { return m_stage + u'/' + OldDir + u'/' + unit.path; }
        QString planPath() const { return m_stage + u'/' + PlanFile; }

        bool step() { return DataSwitch::Step(); }
        bool move(const QString &from, const QString &to);
        bool forward(const Unit &unit);
        bool back(const Unit &unit);
        bool writePlan(const QByteArray &direction);
        bool readPlan(QByteArray &direction);
        void makeUnits();
        void syncFolders(const QString &root);
        DataSwitch::Result goForward();
        DataSwitch::Result goBack(TransferProblem problem);
        bool finish();

        QString m_learner;
        QString m_stage;
        QList<Unit> m_units;
        TransferProblem m_failure;
    };

    bool present(const QString &path)
    {
        const QFileInfo info(path);
        return info.exists() || info.isSymLink();
    }

    // A folder's own entries reach the disk only when the folder is synced.
    void syncFolder(const QString &path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    }

    bool switchable(const QString &path)
    {
        if (LearnerFiles::IsLearnerPath(path))
            return true;
        return std::any_of(LearnerFiles::HistoryCompanions.cbegin(), LearnerFiles::HistoryCompanions.cend(),
                           [&path](const QString &suffix) { return path == LearnerFiles::HistoryFile + suffix; });
    }

    // The history's file and those SQLite keeps beside it, as they are in root.
    QStringList historyFiles(const QString &root)
    {
        QStringList files;
        for (const QString &suffix : QStringList {QString()} + LearnerFiles::HistoryCompanions)
        {
            if (present(root + u'/' + LearnerFiles::HistoryFile + suffix))
                files.append(LearnerFiles::HistoryFile + suffix);
        }
        return files;
    }
}

bool Switch::move(const QString &from, const QString &to)
{
    if (!step())
    {
        m_failure = TransferProblem::of(Kind::CannotWrite, to);
        return false;
    }
    // rename(2), not QFile::rename: that one copies when it cannot rename,
    // which is neither atomic nor what a switch may do.
    if (!QDir().mkpath(QFileInfo(to).path())
        || std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
    {
        m_failure = TransferProblem::of(Kind::CannotWrite, to, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

// Each unit's state is told by which of its three files are there, so a
// move cut short at any point is taken up again where it stopped.
bool Switch::forward(const Unit &unit)
{
    if (unit.hasNew)
    {
        if (!present(staged(unit)))
            return true; // in place already
        if (unit.hadOld && !present(old(unit)) && !move(current(unit), old(unit)))
            return false;
        return move(staged(unit), current(unit));
    }
    if (unit.hadOld && present(current(unit)) && !present(old(unit)))
        return move(current(unit), old(unit));
    return true;
}

bool Switch::back(const Unit &unit)
{
    if (unit.hasNew && !present(staged(unit)) && present(current(unit)) && !move(current(unit), staged(unit)))
        return false;
    if (unit.hadOld && present(old(unit)))
        return move(old(unit), current(unit));
    return true;
}

void Switch::makeUnits()
{
    const QString newRoot = DataSwitch::NewPath(m_learner);
    const QStringList had = LearnerFiles::List(m_learner) + historyFiles(m_learner);
    const QStringList coming = LearnerFiles::List(newRoot) + historyFiles(newRoot);
    QStringList paths = had + coming;
    paths.sort();
    paths.removeDuplicates();
    for (const QString &path : std::as_const(paths))
        m_units.append({path, had.contains(path), coming.contains(path)});
}

bool Switch::writePlan(const QByteArray &direction)
{
    QByteArray plan = direction + '\n';
    for (const Unit &unit : std::as_const(m_units))
        plan += QByteArray(unit.hadOld ? "o" : "-") + (unit.hasNew ? "n" : "-") + '\t' + unit.path.toUtf8() + '\n';
    QString error;
    if (!step() || !AtomicFile::write(planPath(), plan, &error))
    {
        m_failure = TransferProblem::of(Kind::CannotWrite, planPath(), error);
        return false;
    }
    syncFolder(m_stage);
    return true;
}

bool Switch::readPlan(QByteArray &direction)
{
    QFile file(planPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    direction = lines.value(0);
    for (qsizetype i = 1; i < lines.size(); ++i)
    {
        const QByteArray &line = lines[i];
        if (line.isEmpty())
            continue;
        const QString path = QString::fromUtf8(line.mid(3));
        // A plan names only the learner's files: nothing else is ever moved.
        if (line.size() < 4 || line[2] != '\t' || !switchable(path))
            return false;
        m_units.append({path, line[0] == 'o', line[1] == 'n'});
    }
    return direction == Forward || direction == Back;
}

void Switch::syncFolders(const QString &root)
{
    for (const QString &folder : ProgramFolder::LearnerFolders)
        syncFolder(root + u'/' + folder);
    syncFolder(root + u'/' + QFileInfo(LearnerFiles::HistoryFile).path());
}

bool Switch::finish()
{
    syncFolders(m_learner);
    // Once the plan is gone, what is left of the stage is only thrown away.
    if (!step() || !QFile::remove(planPath()))
        return false;
    QDir(m_stage).removeRecursively();
    return true;
}

DataSwitch::Result Switch::goForward()
{
    for (const Unit &unit : std::as_const(m_units))
    {
        if (!forward(unit))
            return goBack(m_failure);
    }
    // A plan that cannot be removed is finished again at the next start.
    finish();
    return {DataSwitch::Outcome::Switched, {}};
}

DataSwitch::Result Switch::goBack(TransferProblem problem)
{
    // If the plan cannot say so, a crash now would finish the switch instead,
    // which leaves the new files whole: either way nothing is mixed.
    writePlan(Back);
    bool undone = true;
    for (auto unit = m_units.crbegin(); unit != m_units.crend(); ++unit)
        undone = back(*unit) && undone;
    if (!undone || !finish())
        return {DataSwitch::Outcome::Stuck, problem};
    return {DataSwitch::Outcome::Undone, problem};
}

DataSwitch::Result Switch::run()
{
    makeUnits();
    for (const QString &folder : ProgramFolder::LearnerFolders)
        QDir(m_learner).mkpath(folder);
    syncFolders(DataSwitch::NewPath(m_learner));
    if (!writePlan(Forward))
    {
        DataSwitch::Discard(m_learner);
        return {DataSwitch::Outcome::Undone, m_failure};
    }
    return goForward();
}

DataSwitch::Result Switch::recover()
{
    if (!present(m_stage))
        return {};
    QByteArray direction;
    if (!present(planPath()))
    {
        DataSwitch::Discard(m_learner);
        return {};
    }
    if (!readPlan(direction))
        return {DataSwitch::Outcome::Stuck, TransferProblem::of(Kind::CannotRead, planPath())};
    if (direction == Back)
        return goBack({});
    return goForward();
}

QString DataSwitch::StagePath(const QString &learner)
{
    return learner + u'/' + StageDir;
}

QString DataSwitch::NewPath(const QString &learner)
{
    return StagePath(learner) + QStringLiteral("/new");
}

DataSwitch::Result DataSwitch::SwitchIn(const QString &learner)
{
    return Switch(learner).run();
}

DataSwitch::Result DataSwitch::Recover(const QString &learner)
{
    return Switch(learner).recover();
}

void DataSwitch::Discard(const QString &learner)
{
    if (!present(StagePath(learner) + u'/' + PlanFile))
        QDir(StagePath(learner)).removeRecursively();
}

bool DataSwitch::Step()
{
    return !stepHook() || stepHook()(stepCount()++);
}

void DataSwitch::setStepHook(StepHook hook)
{
    stepHook() = std::move(hook);
    stepCount() = 0;
}
