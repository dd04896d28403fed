#pragma once

#include <QList>
#include <QTimer>

#include "listening/closewords.h"
#include "listening/dictation.h"
#include "listening/listeningdraw.h"
#include "testrun/testsession.h"

// A test of the ear: each question is a word heard, not shown. With
// candidates the learner types one of three English words, the two wrong
// ones close in sound or spelling; as a dictation the learner types the word
// from the sound alone, helped by a shown letter after three refused keys in
// a row. Tab plays the word again, as often as wanted, and each time is
// counted. After each answer the word, its meaning and whether the answer
// was right show for a moment. Scored as a practice: no LEVEL moves, the
// records are not touched; the history keeps its words apart.
class ListeningTest : public TestSession
{
    Q_OBJECT

public:
    static constexpr int ReplayKey = 9; // Tab, which types no answer
    static constexpr int FeedbackMs = 1500;
    // The box that shows a dictation.
    static constexpr int DictationBox = 1;
    // The prompt while a word is heard.
    static inline const QString HiddenPrompt = QStringLiteral("♪");

    // kind: one of the listening kinds; words: bank indexes in the order
    // asked; level: the highest LEVEL drawn from (0 for weak words).
    ListeningTest(TestKind kind, QList<int> words, int level, int timeLimit, History history,
                  QObject *parent = nullptr);

    // The English words of the bank in use as they are typed, "" where an
    // entry has none.
    static QStringList bankWords();
    // The words of a test of `kind`: the weak words given (due first), or
    // words of LEVEL 1 to `level`; none the learner knows.
    static QList<int> chooseWords(TestKind kind, int level, const QList<int> &weakWords,
                                  const ListeningDraw::Known &known);
    // The words of the bank in use whose English the learner has marked
    // 知っている in the word book, in any bank or direction: knowing a word is
    // knowing it by ear too. No store, or one that cannot be read, knows none.
    static ListeningDraw::Known knownWords(HistoryStore *store);

    // Some word of the test has no pronunciation file and is spoken.
    bool needsSpeech() const;
    int wordCount() const { return int(m_words.size()); }
    // What the prompt shows after an answer: the mark, the word and its meaning.
    static QString answerCaption(const QString &word, const QString &meaning, bool right);

    void KeyDown(int keyCode, int shift) override;
    // Plays the word of the question on screen (or just answered) again.
    void replay();
    // The look at the answer ends: the next question, or the end.
    void finishFeedback();
    bool showingFeedback() const { return m_feedback; }
    const Dictation &dictation() const { return m_dictation; }

signals:
    // The word to hear: its pronunciation file ("" when it has none) and
    // the word to speak in its place.
    void listen(const QString &soundFile, const QString &word);
    // The answer just given: the word, its meaning, and whether it was right.
    void answerShown(const QString &word, const QString &meaning, bool right);

protected:
    int questionCount() const override;
    int drawQuestion() override;
    TestOutcome scoreTest(double elapsedMs) override;
    bool keepsRecords() const override;

    QString promptOf(int question) const override;
    QString shownAnswer(int index) const override;
    QString typedAnswer(int index) const override;
    QString keptPrompt(int question) const override;
    QString keptAnswer(int question) const override;
    int drawDistractor(int question, int other) override;
    void pronounceQuestion(int question) override;
    void afterAnswer(bool correct) override;
    void NextQuestion() override;

private:
    bool isDictation() const;
    QString soundFileOf(int index) const;
    void typeDictation(int keyCode, int shift);
    void drawDictation();

    CloseWords m_close;
    QList<int> m_words;
    QList<int> m_distractors; // of the question on screen
    Dictation m_dictation;
    int m_question = -1;
    bool m_feedback = false;
    QTimer m_feedbackTimer;
};
