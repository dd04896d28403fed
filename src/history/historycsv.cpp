#include "historycsv.h"

#include "bankhistory.h"
#include "core/atomicfile.h"
#include "core/clock.h"
#include "historyfilter.h"
#include "historystore.h"
#include "wordbook.h"

namespace
{
    const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

    QString resultText(const HistoryTest &test, const HistoryTest::Question &q)
    {
        // On screen when the test was stopped: not a miss.
        if (test.leftOut(q))
            return QStringLiteral("中断");
        if (!q.answered)
            return QStringLiteral("未解答");
        return q.correct ? QStringLiteral("正解") : QStringLiteral("不正解");
    }

    QString wordKey(const QString &bankKind, const QString &bankName, const QString &direction, const QString &prompt,
                    const QString &answer)
    {
        return QStringList {bankKind, bankName, direction, prompt, answer}.join(QChar(0x1F));
    }

    // A row holds the test's fields, the question's, then the word's two.
    constexpr int TestFields = 15;
    constexpr int QuestionFields = 10;

    QString number(double value)
    {
        return QString::number(value, 'f', 3);
    }

    // A spreadsheet program runs a field that begins with one of these as a
    // formula (a bank may carry "=1+1", or worse). As OWASP advises against
    // CSV injection, such a field gets an apostrophe before it, which the
    // program shows as text, and quotes around it.
    bool readsAsFormula(const QString &field)
    {
        return !field.isEmpty() && QStringView(u"=+-@\t\r").contains(field.front());
    }

    QString quoted(const QString &field)
    {
        const bool formula = readsAsFormula(field);
        if (!formula && !field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n')
            && !field.contains(u'\r'))
            return field;
        QString escaped = formula ? u'\'' + field : field;
        escaped.replace(u'"', QStringLiteral("\"\""));
        return u'"' + escaped + u'"';
    }
}

QString HistoryCsv::kindText(TestKind kind)
{
    switch (kind)
    {
    case TestKind::LevelUp:
        return QStringLiteral("レベル上げ");
    case TestKind::ForcedReview:
        return QStringLiteral("強制復習");
    case TestKind::Preview:
        return QStringLiteral("予習/復習");
    case TestKind::WeakWords:
        return QStringLiteral("苦手単語の練習");
    case TestKind::Listening:
        return QStringLiteral("聞き取り");
    case TestKind::ListeningWeakWords:
        return QStringLiteral("聞き取り（苦手単語）");
    case TestKind::Dictation:
        return QStringLiteral("書き取り");
    case TestKind::DictationWeakWords:
        return QStringLiteral("書き取り（苦手単語）");
    }
    return {};
}

QString HistoryCsv::bankKindText(const QString &bankKind)
{
    return bankKind == u"USER" ? QStringLiteral("ユーザー") : QStringLiteral("標準");
}

QString HistoryCsv::inputText(const QString &method)
{
    return method == u"KANA" ? QStringLiteral("かな") : QStringLiteral("ローマ字");
}

QString HistoryCsv::markText(WordMark::Kind kind)
{
    switch (kind)
    {
    case WordMark::Kind::Known:
        return QStringLiteral("知っている");
    case WordMark::Kind::NotKnown:
        return QStringLiteral("知っているを取り消し");
    case WordMark::Kind::Weak:
        return QStringLiteral("苦手に追加");
    case WordMark::Kind::NotWeak:
        return QStringLiteral("苦手から外す");
    }
    return {};
}

QStringList HistoryCsv::header()
{
    return {QStringLiteral("テスト番号"), QStringLiteral("開始日時"), QStringLiteral("終了日時"),
            QStringLiteral("問題の種類"), QStringLiteral("問題集"), QStringLiteral("方向"),
            QStringLiteral("入力方式"), QStringLiteral("テストの種類"), QStringLiteral("LEVEL"),
            QStringLiteral("得点"), QStringLiteral("時間（秒）"), QStringLiteral("合否"),
            QStringLiteral("テスト前のLEVEL"), QStringLiteral("テスト後のLEVEL"), QStringLiteral("成績の保存"),
            QStringLiteral("問"),
            QStringLiteral("問題の番号"), QStringLiteral("問題"), QStringLiteral("正解"),
            QStringLiteral("結果"), QStringLiteral("選んだ答えの番号"), QStringLiteral("選んだ答え"),
            QStringLiteral("表示から解答までの秒"), QStringLiteral("受け付けたキー"),
            QStringLiteral("受け付けなかったキー"), QStringLiteral("今の状態"), QStringLiteral("次の復習日")};
}

bool HistoryCsv::WordStates::read(HistoryStore &store, const QDate &today)
{
    m_schedules.clear();
    for (const HistoryFilter &bank : store.banks())
    {
        // No bank is loaded here: every word is known by its text.
        BankHistory history {QList<Common::QuestionEntry>()};
        if (!history.read(store, bank))
            return false;
        const WeakWords weak = history.weakWords(today);
        for (int i = 1; i <= history.absentCount(); ++i)
        {
            const BankHistory::AbsentWord &word = history.absentWord(-i);
            if (const WordSchedule *schedule = weak.schedule(-i))
                m_schedules.insert(wordKey(bank.bankKind, bank.bankName, bank.direction, word.prompt, word.answer),
                                   *schedule);
        }
    }
    return true;
}

QStringList HistoryCsv::WordStates::fields(const QString &bankKind, const QString &bankName, const QString &direction,
                                           const QString &prompt, const QString &answer) const
{
    const auto it = m_schedules.constFind(wordKey(bankKind, bankName, direction, prompt, answer));
    if (it == m_schedules.cend())
        return {QString(), QString()};
    // A word marked known has no next review, however it stood before.
    const bool due = it->state() == WordSchedule::State::Weak;
    return {WordBook::stateText(*it), due ? it->due.toString(QStringLiteral("yyyy-MM-dd")) : QString()};
}

QStringList HistoryCsv::markRow(const HistoryStore::Mark &mark, const WordStates &states)
{
    QStringList row(TestFields + QuestionFields);
    row[1] = mark.at.toString(DateTimeFormat);
    row[3] = bankKindText(mark.bankKind);
    row[4] = mark.bankName;
    row[5] = mark.direction;
    row[7] = QStringLiteral("単語帳");
    row[TestFields + 1] = QString::number(mark.bankIndex);
    row[TestFields + 2] = mark.prompt;
    row[TestFields + 3] = mark.answer;
    row[TestFields + 4] = markText(mark.kind);
    return row + states.fields(mark.bankKind, mark.bankName, mark.direction, mark.prompt, mark.answer);
}

QList<QStringList> HistoryCsv::rows(const HistoryTest &test, const WordStates *states)
{
    const QStringList testFields {QString::number(test.id),
                                  test.startedAt.toString(DateTimeFormat),
                                  test.endedAt.toString(DateTimeFormat),
                                  bankKindText(test.bankKind),
                                  test.bankName,
                                  test.direction,
                                  inputText(test.inputMethod),
                                  kindText(test.kind),
                                  QString::number(test.level),
                                  QString::number(test.score),
                                  number(test.seconds),
                                  test.passed ? QStringLiteral("合格") : QStringLiteral("不合格"),
                                  QString::number(test.levelBefore),
                                  QString::number(test.levelAfter),
                                  test.recordsSaved ? QStringLiteral("保存済み") : QStringLiteral("保存されず")};
    QList<QStringList> rows;
    for (const HistoryTest::Question &q : test.questions)
    {
        const bool chose = q.answered && !q.correct;
        rows.append(testFields
                    + QStringList {QString::number(q.number), QString::number(q.bankIndex), q.prompt, q.answer,
                                   resultText(test, q), chose ? QString::number(q.chosenIndex) : QString(),
                                   chose ? q.chosenAnswer : QString(), q.answered ? number(q.seconds) : QString(),
                                   QString::number(q.keysAccepted), QString::number(q.keysRejected)});
        if (states)
            rows.last() += states->fields(test.bankKind, test.bankName, test.direction, q.prompt, q.answer);
    }
    return rows;
}

QByteArray HistoryCsv::encode(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows)
    {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &field : row)
            fields.append(quoted(field));
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool HistoryCsv::write(HistoryStore &store, const QString &path, QString *errorText)
{
    HistoryFilter all;
    all.all = true;
    WordStates states;
    QList<HistoryStore::Mark> marks;
    const bool read = states.read(store, Clock::currentDateTime().date())
                      && store.forEachMark(all, [&marks](const HistoryStore::Mark &mark) { marks.append(mark); });
    QList<QStringList> table {header()};
    qsizetype next = 0;
    // The marks and the tests, each oldest first, merged by time.
    const auto marksBefore = [&](const QDateTime &at) {
        for (; next < marks.size() && (!at.isValid() || marks[next].at < at); ++next)
            table.append(markRow(marks[next], states));
    };
    if (!read || !store.forEachTest(all, [&](const HistoryTest &test) {
            marksBefore(test.startedAt);
            table += rows(test, &states);
        }))
    {
        if (errorText)
            *errorText = store.problemText();
        return false;
    }
    marksBefore({});
    return AtomicFile::write(path, encode(table), errorText);
}
