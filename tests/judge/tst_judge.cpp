#include <QTest>

#include "judge/judge.h"
#include "judge/judgetable.h"
#include "imespellings.h"
#include "judgedriver.h"

using JudgeDriver::keysOf;

class TestJudge : public QObject
{
    Q_OBJECT

private slots:
    void init() { JudgeTableSet::BuildJudgeTable(); }

    void romaKeys_data();
    void romaKeys();
    void inputMethodSpellings_data();
    void inputMethodSpellings();
    void romaFieldsAfterKeys_data();
    void romaFieldsAfterKeys();
    void emptyOrMarkerKeysTypeNothing_data();
    void emptyOrMarkerKeysTypeNothing();
    void positionOutsideTargetMovesNothing_data();
    void positionOutsideTargetMovesNothing();
    void kanaKeys_data();
    void kanaKeys();
    void romaGuide_data();
    void romaGuide();
    void kanaGuide_data();
    void kanaGuide();
    void typedBeginnings_data();
    void typedBeginnings();
};

void TestJudge::romaKeys_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QStringList>("guides"); // after each key; empty: not checked
    QTest::addColumn<bool>("done");

    QTest::newRow("かんじ single n") << u"かんじ"_qs << u"kanji"_qs << u"+++++"_qs
                                     << QStringList {u"anji"_qs, u"nji"_qs, u"nji"_qs, u"i"_qs, QString()} << true;
    QTest::newRow("かんじ nn") << u"かんじ"_qs << u"kannji"_qs << u"++++++"_qs
                               << QStringList {u"anji"_qs, u"nji"_qs, u"nji"_qs, u"ji"_qs, u"i"_qs, QString()} << true;
    QTest::newRow("かんじ xn") << u"かんじ"_qs << u"kaxnji"_qs << u"++++++"_qs
                               << QStringList {u"anji"_qs, u"nji"_qs, u"nji"_qs, u"ji"_qs, u"i"_qs, QString()} << true;
    QTest::newRow("こんにちは single n refused") << u"こんにちは"_qs << u"koni"_qs << u"+++-"_qs
                                                  << QStringList {u"onnnitiha"_qs, u"nnnitiha"_qs, u"nnitiha"_qs, u"nnitiha"_qs} << false;
    QTest::newRow("こんにちは nn ti") << u"こんにちは"_qs << u"konnnitiha"_qs << u"++++++++++"_qs << QStringList() << true;
    QTest::newRow("こんにちは nn chi") << u"こんにちは"_qs << u"konnnichiha"_qs << u"+++++++++++"_qs << QStringList() << true;
    QTest::newRow("こんにちは xn chi") << u"こんにちは"_qs << u"koxnnichiha"_qs << u"+++++++++++"_qs << QStringList() << true;
    QTest::newRow("ほん single n at end") << u"ほん"_qs << u"hon"_qs << u"+++"_qs
                                          << QStringList {u"onn"_qs, u"nn"_qs, u"n"_qs} << false;
    QTest::newRow("ほん nn") << u"ほん"_qs << u"honn"_qs << u"++++"_qs << QStringList() << true;
    QTest::newRow("きって doubled") << u"きって"_qs << u"kitte"_qs << u"+++++"_qs
                                    << QStringList {u"itte"_qs, u"tte"_qs, u"te"_qs, u"e"_qs, QString()} << true;
    QTest::newRow("きって xtu") << u"きって"_qs << u"kixtute"_qs << u"+++++++"_qs << QStringList() << true;
    QTest::newRow("きって ltu") << u"きって"_qs << u"kiltute"_qs << u"+++++++"_qs << QStringList() << true;
    QTest::newRow("きって skipped っ") << u"きって"_qs << u"kite"_qs << u"+++-"_qs << QStringList() << false;
    QTest::newRow("きって wrong consonant") << u"きって"_qs << u"kis"_qs << u"++-"_qs << QStringList() << false;
    QTest::newRow("きゃ whole") << u"きゃ"_qs << u"kya"_qs << u"+++"_qs << QStringList {u"ya"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("きゃ as き ゃ x") << u"きゃ"_qs << u"kixya"_qs << u"+++++"_qs
                                     << QStringList {u"ya"_qs, u"xya"_qs, u"ya"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("きゃ as き ゃ l") << u"きゃ"_qs << u"kilya"_qs << u"+++++"_qs << QStringList() << true;
    QTest::newRow("きゃ kyi") << u"きゃ"_qs << u"kyi"_qs << u"++-"_qs << QStringList() << false;
    QTest::newRow("しゃ sya") << u"しゃ"_qs << u"sya"_qs << u"+++"_qs << QStringList {u"ya"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("しゃ sha") << u"しゃ"_qs << u"sha"_qs << u"+++"_qs << QStringList {u"ya"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("し switches spelling") << u"し"_qs << u"shi"_qs << u"+++"_qs << QStringList {u"i"_qs, u"i"_qs, QString()} << true;
    QTest::newRow("し ci") << u"し"_qs << u"ci"_qs << u"++"_qs << QStringList() << true;
    QTest::newRow("っちゃ ttya") << u"っちゃ"_qs << u"ttya"_qs << u"++++"_qs << QStringList {u"tya"_qs, u"ya"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("っちゃ ccha") << u"っちゃ"_qs << u"ccha"_qs << u"++++"_qs << QStringList() << true;
    QTest::newRow("っちゃ tcha") << u"っちゃ"_qs << u"tcha"_qs << u"++++"_qs << QStringList() << true;
    QTest::newRow("っや doubled y") << u"っや"_qs << u"yya"_qs << u"+++"_qs << QStringList() << true;
    QTest::newRow("っな never doubled") << u"っな"_qs << u"nna"_qs << u"---"_qs << QStringList() << false;
    QTest::newRow("っ at end") << u"あっ"_qs << u"axtu"_qs << u"++++"_qs << QStringList() << true;
    QTest::newRow("っ x is xtu not doubling") << u"っか"_qs << u"xka"_qs << u"+--"_qs << QStringList() << false;
    QTest::newRow("んや needs nn") << u"んや"_qs << u"nya"_qs << u"+--"_qs << QStringList() << false;
    QTest::newRow("んや nn") << u"んや"_qs << u"nnya"_qs << u"++++"_qs << QStringList() << true;
    QTest::newRow("test direct") << u"test"_qs << u"test"_qs << u"++++"_qs
                                 << QStringList {u"est"_qs, u"st"_qs, u"t"_qs, QString()} << true;
    QTest::newRow("test shifted T") << u"test"_qs << u"T"_qs << u"-"_qs << QStringList {u"test"_qs} << false;
    QTest::newRow("upper case never spells kana") << u"あ"_qs << u"A"_qs << u"-"_qs << QStringList() << false;
    QTest::newRow("Latin capital typed directly") << u"Aか"_qs << u"Aka"_qs << u"+++"_qs << QStringList() << true;
    QTest::newRow("marks") << u"ー、。「」・"_qs << u"-,.[]/"_qs << u"++++++"_qs << QStringList() << true;
    QTest::newRow("kanji never typed") << u"漢"_qs << u"k"_qs << u"-"_qs << QStringList {u"漢"_qs} << false;
    QTest::newRow("ヴ") << u"ヴ"_qs << u"vu"_qs << u"++"_qs << QStringList() << true;
    QTest::newRow("ゎ ヵ ヶ") << u"ゎヵヶ"_qs << u"xwalkaxke"_qs << u"+++++++++"_qs << QStringList() << true;
    QTest::newRow("すぃ shares syi") << u"すぃしぃ"_qs << u"syisyi"_qs << u"++++++"_qs << QStringList() << true;
    // ん and っ next to each other or to characters without a row: the guide
    // shows only what the judge takes, and the judge takes the guide.
    QTest::newRow("んんか") << u"んんか"_qs << u"nnnka"_qs << u"+++++"_qs << QStringList() << true;
    QTest::newRow("んっか nn") << u"んっか"_qs << u"nnkka"_qs << u"+++++"_qs << QStringList() << true;
    QTest::newRow("んっか n xtu") << u"んっか"_qs << u"nxtuka"_qs << u"++++++"_qs << QStringList() << true;
    QTest::newRow("んっか single n before doubling") << u"んっか"_qs << u"nk"_qs << u"+-"_qs << QStringList() << false;
    QTest::newRow("っんか doubled n") << u"っんか"_qs << u"nnka"_qs << u"++++"_qs
                                      << QStringList {u"nka"_qs, u"nka"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("っっか") << u"っっか"_qs << u"xtukka"_qs << u"++++++"_qs << QStringList() << true;
    QTest::newRow("っっか doubled twice") << u"っっか"_qs << u"kk"_qs << u"--"_qs << QStringList() << false;
    QTest::newRow("ほんA") << u"ほんA"_qs << u"honnA"_qs << u"+++++"_qs
                           << QStringList {u"onnA"_qs, u"nnA"_qs, u"nA"_qs, u"A"_qs, QString()} << true;
    QTest::newRow("ほんA single n") << u"ほんA"_qs << u"honA"_qs << u"+++-"_qs << QStringList() << false;
    // Input methods' spellings leave every other refusal as it was, and the
    // guide of a key the table takes as it was.
    QTest::newRow("ふぁ h as the table takes it") << u"ふぁ"_qs << u"hwa"_qs << u"+++"_qs
                                                 << QStringList {u"uxa"_qs, u"a"_qs, QString()} << true;
    QTest::newRow("っう uu") << u"っう"_qs << u"uu"_qs << u"--"_qs << QStringList() << false;
    QTest::newRow("っうぁ wwa") << u"っうぁ"_qs << u"wwa"_qs << u"++-"_qs << QStringList() << false;
    QTest::newRow("っいぇ yye") << u"っいぇ"_qs << u"yye"_qs << u"---"_qs << QStringList() << false;
    QTest::newRow("ふぅ hwu") << u"ふぅ"_qs << u"hwu"_qs << u"+-+"_qs << QStringList() << false;
    QTest::newRow("てぇ t'e") << u"てぇ"_qs << u"t'e"_qs << u"+-+"_qs << QStringList() << false;
    QTest::newRow("っさ xtsa") << u"っさ"_qs << u"xtsa"_qs << u"+++-"_qs << QStringList() << false;
    QTest::newRow("きんえ single n before a vowel") << u"きんえ"_qs << u"kine"_qs << u"+++-"_qs << QStringList() << false;
    QTest::newRow("single n before doubled w") << u"かんっう"_qs << u"kanww"_qs << u"+++--"_qs << QStringList() << false;
    QTest::newRow("ん apostrophe alone") << u"ん"_qs << u"'"_qs << u"-"_qs << QStringList() << false;
    QTest::newRow("ゐ wi") << u"ゐ"_qs << u"wi"_qs << u"+-"_qs << QStringList() << false;
    QTest::newRow("ゔ bu") << u"ゔ"_qs << u"bu"_qs << u"--"_qs << QStringList() << false;
    QTest::newRow("ヴぁいおりん as a learner's bank reads it") << u"ゔぁいおりん"_qs << u"vaiorinn"_qs << u"++++++++"_qs
                                                         << QStringList() << true;
    QTest::newRow("n' before a consonant") << u"かんじ"_qs << u"kan'ji"_qs << u"++++++"_qs
                                           << QStringList {u"anji"_qs, u"nji"_qs, u"nji"_qs, u"ji"_qs, u"i"_qs, QString()}
                                           << true;
}

// Every spelling of an input method, typed alone, inside a word, and with its
// first key completing a ん still held at a single n, completes its kana.
void TestJudge::inputMethodSpellings_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("keys");

    for (const auto &[keys, kana] : ImeSpellings::All)
    {
        const QString spelling = QString::fromUtf16(keys);
        const QString unit = QString::fromUtf16(kana);
        QTest::addRow("%s alone", qPrintable(spelling)) << unit << spelling;
        QTest::addRow("%s in a word", qPrintable(spelling)) << u"き"_qs + unit + u"え"_qs << u"ki"_qs + spelling + u"e"_qs;
        // A single n is followed neither by n (the ん of n' is itself held at
        // its n) nor by the doubled letter of っ.
        if (spelling.startsWith(u'n'))
            QTest::addRow("%s after a partial unit", qPrintable(spelling)) << u"かんえ"_qs << u"kan'e"_qs;
        else if (unit.size() == 1 || !unit.startsWith(u'っ'))
            QTest::addRow("%s after a partial unit", qPrintable(spelling))
                << u"かん"_qs + unit + u"え"_qs << u"kan"_qs + spelling + u"e"_qs;
    }
}

void TestJudge::inputMethodSpellings()
{
    QFETCH(QString, target);
    QFETCH(QString, keys);

    const JudgeDriver::Run run = JudgeDriver::typeRoma(target, keysOf(keys));
    QCOMPARE(run.accepted, QString(keys.size(), u'+'));
    QVERIFY(run.done);
    QVERIFY(!run.rejectedKeysChangedState);
}

void TestJudge::romaKeys()
{
    QFETCH(QString, target);
    QFETCH(QString, keys);
    QFETCH(QString, accepted);
    QFETCH(QStringList, guides);
    QFETCH(bool, done);

    const JudgeDriver::Run run = JudgeDriver::typeRoma(target, keysOf(keys));
    QCOMPARE(run.accepted, accepted);
    if (!guides.isEmpty())
        QCOMPARE(run.guides, guides);
    QCOMPARE(run.done, done);
    QVERIFY(!run.rejectedKeysChangedState);
}

void TestJudge::romaFieldsAfterKeys_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pending");
    QTest::addColumn<QString>("unitRest");

    QTest::newRow("first n of かんじ") << u"かんじ"_qs << u"kan"_qs << 2 << u"kan"_qs << u"n"_qs << QString();
    QTest::newRow("single n completed by j") << u"かんじ"_qs << u"kanj"_qs << 3 << u"kanj"_qs << u"j"_qs << u"i"_qs;
    QTest::newRow("first n of ほん") << u"ほん"_qs << u"hon"_qs << 2 << u"hon"_qs << u"n"_qs << u"n"_qs;
    QTest::newRow("ん before ん shows nn") << u"んんか"_qs << u"n"_qs << 1 << u"n"_qs << u"n"_qs << u"n"_qs;
    QTest::newRow("doubled consonant") << u"きって"_qs << u"kit"_qs << 3 << u"kit"_qs << QString() << QString();
    QTest::newRow("rejected s stays on っ") << u"きって"_qs << u"kis"_qs << 2 << u"ki"_qs << QString() << QString();
    QTest::newRow("two-kana unit in progress") << u"きゃ"_qs << u"ky"_qs << 1 << u"ky"_qs << u"ky"_qs << u"a"_qs;
    QTest::newRow("き of きゃ complete") << u"きゃ"_qs << u"ki"_qs << 2 << u"ki"_qs << QString() << QString();
    QTest::newRow("complete") << u"ほん"_qs << u"honn"_qs << 3 << u"honn"_qs << QString() << QString();
}

void TestJudge::romaFieldsAfterKeys()
{
    QFETCH(QString, target);
    QFETCH(QString, keys);
    QFETCH(int, pos);
    QFETCH(QString, typed);
    QFETCH(QString, pending);
    QFETCH(QString, unitRest);

    Judge::JudgeState s = JudgeDriver::start(target, true);
    JudgeDriver::typeRoma(s, keysOf(keys));
    QCOMPARE(s.JudgePos, pos);
    QCOMPARE(s.JudgeTyped, typed);
    QCOMPARE(s.JudgePending, pending);
    QCOMPARE(s.JudgeUnitRest, unitRest);
}

void TestJudge::emptyOrMarkerKeysTypeNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("before"); // keys typed first
    QTest::addColumn<QString>("roma");
    QTest::addColumn<bool>("romaInput");

    QTest::newRow("Shift+0 in romaji") << u"か"_qs << QString() << QString() << true;
    QTest::newRow("Shift+0 mid-unit") << u"か"_qs << u"k"_qs << QString() << true;
    QTest::newRow("space bar in kana") << u"か"_qs << QString() << u" "_qs << false;
    QTest::newRow("keypad in kana mid-unit") << u"が"_qs << u"ｶ"_qs << u"1"_qs << false;
    QTest::newRow("Shift+yen on ん") << u"ん"_qs << QString() << u"|"_qs << true;
    QTest::newRow("Shift+^ on っ") << u"っか"_qs << QString() << u"~"_qs << true;
}

void TestJudge::emptyOrMarkerKeysTypeNothing()
{
    QFETCH(QString, target);
    QFETCH(QString, before);
    QFETCH(QString, roma);
    QFETCH(bool, romaInput);

    Judge::JudgeState s = JudgeDriver::start(target, romaInput);
    JudgeDriver::Run run;
    for (QChar c : before)
        QVERIFY(JudgeDriver::press(s, romaInput ? QString(c) : QString(), romaInput ? QString() : QString(c), romaInput, run));
    QVERIFY(!JudgeDriver::press(s, roma, QString(), romaInput, run));
    QVERIFY(!run.rejectedKeysChangedState);
    QCOMPARE(s.JudgeMiss, u"1"_qs);
    QCOMPARE(s.JudgeDone, QString());
}

void TestJudge::positionOutsideTargetMovesNothing_data()
{
    QTest::addColumn<int>("pos");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -3;
    QTest::newRow("complete") << 3;
    QTest::newRow("far past the end") << 40;
}

void TestJudge::positionOutsideTargetMovesNothing()
{
    QFETCH(int, pos);
    for (bool roma : {true, false})
    {
        Judge::JudgeState s = JudgeDriver::start(u"ab"_qs, roma);
        s.JudgePos = pos;
        JudgeDriver::Run run;
        QVERIFY(!JudgeDriver::press(s, u"a"_qs, u"ﾁ"_qs, roma, run));
        QVERIFY(!run.rejectedKeysChangedState);
    }
}

void TestJudge::kanaKeys_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("roma");
    QTest::addColumn<QStringList>("kana");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QStringList>("guides");
    QTest::addColumn<bool>("done");

    QTest::newRow("が") << u"が"_qs << QStringList {u"t"_qs, u"@"_qs} << QStringList {u"ｶ"_qs, u"ﾞ"_qs} << u"++"_qs
                        << QStringList {u"ﾞ"_qs, QString()} << true;
    QTest::newRow("が ｶ ｶ") << u"が"_qs << QStringList {u"t"_qs, u"t"_qs} << QStringList {u"ｶ"_qs, u"ｶ"_qs} << u"+-"_qs
                            << QStringList {u"ﾞ"_qs, u"ﾞ"_qs} << false;
    QTest::newRow("きゃ as two kana") << u"きゃ"_qs << QStringList {u"g"_qs, u"'"_qs} << QStringList {u"ｷ"_qs, u"ｬ"_qs}
                                     << u"++"_qs << QStringList {u"ｬ"_qs, QString()} << true;
    QTest::newRow("ぱー") << u"ぱー"_qs << QStringList {u"f"_qs, u"["_qs, u"\\"_qs} << QStringList {u"ﾊ"_qs, u"ﾟ"_qs, u"ｰ"_qs}
                          << u"+++"_qs << QStringList {u"ﾟｰ"_qs, u"ｰ"_qs, QString()} << true;
    QTest::newRow("space typed directly") << u"a b"_qs << QStringList {u"a"_qs, u" "_qs, u"b"_qs}
                                          << QStringList {u"ﾁ"_qs, QString(), u"ｺ"_qs} << u"+++"_qs << QStringList() << true;
    QTest::newRow("keypad digit typed directly") << u"1"_qs << QStringList {u"1"_qs} << QStringList {QString()} << u"+"_qs
                                                 << QStringList {QString()} << true;
    QTest::newRow("を with Shift+0") << u"を"_qs << QStringList {QString()} << QStringList {u"ｦ"_qs} << u"+"_qs
                                     << QStringList {QString()} << true;
    QTest::newRow("ゎ cannot be typed") << u"ゎ"_qs << QStringList {u"0"_qs} << QStringList {u"ﾜ"_qs} << u"-"_qs
                                        << QStringList {QString()} << false;
    QTest::newRow("wrong kana") << u"か"_qs << QStringList {u"g"_qs} << QStringList {u"ｷ"_qs} << u"-"_qs
                                << QStringList {u"ｶ"_qs} << false;
    QTest::newRow("ゔ as う and ゛") << u"ゔ"_qs << QStringList {u"4"_qs, u"@"_qs} << QStringList {u"ｳ"_qs, u"ﾞ"_qs}
                                    << u"++"_qs << QStringList {u"ﾞ"_qs, QString()} << true;
    QTest::newRow("ゔぁ") << u"ゔぁ"_qs << QStringList {u"4"_qs, u"@"_qs, u"#"_qs} << QStringList {u"ｳ"_qs, u"ﾞ"_qs, u"ｧ"_qs}
                          << u"+++"_qs << QStringList {u"ﾞｧ"_qs, u"ｧ"_qs, QString()} << true;
    QTest::newRow("ゔ needs its ゛") << u"ゔい"_qs << QStringList {u"4"_qs, u"e"_qs} << QStringList {u"ｳ"_qs, u"ｲ"_qs}
                                   << u"+-"_qs << QStringList {u"ﾞｲ"_qs, u"ﾞｲ"_qs} << false;
    QTest::newRow("ゐ has no key") << u"ゐ"_qs << QStringList {u"e"_qs} << QStringList {u"ｲ"_qs} << u"-"_qs
                                  << QStringList {u"ゐ"_qs} << false;
}

void TestJudge::kanaKeys()
{
    QFETCH(QString, target);
    QFETCH(QStringList, roma);
    QFETCH(QStringList, kana);
    QFETCH(QString, accepted);
    QFETCH(QStringList, guides);
    QFETCH(bool, done);

    Judge::JudgeState s = JudgeDriver::start(target, false);
    JudgeDriver::Run run;
    for (qsizetype i = 0; i < roma.size(); ++i)
        JudgeDriver::press(s, roma[i], kana[i], false, run);
    QCOMPARE(run.accepted, accepted);
    if (!guides.isEmpty())
        QCOMPARE(run.guides, guides);
    QCOMPARE(run.done, done);
    QVERIFY(!run.rejectedKeysChangedState);
}

void TestJudge::romaGuide_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("guide");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ー") << u"ー"_qs << u"-"_qs;
    QTest::newRow("っ alone") << u"っ"_qs << u"xtu"_qs;
    QTest::newRow("かんじ") << u"かんじ"_qs << u"kanji"_qs;
    QTest::newRow("こんにちは") << u"こんにちは"_qs << u"konnnitiha"_qs;
    QTest::newRow("きって") << u"きって"_qs << u"kitte"_qs;
    QTest::newRow("ほん") << u"ほん"_qs << u"honn"_qs;
    QTest::newRow("ちゃ") << u"ちゃ"_qs << u"tya"_qs;
    QTest::newRow("まっちゃ") << u"まっちゃ"_qs << u"mattya"_qs;
    QTest::newRow("あっ") << u"あっ"_qs << u"axtu"_qs;
    QTest::newRow("っきゃ") << u"っきゃ"_qs << u"kkya"_qs;
    QTest::newRow("ん before や") << u"ほんや"_qs << u"honnya"_qs;
    QTest::newRow("っ before な") << u"っな"_qs << u"xtuna"_qs;
    QTest::newRow("ヴぅ has no row") << u"ヴぅ"_qs << u"vuxu"_qs;
    QTest::newRow("no row unchanged") << u"漢字とA"_qs << u"漢字toA"_qs;
    QTest::newRow("ゔ units") << u"ゔぁゔぃゔゔぇゔぉゔゃゔゅゔょ"_qs << u"vavivuvevovyavyuvyo"_qs;
    QTest::newRow("ゐ ゑ") << u"ゐゑ"_qs << u"wyiwye"_qs;
    QTest::newRow("っ before ゔ") << u"っゔ"_qs << u"vvu"_qs;
    QTest::newRow("ん before ゐ") << u"んゐ"_qs << u"nwyi"_qs;
    QTest::newRow("っ before う keeps xtu") << u"っうぃ"_qs << u"xtuwi"_qs;
    QTest::newRow("ん before ん") << u"んんか"_qs << u"nnnka"_qs;
    QTest::newRow("ん before doubled っ") << u"んっか"_qs << u"nnkka"_qs;
    QTest::newRow("ん before xtu") << u"んっな"_qs << u"nxtuna"_qs;
    QTest::newRow("っ before ん") << u"っんか"_qs << u"nnka"_qs;
    QTest::newRow("っ before っ") << u"っっか"_qs << u"xtukka"_qs;
    QTest::newRow("っ before small kana") << u"っぁ"_qs << u"xtuxa"_qs;
    QTest::newRow("っ before no row") << u"っAか"_qs << u"xtuAka"_qs;
    QTest::newRow("ん before no row") << u"ほんA"_qs << u"honnA"_qs;
}

void TestJudge::romaGuide()
{
    QFETCH(QString, source);
    QFETCH(QString, guide);
    QCOMPARE(Judge::MakeRomaGuide(source), guide);
}

void TestJudge::kanaGuide_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("guide");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("voiced and semi-voiced") << u"がぱ"_qs << u"ｶﾞﾊﾟ"_qs;
    QTest::newRow("two-kana unit as two kana") << u"きゃ"_qs << u"ｷｬ"_qs;
    QTest::newRow("no keys for ゎ ヵ ヶ") << u"ゎヵヶ"_qs << QString();
    QTest::newRow("no row unchanged") << u"漢a"_qs << u"漢a"_qs;
    QTest::newRow("ゔ as ヴ") << u"ゔぁヴ"_qs << u"ｳﾞｧｳﾞ"_qs;
    QTest::newRow("ゐ ゑ shown as they are") << u"ゐゑ"_qs << u"ゐゑ"_qs;
}

void TestJudge::kanaGuide()
{
    QFETCH(QString, source);
    QFETCH(QString, guide);
    QCOMPARE(Judge::MakeKanaGuide(source), guide);
}

void TestJudge::typedBeginnings_data()
{
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("beginning");
    // Whether typing the answer's kana-keyboard guide completes the candidate first.
    QTest::addColumn<bool>("kanaCompletes");

    QTest::newRow("わたし in わたしたち") << u"わたし"_qs << u"わたしたち"_qs << true << true;
    QTest::newRow("one kana") << u"ひ"_qs << u"ひつよう"_qs << true << true;
    QTest::newRow("ん before more") << u"かん"_qs << u"かんじ"_qs << true << true;
    QTest::newRow("か on the way to が") << u"か"_qs << u"が"_qs << true << true;
    QTest::newRow("はし on the way to はじめ") << u"はし"_qs << u"はじめ"_qs << true << true;
    QTest::newRow("う on the way to ゔ") << u"う"_qs << u"ゔぁ"_qs << true << true;
    QTest::newRow("ゔ on the way to ヴか") << u"ゔ"_qs << u"ヴか"_qs << true << true;
    QTest::newRow("が not before か") << u"が"_qs << u"か"_qs << false << false;
    QTest::newRow("ぱ not before ば") << u"ぱ"_qs << u"ばす"_qs << false << false;
    QTest::newRow("longer") << u"わたしたち"_qs << u"わたし"_qs << false << false;
    QTest::newRow("equal") << u"わたし"_qs << u"わたし"_qs << false << false;
    QTest::newRow("empty never completes") << QString() << u"わ"_qs << false << false;
    QTest::newRow("he in here") << u"he"_qs << u"here"_qs << true << true;
    QTest::newRow("thin in think") << u"thin"_qs << u"think"_qs << true << true;
    QTest::newRow("letters keep their case") << u"He"_qs << u"here"_qs << false << false;
    QTest::newRow("help is no beginning") << u"help"_qs << u"here"_qs << false << false;
}

void TestJudge::typedBeginnings()
{
    QFETCH(QString, candidate);
    QFETCH(QString, answer);
    QFETCH(bool, beginning);
    QFETCH(bool, kanaCompletes);
    QCOMPARE(Judge::IsTypedBeginning(candidate, answer), beginning);

    // Typed on the kana keyboard up to the answer's last key: letters go
    // directly, kana by their keys.
    Judge::JudgeState s = JudgeDriver::start(candidate, false);
    const QString guide = Judge::MakeKanaGuide(answer);
    JudgeDriver::Run run;
    for (qsizetype i = 0; i + 1 < guide.size() && !run.done; ++i)
    {
        const QString key(guide[i]);
        const bool letter = guide[i].unicode() < 0x80;
        // A key the candidate refuses drops it: the answer's target took the key.
        if (!JudgeDriver::press(s, letter ? key : QString(), letter ? QString() : key, false, run))
            break;
    }
    QCOMPARE(run.done, kanaCompletes);
}

QTEST_GUILESS_MAIN(TestJudge)
#include "tst_judge.moc"
