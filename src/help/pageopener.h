#pragma once

#include <QUrl>

#include <functional>

// Hands a web page or a file to the desktop's default program. Tests install
// a handler so that nothing is started.
namespace PageOpener
{
    using Handler = std::function<bool(const QUrl &url)>;

    // False when no program could be started for the url.
    bool open(const QUrl &url);
    // An empty handler restores the desktop's default.
    void setHandler(Handler handler);
}
