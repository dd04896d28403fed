#pragma once

#include <QString>
#include <QStringList>

// The folder that holds the executable and every file the program uses.
// Tests point it at a prepared temporary folder.
namespace ProgramFolder
{
    QString path();
    void setPath(const QString &path);
    // path() + "/" + relative; relative uses "/" as separator.
    QString filePath(const QString &relative);
    // path() + "/" + folder + "/" + name.
    QString filePath(const QString &folder, const QString &name);

    // The fixed folders of an installation, relative to path().
    inline const QString IniDir = QStringLiteral("ini");
    inline const QString UserIniDir = QStringLiteral("ini/ユーザーテキスト");
    inline const QString StandardWordDir = QStringLiteral("word/標準テキスト");
    inline const QString UserWordDir = QStringLiteral("word/ユーザーテキスト");
    inline const QString StandardRecordDir = QStringLiteral("seiseki/標準テキスト");
    inline const QString UserRecordDir = QStringLiteral("seiseki/ユーザーテキスト");
    inline const QString Sound1Dir = QStringLiteral("sound1");
    inline const QString Sound2Dir = QStringLiteral("sound2");

    // Every folder of an installation, for whoever lays one out.
    inline const QStringList InstallationFolders {IniDir, UserIniDir, StandardWordDir, UserWordDir,
                                                  StandardRecordDir, UserRecordDir, Sound1Dir, Sound2Dir};
}
