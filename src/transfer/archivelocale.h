#pragma once

#include <clocale>

#include <locale.h>

// libarchive turns entry names into and out of the thread's locale: under
// "C" (a script, cron) or a locale of another charset it loses every
// Japanese name. While one lives, this thread uses C.UTF-8, so names go in
// and come out as UTF-8 whatever the learner's locale.
class ArchiveLocale
{
public:
    ArchiveLocale()
        : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0)))
        , m_previous(m_utf8 ? uselocale(m_utf8) : locale_t(0))
    {
    }

    ~ArchiveLocale()
    {
        if (!m_utf8)
            return;
        uselocale(m_previous);
        freelocale(m_utf8);
    }

    ArchiveLocale(const ArchiveLocale &) = delete;
    ArchiveLocale &operator=(const ArchiveLocale &) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous;
};
