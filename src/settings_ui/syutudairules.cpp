#include "syutudairules.h"

#include <QDir>

#include <limits>
#include <optional>

#include "core/common.h"

namespace
{
    // The value of a field of ASCII digits, when it fits the 16-bit numbers
    // the settings hold; leading zeros are allowed.
    std::optional<int> shortNumber(const QString &text)
    {
        if (!Common::IsDigitsOnly(text))
            return std::nullopt;
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        if (!ok || value > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return static_cast<int>(value);
    }

    // Checks of one whole-number field: empty, not digits, out of range.
    QString numberCheck(const QString &text, int low, int high, const QString &missing, const QString &range)
    {
        if (text.isEmpty())
            return missing;
        const std::optional<int> value = shortNumber(text);
        if (!value || *value < low || *value > high)
            return range;
        return {};
    }
}

QString Common::FirstFailedCheck(const SyutudaiFields &fields)
{
    if (fields.standardChosen && fields.standardName.isEmpty())
        return QStringLiteral("問題文（標準）を選択してください");
    if (fields.userChosen && fields.userName.isEmpty())
        return QStringLiteral("問題文（ユーザー）を選択してください");
    if (!fields.userChosen)
        return {};

    const int questionCount = shortNumber(fields.questionCount).value_or(0);
    QString failed = numberCheck(fields.questionsPerLevel, 10, questionCount,
                                 QStringLiteral("１LEVEL当たりの問題数を入力してください"),
                                 QStringLiteral("１LEVEL当たりの問題数には10～全問題数の間の整数を入力してください"));
    if (failed.isEmpty())
        failed = numberCheck(fields.timeLimitChallenge, 10, 300, QStringLiteral("制限時間（レベル上げ）を入力してください"),
                             QStringLiteral("制限時間（レベル上げ）には10～300の間の整数を入力してください"));
    if (failed.isEmpty())
        failed = numberCheck(fields.timeLimitStudy, 10, 300, QStringLiteral("制限時間（予習/復習）を入力してください"),
                             QStringLiteral("制限時間（予習/復習）には10～300の間の整数を入力してください"));
    if (!failed.isEmpty())
        return failed;
    if (!fields.passPointChosen)
        return QStringLiteral("合格点を選択してください");
    if (!fields.forcedReviewChosen)
        return QStringLiteral("強制モード有無を選択してください");
    return {};
}

QString Common::LevelCountText(const QString &questionCount, const QString &questionsPerLevel)
{
    const std::optional<int> perLevel = shortNumber(questionsPerLevel);
    const std::optional<int> count = shortNumber(questionCount);
    if (!perLevel || *perLevel == 0 || !count)
        return {};
    return QString::number(*count / *perLevel);
}

QStringList Common::UserTextNames(const QString &folder)
{
    QStringList names;
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files)
    {
        if (file.size() > 4)
            names.append(file.chopped(4));
    }
    return names;
}
