#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <list>

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
        // Each load stays in memory until the end, so that a later one cannot
        // reuse what an earlier one freed: the growth is what one index takes.
        std::list<WordIndex> loaded;
        const double before = residentBytes();
        for (auto _ : state)
        {
            loaded.emplace_back().load(path, nullptr);
            benchmark::DoNotOptimize(loaded.back().wordCount());
        }
        state.counters["MB"] = (residentBytes() - before) / double(loaded.size()) / (1024 * 1024);
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

    QList<WordRow> longList(qsizetype count)
    {
        QList<WordRow> rows;
        for (qsizetype i = 0; i < count; ++i)
            rows.append({QStringLiteral("headword%1").arg(i), QStringLiteral("見出し語の意味%1").arg(i),
                         QStringLiteral("みだしごのいみ、ちょっとながめ%1").arg(i)});
        return rows;
    }

    // What the editor does on saving: check every row, write the list and
    // the bank of its other direction. Arg 1 checks only, 2 saves only, 3
    // checks again after an edit, as the editor does with what it checked.
    void CheckAndSaveRows(benchmark::State &state)
    {
        QList<WordRow> rows = longList(state.range(0));
        const bool check = state.range(1) != 2;
        const bool save = state.range(1) == 0 || state.range(1) == 2;
        RowChecks::Cache checked;
        RowChecks::Cache *cache = state.range(1) == 3 ? &checked : nullptr;
        if (cache)
            RowChecks::check(rows, cache);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        int edits = 0;
        for (auto _ : state)
        {
            if (cache)
                rows[0].reading = QStringLiteral("よみ%1").arg(++edits);
            if (check)
                benchmark::DoNotOptimize(RowChecks::check(rows, cache));
            if (!save)
                continue;
            WordListFile::write(path, rows, nullptr);
            WordListFile::write(dir.filePath(QStringLiteral("other.txt")), WordListFile::otherDirection(rows), nullptr);
        }
    }
    BENCHMARK(CheckAndSaveRows)
        ->Args({5000, 0})
        ->Args({5000, 1})
        ->Args({5000, 2})
        ->Args({5000, 3})
        ->Unit(benchmark::kMillisecond);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
