#pragma once

#include <QUrl>

#include <functional>

// Hands a web page or a file to the desktop's default program. Tests install
// handlers so that nothing is started.
namespace PageOpener
{
    using Handler = std::function<bool(const QUrl &url)>;
    using EditorCheck = std::function<bool()>;

    // False when no program could be started for the url.
    bool open(const QUrl &url);
    // An empty handler restores the desktop's default.
    void setHandler(Handler handler);

    // False when the desktop names no program for plain text files: its
    // opener would then start, find nothing and tell no one.
    bool hasTextEditor();
    // An empty check restores the desktop's own answer.
    void setEditorCheck(EditorCheck check);
}
