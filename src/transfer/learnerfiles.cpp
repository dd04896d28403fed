#include "learnerfiles.h"

#include <QDir>
#include <QFileInfo>

#include "core/programfolder.h"

namespace
{
    const QString RecordsSuffix = QStringLiteral(".dat");
    const QString StandardRecordsName = QStringLiteral("data1");
    const QString BankSuffix = QStringLiteral(".txt");
}

QStringList LearnerFiles::List(const QString &folder)
{
    QStringList files;
    for (const QString &relative : ProgramFolder::LearnerFolders)
    {
        // QDir::Files without QDir::Hidden: no name beginning with ".".
        for (const QString &name : QDir(folder + u'/' + relative).entryList(QDir::Files, QDir::Name))
            files.append(relative + u'/' + name);
    }
    return files;
}

bool LearnerFiles::IsLearnerPath(const QString &relative)
{
    if (relative == HistoryFile)
        return true;
    const qsizetype slash = relative.lastIndexOf(u'/');
    if (slash < 0)
        return false;
    const QString name = relative.mid(slash + 1);
    // A name is one plain name: no separator of either system, no "." or "..",
    // nothing hidden, and no character that is no file name anywhere.
    if (name.isEmpty() || name.startsWith(u'.') || name.contains(u'\\') || name.contains(QChar(0)))
        return false;
    // ini/ holds the folder ini/ユーザーテキスト, which no file may take the place of.
    return ProgramFolder::LearnerFolders.contains(relative.left(slash)) && !ProgramFolder::LearnerFolders.contains(relative);
}

QStringList LearnerFiles::UserBanks(const QStringList &files)
{
    QStringList banks;
    const QString prefix = ProgramFolder::UserWordDir + u'/';
    for (const QString &file : files)
    {
        if (file.startsWith(prefix) && file.endsWith(BankSuffix))
            banks.append(file.mid(prefix.size(), file.size() - prefix.size() - BankSuffix.size()));
    }
    return banks;
}

std::optional<LearnerFiles::RecordsFile> LearnerFiles::DescribeRecords(const QString &relative,
                                                                       const QStringList &userBanks)
{
    const QFileInfo info(relative);
    const QString folder = info.path();
    if (!relative.endsWith(RecordsSuffix) || !IsLearnerPath(relative))
        return std::nullopt;
    const QString base = relative.mid(folder.size() + 1).chopped(RecordsSuffix.size());
    if (folder == ProgramFolder::StandardRecordDir)
    {
        if (base == StandardRecordsName)
            return RecordsFile {false, QString(), false};
        if (base == StandardRecordsName + u'E')
            return RecordsFile {false, QString(), true};
        return std::nullopt;
    }
    if (folder != ProgramFolder::UserRecordDir || base.isEmpty())
        return std::nullopt;
    if (base.endsWith(u'E') && userBanks.contains(base.chopped(1)))
        return RecordsFile {true, base.chopped(1), true};
    return RecordsFile {true, base, false};
}
