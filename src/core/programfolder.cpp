#include "programfolder.h"

#include <QCoreApplication>

namespace
{
    QString &overridePath()
    {
        static QString path;
        return path;
    }
}

QString ProgramFolder::path()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QCoreApplication::applicationDirPath();
}

void ProgramFolder::setPath(const QString &path)
{
    overridePath() = path;
}

QString ProgramFolder::filePath(const QString &relative)
{
    return path() + u'/' + relative;
}

QString ProgramFolder::filePath(const QString &folder, const QString &name)
{
    return path() + u'/' + folder + u'/' + name;
}
