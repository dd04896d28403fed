#include "dictation.h"

Dictation::Dictation(const QString &keys)
{
    m_state.JudgeTarget = keys;
    m_state.JudgeGuide = Judge::MakeRomaGuide(keys);
}

Dictation::Step Dictation::type(const QString &romaKey, const QString &kanaKey, bool roma)
{
    if (m_completed)
        return Step::Completed;
    const qsizetype before = position();
    // A capital cannot be heard: a letter is taken in either case, and the
    // box shows the word's own.
    const QChar next = before < m_state.JudgeTarget.size() ? m_state.JudgeTarget[before] : QChar();
    const bool otherCase = romaKey.size() == 1 && next.isLetter() && romaKey[0] != next
                           && romaKey[0].toCaseFolded() == next.toCaseFolded();
    m_state.JudgeKeyRoma = otherCase ? QString(next) : romaKey;
    m_state.JudgeKeyKana = kanaKey;
    if (roma)
        Judge::JudgeRomaKey(m_state);
    else
        Judge::JudgeKanaKey(m_state);

    if (m_state.JudgeMiss != u"0")
    {
        ++m_refused;
        if (++m_streak < RefusalsBeforeHint || m_showing)
            return Step::Refused;
        m_showing = true;
        ++m_hints;
        return Step::Hinted;
    }
    ++m_accepted;
    m_streak = 0;
    // The shown letter stays until the learner has typed past it.
    if (position() > before)
        m_showing = false;
    if (m_state.JudgeDone == u"1")
    {
        m_completed = true;
        return Step::Completed;
    }
    return Step::Accepted;
}

QString Dictation::typed() const
{
    return m_state.JudgeTarget.left(position());
}

QString Dictation::shownLetter() const
{
    return m_showing ? m_state.JudgeTarget.mid(position(), 1) : QString();
}

QString Dictation::marks() const
{
    QString marks = m_state.JudgeTarget.mid(position() + (m_showing ? 1 : 0));
    for (QChar &c : marks)
    {
        if (c.isLetterOrNumber())
            c = Mark;
    }
    return marks;
}
