#pragma once

#include <QString>
#include <QStringView>

// Judges the learner's keys one at a time against one answer text and keeps
// the guide of what is still to be typed. The caller keeps one state per
// target and passes it in for every key.
namespace Judge
{
    struct JudgeState
    {
        QString JudgeKeyRoma; // in: the key's character for romaji and direct typing
        QString JudgeKeyKana; // in: the key's half-width katakana (kana input only)
        QString JudgeTarget;  // in: the answer text
        int JudgePos = 1;     // 1-based position of the first unit not yet complete
        QString JudgeTyped;   // every accepted key, as typed
        QString JudgePending; // keys typed toward the unit at JudgePos
        QString JudgeGuide;   // what is still to be typed for the whole rest
        QString JudgeUnitRest; // rest of the unit in progress
        QString JudgeMiss;    // out: "0" accepted, "1" rejected
        QString JudgeDone;    // out: "1" when this key completed the target
    };

    void JudgeRomaKey(JudgeState &s);
    void JudgeKanaKey(JudgeState &s);
    QString MakeRomaGuide(const QString &source);
    QString MakeKanaGuide(const QString &source);

    // True when typing `answer` to its end passes through the whole of
    // `candidate`, so a target holding the candidate would complete first:
    // the candidate is a proper beginning of the answer as text (romaji and
    // letters are judged against the text itself) or as the keys of the kana
    // keyboard (か is typed on the way to が). Equal texts are no beginning.
    bool IsTypedBeginning(QStringView candidate, QStringView answer);
}
