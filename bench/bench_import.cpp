#include <benchmark/benchmark.h>

#include "wordimport/importtext.h"
#include "wordimport/tablereader.h"

// The import of words: a spreadsheet's CSV of 5,000 rows, from its bytes to
// what the preview shows (decoded, split, checked, columns guessed).
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
}

BENCHMARK(CsvToPreview)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
