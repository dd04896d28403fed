#pragma once

#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QStringList>
#include <QTextDocument>

#include <functional>

#include "gui_shared/modal.h"
#include "gui_shared/soundplayer.h"

// Answers every modal window instead of blocking in its exec(): the window is
// shown, handed to the answer registered for its objectName (by default it is
// closed with the close box) and its result returned. Nested windows go
// through here too, so the order in which they were shown is recorded.
class ModalRecorder
{
public:
    using Answer = std::function<void(QDialog &dialog)>;

    ModalRecorder()
    {
        Modal::setRunner([this](QDialog &dialog) { return run(dialog); });
    }

    ~ModalRecorder() { Modal::setRunner({}); }

    ModalRecorder(const ModalRecorder &) = delete;
    ModalRecorder &operator=(const ModalRecorder &) = delete;

    void answer(const QString &objectName, Answer answer) { m_answers.insert(objectName, std::move(answer)); }
    // objectNames of the windows shown, in order.
    QStringList shown() const { return m_shown; }

private:
    int run(QDialog &dialog)
    {
        m_shown.append(dialog.objectName());
        dialog.show();
        const Answer answer = m_answers.value(dialog.objectName());
        if (answer)
            answer(dialog);
        else
            dialog.close();
        return dialog.result();
    }

    QHash<QString, Answer> m_answers;
    QStringList m_shown;
};

// The files the sound player was asked to play, instead of playing them.
class SoundRecorder
{
public:
    SoundRecorder()
    {
        SoundPlayer::setHandler([this](const QString &path) { m_played.append(path); });
    }

    ~SoundRecorder() { SoundPlayer::setHandler({}); }

    SoundRecorder(const SoundRecorder &) = delete;
    SoundRecorder &operator=(const SoundRecorder &) = delete;

    QStringList played() const { return m_played; }

private:
    QStringList m_played;
};

// objectNames of the labels of `window` that would draw their text as markup,
// where a tag from a file or the learner must show as typed.
inline QStringList labelsShowingMarkup(const QWidget &window)
{
    QStringList names;
    for (const QLabel *label : window.findChildren<QLabel *>())
    {
        const Qt::TextFormat format = label->textFormat();
        if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(label->text())))
            names.append(label->objectName());
    }
    return names;
}
