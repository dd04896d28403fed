#pragma once

#include <QString>
#include <QStringList>

// Where the program's files are. Two layouts, decided here and nowhere else:
// - portable: the executable's folder holds the standard bank; that one folder
//   is read and written, and the program never creates a folder in it;
// - installed: the executable is in <prefix>/bin and the shipped data (standard
//   bank, sounds, read-me) in <prefix>/share/vocamira, read only; settings, user
//   banks and records are in the learner's folder $XDG_DATA_HOME/vocamira,
//   made with its subfolders when missing.
// Every other part of the program asks filePath() and never learns which.
// Tests point both at a prepared temporary folder with setPath().
namespace ProgramFolder
{
    struct Layout
    {
        bool installed = false;
        QString shipped; // the standard bank, sounds and read-me (read only when installed)
        QString learner; // settings, user banks and records
    };

    // The layout from where the files are, never from permissions: the
    // executable's folder holding the standard bank is portable; else
    // <folder>/../share/vocamira holding it is installed; else portable (and
    // start-up then tells the learner that the bank is missing).
    // xdgDataHome is used when absolute, else home + "/.local/share".
    Layout DecideLayout(const QString &executableDir, const QString &xdgDataHome, const QString &home);

    // Makes the learner's folders of an installed layout; a portable layout
    // needs nothing. When a folder cannot be made the learner is told which,
    // nothing else is written anywhere, and the result is false.
    bool PrepareLayout(const Layout &layout);

    // Decides the layout of this run from the executable's folder and the
    // environment, prepares it and uses it. False: the program must end.
    bool SetUp();

    // Uses a layout as it is (tests).
    void setLayout(const Layout &layout);
    // A portable layout at path (tests); an empty path goes back to the
    // executable's folder.
    void setPath(const QString &path);

    // The learner's folder: every file the program writes is below it.
    QString path();
    // The file at relative ("/" as separator) below the folder that holds it.
    QString filePath(const QString &relative);
    // filePath(folder + "/" + name).
    QString filePath(const QString &folder, const QString &name);

    // The fixed folders of an installation, relative to the learner's or the
    // shipped folder.
    inline const QString IniDir = QStringLiteral("ini");
    inline const QString UserIniDir = QStringLiteral("ini/ユーザーテキスト");
    inline const QString StandardWordDir = QStringLiteral("word/標準テキスト");
    inline const QString UserWordDir = QStringLiteral("word/ユーザーテキスト");
    inline const QString StandardRecordDir = QStringLiteral("seiseki/標準テキスト");
    inline const QString UserRecordDir = QStringLiteral("seiseki/ユーザーテキスト");
    // Daily copies of the records, made when first needed.
    inline const QString BackupRecordDir = QStringLiteral("seiseki/backup");
    inline const QString Sound1Dir = QStringLiteral("sound1");
    inline const QString Sound2Dir = QStringLiteral("sound2");
    inline const QString ReadMeFile = QStringLiteral("readme.txt");
    // The English→Japanese index of the word-list editor, made by the build.
    inline const QString DictionaryDir = QStringLiteral("dict");
    // In the learner's folder: held by the copy of the program that uses it.
    inline const QString LockFileName = QStringLiteral("vocamira.lock");

    // Every folder of an installation, for whoever lays one out.
    inline const QStringList InstallationFolders {IniDir, UserIniDir, StandardWordDir, UserWordDir,
                                                  StandardRecordDir, UserRecordDir, Sound1Dir, Sound2Dir};
    // The folders of the learner's own files, made in an installed layout.
    inline const QStringList LearnerFolders {IniDir, UserIniDir, UserWordDir, StandardRecordDir, UserRecordDir};
    // Below <prefix>: where an installed layout keeps the executable and the shipped data.
    inline const QString InstalledBinDir = QStringLiteral("bin");
    inline const QString InstalledDataDir = QStringLiteral("share/vocamira");
    // Below $XDG_DATA_HOME: the learner's folder of an installed layout.
    inline const QString LearnerDirName = QStringLiteral("vocamira");
}
