// A learner's list and the dictionary index as any bytes may leave them: the
// same bytes read as a list and as an index. A list reads back as the rows it
// was saved with and every row gets its checks; an index either loads and
// finds each of its words, or loads nothing.
#include "fuzzsupport.h"
#include "wordlist/rowchecks.h"
#include "wordlist/wordindex.h"
#include "wordlist/wordlistfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = FuzzSupport::programFolder();
    const QByteArray input = FuzzSupport::bytes(data, size);
    const QString path = folder + QStringLiteral("/fuzz-list.txt");
    FuzzSupport::writeFile(path, input);

    const WordListFile::Loaded loaded = WordListFile::read(path);
    FuzzSupport::check(loaded.error.isEmpty(), "a small file was refused");
    FuzzSupport::check(loaded.rows.size() <= input.size() / 3 + 1, "more rows than lines");
    FuzzSupport::check(RowChecks::check(loaded.rows).size() == loaded.rows.size(), "rows without checks");
    const QString saved = folder + QStringLiteral("/fuzz-saved.txt");
    FuzzSupport::check(WordListFile::write(saved, loaded.rows, nullptr), "the list could not be saved");
    FuzzSupport::check(WordListFile::read(saved).rows == loaded.rows, "the saved list reads back otherwise");

    WordIndex index;
    if (index.load(path, nullptr))
    {
        for (const QByteArray &line : input.split('\n').mid(1))
        {
            const QByteArray bytes = line.left(line.indexOf('\t'));
            const QString word = QString::fromUtf8(bytes);
            if (!line.isEmpty() && word.toUtf8() == bytes && WordIndex::key(word) == word)
                FuzzSupport::check(!index.meanings(word).isEmpty(), "a word of the index is not found");
        }
    }
    else
        FuzzSupport::check(!index.isLoaded() && index.meanings(u"a").isEmpty(), "a refused index answers");
    return 0;
}
