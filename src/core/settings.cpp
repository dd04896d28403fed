#include "settings.h"

#include <limits>

#include "common.h"
#include "inifile.h"
#include "message.h"
#include "programfolder.h"

namespace
{
    QString iniPath(int kind)
    {
        return kind == Common::UserTextIni ? Common::UserTextIniPath() : Common::CommonIniPath();
    }

    // A whole number from a per-bank value, or fallback when it is missing,
    // no plain number, outside [low, high] or too large for 16 bits.
    int settingOr(const QString &key, int low, int high, int fallback)
    {
        const QString text = Common::ReadIniValue(Common::UserTextIni, Common::SectionSyutudai, key);
        if (!Common::IsDigitsOnly(text))
            return fallback;
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value > std::numeric_limits<qint16>::max() || value < low || value > high)
            return fallback;
        return value;
    }

    int passPointOr(int fallback)
    {
        const int value = settingOr(Common::KeyPointPass, 10, 100, fallback);
        return value % 10 == 0 ? value : fallback;
    }
}

QString Common::CommonIniPath()
{
    return ProgramFolder::filePath(ProgramFolder::IniDir, QStringLiteral("tst.ini"));
}

QString Common::UserTextIniPath()
{
    const QString name = SafeTextName();
    if (name.isEmpty())
        return {};
    return ProgramFolder::filePath(ProgramFolder::UserIniDir, name + DirectionSuffix() + QStringLiteral(".ini"));
}

QString Common::ReadIniValue(int kind, const QString &section, const QString &key)
{
    const QString path = iniPath(kind);
    if (path.isEmpty())
        return {};
    return IniFile(path).value(section, key);
}

void Common::WriteIniValue(int kind, const QString &section, const QString &key, const QString &value)
{
    const QString path = iniPath(kind);
    if (path.isEmpty())
        return;
    if (!IniFile(path).setValue(section, key, value))
        Message::show(QStringLiteral("設定ファイルに書き込めませんでした。\n%1").arg(path));
}

bool Common::StoreIniValue(int kind, const QString &section, const QString &key, const QString &value)
{
    const QString path = iniPath(kind);
    return !path.isEmpty() && IniFile(path).setValue(section, key, value);
}

void Common::LoadTestSettings()
{
    if (!IsUserBank())
    {
        TimeLimitChallenge = 50;
        TimeLimitStudy = 200;
        QuestionsPerLevel = 17;
        PassPoint = 80;
        HighLevelPassPoint = 90;
        LevelCount = QuestionCount / QuestionsPerLevel;
        ForcedReview = ForcedReviewOn;
        return;
    }

    TimeLimitChallenge = settingOr(KeyTimeLimit1, 10, 300, 50);
    TimeLimitStudy = settingOr(KeyTimeLimit2, 10, 300, 200);
    QuestionsPerLevel = settingOr(KeyNumberLevel, 10, std::max(QuestionCount, 10), 17);
    PassPoint = passPointOr(80);
    HighLevelPassPoint = PassPoint;
    LevelCount = QuestionCount / QuestionsPerLevel;
    ForcedReview = ReadIniValue(UserTextIni, SectionSyutudai, KeyKyosei);
}

bool Common::IsUserBank()
{
    return ReadIniValue(CommonIni, SectionSyutudai, KeyTextKind) == TextKindUser;
}

bool Common::IsEnglishAnswer()
{
    return ReadIniValue(CommonIni, SectionSyutudai, KeyTransMode) == TransModeEnglish;
}

QString Common::DirectionSuffix()
{
    return IsEnglishAnswer() ? QStringLiteral("E") : QString();
}

QString Common::SafeTextName()
{
    const QString name = ReadIniValue(CommonIni, SectionSyutudai, KeyTextName);
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(u'\\')
        || name.contains(QChar(0)))
        return {};
    return name;
}

QString Common::BankDescription()
{
    const QString direction = IsEnglishAnswer() ? TransModeEnglish : TransModeJapanese;
    if (!IsUserBank())
        return QStringLiteral("      < 標準問題 － %1 > ").arg(direction);
    return QStringLiteral("      < ユーザー問題 － %1 ： %2 >")
        .arg(direction, ReadIniValue(CommonIni, SectionSyutudai, KeyTextName));
}
