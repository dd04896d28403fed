#pragma once

#include <QString>
#include <QStringView>

// The guides, shared by MakeRomaGuide/MakeKanaGuide and the judges, which
// rebuild the guide of the rest of the target after every key.
namespace Judge::GuideBuilder
{
    void appendRoma(QStringView source, QString &guide);
    // The romaji guide of target from 0-based position `from` on, the same as
    // appendRoma of that rest; recent targets are parsed only once.
    void appendRomaRest(const QString &target, qsizetype from, QString &guide);
    void appendKana(QStringView source, QString &guide);

    // Whether the guide shows the ん at the start of `source` as a single n.
    bool showsSingleN(QStringView source);

    // The characters after which a single n is not enough for ん, and after
    // which っ cannot be typed by doubling.
    bool blocksSingleN(QChar next);
    bool blocksDoubling(QChar next);
}
