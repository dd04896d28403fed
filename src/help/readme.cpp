#include "readme.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include "core/message.h"
#include "core/programfolder.h"
#include "pageopener.h"
#include "readmeviewer.h"

void OpenReadMe(QWidget *owner)
{
    const QString path = ProgramFolder::filePath(ProgramFolder::ReadMeFile);
    // Checked first: the desktop would otherwise report a missing file in
    // its own words, or not at all.
    if (!QFile::exists(path))
    {
        Message::show(QStringLiteral("ReadMeファイルが見つかりません。\n%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (PageOpener::hasTextEditor() && PageOpener::open(QUrl::fromLocalFile(path)))
        return;
    ReadMeViewer::showFile(path, owner);
}
