#pragma once

#include <QString>
#include <QStringList>

#include "judge/judge.h"

// Types keys at one target the way the main window does and records what the
// judge answered, so that tests compare whole runs.
namespace JudgeDriver
{
    inline Judge::JudgeState start(const QString &target, bool roma)
    {
        Judge::JudgeState s;
        s.JudgeTarget = target;
        s.JudgeGuide = roma ? Judge::MakeRomaGuide(target) : Judge::MakeKanaGuide(target);
        return s;
    }

    inline bool sameInOut(const Judge::JudgeState &a, const Judge::JudgeState &b)
    {
        return a.JudgePos == b.JudgePos && a.JudgeTyped == b.JudgeTyped && a.JudgePending == b.JudgePending
            && a.JudgeGuide == b.JudgeGuide && a.JudgeUnitRest == b.JudgeUnitRest;
    }

    struct Run
    {
        QString accepted; // "+" or "-" per key
        QStringList guides; // the guide after each key
        bool done = false;
        bool rejectedKeysChangedState = false;
    };

    // One key; a rejected key must leave every in/out field as it was.
    inline bool press(Judge::JudgeState &s, const QString &roma, const QString &kana, bool romaInput, Run &run)
    {
        const Judge::JudgeState before = s;
        s.JudgeKeyRoma = roma;
        s.JudgeKeyKana = kana;
        romaInput ? Judge::JudgeRomaKey(s) : Judge::JudgeKanaKey(s);
        const bool hit = s.JudgeMiss == QLatin1String("0");
        if (!hit && !sameInOut(before, s))
            run.rejectedKeysChangedState = true;
        run.accepted += hit ? u'+' : u'-';
        run.guides.append(s.JudgeGuide);
        run.done = run.done || s.JudgeDone == QLatin1String("1");
        return hit;
    }

    inline Run typeRoma(Judge::JudgeState &s, const QStringList &keys)
    {
        Run run;
        for (const QString &key : keys)
            press(s, key, QString(), true, run);
        return run;
    }

    inline Run typeRoma(const QString &target, const QStringList &keys)
    {
        Judge::JudgeState s = start(target, true);
        return typeRoma(s, keys);
    }

    // Every character a key.
    inline QStringList keysOf(const QString &text)
    {
        QStringList keys;
        for (QChar c : text)
            keys.append(QString(c));
        return keys;
    }

    // Whether typing `keys` from this state completes the target with every key accepted.
    inline bool completes(Judge::JudgeState s, const QString &keys)
    {
        Run run;
        for (QChar c : keys)
        {
            if (run.done || !press(s, QString(c), QString(), true, run))
                return false;
        }
        return run.done && !run.rejectedKeysChangedState;
    }
}
