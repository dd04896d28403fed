#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of vocamira-bank. Each returns the process exit code and
// writes its messages to `err`.
class BankTool
{
public:
    enum ExitCode
    {
        Success = 0,
        BadInput = 1,
        BadUsage = 2,
    };

    BankTool(QTextStream &out, QTextStream &err);

    int run(const QStringList &arguments);

private:
    int help();
    int encode(const QStringList &arguments);
    int decode(const QStringList &arguments);
    int dumpRecords(const QStringList &arguments);
    int loadRecords(const QStringList &arguments);
    int history(const QStringList &arguments);
    int exportData(const QStringList &arguments);
    int importData(const QStringList &arguments);
    int suggest(const QStringList &arguments);
    int reading(const QStringList &arguments);
    int words(const QStringList &arguments);

    // The dictionary index beside the program, or "" when there is none.
    static QString defaultIndexPath();
    // A file of the program folder beside the program, or "" when there is none.
    static QString besideProgram(const QString &file);

    // Reads a container whole; false (with a message) when it is missing,
    // foreign or damaged.
    bool readContainer(const QString &path, QStringList &strings);
    // Copies a history file and its log for reading; false (with a message)
    // when it is missing or cannot be read.
    bool copyHistory(const QString &path, const QString &copy);
    bool readTextFile(const QString &path, QStringList &lines);
    bool writeOutput(const QString &path, const QStringList &lines);
    bool writeContainer(const QString &path, const QStringList &strings);
    int fail(const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;
};
