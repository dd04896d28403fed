#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "bank/gsxseq.h"

// The learner's records, one file per bank and direction: a scrambled
// container holding the lines of the records text form.
namespace Common
{
    // Resets the records and loads those of the current bank and direction.
    // A damaged or foreign file gives fresh records, or the part read so far;
    // the file itself is kept beside as a copy and the learner is told. A file
    // that is there but cannot be read is not replaced for the rest of the run,
    // even if it becomes readable: it may hold records the program never saw.
    void LoadRecords();
    // Writes every record. The new file replaces the old one only when it is
    // complete; a failure is told to the learner and the records stay in
    // memory, waiting (UnsavedRecordFiles) for the next save of that file:
    // LoadRecords of the same bank and direction takes them back from there.
    bool SaveRecords();

    // Records that could not be saved, by file, oldest first.
    struct UnsavedRecordFile
    {
        QString path;
        QStringList lines;   // the text form, as it would have been written
        QString error;       // why the last try failed
    };
    QList<UnsavedRecordFile> UnsavedRecordFiles();
    // The records of the current bank and direction wait to be saved.
    bool CurrentRecordsUnsaved();
    // Tries every waiting file again without a word to the learner; true when
    // none is left waiting.
    bool SaveUnsavedRecords();
    // The learner gave the waiting records up (or kept them elsewhere).
    void ForgetUnsavedRecords();
    // Hears the path of every records file written, so what waited on it can follow.
    void SetRecordsSavedHandler(std::function<void(const QString &path)> handler);

    // Replaces the records file of the current bank and direction with one of
    // its backups, after keeping the current file as a backup, and loads it.
    // False, with the learner told why, when nothing was replaced.
    bool RestoreRecords(const QString &backupPath);

    // "" when TEXTNAME is no usable file name.
    QString RecordDataPath();

    // The number of LEVEL rows the file holds: HighestLevel + 1, or LevelCount
    // at the top, and never more than LevelCount.
    int RecordRowCount();

    // The text form stays in memory: it is only ever the container's content.
    // ReadRecordText returns false when the lines turned out damaged.
    GsxSeq::FileResult DecodeRecordFile(QStringList &lines);
    bool ReadRecordText(const QStringList &lines);
    QStringList WriteRecordText();
    bool EncodeRecordFile(const QStringList &lines);
}
