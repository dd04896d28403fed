#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The read-me in a read-only window of the program, for a desktop that has
// no text editor to show it in. Like the editor it stands in for, it does
// not hold up the main window.
class ReadMeViewer : public QDialog
{
    Q_OBJECT

public:
    ReadMeViewer(const QString &path, QWidget *owner = nullptr);

    // Opens a viewer that deletes itself when closed, and returns it.
    static ReadMeViewer *showFile(const QString &path, QWidget *owner);

    QPlainTextEdit *Text = nullptr;
    QPushButton *OKButton = nullptr;
};
