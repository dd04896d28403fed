#include "studychoice.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

#include "bank/questions.h"
#include "core/common.h"
#include "core/inifile.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "records/recordsstore.h"

namespace
{
    bool inRange(const QString &text, int low, int high)
    {
        if (!Common::IsDigitsOnly(text) || text.size() > 5)
            return false;
        const int value = text.toInt();
        return value >= low && value <= high && value <= std::numeric_limits<qint16>::max();
    }

    QString orDefault(const QString &value, bool usable, const QString &fallback)
    {
        return usable ? value : fallback;
    }

    QString settingsPath(const QString &bank, bool englishAnswer)
    {
        return ProgramFolder::filePath(ProgramFolder::UserIniDir,
                                       bank + (englishAnswer ? QStringLiteral("E.ini") : QStringLiteral(".ini")));
    }

    struct Setting
    {
        int kind;
        QString key;
        QString value;
    };

    bool store(const QList<Setting> &settings, QString *failedPath)
    {
        for (const Setting &setting : settings)
        {
            if (!Common::StoreIniValue(setting.kind, Common::SectionSyutudai, setting.key, setting.value))
            {
                *failedPath = setting.kind == Common::CommonIni ? Common::CommonIniPath() : Common::UserTextIniPath();
                return false;
            }
        }
        return true;
    }

    QList<Setting> bankKeys(const QString &kind, const QString &name, const QString &transMode)
    {
        return {{Common::CommonIni, Common::KeyTextKind, kind},
                {Common::CommonIni, Common::KeyTextName, name},
                {Common::CommonIni, Common::KeyTransMode, transMode}};
    }

    void loadAll()
    {
        Common::LoadQuestions();
        Common::LoadTestSettings();
        Common::LoadRecords();
    }
}

StudyChoice::Parameters StudyChoice::stored(const QString &bank, bool englishAnswer)
{
    const IniFile file(settingsPath(bank, englishAnswer));
    auto read = [&file](const QString &key) { return file.value(Common::SectionSyutudai, key); };
    return {read(Common::KeyNumberLevel), read(Common::KeyTimeLimit1), read(Common::KeyTimeLimit2),
            read(Common::KeyPointPass), read(Common::KeyKyosei)};
}

StudyChoice::Parameters StudyChoice::usable(const Parameters &stored, int count)
{
    const bool passPoint = inRange(stored.passPoint, 10, 100) && stored.passPoint.toInt() % 10 == 0
        && stored.passPoint == QString::number(stored.passPoint.toInt());
    const bool forcedReview = stored.forcedReview == Common::ForcedReviewOn
        || stored.forcedReview == Common::ForcedReviewOff;
    return {orDefault(stored.questionsPerLevel, inRange(stored.questionsPerLevel, 10, count),
                      QString::number(DefaultQuestionsPerLevel)),
            orDefault(stored.timeLimitChallenge, inRange(stored.timeLimitChallenge, 10, 300), QStringLiteral("50")),
            orDefault(stored.timeLimitStudy, inRange(stored.timeLimitStudy, 10, 300), QStringLiteral("200")),
            orDefault(stored.passPoint, passPoint, QStringLiteral("80")),
            orDefault(stored.forcedReview, forcedReview, Common::ForcedReviewOn)};
}

int StudyChoice::questionsPerLevel(const QString &bank, bool englishAnswer)
{
    const QString stored = StudyChoice::stored(bank, englishAnswer).questionsPerLevel;
    return inRange(stored, 10, std::numeric_limits<qint16>::max()) ? stored.toInt() : DefaultQuestionsPerLevel;
}

StudyChoice::Outcome StudyChoice::choose(const QString &bank, bool englishAnswer)
{
    auto common = [](const QString &key) {
        return Common::ReadIniValue(Common::CommonIni, Common::SectionSyutudai, key);
    };
    const QList<Setting> before = bankKeys(common(Common::KeyTextKind), common(Common::KeyTextName),
                                           common(Common::KeyTransMode));
    Outcome outcome;
    QString failedPath;
    bool written = store(bankKeys(Common::TextKindUser, bank,
                                  englishAnswer ? Common::TransModeEnglish : Common::TransModeJapanese),
                         &failedPath);
    if (written)
    {
        Common::LoadQuestions();
        const Parameters use = usable(stored(bank, englishAnswer), Common::QuestionCount);
        written = store({{Common::UserTextIni, Common::KeyNumberLevel, use.questionsPerLevel},
                         {Common::UserTextIni, Common::KeyTimeLimit1, use.timeLimitChallenge},
                         {Common::UserTextIni, Common::KeyTimeLimit2, use.timeLimitStudy},
                         {Common::UserTextIni, Common::KeyPointPass, use.passPoint},
                         {Common::UserTextIni, Common::KeyKyosei, use.forcedReview}},
                        &failedPath);
    }
    if (!written)
    {
        QString ignored;
        store(before, &ignored);
        loadAll();
        outcome.failure = QStringLiteral("設定ファイルに書き込めなかったため、この問題集を選べませんでした。\n%1")
                              .arg(QDir::toNativeSeparators(failedPath));
        return outcome;
    }
    outcome.hadRecords = QFileInfo::exists(Common::RecordDataPath());
    Common::LoadTestSettings();
    Common::LoadRecords();
    return outcome;
}
