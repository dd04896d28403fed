#include <QTest>

#include <QSet>

#include "judge/keycodelookup.h"
#include "judge/keycodetable.h"
#include "judge/keymapping.h"

namespace
{
    struct Expected
    {
        int keyCode;
        QString character;
        QString kana;
    };

    CodeChage::KeyLookup lookUp(int keyCode, int shift)
    {
        CodeChage::KeyLookup k;
        k.KeyCodeIn = keyCode;
        k.ShiftIn = shift;
        k.KeyRomaChar = u"stale"_qs;
        k.KeyKanaChar = u"stale"_qs;
        CodeChage::LookupKeyCode(k);
        return k;
    }

    // The JIS layout written out key by key: key codes, then what the keys
    // type alone and with Shift ("\0" for nothing). The texts are taken by
    // their array size: a view of a literal would end at its first "\0".
    template <size_t CharacterSize, size_t KanaSize>
    QList<Expected> layout(const QList<int> &codes, const char16_t (&characterText)[CharacterSize],
                           const char16_t (&kanaText)[KanaSize])
    {
        const QStringView characters(characterText, qsizetype(CharacterSize) - 1);
        const QStringView kana(kanaText, qsizetype(KanaSize) - 1);
        Q_ASSERT(characters.size() == codes.size() && kana.size() == codes.size());
        QList<Expected> keys;
        for (qsizetype i = 0; i < codes.size(); ++i)
        {
            const QString c = characters[i] == u'\0' ? QString() : QString(characters[i]);
            const QString k = kana[i] == u'\0' ? QString() : QString(kana[i]);
            keys.append({codes[i], c, k});
        }
        return keys;
    }

    QList<int> range(int first, int last)
    {
        QList<int> codes;
        for (int code = first; code <= last; ++code)
            codes.append(code);
        return codes;
    }

    const QList<int> OemCodes {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 226};
    const QList<int> KeypadCodes {96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 109, 110, 111};
}

class TestKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CodeChangeTableSet::BuildKeyCodeTable(); }

    void everyEntryInOrder();
    void lookup_data();
    void lookup();
    void physicalKeys_data();
    void physicalKeys();
    void everyEntryHasAPhysicalKey();
    void qtKeysWithoutScanCode_data();
    void qtKeysWithoutScanCode();
};

void TestKeyCodes::everyEntryInOrder()
{
    const QList<Expected> alone = layout({32, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57}, u" 0123456789", u"\0ﾜﾇﾌｱｳｴｵﾔﾕﾖ");
    const QList<Expected> shifted = layout({32, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57}, u" \0!\"#$%&'()", u"\0ｦﾇﾌｧｩｪｫｬｭｮ");
    const QList<Expected> lettersAlone = layout(range(65, 90), u"abcdefghijklmnopqrstuvwxyz", u"ﾁｺｿｼｲﾊｷｸﾆﾏﾉﾘﾓﾐﾗｾﾀｽﾄｶﾅﾋﾃｻﾝﾂ");
    const QList<Expected> lettersShifted = layout(range(65, 90), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", u"ﾁｺｿｼｨﾊｷｸﾆﾏﾉﾘﾓﾐﾗｾﾀｽﾄｶﾅﾋﾃｻﾝｯ");
    const QList<Expected> keypad = layout(KeypadCodes, u"0123456789*+-./", u"\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0");
    const QList<Expected> oemAlone = layout(OemCodes, u":;,-./@[\\]^\\", u"ｹﾚﾈﾎﾙﾒﾞﾟｰﾑﾍﾛ");
    const QList<Expected> oemShifted = layout(OemCodes, u"*+<=>?`{|}~_", u"ｹﾚ､ﾎ｡ﾒﾞ｢ｰ｣ﾍﾛ");

    QList<std::pair<Expected, int>> entries;
    auto addPairs = [&entries](const QList<Expected> &a, const QList<Expected> &b) {
        for (qsizetype i = 0; i < a.size(); ++i)
            entries << std::pair {a[i], 0} << std::pair {b[i], 1};
    };
    addPairs(alone, shifted);
    addPairs(lettersAlone, lettersShifted);
    for (const Expected &key : keypad)
        entries << std::pair {key, 0};
    addPairs(oemAlone, oemShifted);

    QCOMPARE(entries.size(), CodeChangeTableSet::KeyCodeCount);
    for (int i = 0; i < CodeChangeTableSet::KeyCodeCount; ++i)
    {
        const auto &entry = CodeChangeTableSet::KeyCodeTable[i];
        const auto &[expected, shift] = entries[i];
        const QByteArray where = QByteArray::number(i);
        QVERIFY2(entry.KeyCode == expected.keyCode && entry.Shift == shift, where);
        QVERIFY2(entry.Character == expected.character && entry.Kana == expected.kana, where);

        const CodeChage::KeyLookup k = lookUp(entry.KeyCode, entry.Shift);
        QCOMPARE(k.KeyNotFound, u"0"_qs);
        QCOMPARE(k.KeyRomaChar, expected.character);
        QCOMPARE(k.KeyKanaChar, expected.kana);
    }
}

void TestKeyCodes::lookup_data()
{
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("notFound");
    QTest::addColumn<QString>("roma");
    QTest::addColumn<QString>("kana");

    QTest::newRow("A") << 65 << 0 << u"0"_qs << u"a"_qs << u"ﾁ"_qs;
    QTest::newRow("Shift+A") << 65 << 1 << u"0"_qs << u"A"_qs << u"ﾁ"_qs;
    QTest::newRow("Shift+0 types を only") << 48 << 1 << u"0"_qs << QString() << u"ｦ"_qs;
    QTest::newRow("Ctrl+A") << 65 << 2 << u"1"_qs << QString() << QString();
    QTest::newRow("Ctrl+Shift+A") << 65 << 3 << u"1"_qs << QString() << QString();
    QTest::newRow("Alt+A") << 65 << 4 << u"1"_qs << QString() << QString();
    QTest::newRow("Shift+keypad 0") << 96 << 1 << u"1"_qs << QString() << QString();
    QTest::newRow("Backspace") << 8 << 0 << u"1"_qs << QString() << QString();
    QTest::newRow("unknown key") << 0 << 0 << u"1"_qs << QString() << QString();
    QTest::newRow("space") << 32 << 0 << u"0"_qs << u" "_qs << QString();
}

void TestKeyCodes::lookup()
{
    QFETCH(int, keyCode);
    QFETCH(int, shift);
    QFETCH(QString, notFound);
    QFETCH(QString, roma);
    QFETCH(QString, kana);

    const CodeChage::KeyLookup k = lookUp(keyCode, shift);
    QCOMPARE(k.KeyNotFound, notFound);
    QCOMPARE(k.KeyRomaChar, roma);
    QCOMPARE(k.KeyKanaChar, kana);
}

void TestKeyCodes::physicalKeys_data()
{
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<int>("qtKey"); // what Qt reports with a US keymap, or 0 for keys it has no keysym for
    QTest::addColumn<int>("keyCode");

    const QString letters = u"qwertyuiopasdfghjklzxcvbnm"_qs;
    const QList<quint32> letterScans {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 38, 39, 40, 41, 42, 43, 44, 45, 46, 52, 53, 54, 55, 56, 57, 58};
    for (qsizetype i = 0; i < letters.size(); ++i)
    {
        const int code = letters[i].toUpper().unicode();
        QTest::addRow("%c", char(code)) << letterScans[i] << (Qt::Key_A + code - 'A') << code;
    }
    for (int digit = 0; digit <= 9; ++digit)
        QTest::addRow("digit %d", digit) << quint32(digit == 0 ? 19 : 9 + digit) << (Qt::Key_0 + digit) << 48 + digit;
    QTest::newRow("-") << 20u << int(Qt::Key_Minus) << 189;
    QTest::newRow("^") << 21u << int(Qt::Key_Equal) << 222;
    QTest::newRow("yen") << 132u << 0 << 220;
    QTest::newRow("@") << 34u << int(Qt::Key_BracketLeft) << 192;
    QTest::newRow("[") << 35u << int(Qt::Key_BracketRight) << 219;
    QTest::newRow(";") << 47u << int(Qt::Key_Semicolon) << 187;
    QTest::newRow(":") << 48u << int(Qt::Key_Apostrophe) << 186;
    QTest::newRow("]") << 51u << int(Qt::Key_Backslash) << 221;
    QTest::newRow(",") << 59u << int(Qt::Key_Comma) << 188;
    QTest::newRow(".") << 60u << int(Qt::Key_Period) << 190;
    QTest::newRow("/") << 61u << int(Qt::Key_Slash) << 191;
    QTest::newRow("ro") << 97u << 0 << 226;
    QTest::newRow("space") << 65u << int(Qt::Key_Space) << 32;
    QTest::newRow("Enter") << 36u << int(Qt::Key_Return) << 13;
    QTest::newRow("keypad Enter") << 104u << int(Qt::Key_Enter) << 13;
    QTest::newRow("Esc") << 9u << int(Qt::Key_Escape) << 27;
    QTest::newRow("Backspace") << 22u << int(Qt::Key_Backspace) << 8;
    const QList<quint32> keypadScans {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    for (int digit = 0; digit <= 9; ++digit)
        QTest::addRow("keypad %d", digit) << keypadScans[digit] << (Qt::Key_0 + digit) << 96 + digit;
    QTest::newRow("keypad *") << 63u << int(Qt::Key_Asterisk) << 106;
    QTest::newRow("keypad +") << 86u << int(Qt::Key_Plus) << 107;
    QTest::newRow("keypad -") << 82u << int(Qt::Key_Minus) << 109;
    QTest::newRow("keypad .") << 91u << int(Qt::Key_Period) << 110;
    QTest::newRow("keypad /") << 106u << int(Qt::Key_Slash) << 111;
    QTest::newRow("keypad 7 with Num Lock off") << 79u << int(Qt::Key_Home) << 0;
    QTest::newRow("F1") << 67u << int(Qt::Key_F1) << 0;
}

void TestKeyCodes::physicalKeys()
{
    QFETCH(quint32, scanCode);
    QFETCH(int, qtKey);
    QFETCH(int, keyCode);

    const std::pair<Qt::KeyboardModifiers, int> modifiers[] = {
        {Qt::NoModifier, 0}, {Qt::ShiftModifier, 1}, {Qt::ControlModifier, 2}, {Qt::AltModifier, 4},
        {Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 7}, {Qt::KeypadModifier, 0},
    };
    for (const auto &[modifier, mask] : modifiers)
    {
        const VirtualKey key = virtualKeyFromEvent(scanCode, qtKey, modifier);
        QCOMPARE(key.keyCode, keyCode);
        if (keyCode != 0)
            QCOMPARE(key.shift, mask);
    }
}

// Whatever the desktop's layout, every entry of the table can be typed.
void TestKeyCodes::everyEntryHasAPhysicalKey()
{
    QSet<int> reachable;
    for (quint32 scan = 1; scan < 256; ++scan)
        reachable.insert(virtualKeyFromEvent(scan, 0, Qt::NoModifier).keyCode);
    for (const auto &entry : CodeChangeTableSet::KeyCodeTable)
        QVERIFY2(reachable.contains(entry.KeyCode), QByteArray::number(entry.KeyCode));
}

void TestKeyCodes::qtKeysWithoutScanCode_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("shift");

    QTest::newRow("a") << int(Qt::Key_A) << 0 << 65 << 0;
    QTest::newRow("A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 65 << 1;
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << 90 << 2;
    QTest::newRow("Alt+Shift+M") << int(Qt::Key_M) << int(Qt::AltModifier | Qt::ShiftModifier) << 77 << 5;
    QTest::newRow("7") << int(Qt::Key_7) << 0 << 55 << 0;
    QTest::newRow("\" is Shift+2") << int(Qt::Key_QuoteDbl) << 0 << 50 << 1;
    QTest::newRow("! is Shift+1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 49 << 1;
    QTest::newRow("' is Shift+7") << int(Qt::Key_Apostrophe) << 0 << 55 << 1;
    QTest::newRow("@ alone even with Shift") << int(Qt::Key_At) << int(Qt::ShiftModifier) << 192 << 0;
    QTest::newRow("`") << int(Qt::Key_QuoteLeft) << 0 << 192 << 1;
    QTest::newRow("-") << int(Qt::Key_Minus) << 0 << 189 << 0;
    QTest::newRow("=") << int(Qt::Key_Equal) << int(Qt::ShiftModifier) << 189 << 1;
    QTest::newRow("^") << int(Qt::Key_AsciiCircum) << int(Qt::ShiftModifier) << 222 << 0;
    QTest::newRow("~") << int(Qt::Key_AsciiTilde) << 0 << 222 << 1;
    QTest::newRow(":") << int(Qt::Key_Colon) << int(Qt::ShiftModifier) << 186 << 0;
    QTest::newRow("*") << int(Qt::Key_Asterisk) << 0 << 186 << 1;
    QTest::newRow(";") << int(Qt::Key_Semicolon) << 0 << 187 << 0;
    QTest::newRow("+") << int(Qt::Key_Plus) << 0 << 187 << 1;
    QTest::newRow(",") << int(Qt::Key_Comma) << 0 << 188 << 0;
    QTest::newRow("<") << int(Qt::Key_Less) << 0 << 188 << 1;
    QTest::newRow(".") << int(Qt::Key_Period) << 0 << 190 << 0;
    QTest::newRow(">") << int(Qt::Key_Greater) << 0 << 190 << 1;
    QTest::newRow("/") << int(Qt::Key_Slash) << 0 << 191 << 0;
    QTest::newRow("?") << int(Qt::Key_Question) << 0 << 191 << 1;
    QTest::newRow("[") << int(Qt::Key_BracketLeft) << 0 << 219 << 0;
    QTest::newRow("{") << int(Qt::Key_BraceLeft) << 0 << 219 << 1;
    QTest::newRow("]") << int(Qt::Key_BracketRight) << 0 << 221 << 0;
    QTest::newRow("}") << int(Qt::Key_BraceRight) << 0 << 221 << 1;
    QTest::newRow("yen") << int(Qt::Key_yen) << 0 << 220 << 0;
    QTest::newRow("|") << int(Qt::Key_Bar) << 0 << 220 << 1;
    QTest::newRow("backslash") << int(Qt::Key_Backslash) << 0 << 226 << 0;
    QTest::newRow("_") << int(Qt::Key_Underscore) << 0 << 226 << 1;
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << 32 << 1;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << 13 << 0;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13 << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27 << 0;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 101 << 0;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << int(Qt::KeypadModifier) << 106 << 0;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 107 << 0;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << 109 << 0;
    QTest::newRow("keypad .") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << 110 << 0;
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << int(Qt::KeypadModifier) << 111 << 0;
    QTest::newRow("keypad Home") << int(Qt::Key_Home) << int(Qt::KeypadModifier) << 0 << 0;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 0 << 0;
}

void TestKeyCodes::qtKeysWithoutScanCode()
{
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, keyCode);
    QFETCH(int, shift);

    const VirtualKey key = virtualKeyFromEvent(0, qtKey, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(key.keyCode, keyCode);
    QCOMPARE(key.shift, shift);
}

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
