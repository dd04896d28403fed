#pragma once

// Shows the program's messages in modal boxes with the title "Vocamira": a
// notice or a warning with an OK button only, a question with はい and いいえ.
// Installed once at start-up; tests install recorders through
// Message::setHandler and Message::setQuestionHandler instead.
namespace MessageBox
{
    void install();
}
