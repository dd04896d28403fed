#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <array>

#include "bank/questions.h"
#include "core/random.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/keycodelookup.h"
#include "judge/keycodetable.h"
#include "testrun/testrules.h"
#include "testsupport.h"

// The standard bank that ships with the program: the reviewed table and the
// container the build makes from it.
namespace
{
    struct Question
    {
        QString english, meaning, reading;
    };

    QList<Question> readTable()
    {
        QFile file(QStringLiteral(VOCAMIRA_STANDARD_TABLE));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<Question> questions;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        {
            if (line.startsWith(u'#'))
                continue;
            const QStringList fields = line.split(u'\t');
            questions.append({fields.value(0), fields.value(1), fields.value(2)});
        }
        return questions;
    }

    // The key that types `c` on a JIS keyboard: in kana input `c` is the kana
    // of the key, otherwise its character. Shift only where it must be.
    const CodeChangeTableSet::KeyCodeEntry *keyFor(QChar c, bool kana)
    {
        const CodeChangeTableSet::KeyCodeEntry *found = nullptr;
        for (const auto &entry : CodeChangeTableSet::KeyCodeTable)
        {
            if ((kana ? entry.Kana : entry.Character) == QString(c) && (!found || entry.Shift < found->Shift))
                found = &entry;
        }
        return found;
    }

    // Types the guide the learner sees, key by key through the key table and
    // the judge, as the main window does; true when the target completes with
    // the last key and no key was refused.
    bool typesThroughGuide(const QString &target, bool kanaInput)
    {
        Judge::JudgeState s;
        s.JudgeTarget = target;
        s.JudgeGuide = kanaInput ? Judge::MakeKanaGuide(target) : Judge::MakeRomaGuide(target);
        const QString guide = s.JudgeGuide;
        for (qsizetype i = 0; i < guide.size(); ++i)
        {
            const auto *entry = keyFor(guide[i], kanaInput);
            if (!entry)
                return false;
            CodeChage::KeyLookup key;
            key.KeyCodeIn = entry->KeyCode;
            key.ShiftIn = entry->Shift;
            CodeChage::LookupKeyCode(key);
            s.JudgeKeyRoma = key.KeyRomaChar;
            s.JudgeKeyKana = key.KeyKanaChar;
            kanaInput ? Judge::JudgeKanaKey(s) : Judge::JudgeRomaKey(s);
            if (s.JudgeMiss != u"0")
                return false;
            if (s.JudgeDone == u"1")
                return i == guide.size() - 1;
        }
        return false;
    }

    // The key a learner presses for one character of a guide: kana by their
    // kana key, letters and signs as themselves, as in the main window.
    CodeChage::KeyLookup pressFor(QChar c, bool kanaInput)
    {
        static QHash<QPair<QChar, bool>, CodeChage::KeyLookup> known;
        const bool byKana = kanaInput && c.unicode() >= 0x80;
        const auto cached = known.constFind({c, byKana});
        if (cached != known.cend())
            return *cached;
        CodeChage::KeyLookup key;
        if (const auto *entry = keyFor(c, byKana))
        {
            key.KeyCodeIn = entry->KeyCode;
            key.ShiftIn = entry->Shift;
            CodeChage::LookupKeyCode(key);
        }
        return known.insert({c, byKana}, key).value();
    }

    // Types the guide of slot 0 at the three candidates as the main window
    // judges them (slots in order, a slot dropped when it refuses a key that
    // another took); the slot that completes first, or -1.
    int slotCompletedByTheAnswer(const std::array<int, 3> &candidates, bool kanaInput)
    {
        std::array<Judge::JudgeState, 3> states;
        std::array<bool, 3> alive {true, true, true};
        for (int k = 0; k < 3; ++k)
        {
            const QString &keys = Common::QuestionBank[candidates[k]].AnswerKeys;
            states[k].JudgeTarget = keys;
            states[k].JudgeGuide = kanaInput ? Judge::MakeKanaGuide(keys) : Judge::MakeRomaGuide(keys);
        }
        const QString guide = states[0].JudgeGuide;
        for (QChar c : guide)
        {
            const CodeChage::KeyLookup key = pressFor(c, kanaInput);
            std::array<bool, 3> hit {};
            for (int k = 0; k < 3; ++k)
            {
                if (!alive[k])
                    continue;
                states[k].JudgeKeyRoma = key.KeyRomaChar;
                states[k].JudgeKeyKana = key.KeyKanaChar;
                kanaInput ? Judge::JudgeKanaKey(states[k]) : Judge::JudgeRomaKey(states[k]);
                hit[k] = states[k].JudgeMiss == u"0";
                if (hit[k] && states[k].JudgeDone == u"1")
                    return k;
            }
            if (hit[0] || hit[1] || hit[2])
                alive = hit;
        }
        return -1;
    }
}

class TestStandardBank : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CodeChangeTableSet::BuildKeyCodeTable();
        JudgeTableSet::BuildJudgeTable();
        m_table = readTable();
    }

    void hasOneHundredLevelsOfSeventeen();
    void headwordsArePlainAndTypeable();
    void noTwoQuestionsLookOrTypeAlike();
    void everyReadingTypesInRomajiAndKana();
    void builtContainerHoldsTheTable_data();
    void builtContainerHoldsTheTable();
    void correctAnswersAlwaysScore_data();
    void correctAnswersAlwaysScore();

private:
    QList<Question> m_table;
};

void TestStandardBank::hasOneHundredLevelsOfSeventeen()
{
    QCOMPARE(m_table.size(), 1700);
    for (const Question &q : std::as_const(m_table))
        QVERIFY2(!q.english.isEmpty() && !q.meaning.isEmpty() && !q.reading.isEmpty(), qPrintable(q.english));
}

void TestStandardBank::headwordsArePlainAndTypeable()
{
    // Days, months, languages and nationalities keep their capital, typed with Shift.
    static const QRegularExpression plain(QStringLiteral("^[A-Z]?[a-z]+([- ][a-z]+)*$"));
    for (const Question &q : std::as_const(m_table))
    {
        QVERIFY2(plain.match(q.english).hasMatch(), qPrintable(q.english));
        QVERIFY2(typesThroughGuide(q.english, false), qPrintable(q.english));
    }
}

// Headwords and meanings never repeat, so no two candidates look alike. A reading
// may repeat (花 and 鼻 are both はな): the judge takes the correct candidate first,
// so typing it always scores, and the everyday word is not lost to a homophone.
void TestStandardBank::noTwoQuestionsLookOrTypeAlike()
{
    QSet<QString> english, meanings;
    for (const Question &q : std::as_const(m_table))
    {
        QVERIFY2(!english.contains(q.english), qPrintable(q.english));
        QVERIFY2(!meanings.contains(q.meaning), qPrintable(q.meaning));
        english.insert(q.english);
        meanings.insert(q.meaning);
    }
}

void TestStandardBank::everyReadingTypesInRomajiAndKana()
{
    for (const Question &q : std::as_const(m_table))
    {
        QVERIFY2(typesThroughGuide(q.reading, false), qPrintable(q.english + u' ' + q.reading));
        QVERIFY2(typesThroughGuide(q.reading, true), qPrintable(q.english + u' ' + q.reading));
    }
}

void TestStandardBank::builtContainerHoldsTheTable_data()
{
    QTest::addColumn<QString>("transMode");
    QTest::newRow("和訳") << "和訳";
    QTest::newRow("英訳") << "英訳";
}

void TestStandardBank::builtContainerHoldsTheTable()
{
    QFETCH(QString, transMode);

    ProgramFolderFixture folder;
    QVERIFY(QFile::copy(QStringLiteral(VOCAMIRA_STANDARD_BANK), Common::StandardQuestionPath()));
    folder.setCommon(Common::KeyTransMode, transMode);
    Common::LoadQuestions();
    QCOMPARE(Common::QuestionCount, int(m_table.size()));
    const bool english = transMode == u"英訳";
    for (int i = 0; i < Common::QuestionCount; ++i)
    {
        const Common::QuestionEntry &e = Common::QuestionBank[i];
        const Question &q = m_table[i];
        QCOMPARE(e.Prompt, english ? q.meaning : q.english);
        QCOMPARE(e.Answer, english ? q.english : q.meaning);
        QCOMPARE(e.AnswerKeys, english ? q.english : q.reading);
    }
}

void TestStandardBank::correctAnswersAlwaysScore_data()
{
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<bool>("kanaInput");
    QTest::newRow("和訳, romaji") << "和訳" << false;
    QTest::newRow("和訳, kana") << "和訳" << true;
    QTest::newRow("英訳, romaji") << "英訳" << false;
    QTest::newRow("英訳, kana") << "英訳" << true;
}

// Seeded tests over every LEVEL of the shipped bank: no wrong answer is a
// beginning of the question's answer, and typing each answer scores it.
void TestStandardBank::correctAnswersAlwaysScore()
{
    QFETCH(QString, transMode);
    QFETCH(bool, kanaInput);
    ProgramFolderFixture folder;
    QVERIFY(QFile::copy(QStringLiteral(VOCAMIRA_STANDARD_BANK), Common::StandardQuestionPath()));
    folder.setCommon(Common::KeyTransMode, transMode);
    Common::LoadQuestions();
    Common::QuestionsPerLevel = 17;
    Random::seed(kanaInput ? 1515 : 15);

    for (int test = 0; test < 300; ++test)
    {
        TestRules::ResetTestRun();
        Common::TestLevel = TestRules::DrawIndex(100) + 1;
        for (int n = 0; n < 10; ++n)
        {
            std::array<int, 3> candidates {};
            candidates[0] = TestRules::DrawQuestion();
            Common::QuestionBank[candidates[0]].UsedMark = QStringLiteral("1");
            candidates[1] = TestRules::DrawDistractor(candidates[0]);
            candidates[2] = TestRules::DrawDistractor(candidates[0], candidates[1]);
            const QString &answer = Common::QuestionBank[candidates[0]].AnswerKeys;
            for (int k = 1; k < 3; ++k)
            {
                const QString &wrong = Common::QuestionBank[candidates[k]].AnswerKeys;
                QVERIFY2(candidates[k] != candidates[0] && !(wrong.size() < answer.size() && answer.startsWith(wrong)),
                         qPrintable(wrong + u' ' + answer));
            }
            QVERIFY2(slotCompletedByTheAnswer(candidates, kanaInput) == 0, qPrintable(answer));
        }
    }
}

QTEST_GUILESS_MAIN(TestStandardBank)
#include "tst_standardbank.moc"
