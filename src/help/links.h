#pragma once

#include <QString>

#include <array>

// The pages the help windows open. The standard bank's headwords come from
// the SUBTLEX-US word frequencies, its meanings and readings from EDICT of
// the Electronic Dictionary Research and Development Group, so those are the
// "books" the guide presents.
namespace Links
{
    struct Book
    {
        QString title;
        QString publisher;
        QString page;
    };

    inline const std::array<Book, 3> Books{{
        {QStringLiteral("EDICT 和英辞書"), QStringLiteral("EDRDG"),
         QStringLiteral("https://www.edrdg.org/jmdict/edict.html")},
        {QStringLiteral("EDRDG 辞書ファイル利用許諾"), QStringLiteral("EDRDG"),
         QStringLiteral("https://www.edrdg.org/edrdg/licence.html")},
        {QStringLiteral("SUBTLEX-US 英単語頻度表"), QStringLiteral("Ghent University"),
         QStringLiteral("https://www.ugent.be/pp/experimentele-psychologie/en/research/documents/subtlexus")},
    }};
}
