#include "wordlistnames.h"

#include "core/cp932.h"
#include "core/programfolder.h"
#include "settings_ui/syutudairules.h"

namespace
{
    const QString OtherDirectionSuffix = QStringLiteral("（英訳用）");

    // A file name that every desktop can hold: the longest file of a list,
    // the settings of its other direction (name + "（英訳用）E.ini"), fits
    // in 255 bytes.
    constexpr qsizetype MaxFileNameBytes = 255;

    bool hasForbiddenCharacter(const QString &name)
    {
        for (const QChar c : name)
        {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c))
                return true;
        }
        return false;
    }

    // The settings and records of a bank and direction are named by the bank
    // and "E" for 英訳: "abcE" and "abc" in 英訳 would share their files.
    bool sharesFilesWith(const QString &name, const QStringList &existing)
    {
        for (const QString &other : existing)
        {
            if (other != name && (other + u'E' == name || name + u'E' == other))
                return true;
        }
        return false;
    }
}

QString WordListNames::problem(const QString &name, const QStringList &existing)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("名前を入力してください。");
    if (name != name.trimmed() || name.endsWith(u'.'))
        return QStringLiteral("名前の最初と最後に空白や「.」は使えません。");
    if (hasForbiddenCharacter(name))
        return QStringLiteral("名前に \\ / : * ? \" < > | や制御文字は使えません。");
    // The name is stored in the settings file, which is code page 932.
    if (!Cp932::canEncode(name))
        return QStringLiteral("名前に設定ファイルに書けない文字（Shift-JIS にない文字）があります。");
    if (otherDirectionName(name).toUtf8().size() + 5 > MaxFileNameBytes)
        return QStringLiteral("名前が長すぎます。");
    if (name.endsWith(OtherDirectionSuffix))
        return QStringLiteral("「%1」で終わる名前は、英訳用の問題集のために取ってあります。").arg(OtherDirectionSuffix);
    if (sharesFilesWith(name, existing))
        return QStringLiteral("「%1」は、末尾の「E」だけが違う問題集と成績や設定のファイルが重なるため使えません。").arg(name);
    return {};
}

QString WordListNames::otherDirectionName(const QString &name)
{
    return name + OtherDirectionSuffix;
}

QString WordListNames::listOfOtherDirection(const QString &name)
{
    if (!name.endsWith(OtherDirectionSuffix) || name.size() == OtherDirectionSuffix.size())
        return {};
    return name.chopped(OtherDirectionSuffix.size());
}

QString WordListNames::bankPath(const QString &name)
{
    return ProgramFolder::filePath(ProgramFolder::UserWordDir, name + QStringLiteral(".txt"));
}

QStringList WordListNames::existingBanks()
{
    return Common::UserTextNames(ProgramFolder::filePath(ProgramFolder::UserWordDir));
}
