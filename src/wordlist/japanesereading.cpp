#include "japanesereading.h"

#include <QDir>
#include <QFileInfo>

#include <mecab.h>

struct JapaneseReading::Tagger
{
    mecab_t *mecab = nullptr;
    ~Tagger()
    {
        if (mecab)
            mecab_destroy(mecab);
    }
};

namespace
{
    // The reading is the eighth field of IPA dictionary features:
    // 品詞,細分類1,細分類2,細分類3,活用型,活用形,原形,読み,発音.
    constexpr int ReadingField = 7;

    QString readingOf(const mecab_node_t *node)
    {
        const QString surface = QString::fromUtf8(node->surface, node->length);
        const QList<QByteArray> features = QByteArray(node->feature).split(',');
        if (features.size() <= ReadingField || features[ReadingField] == "*")
            return surface;
        return QString::fromUtf8(features[ReadingField]);
    }
}

QString JapaneseReading::defaultDictionary()
{
    return QStringLiteral("/var/lib/mecab/dic/ipadic-utf8");
}

JapaneseReading::JapaneseReading() = default;
JapaneseReading::~JapaneseReading() = default;

bool JapaneseReading::load(const QString &dictionaryFolder, QString *errorText)
{
    m_tagger.reset();
    auto fail = [errorText](const QString &reason) {
        if (errorText)
            *errorText = reason;
        return false;
    };
    if (!QFileInfo(dictionaryFolder + QStringLiteral("/sys.dic")).isFile())
        return fail(QStringLiteral("MeCab の辞書がありません（%1、Debian のパッケージ mecab-ipadic-utf8）")
                        .arg(dictionaryFolder));
    // No settings file of the system's: the dictionary is named here, and
    // /dev/null stands for an empty settings file.
    const QByteArray arguments = "-r /dev/null -d " + QFile::encodeName(dictionaryFolder);
    auto tagger = std::make_unique<Tagger>();
    tagger->mecab = mecab_new2(arguments.constData());
    if (!tagger->mecab)
        return fail(QStringLiteral("MeCab を開けません（%1）").arg(QString::fromLocal8Bit(mecab_strerror(nullptr))));
    const mecab_dictionary_info_t *info = mecab_dictionary_info(tagger->mecab);
    const QByteArray charset = info && info->charset ? QByteArray(info->charset).toLower() : QByteArray();
    if (charset != "utf-8" && charset != "utf8")
        return fail(QStringLiteral("MeCab の辞書が UTF-8 ではありません（%1、Debian のパッケージ mecab-ipadic-utf8）")
                        .arg(dictionaryFolder));
    m_tagger = std::move(tagger);
    return true;
}

bool JapaneseReading::isLoaded() const
{
    return m_tagger != nullptr;
}

QString JapaneseReading::reading(QStringView text) const
{
    if (!m_tagger || text.isEmpty())
        return {};
    // Half-width kana and full-width letters as their ordinary forms, which
    // the dictionary knows and the keys type.
    const QByteArray bytes = text.toString().normalized(QString::NormalizationForm_KC).toUtf8();
    QString reading;
    for (const mecab_node_t *node = mecab_sparse_tonode2(m_tagger->mecab, bytes.constData(), size_t(bytes.size()));
         node; node = node->next)
    {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        reading += readingOf(node);
    }
    return toHiragana(reading);
}

QString JapaneseReading::toHiragana(QStringView text)
{
    QString hiragana = text.toString();
    for (QChar &c : hiragana)
    {
        // ァ (U+30A1) to ヶ (U+30F6) lie 0x60 above ぁ to ゖ; ヷ and the rest have no hiragana.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(c.unicode() - 0x60);
    }
    return hiragana;
}
