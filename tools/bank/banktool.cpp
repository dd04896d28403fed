#include "banktool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include <limits>

#include "bank/gsxseq.h"
#include "bank/usertext.h"
#include "core/atomicfile.h"
#include "core/clock.h"
#include "core/cp932.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "history/historycsv.h"
#include "history/historystore.h"
#include "records/recordlinereader.h"
#include "wordimport/importtext.h"
#include "wordimport/standardwords.h"
#include "wordlist/importlexicon.h"
#include "wordlist/importrows.h"
#include "wordlist/wordhelp.h"
#include "transfer/learnerexport.h"
#include "transfer/learnerimport.h"
#include "transfer/transfercomparison.h"

namespace
{
    const char HelpText[] = R"(Usage: vocamira-bank COMMAND ARGUMENTS

Tools for authors of question banks and for backups of a learner's records.

Commands:
  encode [--tsv] TABLE BANK.dat
      Turns a question table into a standard-bank container (the file
      word/標準テキスト/data2.dat of the program folder). The table is a text
      file in UTF-8 or Shift-JIS (code page 932) with three lines per
      question, as a user bank: the English word, its Japanese meaning, and
      the kana reading of the meaning. With --tsv it has one question per
      line instead, the three fields separated by tabs; lines starting with
      "#" are comments. Every text must be writable in code page 932.

  decode BANK.dat [TABLE]
      Writes the questions of a standard-bank container as a UTF-8 table of
      three lines per question, to TABLE or to standard output.

  dump-records RECORDS.dat [RECORDS.txt]
      Writes the lines of a records file (seiseki/.../*.dat) as UTF-8 text,
      to RECORDS.txt or to standard output: the header line, then one line
      per LEVEL.

  load-records RECORDS.txt RECORDS.dat
      Checks a records text (as dump-records writes it) and stores it as a
      records file. The new file replaces RECORDS.dat only when complete.

  history HISTORY.sqlite3
      Prints a study history (seiseki/history.sqlite3) as tab-separated
      UTF-8 text: one line per test, oldest first, then for each bank and
      direction the words missed at least once, the most missed first, then
      the choices made in the word book; each word with its state (苦手 2/4,
      覚えた, 知っている, ...) and next review day. The file is only read,
      never changed.

  suggest [--index FILE] WORD...
      Prints the everyday meanings of each English word with their kana
      readings, best first, one per line as word<TAB>meaning<TAB>reading,
      from the dictionary index of the program folder (dict/en-ja.tsv) or
      FILE. A word the index lacks is looked up in its dictionary forms
      (plural, past, -ing); its lines then start with that form.

  reading TEXT...
      Prints the reading of each Japanese text in hiragana, one per line,
      from MeCab with its UTF-8 IPA dictionary (Debian's mecab-ipadic-utf8).

  words [--level N] FILE
      Reads a table (CSV or tab-separated text, or a flashcard program's
      export) or an English text as the word-list editor's import does and
      prints the rows it would offer, one per line as
      english<TAB>meaning<TAB>reading<TAB>source: the source is the table's
      line number or the text's sentence. A text's words leave out the
      standard bank's words of LEVELs 1 to N. Bad rows are named on standard
      error with their lines; the good rows are still printed.

  export FOLDER FILE.zip
      Writes everything that is the learner's in a learner's folder (the
      program folder of a portable copy, or ~/.local/share/vocamira) to one
      zip file: the records of every bank and direction, the study history
      (a consistent copy, even while the program runs), the settings and the
      learner's own banks, with a manifest of sizes and SHA-256 checksums.

  import FILE.zip FOLDER
      Checks FILE.zip whole, prints what it holds beside what FOLDER holds
      now, writes an export of FOLDER's data to its seiseki/backup/, then
      replaces FOLDER's data with the file's, all at once or not at all. A
      file that is refused changes nothing. Refused while Vocamira runs on
      FOLDER.

  --help
      Shows this text.

Exit status: 0 on success, 1 when a file is missing, damaged or foreign
(or suggest finds no meaning for a word, or words finds no column of English
words), 2 when the command line is wrong.
)";

    // Where the records text of one line stops making sense, or "" when it is sound.
    QString recordLineProblem(const QString &line, bool header)
    {
        RecordLineReader reader(line);
        int number = 0;
        double real = 0;
        QString text;
        QDate date;
        const bool ok = header ? reader.readInt(number) && reader.readInt(number) && reader.readString(text)
                                     && reader.readInt(number) && reader.readString(text) && reader.readDate(date)
                               : reader.readDate(date) && reader.readInt(number) && reader.readInt(number)
                                     && reader.readInt(number) && reader.readInt(number) && reader.readInt(number)
                                     && reader.readDate(date) && reader.readDouble(real) && reader.readDate(date);
        if (!ok)
            return header ? QStringLiteral("the header needs 6 fields: level, failures, \"text\", highest level, "
                                           "\"name\", #date#")
                          : QStringLiteral("a LEVEL line needs 9 fields: #date#, four counts, best score, #date#, "
                                           "best time, #date#");
        return {};
    }

    const QString HistoryTimeFormat = QStringLiteral("yyyy/MM/dd HH:mm");

    // The bank as the program names it: "標準", or "ユーザー：" and the bank's name.
    QString bankLabel(const QString &kind, const QString &name)
    {
        const QString kindText = HistoryCsv::bankKindText(kind);
        return kind == Common::TextKindUser ? kindText + u'：' + name : kindText;
    }

    QString testLine(const HistoryTest &test)
    {
        return QStringList {test.startedAt.toString(HistoryTimeFormat),
                            bankLabel(test.bankKind, test.bankName),
                            test.direction,
                            HistoryCsv::inputText(test.inputMethod),
                            HistoryCsv::kindText(test.kind),
                            QString::number(test.level),
                            QString::number(test.score),
                            QString::number(test.seconds, 'f', 1),
                            test.passed ? QStringLiteral("passed") : QStringLiteral("failed"),
                            QStringLiteral("%1→%2").arg(test.levelBefore).arg(test.levelAfter)}
            .join(u'\t');
    }

    // A word missed at least once, with where it stands now.
    QString missedWordLine(const HistoryFilter &bank, const HistoryStore::MissedWord &word,
                           const HistoryCsv::WordStates &states)
    {
        const QString none = QStringLiteral("-");
        // A word only ever left unanswered was missed without a wrong choice.
        return (QStringList {word.prompt,
                             word.answer,
                             QString::number(word.asked),
                             QString::number(word.missed),
                             word.lastMissed.isValid() ? word.lastMissed.toString(HistoryTimeFormat) : none,
                             word.chosenInstead.isEmpty() ? none : word.chosenInstead.join(QStringLiteral(" / "))}
                + states.fields(bank.bankKind, bank.bankName, bank.direction, word.prompt, word.answer))
            .join(u'\t');
    }

    // A choice of the learner in the word book, with where the word stands now.
    QString markLine(const HistoryStore::Mark &mark, const HistoryCsv::WordStates &states)
    {
        return (QStringList {mark.at.toString(HistoryTimeFormat), bankLabel(mark.bankKind, mark.bankName),
                             mark.direction, mark.prompt, mark.answer, HistoryCsv::markText(mark.kind)}
                + states.fields(mark.bankKind, mark.bankName, mark.direction, mark.prompt, mark.answer))
            .join(u'\t');
    }

    QString historyProblem(const QString &path, HistoryStore::Problem problem)
    {
        switch (problem)
        {
        case HistoryStore::Problem::Damaged:
            return QStringLiteral("%1: damaged, not a readable study history; the file was left as it is").arg(path);
        case HistoryStore::Problem::NewerVersion:
            return QStringLiteral("%1: written by a newer version of Vocamira, which this version does not read")
                .arg(path);
        default:
            return QStringLiteral("%1: cannot be read as a study history").arg(path);
        }
    }

    // The store tells the learner of its problems in a message box; here the
    // tool says them itself, in its own words.
    class QuietMessages
    {
    public:
        QuietMessages() { Message::setHandler([](const QString &) {}); }
        ~QuietMessages() { Message::setHandler({}); }
        QuietMessages(const QuietMessages &) = delete;
        QuietMessages &operator=(const QuietMessages &) = delete;
    };
}

namespace
{
    QString sideText(const TransferComparison::Side &side, bool levels)
    {
        const QString level = !levels            ? QString()
                              : !side.hasRecords ? QStringLiteral("none")
                              : side.level < 0   ? QStringLiteral("?")
                                                 : QStringLiteral("%1 (top %2)").arg(side.level).arg(side.highestLevel);
        const QString last = side.lastTest.isValid() ? side.lastTest.toString(QStringLiteral("yyyy/MM/dd")) : QStringLiteral("-");
        return QStringList {level, QString::number(side.tests), last}.join(u'\t');
    }

    QStringList comparisonLines(const TransferComparison &comparison)
    {
        QStringList lines {QStringLiteral("# written %1 by Vocamira %2")
                               .arg(comparison.fileCreated.toString(QStringLiteral("yyyy/MM/dd HH:mm")), comparison.fileProgramVersion),
                           QStringLiteral("bank\tdirection\there LEVEL\there tests\there last\tfile LEVEL\tfile tests\tfile last")};
        for (const TransferComparison::Row &row : comparison.rows)
            lines.append(QStringList {bankLabel(row.bankKind, row.bankName), row.direction, sideText(row.here, true),
                                      sideText(row.file, true)}
                             .join(u'\t'));
        lines.append(QStringList {QStringLiteral("history"), QString(), sideText(comparison.hereTotal, false),
                                  sideText(comparison.fileTotal, false)}
                         .join(u'\t'));
        return lines;
    }
}

BankTool::BankTool(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

int BankTool::run(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (command == u"--help" || command == u"-h" || command == u"help")
        return help();
    if (command == u"encode")
        return encode(rest);
    if (command == u"decode")
        return decode(rest);
    if (command == u"dump-records")
        return dumpRecords(rest);
    if (command == u"load-records")
        return loadRecords(rest);
    if (command == u"history")
        return history(rest);
    if (command == u"suggest")
        return suggest(rest);
    if (command == u"reading")
        return reading(rest);
    if (command == u"words")
        return words(rest);
    if (command == u"export")
        return exportData(rest);
    if (command == u"import")
        return importData(rest);
    m_err << (command.isEmpty() ? QStringLiteral("vocamira-bank: no command given")
                                : QStringLiteral("vocamira-bank: unknown command \"%1\"").arg(command))
          << "\nTry 'vocamira-bank --help'.\n";
    return BadUsage;
}

int BankTool::help()
{
    m_out << QString::fromUtf8(HelpText);
    return Success;
}

int BankTool::exportData(const QStringList &arguments)
{
    if (arguments.size() != 2)
    {
        m_err << "Usage: vocamira-bank export FOLDER FILE.zip\n";
        return BadUsage;
    }
    const QuietMessages quiet;
    const TransferProblem problem = LearnerExport::Write(arguments[0], arguments[1]);
    if (!problem.ok())
        return fail(QStringLiteral("nothing written: %1").arg(problem.englishText()));
    m_out << "wrote " << arguments[1] << '\n';
    return Success;
}

int BankTool::importData(const QStringList &arguments)
{
    if (arguments.size() != 2)
    {
        m_err << "Usage: vocamira-bank import FILE.zip FOLDER\n";
        return BadUsage;
    }
    const QString &zip = arguments[0];
    const QString &folder = arguments[1];
    // The program's own lock: no import while a copy of it runs on the folder.
    QLockFile lock(QDir(folder).filePath(ProgramFolder::LockFileName));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError)
        return fail(QStringLiteral("%1: Vocamira is running on this folder; quit it first. Nothing changed.").arg(folder));

    const QuietMessages quiet;
    LearnerImport import(folder);
    TransferProblem problem = import.check(zip);
    if (!problem.ok())
        return fail(QStringLiteral("%1: refused, nothing changed: %2").arg(zip, problem.englishText()));
    writeOutput(QString(), comparisonLines(TransferComparison::Make(folder, nullptr, import.stagedFolder(), import.manifest())));
    QString backup;
    problem = import.keepBackup(nullptr, &backup);
    if (!problem.ok())
        return fail(QStringLiteral("the data now in the folder could not be kept first, so nothing changed: %1")
                        .arg(problem.englishText()));
    const DataSwitch::Result result = import.switchIn();
    if (result.outcome == DataSwitch::Outcome::Undone)
        return fail(QStringLiteral("the import failed and was undone; the data is as it was: %1").arg(result.problem.englishText()));
    if (result.outcome == DataSwitch::Outcome::Stuck)
        return fail(QStringLiteral("the import failed and could not be undone yet; the next start of Vocamira or of an "
                                   "import finishes or undoes it: %1")
                        .arg(result.problem.englishText()));
    m_out << "imported " << zip << " into " << folder << '\n';
    if (!backup.isEmpty())
        m_out << "the data before is kept in " << backup << "; import it to undo\n";
    return Success;
}

int BankTool::fail(const QString &message)
{
    m_err << "vocamira-bank: " << message << '\n';
    return BadInput;
}

int BankTool::encode(const QStringList &arguments)
{
    QStringList args = arguments;
    const bool tsv = args.removeAll(QStringLiteral("--tsv")) > 0;
    if (args.size() != 2)
    {
        m_err << "Usage: vocamira-bank encode [--tsv] TABLE BANK.dat\n";
        return BadUsage;
    }
    QStringList lines;
    if (!readTextFile(args[0], lines))
        return BadInput;

    QStringList strings;
    for (qsizetype i = 0; i < lines.size(); ++i)
    {
        if (!tsv)
        {
            strings.append(lines[i]);
            continue;
        }
        if (lines[i].startsWith(u'#') || lines[i].isEmpty())
            continue;
        const QStringList fields = lines[i].split(u'\t');
        if (fields.size() != 3)
            return fail(QStringLiteral("%1:%2: expected 3 tab-separated fields, found %3")
                            .arg(args[0]).arg(i + 1).arg(fields.size()));
        strings += fields;
    }
    if (!tsv && strings.size() % 3 != 0)
        return fail(QStringLiteral("%1: %2 lines do not make whole questions of three lines")
                        .arg(args[0]).arg(strings.size()));
    for (qsizetype i = 0; i < strings.size(); ++i)
    {
        if (!Cp932::canEncode(strings[i]))
            return fail(QStringLiteral("%1: question %2 holds text that code page 932 cannot hold: \"%3\"")
                            .arg(args[0]).arg(i / 3 + 1).arg(strings[i]));
        if (Cp932::encode(strings[i]).size() > GsxSeq::MaxStringBytes)
            return fail(QStringLiteral("%1: question %2 holds a text longer than %3 bytes")
                            .arg(args[0]).arg(i / 3 + 1).arg(GsxSeq::MaxStringBytes));
    }
    if (strings.isEmpty())
        return fail(QStringLiteral("%1: no questions").arg(args[0]));
    return writeContainer(args[1], strings) ? Success : BadInput;
}

int BankTool::decode(const QStringList &arguments)
{
    if (arguments.size() < 1 || arguments.size() > 2)
    {
        m_err << "Usage: vocamira-bank decode BANK.dat [TABLE]\n";
        return BadUsage;
    }
    QStringList strings;
    if (!readContainer(arguments[0], strings))
        return BadInput;
    if (strings.size() % 3 != 0)
        return fail(QStringLiteral("%1: %2 texts do not make whole questions of three; not a question bank?")
                        .arg(arguments[0]).arg(strings.size()));
    return writeOutput(arguments.value(1), strings) ? Success : BadInput;
}

int BankTool::dumpRecords(const QStringList &arguments)
{
    if (arguments.size() < 1 || arguments.size() > 2)
    {
        m_err << "Usage: vocamira-bank dump-records RECORDS.dat [RECORDS.txt]\n";
        return BadUsage;
    }
    QStringList lines;
    if (!readContainer(arguments[0], lines))
        return BadInput;
    if (lines.isEmpty() || !recordLineProblem(lines.first(), true).isEmpty())
        return fail(QStringLiteral("%1: not a records file: %2")
                        .arg(arguments[0], recordLineProblem(lines.value(0), true)));
    return writeOutput(arguments.value(1), lines) ? Success : BadInput;
}

int BankTool::loadRecords(const QStringList &arguments)
{
    if (arguments.size() != 2)
    {
        m_err << "Usage: vocamira-bank load-records RECORDS.txt RECORDS.dat\n";
        return BadUsage;
    }
    QStringList lines;
    if (!readTextFile(arguments[0], lines))
        return BadInput;
    if (lines.isEmpty())
        return fail(QStringLiteral("%1: empty; a records text has at least its header line").arg(arguments[0]));
    for (qsizetype i = 0; i < lines.size(); ++i)
    {
        const QString problem = recordLineProblem(lines[i], i == 0);
        if (!problem.isEmpty())
            return fail(QStringLiteral("%1:%2: %3").arg(arguments[0]).arg(i + 1).arg(problem));
        if (!Cp932::canEncode(lines[i]))
            return fail(QStringLiteral("%1:%2: holds text that code page 932 cannot hold").arg(arguments[0]).arg(i + 1));
    }
    return writeContainer(arguments[1], lines) ? Success : BadInput;
}

int BankTool::history(const QStringList &arguments)
{
    if (arguments.size() != 1)
    {
        m_err << "Usage: vocamira-bank history HISTORY.sqlite3\n";
        return BadUsage;
    }
    // The store brings an older file up to date, switches it to its log and
    // sets a damaged one aside: it reads a copy, so the given file stays as it is.
    const QTemporaryDir copyDir;
    const QString copy = copyDir.filePath(QStringLiteral("history.sqlite3"));
    if (!copyDir.isValid())
        return fail(QStringLiteral("cannot make a temporary folder: %1").arg(copyDir.errorString()));
    if (!copyHistory(arguments[0], copy))
        return BadInput;

    const QuietMessages quiet;
    HistoryStore store(copy, HistoryStore::Creation::ExistingOnly);
    HistoryFilter all;
    all.all = true;
    QStringList tests;
    QList<HistoryFilter> banks;
    const bool read = store.forEachTest(all, [&tests, &banks](const HistoryTest &test) {
        tests.append(testLine(test));
        const HistoryFilter bank {false, test.bankKind, test.bankName, test.direction};
        if (!banks.contains(bank))
            banks.append(bank);
    });
    if (!read)
        return fail(historyProblem(arguments[0], store.problem()));

    HistoryCsv::WordStates states;
    QList<HistoryStore::Mark> marks;
    if (!states.read(store, Clock::currentDateTime().date())
        || !store.forEachMark(all, [&marks](const HistoryStore::Mark &mark) { marks.append(mark); }))
        return fail(historyProblem(arguments[0], store.problem()));

    QStringList lines {QStringLiteral("# tests: %1").arg(tests.size()),
                       QStringLiteral("started\tbank\tdirection\tinput\tkind\tLEVEL\tscore\tseconds\tresult\t"
                                      "LEVEL before→after")};
    lines += tests;
    const QString wordColumns = QStringLiteral("state\tnext review");
    for (const HistoryFilter &bank : banks)
    {
        const QList<HistoryStore::MissedWord> words = store.mostMissed(bank, std::numeric_limits<int>::max());
        if (store.problem() != HistoryStore::Problem::None)
            return fail(historyProblem(arguments[0], store.problem()));
        lines << QString() << QStringLiteral("# most-missed words: %1 %2: %3")
                                  .arg(bankLabel(bank.bankKind, bank.bankName), bank.direction).arg(words.size())
              << QStringLiteral("prompt\tanswer\tasked\tmissed\tlast missed\tchosen instead\t") + wordColumns;
        for (const HistoryStore::MissedWord &word : words)
            lines.append(missedWordLine(bank, word, states));
    }
    lines << QString() << QStringLiteral("# word-book choices: %1").arg(marks.size())
          << QStringLiteral("made\tbank\tdirection\tprompt\tanswer\tchoice\t") + wordColumns;
    for (const HistoryStore::Mark &mark : marks)
        lines.append(markLine(mark, states));
    return writeOutput(QString(), lines) ? Success : BadInput;
}

QString BankTool::defaultIndexPath()
{
    return besideProgram(QStringLiteral("dict/en-ja.tsv"));
}

QString BankTool::besideProgram(const QString &file)
{
    // Beside the program: the build tree, a portable folder (tools/ beside
    // dict/) and the Debian package (/usr/bin, /usr/share/vocamira).
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &folder : {QStringLiteral("/../vocamira/"), QStringLiteral("/../"), QStringLiteral("/../share/vocamira/")})
    {
        if (QFileInfo::exists(here + folder + file))
            return QDir::cleanPath(here + folder + file);
    }
    return {};
}

int BankTool::suggest(const QStringList &arguments)
{
    QStringList words = arguments;
    QString index;
    const qsizetype option = words.indexOf(QStringLiteral("--index"));
    if (option >= 0)
    {
        index = words.value(option + 1);
        words.remove(option, std::min<qsizetype>(2, words.size() - option));
    }
    if (words.isEmpty() || (option >= 0 && index.isEmpty()))
    {
        m_err << "Usage: vocamira-bank suggest [--index FILE] WORD...\n";
        return BadUsage;
    }
    if (index.isEmpty())
        index = defaultIndexPath();
    if (index.isEmpty())
        return fail(QStringLiteral("no dictionary index (dict/en-ja.tsv) beside the program; name one with --index FILE"));
    WordHelp help({index, JapaneseReading::defaultDictionary(), Spelling::defaultDictionary()});
    if (!help.hasIndex())
        return fail(QStringLiteral("%1: missing, or not a dictionary index").arg(index));
    int result = Success;
    for (const QString &word : std::as_const(words))
    {
        const QList<WordHelp::Suggestion> found = help.suggestions(word, std::numeric_limits<int>::max());
        if (found.isEmpty())
            result = fail(QStringLiteral("no meanings found for \"%1\"").arg(word));
        for (const WordHelp::Suggestion &suggestion : found)
            m_out << suggestion.english << '\t' << suggestion.meaning << '\t' << suggestion.reading << '\n';
    }
    return result;
}

int BankTool::reading(const QStringList &arguments)
{
    if (arguments.isEmpty())
    {
        m_err << "Usage: vocamira-bank reading TEXT...\n";
        return BadUsage;
    }
    JapaneseReading readings;
    if (!readings.load(JapaneseReading::defaultDictionary(), nullptr))
        return fail(QStringLiteral("MeCab cannot read its UTF-8 IPA dictionary at %1 (Debian package mecab-ipadic-utf8)")
                        .arg(JapaneseReading::defaultDictionary()));
    for (const QString &text : arguments)
        m_out << readings.reading(text) << '\n';
    return Success;
}

int BankTool::words(const QStringList &arguments)
{
    QStringList files = arguments;
    int level = 0;
    bool levelOk = true;
    const qsizetype option = files.indexOf(QStringLiteral("--level"));
    if (option >= 0)
    {
        level = files.value(option + 1).toInt(&levelOk);
        files.remove(option, std::min<qsizetype>(2, files.size() - option));
    }
    if (files.size() != 1 || !levelOk || level < 0)
    {
        m_err << "Usage: vocamira-bank words [--level N] FILE\n";
        return BadUsage;
    }
    const QString &path = files.first();
    const ImportText::Decoded decoded = ImportText::readFile(path);
    if (!decoded.ok())
        return fail(QStringLiteral("%1: %2").arg(path, decoded.message()));
    WordHelp help({defaultIndexPath(), JapaneseReading::defaultDictionary(), Spelling::defaultDictionary()});
    QList<ImportRow> rows;
    if (ImportRows::isTable(path, decoded.text))
    {
        const ImportTable table = TableReader::read(decoded.text);
        for (const ImportTable::Problem &problem : table.problems)
            m_err << path << ": " << problem.text << '\n';
        const ColumnChoice columns = TableReader::guessColumns(table);
        if (!columns.fits(table.columnCount))
            return fail(QStringLiteral("%1: no column of English words").arg(path));
        rows = ImportRows::fromTable(table, columns, help);
    }
    else
    {
        const ImportLexicon lexicon(help, besideProgram(QStringLiteral("dict/english-ranks.txt")));
        const QSet<QString> known =
            StandardWords::upToLevel(level, besideProgram(QStringLiteral("word/標準テキスト/data2.dat")));
        rows = ImportRows::fromText(TextWords::find(decoded.text, lexicon, known), help);
    }
    for (const ImportRow &row : std::as_const(rows))
    {
        m_out << row.word.english << '\t' << row.word.meaning << '\t' << row.word.reading << '\t'
              << (row.line > 0 ? QString::number(row.line) : row.source) << '\n';
    }
    return Success;
}

bool BankTool::copyHistory(const QString &path, const QString &copy)
{
    const QFileInfo info(path);
    if (!info.isFile())
    {
        fail(QStringLiteral("%1: %2").arg(path, info.exists() ? QStringLiteral("not a file")
                                                              : QStringLiteral("no such file")));
        return false;
    }
    // The tests of a running Vocamira may still be in the log beside the file.
    for (const QString &suffix : {QString(), QStringLiteral("-wal")})
    {
        QFile source(path + suffix);
        if (!suffix.isEmpty() && !source.exists())
            continue;
        if (!source.copy(copy + suffix))
        {
            fail(QStringLiteral("%1: cannot read: %2").arg(source.fileName(), source.errorString()));
            return false;
        }
        // A read-only file makes a read-only copy, which the store could not open.
        QFile::setPermissions(copy + suffix, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

bool BankTool::readContainer(const QString &path, QStringList &strings)
{
    switch (GsxSeq::ReadContainerFile(path, strings))
    {
    case GsxSeq::FileResult::Complete:
        return true;
    case GsxSeq::FileResult::Missing:
        fail(QStringLiteral("%1: no such file").arg(path));
        return false;
    case GsxSeq::FileResult::Unreadable:
        fail(QStringLiteral("%1: cannot be read").arg(path));
        return false;
    case GsxSeq::FileResult::Foreign:
        fail(QStringLiteral("%1: not a Vocamira container file").arg(path));
        return false;
    case GsxSeq::FileResult::Damaged:
        break;
    }
    fail(QStringLiteral("%1: damaged after %2 texts; nothing was written").arg(path).arg(strings.size()));
    return false;
}

bool BankTool::readTextFile(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        fail(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
        return false;
    }
    lines = UserText::splitLines(UserText::decode(file.readAll()).text);
    return true;
}

bool BankTool::writeOutput(const QString &path, const QStringList &lines)
{
    if (path.isEmpty())
    {
        for (const QString &line : lines)
            m_out << line << '\n';
        return true;
    }
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    QString error;
    if (AtomicFile::write(path, bytes, &error))
        return true;
    fail(QStringLiteral("%1: cannot write: %2").arg(path, error));
    return false;
}

bool BankTool::writeContainer(const QString &path, const QStringList &strings)
{
    QString error;
    if (GsxSeq::WriteContainerFile(path, strings, &error))
        return true;
    fail(QStringLiteral("%1: cannot write: %2").arg(path, error));
    return false;
}
