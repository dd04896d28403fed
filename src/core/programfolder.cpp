#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "message.h"

namespace
{
    ProgramFolder::Layout &current()
    {
        static ProgramFolder::Layout layout;
        return layout;
    }

    bool holdsStandardBank(const QString &folder)
    {
        return QFileInfo(folder + u'/' + ProgramFolder::StandardWordDir + QStringLiteral("/data2.dat")).isFile();
    }

    // The shipped files, read from the shipped folder; everything else is the learner's.
    bool isShipped(const QString &relative)
    {
        for (const QString &folder : {ProgramFolder::StandardWordDir, ProgramFolder::Sound1Dir, ProgramFolder::Sound2Dir,
                                      ProgramFolder::DictionaryDir})
        {
            if (relative == folder || relative.startsWith(folder + u'/'))
                return true;
        }
        return relative == ProgramFolder::ReadMeFile;
    }

    QString learnerFolder(const QString &xdgDataHome, const QString &home)
    {
        // An unset or relative XDG_DATA_HOME is to be ignored.
        const QString base = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome
            : home.isEmpty()                                  ? QString()
                                                              : home + QStringLiteral("/.local/share");
        return base.isEmpty() ? QString() : QDir::cleanPath(base + u'/' + ProgramFolder::LearnerDirName);
    }
}

ProgramFolder::Layout ProgramFolder::DecideLayout(const QString &executableDir, const QString &xdgDataHome,
                                                  const QString &home)
{
    const QString shipped = QDir::cleanPath(executableDir + QStringLiteral("/../") + InstalledDataDir);
    if (holdsStandardBank(executableDir) || !holdsStandardBank(shipped))
        return {false, executableDir, executableDir};
    return {true, shipped, learnerFolder(xdgDataHome, home)};
}

bool ProgramFolder::PrepareLayout(const Layout &layout)
{
    if (!layout.installed)
        return true;
    const QString failed = QStringLiteral("成績や設定を保存するフォルダを作れません。Vocamiraを終了します。\n%1\n"
                                          "フォルダの場所（環境変数 XDG_DATA_HOME、HOME）と書き込み権限を確認してください。");
    if (layout.learner.isEmpty())
    {
        Message::show(failed.arg(QStringLiteral("$XDG_DATA_HOME/vocamira")));
        return false;
    }
    for (const QString &folder : LearnerFolders)
    {
        const QString path = layout.learner + u'/' + folder;
        if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
        {
            Message::show(failed.arg(QDir::toNativeSeparators(path)));
            return false;
        }
    }
    return true;
}

bool ProgramFolder::SetUp()
{
    const Layout layout = DecideLayout(QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"),
                                       QDir::homePath());
    if (!PrepareLayout(layout))
        return false;
    setLayout(layout);
    return true;
}

void ProgramFolder::setLayout(const Layout &layout)
{
    current() = layout;
}

void ProgramFolder::setPath(const QString &path)
{
    current() = {false, path, path};
}

QString ProgramFolder::path()
{
    if (!current().learner.isEmpty())
        return current().learner;
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::filePath(const QString &relative)
{
    const QString &shipped = current().shipped;
    const QString root = isShipped(relative) && !shipped.isEmpty() ? shipped : path();
    return root + u'/' + relative;
}

QString ProgramFolder::filePath(const QString &folder, const QString &name)
{
    return filePath(folder + u'/' + name);
}
