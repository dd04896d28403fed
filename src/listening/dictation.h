#pragma once

#include <QString>

#include "judge/judge.h"

// One question of a dictation (書き取り): the learner types the word heard,
// with no candidates to choose from. The box shows the letters typed and one
// mark per letter still to type; other characters of the word (a blank, a
// hyphen) show as they are. A letter is taken in either case, as no one hears
// a capital. A key the word does not take is refused and
// counted, and after three refused keys in a row the next letter is shown,
// so the learner is never stuck. A word typed without a letter shown is
// answered right.
class Dictation
{
public:
    static constexpr int RefusalsBeforeHint = 3;
    static constexpr QChar Mark = QChar(0x2022); // •

    enum class Step
    {
        Accepted,
        Refused,
        Hinted,    // refused, and the next letter is shown from now on
        Completed, // the word is typed to its end
    };

    // keys: the word as it is typed.
    explicit Dictation(const QString &keys = {});

    // romaKey, kanaKey: the key's characters as the key-code table gives
    // them; roma: judged as romaji input, else as kana input.
    Step type(const QString &romaKey, const QString &kanaKey, bool roma);

    // What the box shows, in three parts: typed, the next letter when shown
    // (else ""), and the marks of the rest.
    QString typed() const;
    QString shownLetter() const;
    QString marks() const;

    bool completed() const { return m_completed; }
    // Right when no letter had to be shown.
    bool right() const { return m_completed && m_hints == 0; }
    int accepted() const { return m_accepted; }
    int refused() const { return m_refused; }
    int hints() const { return m_hints; }

private:
    // 0-based position of the next character to type.
    qsizetype position() const { return m_state.JudgePos - 1; }

    Judge::JudgeState m_state;
    bool m_completed = false;
    bool m_showing = false;
    int m_streak = 0;
    int m_accepted = 0;
    int m_refused = 0;
    int m_hints = 0;
};
