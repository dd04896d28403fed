#include <benchmark/benchmark.h>

#include <QStringList>

#include <algorithm>
#include <array>
#include <random>

#include "judge/judge.h"
#include "judge/judgetable.h"

namespace
{
    // Readings of about 30 kana with ん, っ and two-kana units, and English
    // words typed directly: the two kinds of answer a test mixes.
    QStringList makeTargets()
    {
        JudgeTableSet::BuildJudgeTable();
        QStringList units;
        for (const auto &row : JudgeTableSet::JudgeTable)
            units.append(row.Unit);
        for (int i = 0; i < 20; ++i)
            units << QStringLiteral("ん") << QStringLiteral("っ");
        std::mt19937 random(42);
        std::uniform_int_distribution<qsizetype> pick(0, units.size() - 1);
        QStringList targets;
        for (int t = 0; t < 64; ++t)
        {
            QString target;
            while (target.size() < 30)
                target += units[pick(random)];
            targets.append(target);
        }
        targets << QStringLiteral("internationalization") << QStringLiteral("responsibility")
                << QStringLiteral("extraordinary") << QStringLiteral("characteristic");
        return targets;
    }

    Judge::JudgeState start(const QString &target)
    {
        Judge::JudgeState s;
        s.JudgeTarget = target;
        s.JudgeGuide = Judge::MakeRomaGuide(target);
        return s;
    }

    void typeGuides(benchmark::State &state)
    {
        const QStringList targets = makeTargets();
        QStringList guides;
        for (const QString &target : targets)
            guides.append(Judge::MakeRomaGuide(target));
        // The key lookup hands the judge shared strings from its table.
        std::array<QString, 128> keyStrings;
        for (int c = 0; c < 128; ++c)
            keyStrings[c] = QString(QChar(c));
        qint64 keys = 0;
        for (auto _ : state)
        {
            for (qsizetype t = 0; t < targets.size(); ++t)
            {
                Judge::JudgeState s = start(targets[t]);
                for (QChar key : guides[t])
                {
                    s.JudgeKeyRoma = keyStrings[key.unicode() & 0x7f];
                    Judge::JudgeRomaKey(s);
                    benchmark::DoNotOptimize(s.JudgeMiss);
                }
                keys += guides[t].size();
            }
        }
        state.SetItemsProcessed(keys);
    }

    QString refusedByAll(const std::array<Judge::JudgeState, 3> &targetSlots)
    {
        for (char16_t c = u'a'; c <= u'z'; ++c)
        {
            const bool refused = std::all_of(targetSlots.begin(), targetSlots.end(), [c](Judge::JudgeState s) {
                s.JudgeKeyRoma = QString(QChar(c));
                Judge::JudgeRomaKey(s);
                return s.JudgeMiss == u"1";
            });
            if (refused)
                return QString(QChar(c));
        }
        return QStringLiteral("A");
    }

    // What the main window does for one key: copy each of the three target
    // targetSlots in, judge, copy the state back. Argument 0: the key the
    // first target's guide shows; 1: a key that all three refuse, which is
    // tried against the table and then against the input methods' spellings.
    void oneKeyThreeTargets(benchmark::State &state)
    {
        const QStringList targets = makeTargets();
        std::array<Judge::JudgeState, 3> targetSlots;
        for (int i = 0; i < 3; ++i)
        {
            targetSlots[i] = start(targets[i]);
            // A quarter of the way in: most of the guide is still to rebuild.
            const QString guide = targetSlots[i].JudgeGuide;
            for (QChar key : guide.left(guide.size() / 4))
            {
                targetSlots[i].JudgeKeyRoma = QString(key);
                Judge::JudgeRomaKey(targetSlots[i]);
            }
        }
        QString key = targetSlots[0].JudgeGuide.left(1);
        if (state.range(0) == 1)
            key = refusedByAll(targetSlots);
        for (auto _ : state)
        {
            for (const Judge::JudgeState &slot : targetSlots)
            {
                Judge::JudgeState s = slot;
                s.JudgeKeyRoma = key;
                Judge::JudgeRomaKey(s);
                benchmark::DoNotOptimize(s.JudgeGuide);
            }
        }
    }
}

BENCHMARK(typeGuides)->Unit(benchmark::kMillisecond);
BENCHMARK(oneKeyThreeTargets)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
