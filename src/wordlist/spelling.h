#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// English spelling from Hunspell with an English dictionary (Debian's
// hunspell-en-us): whether a word is known, how it may be meant, and the
// dictionary forms it is an inflection of. Loaded when first asked.
class Spelling
{
public:
    // Debian's American English dictionary, without its extension.
    static QString defaultDictionary();

    Spelling();
    ~Spelling();
    Spelling(const Spelling &) = delete;
    Spelling &operator=(const Spelling &) = delete;

    // Opens `dictionary`.aff and `dictionary`.dic; false, with the reason,
    // when they are missing.
    bool load(const QString &dictionary, QString *errorText);
    bool isLoaded() const;

    // True when every word of `text` (parts split at blanks and hyphens when
    // the whole is unknown) is spelt as the dictionary spells it, and when
    // nothing is loaded.
    bool isKnown(const QString &text) const;
    // How an unknown word may be meant, best first.
    QStringList suggestions(const QString &word, int limit) const;
    // The dictionary forms of an inflected word ("running" → "run").
    QStringList stems(const QString &word) const;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};
