#include "pageopener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace
{
    constexpr int QueryTimeoutMs = 3000;

    PageOpener::Handler &handler()
    {
        static PageOpener::Handler fn;
        return fn;
    }

    PageOpener::EditorCheck &editorCheck()
    {
        static PageOpener::EditorCheck fn;
        return fn;
    }

    // The freedesktop.org way to ask for the default program of a type. A
    // desktop without the tool to ask may still open the file its own way.
    bool desktopHasTextEditor()
    {
        const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (query.isEmpty())
            return true;
        QProcess process;
        process.start(query, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
        if (!process.waitForFinished(QueryTimeoutMs))
        {
            process.kill();
            process.waitForFinished();
            return false;
        }
        return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
    }
}

bool PageOpener::open(const QUrl &url)
{
    return handler() ? handler()(url) : QDesktopServices::openUrl(url);
}

void PageOpener::setHandler(Handler handler)
{
    ::handler() = std::move(handler);
}

bool PageOpener::hasTextEditor()
{
    return editorCheck() ? editorCheck()() : desktopHasTextEditor();
}

void PageOpener::setEditorCheck(EditorCheck check)
{
    ::editorCheck() = std::move(check);
}
