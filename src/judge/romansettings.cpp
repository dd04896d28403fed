#include "romansettings.h"

#include <QDir>
#include <QFile>

#include "core/atomicfile.h"
#include "core/cp932.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "judgetable.h"

namespace
{
    // The file holds 48 short records; anything far larger is not ours, and
    // reading only its start keeps a stray file from stalling the start-up.
    constexpr qint64 MaxFileSize = 64 * 1024;

    class RecordReader
    {
    public:
        explicit RecordReader(QStringView line)
            : m_line(line)
        {
        }

        // Two fields, each quoted or bare, separated by a comma, and nothing after.
        bool read(QString &unit, QString &value)
        {
            return readField(unit) && expect(u',') && readField(value) && atEnd();
        }

    private:
        void skipBlanks()
        {
            while (m_pos < m_line.size() && (m_line[m_pos] == u' ' || m_line[m_pos] == u'\t'))
                ++m_pos;
        }

        bool readField(QString &field)
        {
            skipBlanks();
            if (m_pos < m_line.size() && m_line[m_pos] == u'"')
            {
                const qsizetype close = m_line.indexOf(u'"', m_pos + 1);
                if (close < 0)
                    return false;
                field = m_line.mid(m_pos + 1, close - m_pos - 1).toString();
                m_pos = close + 1;
                return true;
            }
            qsizetype end = m_line.indexOf(u',', m_pos);
            if (end < 0)
                end = m_line.size();
            field = m_line.mid(m_pos, end - m_pos).trimmed().toString();
            m_pos = end;
            return !field.contains(u'"');
        }

        bool expect(QChar c)
        {
            skipBlanks();
            if (m_pos >= m_line.size() || m_line[m_pos] != c)
                return false;
            ++m_pos;
            return true;
        }

        bool atEnd()
        {
            skipBlanks();
            return m_pos == m_line.size();
        }

        QStringView m_line;
        qsizetype m_pos = 0;
    };

    void applyRecord(const QString &unit, const QString &value)
    {
        // An empty value would match an empty column and blank the guide.
        if (value.isEmpty())
            return;
        // The file names only the table's rows, as it always has.
        const int row = JudgeTableSet::findRow(unit);
        if (row < 0 || row >= JudgeTableSet::JudgeRowCount)
            return;
        auto &spellings = JudgeTableSet::JudgeTable[row].Spellings;
        if (spellings[0] == value)
            return;
        for (int column = 1; column < 3; ++column)
        {
            if (spellings[column] == value)
            {
                std::swap(spellings[0], spellings[column]);
                return;
            }
        }
    }

    // ゔぃ shows what its twin ヴぃ shows.
    void followTwins()
    {
        for (int row = JudgeTableSet::JudgeRowCount; row < JudgeTableSet::UnitCount; ++row)
        {
            const int twin = JudgeTableSet::twinRow(row);
            if (twin >= 0)
                JudgeTableSet::JudgeTable[row].Spellings = JudgeTableSet::JudgeTable[twin].Spellings;
        }
    }

    bool isStorable(const JudgeTableSet::RomanChoice &choice)
    {
        for (const QString &field : {choice.unit, choice.value})
        {
            if (field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n'))
                return false;
        }
        return true;
    }

    QByteArray recordsText(const QList<JudgeTableSet::RomanChoice> &choices)
    {
        QString text;
        for (const auto &choice : choices)
        {
            if (isStorable(choice))
                text += u'"' + choice.unit + QStringLiteral("\",\"") + choice.value + QStringLiteral("\"\r\n");
        }
        return Cp932::encode(text);
    }

    bool reportWriteFailure(const QString &path, const QString &error)
    {
        Message::show(QStringLiteral("ローマ字表示の設定を保存できませんでした。\n%1\n%2")
                          .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
}

QString JudgeTableSet::RomanIniPath()
{
    return ProgramFolder::filePath(ProgramFolder::IniDir, QStringLiteral("Roman.ini"));
}

void JudgeTableSet::ApplyRomanSettings()
{
    QFile file(RomanIniPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = Cp932::decode(file.read(MaxFileSize));
    for (QStringView line : QStringView(text).tokenize(u'\n'))
    {
        // Lines may end in CR LF, LF or a lone CR.
        for (QStringView record : line.tokenize(u'\r'))
        {
            QString unit;
            QString value;
            if (RecordReader(record).read(unit, value))
                applyRecord(unit, value);
        }
    }
    followTwins();
}

bool JudgeTableSet::WriteRomanSettings(const QList<RomanChoice> &choices)
{
    const QString path = RomanIniPath();
    QString error;
    if (!AtomicFile::write(path, recordsText(choices), &error))
        return reportWriteFailure(path, error);
    return true;
}
