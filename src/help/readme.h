#pragma once

class QWidget;

// Opens readme.txt of the program folder in the desktop's text editor; the
// program does not wait for it. Without an editor the read-me is shown in a
// read-only window of the program, owned by owner.
void OpenReadMe(QWidget *owner = nullptr);
