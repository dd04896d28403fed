#include "recordsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "core/clock.h"
#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "recordbackups.h"
#include "recordlinereader.h"
#include "recordlinewriter.h"

namespace
{
    // The base path without extension, or "" when the bank has no usable name.
    QString recordBasePath()
    {
        if (!Common::IsUserBank())
            return ProgramFolder::filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1") + Common::DirectionSuffix());
        const QString name = Common::SafeTextName();
        if (name.isEmpty())
            return {};
        return ProgramFolder::filePath(ProgramFolder::UserRecordDir, name + Common::DirectionSuffix());
    }

    QByteArray fileContent(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A copy named "data1.dat.damaged", "data1.dat.damaged2", ...: the one
    // that already holds the same bytes (a file still damaged at the next
    // start), else the first free name. "" when the copy could not be made (a
    // full disk): the learner must not be told of a copy that is not there.
    QString keepDamagedCopy(const QString &path)
    {
        const QByteArray damaged = fileContent(path);
        QString copy = path + QStringLiteral(".damaged");
        for (int n = 2; QFile::exists(copy); ++n)
        {
            if (fileContent(copy) == damaged)
                return copy;
            copy = path + QStringLiteral(".damaged%1").arg(n);
        }
        if (QFile::copy(path, copy))
            return copy;
        QFile::remove(copy);
        return {};
    }

    // Records files that were there but could not be read at their load: they
    // may hold months of records the program never saw, so this run never
    // replaces them, even once the learner has made them readable.
    QSet<QString> &notLoadedFiles()
    {
        static QSet<QString> paths;
        return paths;
    }

    // A backup is a second line of defence: the save goes on without it. The
    // learner hears of it after a save that worked (a failed save says enough),
    // once per records file in a run, not at every test.
    void tellBackupFailed(const QString &path)
    {
        static QSet<QString> told;
        if (told.contains(path))
            return;
        told.insert(path);
        Message::post(QStringLiteral("成績ファイルのバックアップを作れませんでした。成績の保存は続けます。\n%1")
                          .arg(QDir::toNativeSeparators(RecordBackups::FolderFor(path))));
    }

    // The records that could not be saved, by path, in the order they failed.
    QList<Common::UnsavedRecordFile> &unsavedFiles()
    {
        static QList<Common::UnsavedRecordFile> files;
        return files;
    }

    qsizetype unsavedIndex(const QString &path)
    {
        const QList<Common::UnsavedRecordFile> &files = unsavedFiles();
        for (qsizetype i = 0; i < files.size(); ++i)
        {
            if (files[i].path == path)
                return i;
        }
        return -1;
    }

    std::function<void(const QString &)> &savedHandler()
    {
        static std::function<void(const QString &)> handler;
        return handler;
    }

    // Replaces the records file with lines, keeping the daily backup first.
    // The learner hears of a backup that failed, not of a failed write.
    bool writeRecords(const QString &path, const QStringList &lines, QString *error)
    {
        if (notLoadedFiles().contains(path))
        {
            *error = QStringLiteral("始めに読み込めなかったファイルなので、元の成績を守るため上書きしません。");
            return false;
        }
        const bool backedUp = RecordBackups::KeepDaily(path, Clock::currentDateTime());
        if (!GsxSeq::WriteContainerFile(path, lines, error))
            return false;
        if (!backedUp)
            tellBackupFailed(path);
        const qsizetype waiting = unsavedIndex(path);
        if (waiting >= 0)
            unsavedFiles().removeAt(waiting);
        if (savedHandler())
            savedHandler()(path);
        return true;
    }

    QString withExtension(const QString &base, const QString &extension)
    {
        return base.isEmpty() ? QString() : base + extension;
    }

    void resetRecords()
    {
        Common::LevelRecords = QList<Common::LevelRecord>(std::max(Common::LevelCount, 0) + 1);
        Common::CurrentLevel = 0;
        Common::FailCount = 0;
        Common::HighestLevel = 0;
        Common::RecordSpare.clear();
        Common::CertificateName.clear();
        Common::CertificateDate = QDate();
    }

    // writtenHighest: the highest LEVEL as the file has it, before it is held
    // to the LEVELs the bank now has.
    bool readHeader(const QString &line, int &writtenHighest)
    {
        RecordLineReader reader(line);
        int current = 0;
        int fails = 0;
        int highest = 0;
        QString spare;
        QString name;
        QDate date;
        if (!(reader.readInt(current) && reader.readInt(fails) && reader.readString(spare) && reader.readInt(highest)
              && reader.readString(name) && reader.readDate(date)))
            return false;
        // A file from a bank that now has fewer LEVELs is held to the LEVELs there are.
        writtenHighest = highest;
        Common::CurrentLevel = std::clamp(current, 0, Common::LevelCount);
        Common::HighestLevel = std::clamp(highest, Common::CurrentLevel, Common::LevelCount);
        Common::FailCount = std::max(fails, 0);
        Common::RecordSpare = spare;
        Common::CertificateName = name;
        Common::CertificateDate = date;
        return true;
    }

    bool readRow(const QString &line, Common::LevelRecord &row)
    {
        RecordLineReader reader(line);
        Common::LevelRecord read;
        if (!(reader.readDate(read.ReachedDate) && reader.readInt(read.ChallengePassCount)
              && reader.readInt(read.ChallengeFailCount) && reader.readInt(read.PracticePassCount)
              && reader.readInt(read.PracticeFailCount) && reader.readInt(read.BestScore)
              && reader.readDate(read.BestScoreDate) && reader.readDouble(read.BestTime)
              && reader.readDate(read.BestTimeDate)))
            return false;
        row = read;
        return true;
    }

    QString headerLine()
    {
        RecordLineWriter writer;
        writer.addInt(Common::CurrentLevel);
        writer.addInt(Common::FailCount);
        writer.addString(Common::RecordSpare);
        writer.addInt(Common::HighestLevel);
        writer.addString(Common::CertificateName);
        writer.addDate(Common::CertificateDate);
        return writer.line();
    }

    QString rowLine(const Common::LevelRecord &row)
    {
        RecordLineWriter writer;
        writer.addDate(row.ReachedDate);
        writer.addInt(row.ChallengePassCount);
        writer.addInt(row.ChallengeFailCount);
        writer.addInt(row.PracticePassCount);
        writer.addInt(row.PracticeFailCount);
        writer.addInt(row.BestScore);
        writer.addDate(row.BestScoreDate);
        writer.addDouble(row.BestTime);
        writer.addDate(row.BestTimeDate);
        return writer.line();
    }
}

QString Common::RecordDataPath()
{
    return withExtension(recordBasePath(), QStringLiteral(".dat"));
}

int Common::RecordRowCount()
{
    const int rows = HighestLevel == LevelCount ? LevelCount : HighestLevel + 1;
    return std::clamp(rows, 0, std::max(LevelCount, 0));
}

void Common::LoadRecords()
{
    resetRecords();
    const QString path = RecordDataPath();
    // Records not saved yet are newer than the file.
    const qsizetype waiting = unsavedIndex(path);
    if (waiting >= 0)
    {
        ReadRecordText(unsavedFiles()[waiting].lines);
        return;
    }
    QStringList lines;
    const GsxSeq::FileResult decoded = DecodeRecordFile(lines);
    if (decoded == GsxSeq::FileResult::Unreadable)
    {
        notLoadedFiles().insert(path);
        Message::show(QStringLiteral("成績ファイルを読み込めません。ファイルの読み取り権限を確認してください。このファイルには保存しません。\n%1")
                          .arg(QDir::toNativeSeparators(path)));
        return;
    }
    // Records now read may be replaced by the records that follow from them.
    notLoadedFiles().remove(path);
    const bool whole = decoded == GsxSeq::FileResult::Complete || decoded == GsxSeq::FileResult::Missing;
    if (ReadRecordText(lines) && whole)
        return;
    const QString copy = keepDamagedCopy(path);
    const QString kept = copy.isEmpty()
        ? QStringLiteral("元のファイルの控えを作れませんでした（ディスクの空きが無い可能性があります）。")
        : QStringLiteral("元のファイルは次の名前で残しました。\n%1").arg(QDir::toNativeSeparators(copy));
    Message::show(QStringLiteral("成績ファイルが壊れているため、読み込めた部分だけを使います。\n%1\n%2")
                      .arg(QDir::toNativeSeparators(path), kept));
}

bool Common::SaveRecords()
{
    return EncodeRecordFile(WriteRecordText());
}

GsxSeq::FileResult Common::DecodeRecordFile(QStringList &lines)
{
    const QString path = RecordDataPath();
    if (path.isEmpty())
        return GsxSeq::FileResult::Missing;
    return GsxSeq::ReadContainerFile(path, lines);
}

bool Common::ReadRecordText(const QStringList &lines)
{
    if (lines.isEmpty())
        return true; // no file: a new learner
    int writtenHighest = 0;
    if (!readHeader(lines.first(), writtenHighest))
        return false;
    // The file holds a row per LEVEL reached, and one for the LEVEL above
    // unless that was the top of the bank when it was written: a bank that has
    // grown since asks for that row, and its absence is no damage.
    const int rows = RecordRowCount();
    const int written = std::min(rows, std::max(writtenHighest, 0));
    for (int level = 1; level <= rows; ++level)
    {
        if (level >= lines.size())
            return level > written;
        if (!readRow(lines[level], LevelRecords[level]))
            return false;
    }
    return true;
}

QStringList Common::WriteRecordText()
{
    QStringList lines {headerLine()};
    const int rows = RecordRowCount();
    for (int level = 1; level <= rows && level < LevelRecords.size(); ++level)
        lines.append(rowLine(LevelRecords[level]));
    return lines;
}

bool Common::EncodeRecordFile(const QStringList &lines)
{
    const QString path = RecordDataPath();
    if (path.isEmpty())
        return false;
    QString error;
    if (writeRecords(path, lines, &error))
        return true;
    const qsizetype waiting = unsavedIndex(path);
    if (waiting >= 0)
        unsavedFiles()[waiting] = {path, lines, error};
    else
        unsavedFiles().append({path, lines, error});
    Message::show(notLoadedFiles().contains(path)
                      ? QStringLiteral("成績ファイルを読み込めなかったため、このファイルには保存しません（元の成績を守るためです）。"
                                       "ファイルを読めるようにしてから、プログラムを起動し直してください。\n%1")
                            .arg(QDir::toNativeSeparators(path))
                      : QStringLiteral("成績ファイルを保存できませんでした。成績は次のテストの後と、終了するときに、もう一度保存します。\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error));
    return false;
}

QList<Common::UnsavedRecordFile> Common::UnsavedRecordFiles()
{
    return unsavedFiles();
}

bool Common::CurrentRecordsUnsaved()
{
    return unsavedIndex(RecordDataPath()) >= 0;
}

bool Common::SaveUnsavedRecords()
{
    // A copy: each success takes its file off the list.
    const QList<UnsavedRecordFile> files = unsavedFiles();
    for (const UnsavedRecordFile &file : files)
    {
        QString error;
        if (!writeRecords(file.path, file.lines, &error))
            unsavedFiles()[unsavedIndex(file.path)].error = error;
    }
    return unsavedFiles().isEmpty();
}

void Common::ForgetUnsavedRecords()
{
    unsavedFiles().clear();
}

void Common::SetRecordsSavedHandler(std::function<void(const QString &path)> handler)
{
    savedHandler() = std::move(handler);
}

bool Common::RestoreRecords(const QString &backupPath)
{
    const QString path = RecordDataPath();
    QStringList lines;
    if (path.isEmpty() || GsxSeq::ReadContainerFile(backupPath, lines) != GsxSeq::FileResult::Complete)
    {
        Message::show(QStringLiteral("バックアップを読み込めないため、成績を復元しませんでした。\n%1")
                          .arg(QDir::toNativeSeparators(backupPath)));
        return false;
    }
    // The records of today go back among the backups first, so a restore can
    // be undone; records not saved yet are saved first, so they are among them.
    QString error;
    const qsizetype waiting = unsavedIndex(path);
    if (waiting >= 0 && !writeRecords(path, unsavedFiles()[waiting].lines, &error))
        error = QStringLiteral("保存されていない今の成績を、先に保存できませんでした。") + error;
    else if (QFileInfo::exists(path) && !RecordBackups::Keep(path, Clock::currentDateTime()))
        error = QStringLiteral("今の成績ファイルのバックアップを作れませんでした。");
    else if (notLoadedFiles().contains(path))
        error = QStringLiteral("読み込めなかった成績ファイルは上書きしません。");
    else if (!GsxSeq::WriteContainerFile(path, lines, &error) && error.isEmpty())
        error = QStringLiteral("書き込めませんでした。");
    if (!error.isEmpty())
    {
        Message::show(QStringLiteral("成績を復元できませんでした。今の成績はそのままです。\n%1\n%2")
                          .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    LoadRecords();
    return true;
}
