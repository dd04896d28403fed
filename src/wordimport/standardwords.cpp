#include "standardwords.h"

#include "bank/gsxseq.h"
#include "bank/questions.h"
#include "core/programfolder.h"
#include "records/recordlinereader.h"

int StandardWords::learnerLevel()
{
    int level = 0;
    for (const char *suffix : {"", "E"})
    {
        const QString path =
            ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1%1.dat").arg(QLatin1String(suffix)));
        QStringList lines;
        GsxSeq::ReadContainerFile(path, lines);
        int current = 0;
        // The header line starts with the LEVEL the learner stands at.
        if (!lines.isEmpty() && RecordLineReader(lines.first()).readInt(current))
            level = std::max(level, current);
    }
    return std::max(level, 0);
}

QSet<QString> StandardWords::upToLevel(int level, const QString &bank)
{
    QSet<QString> words;
    if (level <= 0)
        return words;
    QStringList strings;
    GsxSeq::ReadContainerFile(bank.isEmpty() ? Common::StandardQuestionPath() : bank, strings);
    // Three strings a word: the English word, its meaning, its reading.
    const qsizetype count = std::min<qsizetype>(strings.size() / 3, qsizetype(level) * WordsPerLevel);
    for (qsizetype i = 0; i < count; ++i)
        words.insert(strings[i * 3].toLower());
    return words;
}
