#include "transferproblem.h"

#include <array>

namespace
{
    struct Wording
    {
        TransferProblem::Kind kind;
        const char16_t *japanese;
        const char *english;
    };

    using Kind = TransferProblem::Kind;
    constexpr std::array Wordings {
        Wording {Kind::NotZip, u"ZIPファイルではないか、途中で切れています。", "not a zip file, or one cut short"},
        Wording {Kind::Foreign, u"Vocamiraの学習データのファイルではありません。",
                 "a zip file, but not Vocamira's learner data (no manifest of its own)"},
        Wording {Kind::NewerFormat, u"新しい版のVocamiraで書き出されたファイルのため、この版では読み込めません。",
                 "written by a newer version of Vocamira, which this version does not read"},
        Wording {Kind::Damaged, u"ファイルが壊れています。", "damaged"},
        Wording {Kind::UnsafePath, u"学習データのフォルダの外を指すか、学習データではない項目があります。",
                 "an entry leaves the learner's folder, is a link or a folder, or is no file of the learner's"},
        Wording {Kind::Duplicate, u"同じ名前の項目が二つあります。", "two entries of one name"},
        Wording {Kind::SizeMismatch, u"項目の大きさが一覧と合いません。", "an entry's size differs from the manifest's"},
        Wording {Kind::TooLarge, u"学習データとしては大きすぎるか、圧縮率が高すぎます。",
                 "too large for learner data, or compressed far more than data compresses"},
        Wording {Kind::Checksum, u"項目の内容が一覧のチェックサムと合いません（ファイルが壊れているか、書き換えられています）。",
                 "an entry's SHA-256 differs from the manifest's (damaged or altered)"},
        Wording {Kind::MissingEntry, u"一覧にある項目がありません。", "an entry of the manifest is missing"},
        Wording {Kind::ExtraEntry, u"一覧にない項目があります。", "an entry is not in the manifest"},
        Wording {Kind::Encrypted, u"暗号化された項目があります。", "an entry is encrypted"},
        Wording {Kind::CannotRead, u"ファイルを読み込めません。", "cannot be read"},
        Wording {Kind::CannotWrite, u"ファイルを書き込めません。", "cannot be written"},
        Wording {Kind::NotLearnerFolder, u"Vocamiraの学習データのフォルダではありません（ini、seiseki などのフォルダがありません）。",
                 "not a Vocamira learner's folder (no ini/ or seiseki/ folders in it)"},
        Wording {Kind::EarlierImport, u"前回の読み込みが途中で止まったままで、元に戻せません。フォルダの書き込み権限を確認してください。",
                 "an earlier import was cut short and cannot be finished or undone; check that the folder is writable"},
    };

    const Wording *wordingOf(Kind kind)
    {
        for (const Wording &wording : Wordings)
        {
            if (wording.kind == kind)
                return &wording;
        }
        return nullptr;
    }

    QString withParts(QString text, const QString &entry, const QString &detail, const QString &entryFormat)
    {
        if (!entry.isEmpty())
            text += entryFormat.arg(entry);
        if (!detail.isEmpty())
            text += QStringLiteral(" (%1)").arg(detail);
        return text;
    }
}

QString TransferProblem::text() const
{
    const Wording *wording = wordingOf(kind);
    if (!wording)
        return {};
    return withParts(QString::fromUtf16(wording->japanese), entry, detail, QStringLiteral("\n項目: %1"));
}

QString TransferProblem::englishText() const
{
    const Wording *wording = wordingOf(kind);
    if (!wording)
        return {};
    return withParts(QString::fromLatin1(wording->english), entry, detail, QStringLiteral(": %1"));
}
