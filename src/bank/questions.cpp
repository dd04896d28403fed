#include "questions.h"

#include <QFile>

#include "core/common.h"
#include "core/cp932.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "gsxseq.h"
#include "usertext.h"

namespace
{
    void setBank(QList<Common::QuestionEntry> &&bank)
    {
        Common::QuestionBank = std::move(bank);
        Common::QuestionCount = static_cast<int>(Common::QuestionBank.size());
    }

    Common::QuestionEntry standardEntry(const QString &english, const QString &meaning, const QString &reading,
                                        bool englishAnswer)
    {
        if (englishAnswer)
            return {meaning, english, english, {}};
        return {english, meaning, reading, {}};
    }
}

void Common::LoadQuestions()
{
    if (IsUserBank())
        LoadUserQuestions();
    else
        LoadStandardQuestions();
    if (QuestionCount == 0)
        Message::show(QStringLiteral("問題文が１問も存在しません。処理続行不能！！"));
}

// A missing file empties the bank, so that the bank in memory always belongs to
// the current settings; a damaged file keeps the complete questions before the damage.
void Common::LoadStandardQuestions()
{
    GsxSeq::ReadHandle file;
    if (GsxSeq::OpenContainer(StandardQuestionPath(), file) != GsxSeq::OpenOk)
    {
        setBank({});
        return;
    }
    const bool englishAnswer = IsEnglishAnswer();
    QList<QuestionEntry> bank;
    QByteArray fields[3];
    for (;;)
    {
        int field = 0;
        while (field < 3 && GsxSeq::ReadContainerBytes(file, fields[field]) == GsxSeq::ReadString)
            ++field;
        if (field < 3 || bank.size() >= MaxQuestionCount)
            break;
        bank.append(standardEntry(Cp932::decode(fields[0]), Cp932::decode(fields[1]), Cp932::decode(fields[2]),
                                  englishAnswer));
    }
    setBank(std::move(bank));
}

void Common::LoadUserQuestions()
{
    const QString path = UserQuestionPath();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    {
        setBank({});
        return;
    }
    const QStringList lines = UserText::splitLines(UserText::decode(file.readAll()).text);
    QList<QuestionEntry> bank;
    for (qsizetype i = 0; i + 2 < lines.size() && bank.size() < MaxQuestionCount; i += 3)
        bank.append({lines[i], lines[i + 1], lines[i + 2], {}});
    setBank(std::move(bank));
}

QString Common::StandardQuestionPath()
{
    return ProgramFolder::filePath(ProgramFolder::StandardWordDir, QStringLiteral("data2.dat"));
}

QString Common::UserQuestionPath()
{
    const QString name = SafeTextName();
    if (name.isEmpty())
        return {};
    return ProgramFolder::filePath(ProgramFolder::UserWordDir, name + QStringLiteral(".txt"));
}

QString Common::SoundFilePath(int index)
{
    const QString folder = index < 170 ? ProgramFolder::Sound1Dir : ProgramFolder::Sound2Dir;
    return ProgramFolder::filePath(folder, QStringLiteral("%1.wma").arg(index, 4, 10, QChar(u'0')));
}
