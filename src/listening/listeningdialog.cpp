#include "listeningdialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcutEvent>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/common.h"
#include "core/message.h"
#include "gui_shared/modal.h"
#include "gui_shared/soundplayer.h"
#include "history/weakhistory.h"
#include "listening/listeningtest.h"
#include "testrun/testrules.h"

namespace
{
    // What the learner chose last in this run.
    ListeningDialog::Choice &remembered()
    {
        static ListeningDialog::Choice choice;
        return choice;
    }

    QGroupBox *group(const QString &title, QRadioButton *first, QRadioButton *second, QWidget *parent)
    {
        auto *box = new QGroupBox(title, parent);
        auto *layout = new QVBoxLayout(box);
        layout->addWidget(first);
        layout->addWidget(second);
        return box;
    }

    // An option's mnemonic checks it at once. A button's own mnemonic clicks
    // it only after a short animation, and an Enter typed meanwhile started
    // the test with the option checked before.
    class CheckAtOnce : public QObject
    {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *button = qobject_cast<QRadioButton *>(watched);
            if (!button || event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
                return false;
            button->setFocus(Qt::ShortcutFocusReason);
            button->setChecked(true);
            return true;
        }
    };

    QRadioButton *option(const QString &name, const QString &text, QWidget *parent)
    {
        auto *button = new QRadioButton(text, parent);
        button->setObjectName(name);
        return button;
    }
}

ListeningDialog::ListeningDialog(int level, int dueWeakWords, int weakWords, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("ListeningDialog"));
    setWindowTitle(QStringLiteral("聞き取りテスト"));

    auto *intro = new QLabel(QStringLiteral("英単語の発音を聞いて、聞こえた単語を入力します。\n"
                                            "Tab キーか「もう一度聞く」ボタンで、何度でも聞き直せます。"),
                             this);
    m_levels = option(QStringLiteral("levelWords"), QStringLiteral("LEVEL 1〜%1 の単語(&V)").arg(level), this);
    m_weakWords = option(QStringLiteral("weakWords"),
                         QStringLiteral("聞き取りの苦手単語(&W)　今日 %1語（全部で %2語）").arg(dueWeakWords).arg(weakWords),
                         this);
    m_weakWords->setEnabled(weakWords > 0);
    m_candidates = option(QStringLiteral("candidates"), QStringLiteral("三つの候補から選んで入力(&C)"), this);
    m_dictation = option(QStringLiteral("dictation"), QStringLiteral("書き取り：候補なしで単語を入力(&D)"), this);

    auto *checkAtOnce = new CheckAtOnce(this);
    for (QRadioButton *button : {m_levels, m_weakWords, m_candidates, m_dictation})
        button->installEventFilter(checkAtOnce);

    const Choice last = remembered();
    (last.weakWords && weakWords > 0 ? m_weakWords : m_levels)->setChecked(true);
    (last.dictation ? m_dictation : m_candidates)->setChecked(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *start = buttons->addButton(QStringLiteral("開始"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("startButton"));
    start->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        remembered() = choice();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(group(QStringLiteral("出題する単語"), m_levels, m_weakWords, this));
    layout->addWidget(group(QStringLiteral("答え方"), m_candidates, m_dictation, this));
    layout->addWidget(buttons);
}

ListeningDialog::Choice ListeningDialog::choice() const
{
    return {m_weakWords->isChecked(), m_dictation->isChecked()};
}

int ListeningDialog::levelToDraw()
{
    return TestRules::LimitTestLevel(Common::CurrentLevel);
}

ListeningTest *ListeningDialog::prepareTest(WeakHistory *weak, TestSession::History history, QWidget *owner)
{
    using namespace Common;
    const WeakWords weakWords = weak ? weak->weakWords(Clock::currentDateTime().date()) : WeakWords();
    const int level = levelToDraw();
    ListeningDialog dialog(level, weakWords.dueCount(), int(weakWords.words().size()), owner);
    if (Modal::exec(dialog) != QDialog::Accepted)
        return nullptr;
    const Choice choice = dialog.choice();
    const TestKind kind = choice.dictation ? (choice.weakWords ? TestKind::DictationWeakWords : TestKind::Dictation)
                                           : (choice.weakWords ? TestKind::ListeningWeakWords : TestKind::Listening);
    const QList<int> words = ListeningTest::chooseWords(kind, level, weakWords.practiceWords(QuestionsPerTest),
                                                        ListeningTest::knownWords(history.store));
    if (words.isEmpty())
    {
        Message::show(choice.weakWords ? QStringLiteral("聞き取りの苦手単語はまだありません。")
                                       : QStringLiteral("この問題集には、聞き取りテストで出せる英単語がありません。"));
        return nullptr;
    }
    auto *test = new ListeningTest(kind, words, choice.weakWords ? 0 : level, TimeLimitStudy, history, owner);
    const SoundPlayer::Readiness readiness = SoundPlayer::readiness(test->needsSpeech());
    if (readiness != SoundPlayer::Readiness::Ready)
    {
        delete test;
        Message::show(SoundPlayer::readinessText(readiness));
        return nullptr;
    }
    return test;
}
