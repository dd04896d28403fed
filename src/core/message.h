#pragma once

#include <QString>

#include <functional>

// Every failure and notice is told to the learner in a modal box with an OK
// button only. The core only names the text; the user interface installs the
// box, and tests install a recorder.
namespace Message
{
    enum class Kind
    {
        Notice,
        // Input the learner must correct before going on.
        Warning
    };

    using Handler = std::function<void(const QString &text)>;
    using BoxHandler = std::function<void(const QString &text, Kind kind)>;
    using Question = std::function<bool(const QString &text)>;

    void show(const QString &text, Kind kind = Kind::Notice);
    // An empty handler restores the default, which writes to stderr. A
    // Handler hears the text of every kind; a BoxHandler also the kind.
    void setHandler(Handler handler);
    void setBoxHandler(BoxHandler handler);

    // A yes/no question; true for yes. Without a handler nobody can answer,
    // and the answer is no.
    bool ask(const QString &text);
    void setQuestionHandler(Question question);

    // A word about the program's own files beside the records (the study
    // history, the backups, the lock of the learner's folder): it waits where
    // the learner sees it until closed, so no key meant for a test sweeps it
    // away unread. Without a handler it is shown as a notice.
    void post(const QString &text);
    void setPostHandler(Handler handler);
}
