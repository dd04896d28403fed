#include "historycsv.h"

#include "core/atomicfile.h"
#include "historyfilter.h"
#include "historystore.h"

namespace
{
    const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

    QString kindText(TestKind kind)
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

    QString bankKindText(const QString &bankKind)
    {
        return bankKind == u"USER" ? QStringLiteral("ユーザー") : QStringLiteral("標準");
    }

    QString inputText(const QString &method)
    {
        return method == u"KANA" ? QStringLiteral("かな") : QStringLiteral("ローマ字");
    }

    QString resultText(const HistoryTest &test, const HistoryTest::Question &q)
    {
        // On screen when the test was stopped: not a miss.
        if (test.leftOut(q))
            return QStringLiteral("中断");
        if (!q.answered)
            return QStringLiteral("未解答");
        return q.correct ? QStringLiteral("正解") : QStringLiteral("不正解");
    }

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
            QStringLiteral("受け付けなかったキー")};
}

QList<QStringList> HistoryCsv::rows(const HistoryTest &test)
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
    QList<QStringList> table {header()};
    HistoryFilter all;
    all.all = true;
    if (!store.forEachTest(all, [&table](const HistoryTest &test) { table += rows(test); }))
    {
        if (errorText)
            *errorText = store.problemText();
        return false;
    }
    return AtomicFile::write(path, encode(table), errorText);
}
