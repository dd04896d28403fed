#pragma once

#include <QString>

// Loading of the question bank that the settings name, in the form the
// current direction needs.
namespace Common
{
    // A bank holds at most this many questions, the largest count the
    // records and settings can hold.
    inline constexpr int MaxQuestionCount = 32767;

    void LoadQuestions();
    void LoadStandardQuestions();
    void LoadUserQuestions();
    QString StandardQuestionPath();
    // "" when TEXTNAME is no usable file name.
    QString UserQuestionPath();
    // The pronunciation file of standard-bank entry `index`:
    // sound1/0007.wma below 170, sound2/0170.wma from 170 on.
    QString SoundFilePath(int index);
}
