#pragma once

#include <QString>

#include <functional>

#include "transferproblem.h"

// Replaces the learner's files with new ones all at once, or not at all.
// The new files are laid out first in a stage folder inside the learner's
// folder (so that every move is a rename on one file system). Writing the
// plan of the moves is the point of no return: before it, the learner's
// files are untouched and the stage is thrown away; after it, every move is
// one a later start can finish or undo, told by the plan. A crash at any
// moment therefore leaves, after the next start, either the old files whole
// or the new ones whole, never a mix.
namespace DataSwitch
{
    inline const QString StageDir = QStringLiteral(".vocamira-import");

    QString StagePath(const QString &learner);
    // Where the caller lays out the new files under their relative paths.
    QString NewPath(const QString &learner);

    enum class Outcome
    {
        Nothing,  // no switch was under way
        Switched, // the new files are in place
        Undone,   // a switch failed or was cut short; the old files are back whole
        Stuck,    // even undoing failed; the plan stays for the next start
    };

    struct Result
    {
        Outcome outcome = Outcome::Nothing;
        TransferProblem problem; // what failed, for Undone and Stuck
    };

    // Switches the files of NewPath in for the learner's files (those of
    // LearnerFiles::List, the history and its companions): a file that is
    // only among the old ones goes, one only among the new comes. The old
    // files are deleted once the new ones are in place.
    Result SwitchIn(const QString &learner);

    // Finishes or undoes a switch that was cut short, and throws away a stage
    // that never got to its plan. Run before anything reads the learner's files.
    Result Recover(const QString &learner);

    // Throws the stage away, unless a switch is under way.
    void Discard(const QString &learner);

    // Called with a running number before each step of an import (reading
    // the file, the backup, the plan, each move, the end): false makes that
    // step fail. A seam for the tests that fail and cut an import short at
    // each of its steps; setting it starts the count at 0.
    using StepHook = std::function<bool(int step)>;
    void setStepHook(StepHook hook);
    // The next step: false when the hook fails it.
    bool Step();
}
