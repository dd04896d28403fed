#include <benchmark/benchmark.h>

#include <QFile>

#include "wordimport/importtext.h"
#include "wordimport/tablereader.h"
#include "wordlist/importlexicon.h"
#include "wordlist/importrows.h"
#include "wordlist/wordhelp.h"

// The import of words: a spreadsheet's CSV of 5,000 rows, from its bytes to
// what the preview shows (decoded, split, checked, columns guessed); and a
// text of 10,000 words to the list of candidates with their meanings, with
// the shipped index, ranks and Hunspell.
namespace
{
    QByteArray spreadsheet(int rows)
    {
        QByteArray csv = "\xEF\xBB\xBF" "English,Japanese,Reading\r\n";
        for (int i = 0; i < rows; ++i)
        {
            const QString row = i % 7 == 0 ? QStringLiteral("\"word %1, again\",\"意味\"\"%1\"\"\",いみ\r\n")
                                           : QStringLiteral("word%1,意味の言葉%1,いみのことば\r\n");
            csv += row.arg(i).toUtf8();
        }
        return csv;
    }

    void CsvToPreview(benchmark::State &state)
    {
        const QByteArray csv = spreadsheet(int(state.range(0)));
        for (auto _ : state)
        {
            const ImportText::Decoded decoded = ImportText::decode(csv);
            const ImportTable table = TableReader::read(decoded.text);
            benchmark::DoNotOptimize(TableReader::guessColumns(table));
            if (table.rows.size() != state.range(0))
                state.SkipWithError("rows were lost");
        }
        state.SetItemsProcessed(state.iterations() * state.range(0));
    }

    // Prose of `count` words: the commonest 4,000 words in turn, some in
    // their plural or past, twelve to a sentence.
    QString prose(int count)
    {
        QFile file(QStringLiteral(VOCAMIRA_SOURCE_DIR "/data/english-ranks.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QStringList words = QString::fromUtf8(file.readAll()).split(u'\n').mid(1, 4000);
        QString text;
        for (int i = 0; i < count; ++i)
        {
            QString word = words[(i * 7) % words.size()];
            word += i % 5 == 0 ? QStringLiteral("s") : i % 7 == 0 ? QStringLiteral("ed") : QString();
            if (i % 12 == 0)
                word[0] = word[0].toUpper();
            text += word + (i % 12 == 11 ? QStringLiteral(". ") : QStringLiteral(" "));
        }
        return text;
    }

    void TextToCandidates(benchmark::State &state)
    {
        const QString text = prose(int(state.range(0)));
        WordHelp help({QStringLiteral(VOCAMIRA_PROGRAM_DIR "/dict/en-ja.tsv"), JapaneseReading::defaultDictionary(),
                       Spelling::defaultDictionary()});
        if (text.isEmpty() || !help.hasIndex() || !help.hasSpelling())
        {
            state.SkipWithError("no ranks, index or Hunspell dictionary");
            return;
        }
        for (auto _ : state)
        {
            // A fresh lexicon each time: its answers are kept only for one text.
            const ImportLexicon lexicon(help, QStringLiteral(VOCAMIRA_PROGRAM_DIR "/dict/english-ranks.txt"));
            const QList<ImportRow> rows = ImportRows::fromText(TextWords::find(text, lexicon, {}), help);
            state.counters["candidates"] = double(rows.size());
        }
    }
    // The same table without its readings, to the rows the preview lists:
    // MeCab reads all 5,000 meanings.
    void CsvToRowsWithReadings(benchmark::State &state)
    {
        QByteArray csv = "English,Japanese\r\n";
        for (int i = 0; i < state.range(0); ++i)
            csv += QStringLiteral("word%1,意味の言葉%1\r\n").arg(i).toUtf8();
        WordHelp help({{}, JapaneseReading::defaultDictionary(), {}});
        if (!help.hasReadings())
        {
            state.SkipWithError("no MeCab dictionary");
            return;
        }
        for (auto _ : state)
        {
            const ImportTable table = TableReader::read(ImportText::decode(csv).text);
            const QList<ImportRow> rows = ImportRows::fromTable(table, TableReader::guessColumns(table), help);
            if (rows.size() != state.range(0) || rows.last().word.reading.isEmpty())
                state.SkipWithError("rows or readings were lost");
        }
    }
}

BENCHMARK(TextToCandidates)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(CsvToPreview)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(CsvToRowsWithReadings)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
