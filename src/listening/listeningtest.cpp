#include "listeningtest.h"

#include <QFileInfo>

#include "bank/questions.h"
#include "core/common.h"
#include "core/settings.h"
#include "history/historyfilter.h"
#include "history/knownwords.h"
#include "judge/keycodelookup.h"
#include "listening/listeningword.h"
#include "testrun/testrules.h"

ListeningTest::ListeningTest(TestKind kind, QList<int> words, int level, int timeLimit, History history,
                             QObject *parent)
    : TestSession(kind, level, timeLimit, history, parent)
    , m_close(bankWords())
    , m_words(std::move(words))
{
    m_feedbackTimer.setSingleShot(true);
    m_feedbackTimer.setInterval(FeedbackMs);
    connect(&m_feedbackTimer, &QTimer::timeout, this, &ListeningTest::finishFeedback);
}

QStringList ListeningTest::bankWords()
{
    QStringList words;
    words.reserve(Common::QuestionBank.size());
    for (const Common::QuestionEntry &entry : Common::QuestionBank)
        words.append(ListeningWord::typedOf(entry));
    return words;
}

QList<int> ListeningTest::chooseWords(TestKind kind, int level, const QList<int> &weakWords,
                                      const ListeningDraw::Known &known)
{
    using namespace Common;
    const CloseWords close(bankWords());
    const bool candidates = !TestKinds::isDictation(kind);
    if (TestKinds::practisesWeakWords(kind))
        return ListeningDraw::fromWeakWords(close, weakWords, QuestionsPerTest, candidates, known, TestRules::DrawIndex);
    return ListeningDraw::fromLevels(close, level * QuestionsPerLevel, QuestionsPerTest, candidates, known,
                                     TestRules::DrawIndex);
}

ListeningDraw::Known ListeningTest::knownWords(HistoryStore *store)
{
    if (!store)
        return {};
    HistoryFilter every;
    every.all = true;
    const KnownWords known = KnownWords::read(*store, every);
    if (known.size() == 0)
        return {};
    return [known, words = bankWords()](int index) { return known.isKnownEnglish(words.value(index)); };
}

bool ListeningTest::isDictation() const
{
    return TestKinds::isDictation(kind());
}

QString ListeningTest::soundFileOf(int index) const
{
    // The learner's own lists come with no pronunciation files.
    return Common::IsUserBank() ? QString() : Common::SoundFilePath(index);
}

bool ListeningTest::needsSpeech() const
{
    return std::any_of(m_words.cbegin(), m_words.cend(), [this](int index) {
        const QString file = soundFileOf(index);
        return file.isEmpty() || !QFileInfo(file).isFile();
    });
}

QString ListeningTest::answerCaption(const QString &word, const QString &meaning, bool right)
{
    return QStringLiteral("%1 %2　%3").arg(right ? TestRules::MarkCorrect : TestRules::MarkWrong, word, meaning);
}

int ListeningTest::questionCount() const
{
    return int(m_words.size());
}

int ListeningTest::drawQuestion()
{
    return m_words.value(Common::TestQuestionIndex);
}

TestOutcome ListeningTest::scoreTest(double elapsedMs)
{
    return TestRules::ScorePractice(questionCount(), elapsedMs);
}

bool ListeningTest::keepsRecords() const
{
    return false;
}

QString ListeningTest::promptOf(int) const
{
    return HiddenPrompt;
}

QString ListeningTest::shownAnswer(int index) const
{
    return ListeningWord::shownOf(Common::QuestionBank[index]);
}

QString ListeningTest::typedAnswer(int index) const
{
    return ListeningWord::typedOf(Common::QuestionBank[index]);
}

// The history keeps the word heard and its meaning, the same pair in either
// direction the bank is loaded in.
QString ListeningTest::keptPrompt(int question) const
{
    return shownAnswer(question);
}

QString ListeningTest::keptAnswer(int question) const
{
    return ListeningWord::meaningOf(Common::QuestionBank[question]);
}

int ListeningTest::drawDistractor(int question, int other)
{
    if (other < 0)
        m_distractors = m_close.draw(question, TestRules::DrawIndex);
    // The words were chosen among those with two close words; a bank changed
    // under the test still gets two wrong answers.
    const int slot = other < 0 ? 0 : 1;
    return slot < m_distractors.size() ? m_distractors[slot] : TestRules::DrawDistractor(question, other);
}

void ListeningTest::pronounceQuestion(int question)
{
    m_question = question;
    emit listen(soundFileOf(question), typedAnswer(question));
}

void ListeningTest::replay()
{
    if (!isRunning() || m_question < 0)
        return;
    capture().replayed();
    pronounceQuestion(m_question);
}

void ListeningTest::NextQuestion()
{
    if (!isDictation())
    {
        TestSession::NextQuestion();
        return;
    }
    const int question = presentQuestion();
    m_dictation = Dictation(typedAnswer(question));
    for (int box = 0; box < 3; ++box)
    {
        emit candidateShown(box, {});
        emit targetDrawn(box, {}, {}, {}, {}, {}, {});
    }
    drawDictation();
    pronounceQuestion(question);
}

void ListeningTest::drawDictation()
{
    emit targetDrawn(DictationBox, m_dictation.typed(), m_dictation.shownLetter(), m_dictation.marks(), {}, {}, {});
}

void ListeningTest::KeyDown(int keyCode, int shift)
{
    if (!isRunning())
        return;
    if (keyCode == ReplayKey)
    {
        replay();
        return;
    }
    // The answer is on show: keys wait for the next question.
    if (m_feedback)
        return;
    if (isDictation())
        typeDictation(keyCode, shift);
    else
        TestSession::KeyDown(keyCode, shift);
}

void ListeningTest::typeDictation(int keyCode, int shift)
{
    CodeChage::KeyLookup lookup;
    lookup.KeyCodeIn = keyCode;
    lookup.ShiftIn = shift;
    CodeChage::LookupKeyCode(lookup);
    if (lookup.KeyNotFound != u"0")
        return;
    switch (m_dictation.type(lookup.KeyRomaChar, lookup.KeyKanaChar, !kanaInput()))
    {
    case Dictation::Step::Refused:
        capture().keyJudged(false);
        return;
    case Dictation::Step::Hinted:
        capture().keyJudged(false);
        break;
    case Dictation::Step::Accepted:
        capture().keyJudged(true);
        break;
    case Dictation::Step::Completed:
        drawDictation();
        // A word typed with a shown letter is a miss, with nothing chosen instead.
        answerQuestion(m_dictation.right(), -1, {});
        return;
    }
    drawDictation();
}

void ListeningTest::afterAnswer(bool correct)
{
    m_feedback = true;
    emit answerShown(shownAnswer(m_question), keptAnswer(m_question), correct);
    m_feedbackTimer.start();
}

void ListeningTest::finishFeedback()
{
    if (!m_feedback)
        return;
    m_feedback = false;
    m_feedbackTimer.stop();
    if (isRunning())
        goOn();
}
