// A table from a spreadsheet or a flashcard program as any bytes may leave
// it. It is refused with a reason, or read into rows that each have every
// column, with the left-out rows named by lines of the file, in order.
#include "fuzzsupport.h"
#include "wordimport/importtext.h"
#include "wordimport/tablereader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    const ImportText::Decoded decoded = ImportText::decode(input);
    if (!decoded.ok())
    {
        FuzzSupport::check(decoded.text.isEmpty() && !decoded.message().isEmpty(), "a refusal without its reason");
        return 0;
    }
    FuzzSupport::check(!decoded.text.trimmed().isEmpty(), "an empty file was read");

    const ImportTable table = TableReader::read(decoded.text);
    const qsizetype lines = decoded.text.count(u'\n') + decoded.text.count(u'\r') + 1;
    int previous = 0;
    for (const ImportTable::Row &row : table.rows)
    {
        FuzzSupport::check(row.fields.size() == table.columnCount, "a row without every column");
        FuzzSupport::check(row.line > previous && row.lastLine >= row.line && row.lastLine <= lines, "rows out of order");
        previous = row.lastLine;
        for (const QString &field : row.fields)
            FuzzSupport::check(!field.contains(u'\n') && !field.contains(u'\t') && field == field.trimmed(),
                               "a field with a line break, a tab or blanks at its ends");
    }
    for (const ImportTable::Problem &problem : table.problems)
        FuzzSupport::check(problem.line >= 1 && problem.line <= lines && !problem.text.isEmpty(), "a problem without a line");
    const ColumnChoice choice = TableReader::guessColumns(table);
    FuzzSupport::check(choice.isWithin(table.columnCount), "a guess outside the table");
    TableReader::looksLikeTable(decoded.text);
    return 0;
}
