#pragma once

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QObject>
#include <QStringList>

#include "gui_shared/soundplayer.h"

// An X server offers no way to read a label, so the end-to-end test reads the
// question on screen from here instead, as a screen reader would. With the
// environment variable VOCAMIRA_TRACE_FILE set, every change of the question
// painted in the main window appends one UTF-8 line to that file: the question
// number, the prompt and the answers of boxes 0 to 2, separated by tabs.
// Sounds go to the same file in place of the sound device, which an X server
// lacks: a line of "♪", an empty field, and the file played or SpeechMark and
// the text spoken.
// Unset, nothing is watched or written.
class ScreenTrace : public QObject
{
public:
    static void installFromEnvironment(QWidget *window)
    {
        const QString path = qEnvironmentVariable("VOCAMIRA_TRACE_FILE");
        auto *prompt = window->findChild<QLabel *>(QStringLiteral("Label1"));
        if (path.isEmpty() || !prompt)
            return;
        prompt->installEventFilter(new ScreenTrace(path, window));
        SoundPlayer::setHandler([path](const QString &sound) { append(path, QStringLiteral("♪\t\t") + sound); });
    }

protected:
    // A paint of the prompt follows every change of the question, after the
    // boxes have been filled, so the line is whole.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            writeIfChanged();
        return QObject::eventFilter(watched, event);
    }

private:
    ScreenTrace(const QString &path, QWidget *window)
        : QObject(window)
        , m_path(path)
        , m_window(window)
    {
    }

    QString labelText(const QString &name) const
    {
        const auto *label = m_window->findChild<QLabel *>(name);
        return label ? label->text() : QString();
    }

    void writeIfChanged()
    {
        QStringList fields;
        for (const char *name : {"Label15", "Label1", "Label2_0", "Label2_1", "Label2_2"})
            fields.append(labelText(QString::fromLatin1(name)));
        const QString line = fields.join(u'\t');
        if (line == m_lastLine)
            return;
        m_lastLine = line;
        append(m_path, line);
    }

    // A test aid: a file that cannot be written shows up as a missing line there.
    static void append(const QString &path, const QString &line)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write((line + u'\n').toUtf8());
    }

    QString m_path;
    QWidget *m_window;
    QString m_lastLine;
};
