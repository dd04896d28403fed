#pragma once

#include <QString>

#include <functional>

// Every failure and notice is told to the learner in a modal box with an OK
// button only. The core only names the text; the user interface installs the
// box, and tests install a recorder.
namespace Message
{
    using Handler = std::function<void(const QString &text)>;

    void show(const QString &text);
    // An empty handler restores the default, which writes to stderr.
    void setHandler(Handler handler);
}
