#include "learnerimport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "archivereader.h"
#include "core/programfolder.h"
#include "learnerexport.h"

namespace
{
    using Kind = TransferProblem::Kind;
}

LearnerImport::LearnerImport(const QString &folder)
    : m_folder(folder)
{
}

LearnerImport::~LearnerImport()
{
    if (m_checked && !m_switched)
        DataSwitch::Discard(m_folder);
}

QString LearnerImport::stagedFolder() const
{
    return DataSwitch::NewPath(m_folder);
}

TransferProblem LearnerImport::check(const QString &zipPath)
{
    m_manifest = TransferManifest();
    m_checked = false;
    const DataSwitch::Result recovered = DataSwitch::Recover(m_folder);
    if (recovered.outcome == DataSwitch::Outcome::Stuck)
        return TransferProblem::of(Kind::EarlierImport, QString(), recovered.problem.englishText());
    if (!std::any_of(ProgramFolder::LearnerFolders.cbegin(), ProgramFolder::LearnerFolders.cend(),
                     [this](const QString &folder) { return QFileInfo(m_folder + u'/' + folder).isDir(); }))
        return TransferProblem::of(Kind::NotLearnerFolder, m_folder);
    // A stage of an earlier check, left by a crash, is no part of this one.
    DataSwitch::Discard(m_folder);
    if (!DataSwitch::Step())
        return TransferProblem::of(Kind::CannotRead, zipPath);
    m_checked = true;
    const TransferProblem problem = ArchiveReader::ReadFile(zipPath, stagedFolder(), m_manifest);
    if (!problem.ok())
        DataSwitch::Discard(m_folder);
    m_checked = problem.ok();
    return problem;
}

QString LearnerImport::BackupPath(const QString &folder)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    const QString backups = folder + u'/' + ProgramFolder::BackupRecordDir + u'/';
    QString path = backups + LearnerExport::FileName(stamp);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = backups + LearnerExport::FileName(stamp + QStringLiteral("_%1").arg(n));
    return path;
}

TransferProblem LearnerImport::keepBackup(HistoryStore *history, QString *backupPath)
{
    const QString path = BackupPath(m_folder);
    if (!DataSwitch::Step() || !QDir().mkpath(QFileInfo(path).path()))
        return TransferProblem::of(Kind::CannotWrite, path);
    const TransferProblem problem = LearnerExport::Write(m_folder, path, history);
    // A folder with nothing of the learner's yet has nothing to keep.
    if (!problem.ok() && problem.kind != Kind::NotLearnerFolder)
        return problem;
    if (backupPath)
        *backupPath = problem.ok() ? path : QString();
    return {};
}

DataSwitch::Result LearnerImport::switchIn()
{
    if (!m_checked)
        return {DataSwitch::Outcome::Nothing, TransferProblem::of(Kind::CannotRead)};
    m_switched = true;
    return DataSwitch::SwitchIn(m_folder);
}
