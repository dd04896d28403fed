#pragma once

// Opens readme.txt of the program folder in the desktop's text editor; the
// program does not wait for it.
void OpenReadMe();
