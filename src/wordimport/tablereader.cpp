#include "tablereader.h"

#include <QHash>
#include <QRegularExpression>

#include <map>

namespace
{
    struct Record
    {
        int line = 0;
        int lastLine = 0; // a quoted field may hold line breaks
        QStringList fields;
        bool unclosedQuote = false;
        bool comment = false; // starts with "#" (a flashcard export's comment)
    };

    // What the header lines of a flashcard export set.
    struct FlashcardHeader
    {
        bool present = false;
        QChar separator;
        std::optional<bool> html;
        QStringList columns;
        QList<int> ownColumns;
    };

    const QList<QChar> Separators {u'\t', u',', u';'};
    // How much of the file decides the separator and whether it is a table.
    constexpr int SampleRecords = 100;

    enum class Role
    {
        English,
        Meaning,
        Reading,
    };

    // Column names of spreadsheets and flashcard programs, in lower case
    // without blanks.
    const QHash<QString, Role> &roleNames()
    {
        static const QHash<QString, Role> names = [] {
            QHash<QString, Role> table;
            for (const char16_t *name : {u"english", u"word", u"words", u"英単語", u"単語", u"英語", u"front", u"表",
                                         u"表面", u"term", u"vocabulary", u"vocab", u"question", u"問題", u"見出し語"})
                table.insert(QString::fromUtf16(name), Role::English);
            for (const char16_t *name : {u"meaning", u"meanings", u"japanese", u"日本語", u"意味", u"訳", u"和訳",
                                         u"日本語訳", u"back", u"裏", u"裏面", u"answer", u"答え", u"translation",
                                         u"definition"})
                table.insert(QString::fromUtf16(name), Role::Meaning);
            for (const char16_t *name : {u"reading", u"kana", u"読み", u"よみ", u"読み方", u"かな", u"ふりがな",
                                         u"よみがな", u"furigana", u"yomi", u"hiragana", u"ひらがな"})
                table.insert(QString::fromUtf16(name), Role::Reading);
            return table;
        }();
        return names;
    }

    std::optional<Role> roleOf(const QString &name)
    {
        QString key = name.toLower();
        key.remove(u' ');
        const auto found = roleNames().constFind(key);
        if (found == roleNames().cend())
            return std::nullopt;
        return *found;
    }

    bool isKana(char16_t c)
    {
        return (c >= 0x3041 && c <= 0x309F) || (c >= 0x30A0 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9F);
    }

    bool isKanji(char16_t c)
    {
        return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == 0x3005;
    }

    bool hasJapanese(QStringView text)
    {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return isKana(c.unicode()) || isKanji(c.unicode()); });
    }

    bool hasKanji(QStringView text)
    {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return isKanji(c.unicode()); });
    }

    bool isKanaOnly(QStringView text)
    {
        return hasJapanese(text) && std::all_of(text.begin(), text.end(), [](QChar c) {
                   return isKana(c.unicode()) || c == u' ' || c == u'　' || c == u'、';
               });
    }

    bool isEnglish(QStringView text)
    {
        bool letter = false;
        for (QChar c : text)
        {
            if (c.unicode() >= 0x80)
                return false;
            letter = letter || c.isLetter();
        }
        return letter;
    }

    // Splits text into records from `pos` on. A quote opens a quoted field only
    // at the field's start; a quote that never closes spoils its record only,
    // and reading goes on at the next line.
    QList<Record> records(QStringView text, QChar separator, int limit = -1)
    {
        QList<Record> result;
        qsizetype pos = 0;
        int line = 1;
        const qsizetype size = text.size();
        auto atLineEnd = [&](qsizetype i) { return i >= size || text[i] == u'\n' || text[i] == u'\r'; };
        auto skipLineEnd = [&](qsizetype &i) {
            if (i < size && text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                ++i;
            ++i;
        };
        while (pos < size && result.size() != limit)
        {
            Record record;
            record.line = line;
            record.comment = text[pos] == u'#';
            const qsizetype recordStart = pos;
            QString field;
            for (;;)
            {
                if (pos < size && text[pos] == u'"')
                {
                    ++pos;
                    bool closed = false;
                    for (;;)
                    {
                        const qsizetype quote = text.indexOf(u'"', pos);
                        if (quote < 0)
                            break;
                        const QStringView part = text.sliced(pos, quote - pos);
                        field += part;
                        line += int(part.count(u'\n') + part.count(u'\r') - part.count(u"\r\n"));
                        pos = quote + 1;
                        if (pos < size && text[pos] == u'"')
                        {
                            field += u'"';
                            ++pos;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (!closed)
                    {
                        // The record is its first line alone.
                        record.unclosedQuote = true;
                        line = record.line;
                        pos = recordStart;
                        while (!atLineEnd(pos))
                            ++pos;
                        break;
                    }
                }
                // Unquoted, or what follows a closing quote.
                const qsizetype start = pos;
                while (!atLineEnd(pos) && text[pos] != separator)
                    ++pos;
                field += text.sliced(start, pos - start);
                record.fields.append(field);
                field.clear();
                if (pos < size && text[pos] == separator)
                {
                    ++pos;
                    continue;
                }
                break;
            }
            if (record.unclosedQuote)
                record.fields.clear();
            record.lastLine = line;
            skipLineEnd(pos);
            ++line;
            result.append(record);
        }
        return result;
    }

    bool isBlank(const Record &record)
    {
        return std::all_of(record.fields.cbegin(), record.fields.cend(), [](const QString &f) { return f.trimmed().isEmpty(); });
    }

    bool fitsColumns(const QStringList &fields, qsizetype columns)
    {
        // Empty cells past the last column are a spreadsheet's habit, not data.
        return fields.size() == columns
               || (fields.size() > columns
                   && std::all_of(fields.cbegin() + columns, fields.cend(), [](const QString &f) { return f.trimmed().isEmpty(); }));
    }

    // The number of columns that the most records with content fit (the
    // larger on a tie), and how many records fit it.
    std::pair<int, int> usualCount(const QList<Record> &sample)
    {
        std::map<int, int> counts;
        for (const Record &record : sample)
        {
            if (!record.unclosedQuote && !record.comment && !isBlank(record))
                ++counts[int(record.fields.size())];
        }
        std::pair<int, int> best {0, 0};
        for (const auto &[count, records] : counts)
        {
            int fitting = 0;
            for (const Record &record : sample)
            {
                if (!record.unclosedQuote && !record.comment && !isBlank(record) && fitsColumns(record.fields, count))
                    ++fitting;
            }
            if (fitting >= best.second)
                best = {count, fitting};
        }
        return best;
    }

    int contentRecords(const QList<Record> &sample)
    {
        return int(std::count_if(sample.cbegin(), sample.cend(),
                                 [](const Record &r) { return !r.unclosedQuote && !r.comment && !isBlank(r); }));
    }

    // The separator that divides nearly every record of the sample into 2
    // or more fields, the one that divides them most evenly; with the share of
    // records it divides into its usual number of fields.
    std::pair<QChar, double> detectSeparator(QStringView text)
    {
        std::pair<QChar, double> best {QChar(), 0.0};
        for (QChar separator : Separators)
        {
            const QList<Record> sample = records(text, separator, SampleRecords);
            const int total = contentRecords(sample);
            const qsizetype divided = std::count_if(sample.cbegin(), sample.cend(), [](const Record &r) {
                return !r.unclosedQuote && !r.comment && r.fields.size() >= 2 && !isBlank(r);
            });
            if (!total || divided * 10 < total * 8)
                continue;
            const double even = double(usualCount(sample).second) / total;
            if (even > best.second + 1e-9)
                best = {separator, even};
        }
        return best;
    }

    QChar namedSeparator(const QString &value)
    {
        static const QHash<QString, QChar> names {{QStringLiteral("tab"), u'\t'},   {QStringLiteral("comma"), u','},
                                                  {QStringLiteral("semicolon"), u';'}, {QStringLiteral("space"), u' '},
                                                  {QStringLiteral("pipe"), u'|'},  {QStringLiteral("colon"), u':'}};
        if (value.size() == 1)
            return value[0];
        return names.value(value.trimmed().toLower());
    }

    // The "#key:value" lines that open a flashcard export; `body` is left
    // where the table starts, `line` at its line number.
    FlashcardHeader readFlashcardHeader(QStringView text, qsizetype &body, int &line)
    {
        static const QRegularExpression headerLine(QStringLiteral("^#([a-z ]+):(.*)$"),
                                                   QRegularExpression::CaseInsensitiveOption);
        FlashcardHeader header;
        QString columns;
        while (body < text.size())
        {
            qsizetype end = body;
            while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
                ++end;
            const QRegularExpressionMatch match = headerLine.match(text.sliced(body, end - body).toString());
            if (!match.hasMatch())
                break;
            header.present = true;
            const QString key = match.captured(1).trimmed().toLower();
            const QString value = match.captured(2);
            if (key == u"separator")
                header.separator = namedSeparator(value);
            else if (key == u"html")
                header.html = value.trimmed().toLower() == u"true";
            else if (key == u"columns")
                columns = value;
            else if (key.endsWith(u" column") && value.trimmed().toInt() > 0)
                header.ownColumns.append(value.trimmed().toInt() - 1);
            body = end;
            if (body < text.size() && text[body] == u'\r' && body + 1 < text.size() && text[body + 1] == u'\n')
                ++body;
            ++body;
            ++line;
        }
        if (!columns.isEmpty())
            header.columns = columns.split(header.separator.isNull() ? QChar(u'\t') : header.separator);
        return header;
    }

    bool looksLikeHtml(const QList<Record> &sample)
    {
        static const QRegularExpression html(
            QStringLiteral("<(br|div|p|span|b|i|u|font|img|sup|sub|ruby|rt|rb|a|ul|ol|li)\\b[^>]*>|"
                           "</(div|p|span|b|i|u|font|ruby|a|li)>|&(nbsp|amp|lt|gt|quot|#\\d+);"),
            QRegularExpression::CaseInsensitiveOption);
        for (const Record &record : sample)
        {
            for (const QString &field : record.fields)
            {
                if (html.match(field).hasMatch())
                    return true;
            }
        }
        return false;
    }

    QString cleanField(const QString &field, bool html, bool flashcard)
    {
        static const QRegularExpression sound(QStringLiteral("\\[sound:[^\\]]*\\]"));
        QString text = html ? TableReader::plainText(field) : field;
        if (flashcard)
            text.remove(sound);
        return text.simplified();
    }

    bool isHeaderRow(const QStringList &first, const QList<ImportTable::Row> &rest)
    {
        const qsizetype named = std::count_if(first.cbegin(), first.cend(), [](const QString &f) { return roleOf(f); });
        if (named > 0 && named >= std::min<qsizetype>(2, first.size()))
            return true;
        // A column of Japanese under a name in letters.
        if (rest.isEmpty() || std::any_of(first.cbegin(), first.cend(), [](const QString &f) { return hasJapanese(f); }))
            return false;
        for (qsizetype column = 0; column < first.size(); ++column)
        {
            if (!first[column].contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
                continue;
            const qsizetype japanese = std::count_if(rest.cbegin(), rest.cend(), [column](const ImportTable::Row &row) {
                return hasJapanese(row.fields.value(column));
            });
            if (japanese * 10 >= rest.size() * 6)
                return true;
        }
        return false;
    }

    QString lines(int first, int last)
    {
        return last > first ? QStringLiteral("%1～%2行目").arg(first).arg(last) : QStringLiteral("%1行目").arg(first);
    }

    QString fieldCountProblem(const ImportTable::Row &row, int expected)
    {
        return QStringLiteral("%1：項目が%2つあります（%3つのはずです）")
            .arg(lines(row.line, row.lastLine))
            .arg(row.fields.size())
            .arg(expected);
    }

    // Share of a column's non-empty fields that pass `test`.
    template <typename Test>
    double share(const ImportTable &table, int column, Test test)
    {
        int filled = 0;
        int passed = 0;
        for (qsizetype i = 0; i < std::min<qsizetype>(table.rows.size(), 200); ++i)
        {
            const QString &field = table.rows[i].fields[column];
            if (field.isEmpty())
                continue;
            ++filled;
            passed += test(field) ? 1 : 0;
        }
        return filled ? double(passed) / filled : 0.0;
    }
}

bool ColumnChoice::isWithin(int columnCount) const
{
    const auto within = [columnCount](int column) { return column >= -1 && column < columnCount; };
    const bool distinct = (english < 0 || (english != meaning && english != reading)) && (meaning < 0 || meaning != reading);
    return within(english) && within(meaning) && within(reading) && distinct;
}

ImportTable TableReader::read(const QString &text)
{
    ImportTable table;
    qsizetype body = 0;
    int firstLine = 1;
    const FlashcardHeader flashcard = readFlashcardHeader(text, body, firstLine);
    const QStringView rest = QStringView(text).sliced(body);
    table.separator = flashcard.separator.isNull() ? detectSeparator(rest).first : flashcard.separator;
    QList<Record> all = records(rest, table.separator);
    table.html = flashcard.html.value_or(looksLikeHtml(all.mid(0, SampleRecords)));

    QList<ImportTable::Row> rows;
    for (Record &record : all)
    {
        const int line = record.line + firstLine - 1;
        const int lastLine = record.lastLine + firstLine - 1;
        if (record.unclosedQuote)
        {
            table.problems.append({line, QStringLiteral("%1行目：「\"」で始まる項目が閉じていません").arg(line)});
            continue;
        }
        if (record.comment && flashcard.present)
            continue;
        for (QString &field : record.fields)
            field = cleanField(field, table.html, flashcard.present);
        if (!isBlank(record))
            rows.append({line, lastLine, record.fields});
    }

    if (!flashcard.columns.isEmpty())
        table.header = flashcard.columns;
    else if (!rows.isEmpty() && isHeaderRow(rows.first().fields, rows.mid(1, SampleRecords)))
    {
        table.headerLine = rows.first().line;
        table.header = rows.takeFirst().fields;
    }
    if (!table.header.isEmpty())
    {
        while (table.header.size() > 1 && table.header.last().isEmpty())
            table.header.removeLast();
        table.columnCount = int(table.header.size());
    }
    else
    {
        QList<Record> counted;
        for (const ImportTable::Row &row : std::as_const(rows))
            counted.append({row.line, row.lastLine, row.fields, false, false});
        table.columnCount = usualCount(counted).first;
    }

    for (ImportTable::Row &row : rows)
    {
        if (fitsColumns(row.fields, table.columnCount))
            row.fields.resize(table.columnCount);
        if (row.fields.size() != table.columnCount)
            table.problems.append({row.line, fieldCountProblem(row, table.columnCount)});
        else
            table.rows.append(row);
    }
    std::sort(table.problems.begin(), table.problems.end(),
              [](const ImportTable::Problem &a, const ImportTable::Problem &b) { return a.line < b.line; });
    for (int column : flashcard.ownColumns)
    {
        if (column < table.columnCount)
            table.ignoredColumns.append(column);
    }
    return table;
}

bool TableReader::looksLikeTable(const QString &text)
{
    qsizetype body = 0;
    int line = 1;
    if (readFlashcardHeader(text, body, line).present)
        return true;
    const auto [separator, evenShare] = detectSeparator(text);
    const QList<Record> sample = records(text, separator, SampleRecords);
    int filled = 0;
    int shortFields = 0;
    int sentences = 0;
    int words = 0;
    for (const Record &record : sample)
    {
        for (const QString &field : record.fields)
        {
            const QString trimmed = field.trimmed();
            if (trimmed.isEmpty())
                continue;
            ++filled;
            shortFields += trimmed.size() <= 40 ? 1 : 0;
            // A word list names words; prose ends its sentences.
            const bool sentence = trimmed.endsWith(u'.') || trimmed.endsWith(u'!') || trimmed.endsWith(u'?');
            sentences += sentence ? 1 : 0;
            words += trimmed.count(u' ') <= 3 && !sentence ? 1 : 0;
        }
    }
    if (!filled)
        return false;
    if (separator == u'\t')
        return true;
    if (!separator.isNull())
        return evenShare >= 0.8 && shortFields * 10 >= filled * 8 && sentences * 2 < filled;
    return words * 10 >= filled * 9;
}

ColumnChoice TableReader::guessColumns(const ImportTable &table)
{
    ColumnChoice choice;
    QList<bool> taken(table.columnCount, false);
    for (int column : table.ignoredColumns)
        taken[column] = true;
    // Names first.
    for (int column = 0; column < int(table.header.size()) && column < table.columnCount; ++column)
    {
        const std::optional<Role> role = roleOf(table.header[column]);
        int *slot = !role ? nullptr
                    : *role == Role::English ? &choice.english
                    : *role == Role::Meaning ? &choice.meaning
                                             : &choice.reading;
        if (slot && *slot < 0 && !taken[column])
        {
            *slot = column;
            taken[column] = true;
        }
    }
    // Then what the columns hold: the best column above `least` for `score`.
    auto best = [&](double least, auto score) {
        int found = -1;
        double top = least;
        for (int column = 0; column < table.columnCount; ++column)
        {
            if (taken[column])
                continue;
            const double value = share(table, column, score);
            if (value > top + 1e-9)
            {
                top = value;
                found = column;
            }
        }
        return found;
    };
    auto take = [&taken](int &slot, int column) {
        if (slot < 0 && column >= 0)
        {
            slot = column;
            taken[column] = true;
        }
    };
    take(choice.english, best(0.5, [](const QString &f) { return isEnglish(f); }));
    if (choice.meaning < 0)
    {
        // Of the Japanese columns, the one with kanji is the meaning.
        int japanese = best(0.5, [](const QString &f) { return hasJapanese(f); });
        const int kanji = best(0.0, [](const QString &f) { return hasKanji(f); });
        if (kanji >= 0 && share(table, kanji, [](const QString &f) { return hasJapanese(f); }) >= 0.5)
            japanese = kanji;
        take(choice.meaning, japanese);
    }
    take(choice.reading, best(0.6, [](const QString &f) { return isKanaOnly(f); }));
    // A table without Japanese: its first columns, in order.
    for (int *slot : {&choice.english, &choice.meaning})
    {
        const auto free = std::find(taken.begin(), taken.end(), false);
        if (*slot < 0 && free != taken.end())
            take(*slot, int(free - taken.begin()));
    }
    return choice;
}

QString TableReader::plainText(const QString &html)
{
    static const QRegularExpression hidden(QStringLiteral("<(style|script)\\b[^>]*>.*?</\\1\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption
                                               | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression breaks(QStringLiteral("<\\s*(br|/?div|/?p|/?li|/?tr|/?h\\d)\\b[^>]*>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]{2,6});"));
    static const QHash<QString, QString> named {{QStringLiteral("nbsp"), QStringLiteral(" ")},
                                                {QStringLiteral("amp"), QStringLiteral("&")},
                                                {QStringLiteral("lt"), QStringLiteral("<")},
                                                {QStringLiteral("gt"), QStringLiteral(">")},
                                                {QStringLiteral("quot"), QStringLiteral("\"")},
                                                {QStringLiteral("apos"), QStringLiteral("'")}};
    QString text = html;
    text.remove(hidden).replace(breaks, QStringLiteral(" ")).remove(tags);
    QString result;
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = entity.globalMatch(text); it.hasNext();)
    {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1);
        QString replacement = match.captured(0);
        if (name.startsWith(u'#'))
        {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            bool ok = false;
            const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
            {
                const char32_t character = code;
                replacement = QString::fromUcs4(&character, 1);
            }
        }
        else
            replacement = named.value(name.toLower(), replacement);
        result += QStringView(text).sliced(done, match.capturedStart() - done);
        result += replacement;
        done = match.capturedEnd();
    }
    result += QStringView(text).sliced(done);
    return result.simplified();
}
