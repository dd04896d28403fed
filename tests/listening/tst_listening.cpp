#include <QTest>

#include "judge/judge.h"
#include "judge/judgetable.h"
#include "listening/closewords.h"
#include "listening/dictation.h"
#include "core/common.h"
#include "listening/listeningdraw.h"
#include "listening/listeningword.h"
#include "listening/standardenglish.h"

// The rules of a listening test without a window: the close words drawn
// beside the word heard, and the hints of a dictation.
class ListeningRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { JudgeTableSet::BuildJudgeTable(); }
    void englishSide_data();
    void englishSide();
    void editDistance_data();
    void editDistance();
    void closerThan_data();
    void closerThan();
    void neverBeside_data();
    void neverBeside();
    void drawTakesTheClosest();
    void standardBankDrawsFitEveryWord();
    void wordsOfATest();
    void dictation_data();
    void dictation();
};

void ListeningRulesTest::englishSide_data()
{
    QTest::addColumn<QStringList>("entry"); // prompt, answer, answer as typed
    QTest::addColumn<QStringList>("word");  // typed, shown, meaning; all "" when it cannot be heard
    QTest::newRow("standard bank in 英訳") << QStringList {"りんご", "apple", "apple"} << QStringList {"apple", "apple", "りんご"};
    QTest::newRow("standard bank in 和訳") << QStringList {"apple", "りんご", "りんご"} << QStringList {"apple", "apple", "りんご"};
    QTest::newRow("own list, shown apart from typed")
        << QStringList {"〜を拾う", "pick up (〜)", "pick up"} << QStringList {"pick up", "pick up (〜)", "〜を拾う"};
    QTest::newRow("no English on either side") << QStringList {"犬", "いぬ", "いぬ"} << QStringList {"", "", ""};
    QTest::newRow("digits alone are no word") << QStringList {"百", "100", "100"} << QStringList {"", "", ""};
}

void ListeningRulesTest::englishSide()
{
    QFETCH(QStringList, entry);
    QFETCH(QStringList, word);
    const Common::QuestionEntry question {entry[0], entry[1], entry[2], {}};
    QCOMPARE((QStringList {ListeningWord::typedOf(question), ListeningWord::shownOf(question),
                           ListeningWord::meaningOf(question)}),
             word);
}

void ListeningRulesTest::editDistance_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("distance");
    QTest::newRow("same") << "word" << "word" << 0;
    QTest::newRow("one changed") << "cat" << "cut" << 1;
    QTest::newRow("one added") << "cat" << "cast" << 1;
    QTest::newRow("neighbours swapped count once") << "form" << "from" << 1;
    QTest::newRow("from nothing") << "" << "abc" << 3;
    QTest::newRow("all different") << "abc" << "xyz" << 3;
    QTest::newRow("kitten to sitting") << "kitten" << "sitting" << 3;
}

void ListeningRulesTest::editDistance()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, distance);
    QCOMPARE(CloseWords::editDistance(a, b), distance);
    QCOMPARE(CloseWords::editDistance(b, a), distance);
}

void ListeningRulesTest::closerThan_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("closer");
    QTest::addColumn<QString>("farther");
    QTest::newRow("same first letters") << "cat" << "car" << "hat";
    QTest::newRow("two first letters over one") << "cat" << "car" << "cut";
    QTest::newRow("fewer edits over more shared letters") << "sheep" << "sleep" << "shelf";
    QTest::newRow("same length") << "cat" << "cap" << "cast";
    QTest::newRow("much closer whatever the first letter") << "right" << "fight" << "rabbit";
}

void ListeningRulesTest::closerThan()
{
    QFETCH(QString, word);
    QFETCH(QString, closer);
    QFETCH(QString, farther);
    const int near = CloseWords::cost(word, closer);
    const int far = CloseWords::cost(word, farther);
    QVERIFY(near >= 0);
    QVERIFY(far >= 0);
    QVERIFY2(near < far, qPrintable(QStringLiteral("%1 %2 against %3 %4").arg(closer).arg(near).arg(farther).arg(far)));
}

void ListeningRulesTest::neverBeside_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("candidate");
    QTest::newRow("the word itself") << "cat" << "cat";
    QTest::newRow("the word in other case") << "turkey" << "Turkey";
    QTest::newRow("a typed beginning of the word") << "cart" << "car";
    QTest::newRow("the word a typed beginning of it") << "car" << "cart";
    QTest::newRow("nothing to type") << "cat" << "";
}

void ListeningRulesTest::neverBeside()
{
    QFETCH(QString, word);
    QFETCH(QString, candidate);
    QCOMPARE(CloseWords::cost(word, candidate), -1);
}

void ListeningRulesTest::drawTakesTheClosest()
{
    // Entry 5 is Japanese only: never asked, never drawn.
    const CloseWords words({"cat", "car", "ca", "hat", "cut", "", "cart", "dog"});
    // Index 0 draws always take the first of the closest in scan order.
    const auto first = [](int) { return 0; };
    QCOMPARE(words.draw(0, first), (QList<int> {1, 4}));
    QVERIFY(!words.canAsk(5));
    QVERIFY(words.draw(5, first).isEmpty());
    // "car" and "cart" cannot stand together, nor "ca" beside either.
    const QList<int> drawn = words.draw(1, first);
    QCOMPARE(drawn.size(), 2);
    QVERIFY(!drawn.contains(6) && !drawn.contains(2) && !drawn.contains(5));

    // A bank with one word beside the question has no two to draw.
    QVERIFY(CloseWords({"cat", "cut", "c"}).draw(0, first).isEmpty());
}

// Every word of the shipped bank gets two close candidates that can all
// three be typed to their ends, drawn among the closest.
void ListeningRulesTest::standardBankDrawsFitEveryWord()
{
    const QStringList english = standardEnglish();
    QCOMPARE(english.size(), 1700);
    const CloseWords words(english);
    int seed = 0;
    const auto varied = [&seed](int n) { return (seed += 7) % n; };
    int sharingFirstLetter = 0;
    for (int q = 0; q < english.size(); ++q)
    {
        const QList<int> drawn = words.draw(q, varied);
        QCOMPARE(drawn.size(), 2);
        const QString &a = english[drawn[0]];
        const QString &b = english[drawn[1]];
        QVERIFY(CloseWords::cost(english[q], a) >= 0);
        QVERIFY(CloseWords::cost(english[q], b) >= 0);
        QVERIFY2(CloseWords::cost(a, b) >= 0, qPrintable(a + u' ' + b));
        sharingFirstLetter += int(a[0].toLower() == english[q][0].toLower()) + int(b[0].toLower() == english[q][0].toLower());
    }
    // Close means close: nearly every candidate begins as the word does.
    QVERIFY2(sharingFirstLetter > english.size() * 2 * 9 / 10, qPrintable(QString::number(sharingFirstLetter)));
}

// Only words that can be heard and typed, never a known one, never past the
// LEVELs drawn from; weak words due first.
void ListeningRulesTest::wordsOfATest()
{
    const CloseWords words({"cat", "", "car", "cut", "hat", "dog", "cap"});
    const auto known = [](int index) { return index == 2; };
    int seed = 0;
    const auto varied = [&seed](int n) { return (seed += 5) % n; };
    const auto sorted = [](QList<int> list) {
        std::sort(list.begin(), list.end());
        return list;
    };
    QCOMPARE(sorted(ListeningDraw::fromLevels(words, 6, 10, false, known, varied)), (QList<int> {0, 3, 4, 5}));
    QCOMPARE(ListeningDraw::fromLevels(words, 6, 2, false, known, varied).size(), 2);
    QCOMPARE(sorted(ListeningDraw::fromLevels(words, 6, 10, false, {}, varied)), (QList<int> {0, 2, 3, 4, 5}));
    QCOMPARE(sorted(ListeningDraw::fromWeakWords(words, {5, 1, 2, 0, 3}, 2, false, known, varied)), (QList<int> {0, 5}));
    // Words each typed on the way to the others have no candidates to stand beside.
    QCOMPARE(ListeningDraw::fromLevels(CloseWords({"a", "ab", "abc"}), 3, 10, true, {}, varied), QList<int> {});
}

void ListeningRulesTest::dictation_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("steps"); // per key: a accepted, r refused, h hinted, c completed
    QTest::addColumn<QString>("shown"); // typed|shown letter|marks after the keys
    QTest::addColumn<int>("hints");
    QTest::addColumn<bool>("right");

    QTest::newRow("nothing typed: a mark per letter") << "apple" << "" << "" << "||•••••" << 0 << false;
    QTest::newRow("typed without a miss") << "cat" << "cat" << "aac" << "cat||" << 0 << true;
    QTest::newRow("refused keys alone show nothing") << "cat" << "cxxat" << "arrac" << "cat||" << 0 << true;
    QTest::newRow("third refusal in a row shows the next letter") << "cat" << "cxyz" << "arrh" << "c|a|•" << 1 << false;
    QTest::newRow("the shown letter goes once typed") << "cat" << "cxyza" << "arrha" << "ca||•" << 1 << false;
    QTest::newRow("an accepted key starts the count again") << "cats" << "cxxaxxt" << "arrarra" << "cat||•" << 0 << false;
    QTest::newRow("more refusals show no more") << "cat" << "xyzuvw" << "rrhrrr" << "|c|••" << 1 << false;
    QTest::newRow("every letter shown, never stuck")
        << "ox" << "123o456x" << "rrharrhc" << "ox||" << 2 << false;
    QTest::newRow("a blank shows as it is") << "ice cream" << "ice" << "aaa" << "ice|| •••••" << 0 << false;
    QTest::newRow("a capital is not heard: either case") << "May" << "may" << "aac" << "May||" << 0 << true;
    QTest::newRow("nor a small letter") << "eBay" << "EBAY" << "aaac" << "eBay||" << 0 << true;
    QTest::newRow("other keys stay refused") << "May" << "Mxyz" << "arrh" << "M|a|•" << 1 << false;
}

void ListeningRulesTest::dictation()
{
    QFETCH(QString, word);
    QFETCH(QString, keys);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    QFETCH(int, hints);
    QFETCH(bool, right);

    const QString codes = QStringLiteral("arhc");
    Dictation dictation(word);
    QString taken;
    for (const QChar key : keys)
        taken.append(codes[int(dictation.type(QString(key), {}, true))]);
    QCOMPARE(taken, steps);
    QCOMPARE(dictation.typed() + u'|' + dictation.shownLetter() + u'|' + dictation.marks(), shown);
    QCOMPARE(dictation.hints(), hints);
    QCOMPARE(dictation.right(), right);
    QCOMPARE(dictation.refused(), int(steps.count(u'r') + steps.count(u'h')));
}

QTEST_GUILESS_MAIN(ListeningRulesTest)
#include "tst_listening.moc"
