#pragma once

// The status routines that bring the main window in line with the settings
// and the learner's records. They act on the one main window and do nothing
// when there is none.
namespace Common
{
    void ShowTestSettings();
    void ShowLevelStatus();
    // What the main window needs after the question settings were saved.
    void RefreshMainWindowAfterSettings();
}
