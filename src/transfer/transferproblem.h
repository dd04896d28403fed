#pragma once

#include <QString>

// Why a learner's data file was refused or could not be written, with the
// entry it concerns. Every check of an import ends in one of these, so that
// the program and vocamira-bank say the same thing for the same fault.
struct TransferProblem
{
    enum class Kind
    {
        None,
        NotZip,        // not a zip file, or one cut short
        Foreign,       // a zip without this program's manifest
        NewerFormat,   // written by a newer version of the program
        Damaged,       // a manifest that does not parse, a bad CRC, an entry cut short
        UnsafePath,    // leaves the folder (.., absolute), a symbolic link or a folder, or no file of the learner's
        Duplicate,     // two entries of one name
        SizeMismatch,  // an entry of another size than its manifest says
        TooLarge,      // more than the caps allow, or compressed far beyond what data compresses to
        Checksum,      // SHA-256 differs from the manifest's
        MissingEntry,  // in the manifest, not in the zip
        ExtraEntry,    // in the zip, not in the manifest
        Encrypted,
        CannotRead,
        CannotWrite,
        NotLearnerFolder, // a folder without any of the learner's folders in it
        EarlierImport,    // an import cut short that could not be finished or undone
    };

    Kind kind = Kind::None;
    QString entry;  // the entry or file concerned, "" when none
    QString detail; // the system's own words, for CannotRead and CannotWrite

    bool ok() const { return kind == Kind::None; }
    // A sentence for the learner, and the same for the command line.
    QString text() const;
    QString englishText() const;

    static TransferProblem of(Kind kind, const QString &entry = QString(), const QString &detail = QString())
    {
        return {kind, entry, detail};
    }
};
