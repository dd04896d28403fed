#include "spelling.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell/hunspell.h>

struct Spelling::Handle
{
    Hunhandle *hunspell = nullptr;
    QStringEncoder encoder;
    QStringDecoder decoder;

    ~Handle()
    {
        if (hunspell)
            Hunspell_destroy(hunspell);
    }

    // A word in the dictionary's own encoding; empty when it cannot hold it.
    QByteArray encode(const QString &word)
    {
        QByteArray bytes = encoder.encode(word);
        return encoder.hasError() ? QByteArray() : bytes;
    }

    QStringList take(char **list, int count)
    {
        QStringList words;
        for (int i = 0; i < count; ++i)
            words.append(decoder.decode(QByteArrayView(list[i])));
        Hunspell_free_list(hunspell, &list, count);
        return words;
    }
};

QString Spelling::defaultDictionary()
{
    return QStringLiteral("/usr/share/hunspell/en_US");
}

Spelling::Spelling() = default;
Spelling::~Spelling() = default;

bool Spelling::load(const QString &dictionary, QString *errorText)
{
    m_handle.reset();
    const QString affix = dictionary + QStringLiteral(".aff");
    const QString words = dictionary + QStringLiteral(".dic");
    if (!QFileInfo(affix).isFile() || !QFileInfo(words).isFile())
    {
        if (errorText)
            *errorText = QStringLiteral("英語のスペル辞書がありません（%1、Debian のパッケージ hunspell-en-us）").arg(words);
        return false;
    }
    auto handle = std::make_unique<Handle>();
    handle->hunspell = Hunspell_create(QFile::encodeName(affix).constData(), QFile::encodeName(words).constData());
    const char *encoding = Hunspell_get_dic_encoding(handle->hunspell);
    // Hunspell reads its encoding from the affix file; ISO 8859-1 when it names none.
    const auto known = QStringConverter::encodingForName(encoding ? encoding : "ISO-8859-1");
    const auto use = known.value_or(QStringConverter::Latin1);
    handle->encoder = QStringEncoder(use, QStringConverter::Flag::Stateless);
    handle->decoder = QStringDecoder(use, QStringConverter::Flag::Stateless);
    m_handle = std::move(handle);
    return true;
}

bool Spelling::isLoaded() const
{
    return m_handle != nullptr;
}

bool Spelling::isKnown(const QString &text) const
{
    if (!m_handle || text.trimmed().isEmpty())
        return true;
    const QByteArray whole = m_handle->encode(text.trimmed());
    if (!whole.isEmpty() && Hunspell_spell(m_handle->hunspell, whole.constData()))
        return true;
    static const QRegularExpression separators(QStringLiteral("[\\s-]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return false;
    for (const QString &part : parts)
    {
        const QByteArray bytes = m_handle->encode(part);
        if (bytes.isEmpty() || !Hunspell_spell(m_handle->hunspell, bytes.constData()))
            return false;
    }
    return true;
}

QStringList Spelling::suggestions(const QString &word, int limit) const
{
    const QString text = word.trimmed();
    if (!m_handle || text.isEmpty())
        return {};
    // In a phrase, the first word the dictionary does not know is the one
    // suggested for: "ice craem" → "ice cream".
    static const QRegularExpression wordPattern(QStringLiteral("[^\\s-]+"));
    QRegularExpressionMatch unknown;
    for (const QRegularExpressionMatch &part : wordPattern.globalMatch(text))
    {
        if (part.capturedLength() < text.size() && !isKnown(part.captured()))
        {
            unknown = part;
            break;
        }
    }
    const QString asked = unknown.hasMatch() ? unknown.captured() : text;
    const QByteArray bytes = m_handle->encode(asked);
    if (bytes.isEmpty())
        return {};
    char **list = nullptr;
    const int count = Hunspell_suggest(m_handle->hunspell, &list, bytes.constData());
    QStringList suggestions = m_handle->take(list, count).mid(0, limit);
    if (unknown.hasMatch())
    {
        for (QString &suggestion : suggestions)
            suggestion = QString(text).replace(unknown.capturedStart(), unknown.capturedLength(), suggestion);
    }
    return suggestions;
}

QStringList Spelling::stems(const QString &word) const
{
    const QByteArray bytes = m_handle ? m_handle->encode(word.trimmed()) : QByteArray();
    if (bytes.isEmpty())
        return {};
    char **list = nullptr;
    const int count = Hunspell_stem(m_handle->hunspell, &list, bytes.constData());
    QStringList stems = m_handle->take(list, count);
    stems.removeAll(word.trimmed());
    stems.removeDuplicates();
    return stems;
}
