#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "wordlist/rowchecks.h"
#include "wordlist/wordhelp.h"
#include "wordlist/wordlistfile.h"

// The dictionary help of the word-list editor and the checks and saving of
// a long list. The index is the one the build made (build/vocamira/dict),
// or VOCAMIRA_INDEX; without either, one of the same size is made up.
namespace
{
    const QStringList TypedWords {"apple", "school", "run", "beautiful", "government", "ice cream", "children",
                                  "running", "xylophone", "because", "weather", "happily"};

    QString madeUpIndex()
    {
        static QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("en-ja.tsv"));
        if (QFileInfo::exists(path))
            return path;
        QStringList words;
        for (int i = 0; i < 90000; ++i)
            words.append(QStringLiteral("word%1").arg(i, 6, 10, QChar(u'0')));
        words += TypedWords;
        words.sort();
        QByteArray bytes = QByteArray(WordIndex::Header) + "; made up\n";
        for (const QString &word : words)
            bytes += (word + QStringLiteral("\t意味の言葉\tいみのことば\t別の意味\tべつのいみ\t三つ目\tみっつめ\n")).toUtf8();
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    QString indexPath()
    {
        const QString given = qEnvironmentVariable("VOCAMIRA_INDEX");
        if (!given.isEmpty())
            return given;
        const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../vocamira/dict/en-ja.tsv");
        return QFileInfo::exists(built) ? built : madeUpIndex();
    }

    // The resident memory of the process, in bytes.
    double residentBytes()
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly))
            return 0;
        return statm.readAll().split(' ').value(1).toDouble() * 4096;
    }

    void LoadIndex(benchmark::State &state)
    {
        const QString path = indexPath();
        double grown = 0;
        for (auto _ : state)
        {
            WordIndex index;
            const double before = residentBytes();
            index.load(path, nullptr);
            grown = residentBytes() - before;
            benchmark::DoNotOptimize(index.wordCount());
        }
        state.counters["MB"] = grown / (1024 * 1024);
        state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    }
    BENCHMARK(LoadIndex)->Unit(benchmark::kMillisecond)->Iterations(5);

    void SuggestTypedWord(benchmark::State &state)
    {
        WordHelp help({indexPath(), JapaneseReading::defaultDictionary(), Spelling::defaultDictionary()});
        help.suggestions(QStringLiteral("apple")); // the first loads the index and Hunspell
        qsizetype i = 0;
        for (auto _ : state)
            benchmark::DoNotOptimize(help.suggestions(TypedWords[i++ % TypedWords.size()]));
    }
    BENCHMARK(SuggestTypedWord)->Unit(benchmark::kMicrosecond);

    void ReadingFromMeCab(benchmark::State &state)
    {
        JapaneseReading reading;
        if (!reading.load(JapaneseReading::defaultDictionary(), nullptr))
        {
            state.SkipWithError("MeCab's dictionary is missing");
            return;
        }
        const QStringList meanings {"一生懸命", "美しい", "天気予報", "自動販売機", "食べる", "走り回る子供たち"};
        qsizetype i = 0;
        for (auto _ : state)
            benchmark::DoNotOptimize(reading.reading(meanings[i++ % meanings.size()]));
    }
    BENCHMARK(ReadingFromMeCab)->Unit(benchmark::kMicrosecond);

    void CheckAndSaveRows(benchmark::State &state)
    {
        QList<WordRow> rows;
        for (int i = 0; i < state.range(0); ++i)
            rows.append({QStringLiteral("headword%1").arg(i), QStringLiteral("見出し語の意味%1").arg(i),
                         QStringLiteral("みだしごのいみ、ちょっとながめ%1").arg(i)});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        for (auto _ : state)
        {
            benchmark::DoNotOptimize(RowChecks::check(rows));
            WordListFile::write(path, rows, nullptr);
            WordListFile::write(dir.filePath(QStringLiteral("other.txt")), WordListFile::otherDirection(rows), nullptr);
        }
    }
    BENCHMARK(CheckAndSaveRows)->Arg(5000)->Unit(benchmark::kMillisecond);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
