#include "rowchecks.h"

#include <QHash>

#include "bank/questions.h"
#include "typeability.h"

namespace
{
    const QString FieldNames[RowChecks::FieldCount] = {
        QStringLiteral("英単語"),
        QStringLiteral("意味"),
        QStringLiteral("読み"),
    };

    bool hasControlCharacter(const QString &text)
    {
        for (const QChar c : text)
        {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return true;
        }
        return false;
    }

    // The character at `position`, whole when it is a surrogate pair.
    QString characterAt(const QString &text, qsizetype position)
    {
        const qsizetype length = text[position].isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
        return text.mid(position, length);
    }

    QString typingProblem(RowChecks::Field field, const QString &text)
    {
        const qsizetype romaji = Typeability::firstUntypeable(text, Typeability::Input::Romaji);
        if (romaji >= 0)
            return QStringLiteral("%1の「%2」はキーボードで入力できません")
                .arg(FieldNames[field], characterAt(text, romaji));
        // The English word is typed as letters whatever the input method.
        if (field == RowChecks::English)
            return {};
        const qsizetype kana = Typeability::firstUntypeable(text, Typeability::Input::Kana);
        if (kana >= 0)
            return QStringLiteral("%1の「%2」はかな入力では入力できません").arg(FieldNames[field], characterAt(text, kana));
        return {};
    }

    void markDuplicates(const QList<WordRow> &rows, QList<RowChecks::Problems> &problems, RowChecks::Field field,
                        QString WordRow::*member)
    {
        QHash<QString, qsizetype> first;
        first.reserve(rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
        {
            const QString &text = rows[i].*member;
            if (text.isEmpty())
                continue;
            const auto found = first.constFind(text);
            if (found == first.constEnd())
            {
                first.insert(text, i);
                continue;
            }
            QString &reason = problems[i].field[field];
            if (reason.isEmpty())
                reason = QStringLiteral("%1が%2行目と同じです").arg(FieldNames[field]).arg(found.value() + 1);
        }
    }
}

QString RowChecks::Problems::text() const
{
    QStringList reasons;
    for (const QString &reason : field)
    {
        if (!reason.isEmpty())
            reasons.append(reason);
    }
    return reasons.join(QStringLiteral("、"));
}

QString RowChecks::fieldProblem(Field field, const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("%1が空です").arg(FieldNames[field]);
    if (hasControlCharacter(text))
        return QStringLiteral("%1に改行やタブがあります").arg(FieldNames[field]);
    if (field == Meaning)
        return {};
    return typingProblem(field, text);
}

QList<RowChecks::Problems> RowChecks::check(const QList<WordRow> &rows, Cache *cache)
{
    auto problemOf = [cache](Field field, const QString &text) {
        if (!cache)
            return fieldProblem(field, text);
        QHash<QString, QString> &known = (*cache)[field];
        const auto found = known.constFind(text);
        return found != known.constEnd() ? found.value() : known.insert(text, fieldProblem(field, text)).value();
    };
    QList<Problems> problems(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
    {
        problems[i].field[English] = problemOf(English, rows[i].english);
        problems[i].field[Meaning] = problemOf(Meaning, rows[i].meaning);
        problems[i].field[Reading] = problemOf(Reading, rows[i].reading);
    }
    markDuplicates(rows, problems, English, &WordRow::english);
    markDuplicates(rows, problems, Meaning, &WordRow::meaning);
    return problems;
}

bool RowChecks::breaksTheFile(const WordRow &row)
{
    for (const QString *text : {&row.english, &row.meaning, &row.reading})
    {
        if (text->contains(u'\r') || text->contains(u'\n'))
            return true;
    }
    return false;
}

QString RowChecks::shortfall(qsizetype rowCount, int questionsPerLevel)
{
    if (rowCount > Common::MaxQuestionCount)
        return QStringLiteral("問題集に入るのは %1 語までです（あと %2 語減らしてください）")
            .arg(Common::MaxQuestionCount)
            .arg(rowCount - Common::MaxQuestionCount);
    if (rowCount >= questionsPerLevel)
        return {};
    return QStringLiteral("テストを始めるには、あと %1 語必要です（1LEVEL %2 語）")
        .arg(questionsPerLevel - rowCount)
        .arg(questionsPerLevel);
}
