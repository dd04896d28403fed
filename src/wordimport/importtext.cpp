#include "importtext.h"

#include <QFile>
#include <QStringDecoder>

namespace
{
    // The code page Windows writes Shift-JIS in (as core/cp932 does), here
    // with its errors seen rather than replaced.
    const char ShiftJisCodec[] = "windows-31j";

    bool decodes(QStringDecoder &decoder, QByteArrayView bytes, QString *text = nullptr)
    {
        decoder.resetState();
        QString decoded = decoder.decode(bytes);
        // ICU puts U+FFFD (or SUB) where the bytes mean nothing and may not
        // say so: either is a failure here.
        const bool ok = !decoder.hasError() && !decoded.contains(QChar::ReplacementCharacter)
                        && !decoded.contains(QChar(0x1A));
        if (text)
            *text = std::move(decoded);
        return ok;
    }

    bool hasHighByte(QByteArrayView line)
    {
        return std::any_of(line.begin(), line.end(), [](char c) { return uchar(c) >= 0x80; });
    }

    bool isControl(uchar c)
    {
        return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1A;
    }

    // A workbook is a zip (xlsx, ods) or an OLE file (xls).
    bool isWorkbook(const QByteArray &bytes)
    {
        return bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    }

    bool looksBinary(const QByteArray &bytes)
    {
        if (bytes.contains('\0'))
            return true;
        const qsizetype controls = std::count_if(bytes.begin(), bytes.end(), [](char c) { return isControl(uchar(c)); });
        return controls * 100 > bytes.size();
    }

    // UTF-16 without a byte-order mark: ASCII text has a NUL in every other byte.
    std::optional<QStringConverter::Encoding> utf16WithoutMark(const QByteArray &bytes)
    {
        const qsizetype sample = std::min<qsizetype>(bytes.size() & ~qsizetype(1), 2048);
        if (sample < 4)
            return std::nullopt;
        int evenNuls = 0;
        int oddNuls = 0;
        for (qsizetype i = 0; i < sample; i += 2)
        {
            evenNuls += bytes[i] == '\0';
            oddNuls += bytes[i + 1] == '\0';
        }
        const int pairs = int(sample / 2);
        if (oddNuls * 10 >= pairs * 4 && evenNuls == 0)
            return QStringConverter::Utf16LE;
        if (evenNuls * 10 >= pairs * 4 && oddNuls == 0)
            return QStringConverter::Utf16BE;
        return std::nullopt;
    }

    // Calls `visit(line number, bytes of the line)` for every line; a line
    // ends at LF, CR LF or CR.
    template <typename Visit>
    void forEachLine(QByteArrayView bytes, Visit visit)
    {
        int number = 1;
        qsizetype start = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i)
        {
            if (bytes[i] != '\n' && bytes[i] != '\r')
                continue;
            if (!visit(number++, bytes.sliced(start, i - start)))
                return;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < bytes.size())
            visit(number, bytes.sliced(start));
    }

    ImportText::Decoded refused(ImportText::Refusal refusal, int line = 0, int otherLine = 0)
    {
        ImportText::Decoded decoded;
        decoded.refusal = refusal;
        decoded.line = line;
        decoded.otherLine = otherLine;
        return decoded;
    }

    ImportText::Decoded checkedText(QString text, ImportText::Encoding encoding)
    {
        if (text.trimmed().isEmpty())
            return refused(ImportText::Refusal::Empty);
        ImportText::Decoded decoded;
        decoded.text = std::move(text);
        decoded.encoding = encoding;
        return decoded;
    }

    ImportText::Decoded decodeUtf16(QByteArrayView bytes, QStringConverter::Encoding encoding)
    {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        QString text;
        if (!decodes(decoder, bytes, &text))
            return refused(ImportText::Refusal::UnknownEncoding, 1);
        return checkedText(std::move(text), ImportText::Encoding::Utf16);
    }

    // The first line of each kind in a file that is not all UTF-8.
    struct LineKinds
    {
        int utf8 = 0;    // UTF-8 with Japanese in it
        int other = 0;   // not UTF-8
        int unknown = 0; // not Shift-JIS either
    };

    LineKinds lineKinds(QByteArrayView bytes)
    {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QStringDecoder shiftJis(ShiftJisCodec, QStringConverter::Flag::Stateless);
        LineKinds kinds;
        forEachLine(bytes, [&](int number, QByteArrayView line) {
            if (!hasHighByte(line))
                return true;
            // Japanese in UTF-8 takes three bytes a character, which Shift-JIS
            // text almost never forms by chance.
            if (decodes(utf8, line))
            {
                if (!kinds.utf8 && std::any_of(line.begin(), line.end(), [](char c) { return uchar(c) >= 0xE0; }))
                    kinds.utf8 = number;
            }
            else
            {
                kinds.other = kinds.other ? kinds.other : number;
                if (!kinds.unknown && !decodes(shiftJis, line))
                    kinds.unknown = number;
            }
            return !(kinds.utf8 && kinds.other && kinds.unknown);
        });
        return kinds;
    }

    ImportText::Decoded decodeNotUtf8(QByteArrayView bytes)
    {
        const LineKinds kinds = lineKinds(bytes);
        if (kinds.utf8 && kinds.other)
            return refused(ImportText::Refusal::MixedEncoding, kinds.other, kinds.utf8);
        if (kinds.unknown)
            return refused(ImportText::Refusal::UnknownEncoding, kinds.unknown);
        QStringDecoder shiftJis(ShiftJisCodec, QStringConverter::Flag::Stateless);
        QString text;
        if (!decodes(shiftJis, bytes, &text))
            return refused(ImportText::Refusal::UnknownEncoding, 1);
        return checkedText(std::move(text), ImportText::Encoding::ShiftJis);
    }
}

ImportText::Decoded ImportText::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        Decoded decoded = refused(Refusal::Unreadable);
        decoded.detail = file.errorString();
        return decoded;
    }
    if (file.size() > MaxFileBytes)
        return refused(Refusal::TooLarge);
    // The size may change while it is read: never more than the limit.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return refused(Refusal::TooLarge);
    return decode(bytes);
}

ImportText::Decoded ImportText::decode(const QByteArray &bytes)
{
    if (bytes.size() > MaxFileBytes)
        return refused(Refusal::TooLarge);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    if (isWorkbook(bytes))
        return refused(Refusal::Spreadsheet);
    if (const auto utf16 = utf16WithoutMark(bytes))
        return decodeUtf16(bytes, *utf16);
    if (looksBinary(bytes))
        return refused(Refusal::Binary);

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
    {
        // The mark says UTF-8: a line that is not is no Shift-JIS file.
        const QByteArrayView rest = QByteArrayView(bytes).sliced(3);
        if (decodes(utf8, rest, &text))
            return checkedText(std::move(text), Encoding::Utf8Bom);
        return refused(Refusal::MixedEncoding, std::max(lineKinds(rest).other, 1), 1);
    }
    if (decodes(utf8, bytes, &text))
        return checkedText(std::move(text), Encoding::Utf8);
    return decodeNotUtf8(bytes);
}

QString ImportText::encodingName(Encoding encoding)
{
    switch (encoding)
    {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf8Bom:
        return QStringLiteral("UTF-8 (BOM)");
    case Encoding::Utf16:
        return QStringLiteral("UTF-16");
    case Encoding::ShiftJis:
        return QStringLiteral("Shift-JIS");
    }
    return {};
}

QString ImportText::Decoded::message() const
{
    switch (refusal)
    {
    case Refusal::None:
        return {};
    case Refusal::Unreadable:
        return QStringLiteral("ファイルを開けません（%1）。").arg(detail);
    case Refusal::TooLarge:
        return QStringLiteral("ファイルが大きすぎます。読み込めるのは %1 MB までです。").arg(MaxFileBytes / (1024 * 1024));
    case Refusal::Empty:
        return QStringLiteral("ファイルが空です。");
    case Refusal::Spreadsheet:
        return QStringLiteral("表計算ソフトのブックのファイルです。表計算ソフトで「CSV」か「テキスト（タブ区切り）」の"
                              "形式で保存してから読み込んでください。");
    case Refusal::Binary:
        return QStringLiteral("文字のファイルではありません。");
    case Refusal::MixedEncoding:
        return QStringLiteral("文字コードが混ざっています（%1行目は UTF-8、%2行目はそうではありません）。"
                              "どちらかにそろえて保存し直してください。")
            .arg(otherLine)
            .arg(line);
    case Refusal::UnknownEncoding:
        return QStringLiteral("文字コードがわかりません（%1行目）。UTF-8 か Shift-JIS で保存してください。").arg(line);
    }
    return {};
}
