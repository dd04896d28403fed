#pragma once

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "core/clock.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/random.h"
#include "core/settings.h"

// The core's tests do not see the bank, a layer above the core; the others
// can write a standard bank.
#if __has_include("bank/gsxseq.h")
#include "bank/gsxseq.h"
#define VOCAMIRA_TESTS_SEE_BANK 1
#endif
#if __has_include("records/recordsstore.h")
#include "records/recordsstore.h"
#define VOCAMIRA_TESTS_SEE_RECORDS 1
#endif

// A complete, empty program folder in a temporary directory, with the shared
// state reset and every message recorded instead of shown. One per test case:
// construct it at the start (or in init()) and let it go at the end.
class ProgramFolderFixture
{
public:
    ProgramFolderFixture()
    {
        for (const QString &folder : ProgramFolder::InstallationFolders)
            QDir(m_dir.path()).mkpath(folder);
        ProgramFolder::setPath(m_dir.path());
        Common::ResetState();
#ifdef VOCAMIRA_TESTS_SEE_RECORDS
        // Records an earlier case could not save belong to its own folder.
        Common::ForgetUnsavedRecords();
#endif
        Message::setBoxHandler([this](const QString &text, Message::Kind kind) {
            m_messages.append(text);
            if (kind == Message::Kind::Warning)
                m_warnings.append(text);
        });
        Clock::setSource({});
        Random::setSource({});
    }

    ~ProgramFolderFixture()
    {
        Message::setHandler({});
        Clock::setSource({});
        Random::setSource({});
        ProgramFolder::setPath({});
    }

    ProgramFolderFixture(const ProgramFolderFixture &) = delete;
    ProgramFolderFixture &operator=(const ProgramFolderFixture &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &folder, const QString &name) const
    {
        return m_dir.path() + u'/' + folder + u'/' + name;
    }

    // Messages shown since the fixture was made (or since takeMessages()).
    QStringList messages() const { return m_messages; }
    QStringList takeMessages() { return std::exchange(m_messages, {}); }
    // Those of them shown as warnings.
    QStringList warnings() const { return m_warnings; }

    void setCommon(const QString &key, const QString &value)
    {
        Common::WriteIniValue(Common::CommonIni, Common::SectionSyutudai, key, value);
    }

    // Selects a user bank and writes its text file (three lines per question, CR LF).
    void useUserBank(const QString &name, const QStringList &lines, const QString &transMode = QString())
    {
        setCommon(Common::KeyTextKind, Common::TextKindUser);
        setCommon(Common::KeyTextName, name);
        if (!transMode.isEmpty())
            setCommon(Common::KeyTransMode, transMode);
        writeFile(filePath(ProgramFolder::UserWordDir, name + QStringLiteral(".txt")),
                  lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }

#ifdef VOCAMIRA_TESTS_SEE_BANK
    // Writes a standard bank of `count` questions: "word<i>", "意味<i>", "いみ<i>"
    // unless the caller gives the groups.
    void writeStandardBank(int count)
    {
        QStringList strings;
        for (int i = 0; i < count; ++i)
            strings << QStringLiteral("word%1").arg(i) << QStringLiteral("意味%1").arg(i)
                    << QStringLiteral("いみ%1").arg(i);
        writeStandardBank(strings);
    }
    void writeStandardBank(const QStringList &groups)
    {
        QVERIFY(GsxSeq::WriteContainerFile(filePath(ProgramFolder::StandardWordDir, QStringLiteral("data2.dat")),
                                           groups));
    }
#endif

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        file.write(bytes);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QStringList m_messages;
    QStringList m_warnings;
};
