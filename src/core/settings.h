#pragma once

#include <QString>

// The settings files: "tst.ini" shared by every bank, and one file per user
// bank and direction. Nothing is cached: every reader asks the file.
namespace Common
{
    enum IniKind : int
    {
        CommonIni = 1,
        UserTextIni = 2,
    };

    inline const QString SectionSyutudai = QStringLiteral("SYUTUDAI");
    inline const QString SectionMainWindow = QStringLiteral("MAINWINDOW");
    inline const QString KeyTextKind = QStringLiteral("TEXTKIND");
    inline const QString KeyTextName = QStringLiteral("TEXTNAME");
    inline const QString KeyTransMode = QStringLiteral("TRANSMODE");
    inline const QString KeyInputBy = QStringLiteral("INPUTBY");
    inline const QString KeySound = QStringLiteral("SOUND");
    inline const QString KeyNumberLevel = QStringLiteral("NUMBERLEVEL");
    inline const QString KeyTimeLimit1 = QStringLiteral("TIMELIMIT1");
    inline const QString KeyTimeLimit2 = QStringLiteral("TIMELIMIT2");
    inline const QString KeyPointPass = QStringLiteral("POINTPASS");
    inline const QString KeyKyosei = QStringLiteral("KYOSEI");

    inline const QString TextKindUser = QStringLiteral("USER");
    inline const QString TextKindStandard = QStringLiteral("STANDARD");
    inline const QString TransModeEnglish = QStringLiteral("英訳");
    inline const QString TransModeJapanese = QStringLiteral("和訳");
    inline const QString ForcedReviewOn = QStringLiteral("有り");
    inline const QString ForcedReviewOff = QStringLiteral("無し");

    QString CommonIniPath();
    // Follows TEXTNAME and TRANSMODE at every call; empty when TEXTNAME is no
    // usable file name (see SafeTextName).
    QString UserTextIniPath();

    // kind 1: the common file, kind 2: the current user bank's file.
    QString ReadIniValue(int kind, const QString &section, const QString &key);
    // A failed write is told to the learner, naming the file; the program goes on.
    void WriteIniValue(int kind, const QString &section, const QString &key, const QString &value);
    // The same write, telling nobody: false when the file could not be written
    // (or the bank has no usable name), for a caller that reports once.
    bool StoreIniValue(int kind, const QString &section, const QString &key, const QString &value);

    void LoadTestSettings();

    // TEXTKIND is "USER".
    bool IsUserBank();
    // TRANSMODE is "英訳": the Japanese meaning is shown and English is typed.
    bool IsEnglishAnswer();
    // "E" for the "英訳" files, "" otherwise.
    QString DirectionSuffix();
    // TEXTNAME when it names a file inside its folder; "" for a name with a
    // path separator, "." or "..", so nothing is read or written elsewhere.
    QString SafeTextName();
    // The bank part of the window captions, for example
    // "      < 標準問題 － 和訳 > ".
    QString BankDescription();
}
