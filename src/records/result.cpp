#include "result.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "bank/questions.h"
#include "core/common.h"
#include "core/settings.h"
#include "gui_shared/sheet.h"
#include "gui_shared/soundplayer.h"

namespace
{
    // The scroll bar's range: its value moves the rows from the first to the last.
    constexpr int ScrollMaximum = 120;
    // The list shows every row of a test unless they would take more than
    // this share of the screen's height; the rest is reached by scrolling.
    constexpr qreal MaxListShare = 0.6;
    // The score column's width in kana, room for its longest message, so the
    // window keeps one width from test to test.
    constexpr int ScoreColumnUnits = 18;
    constexpr int WheelNotch = 120;

    struct ColumnStyle
    {
        int width;
        bool bold;
        bool underline;
    };

    QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text = {})
    {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        // The columns show bank text: a tag in it is text to show.
        label->setTextFormat(Qt::PlainText);
        return label;
    }

    QString indexedName(const char *group, int index)
    {
        return QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index);
    }

    // One cell of the list: a framed box around its text.
    QFrame *makeCell(QWidget *parent, const char *group, int index, QLabel *label)
    {
        auto *cell = new QFrame(parent);
        cell->setObjectName(indexedName(group, index));
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        PaintAsSheet(cell);
        auto *layout = new QHBoxLayout(cell);
        layout->setContentsMargins(4, 2, 4, 2);
        layout->addWidget(label);
        return cell;
    }

    void applyStyle(QWidget *box, QLabel *label, const ColumnStyle &style)
    {
        box->setFixedWidth(style.width);
        QFont font = label->font();
        font.setBold(style.bold);
        font.setUnderline(style.underline);
        label->setFont(font);
    }

    // The bank entry of question k of the test, or nothing when its number is
    // no entry of the bank loaded now.
    Common::QuestionEntry questionOf(int k)
    {
        bool ok = false;
        const int index = Common::TestQuestionNumbers[k].toInt(&ok);
        if (!ok || index < 0 || index >= Common::QuestionBank.size())
            return {};
        return Common::QuestionBank[index];
    }


    void enlarge(QLabel *label, qreal factor)
    {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * factor);
        font.setBold(true);
        label->setFont(font);
    }
}

Result::Result(const TestOutcome &outcome, QWidget *owner)
    : QDialog(owner)
    , m_usedRows(std::clamp(outcome.questions, TestRows, Common::MostQuestionsPerTest))
    , m_rowCount(std::max(RowCount, m_usedRows))
    , m_addWeakWord(outcome.addWeakWord)
{
    setObjectName(QStringLiteral("Result"));
    setWindowTitle(QStringLiteral("結果表示") + Common::BankDescription());

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(0, ScrollMaximum);
    VScroll1->setPageStep(ScrollMaximum);
    VScroll1->setSingleStep(ScrollMaximum / 10);
    VScroll1->installEventFilter(this);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Result::placeRows);

    buildHeaders();
    buildRows();
    buildNotes(outcome.scheduleNotes);
    applyColumnStyles();
    fillRows();

    buildFields();
    fillScore(outcome);

    OKButton = new QPushButton(QStringLiteral("閉じる"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    layOut();
    fitListHeight();
}

void Result::buildHeaders()
{
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("#"));
    Label7 = makeLabel(this, QStringLiteral("Label7"));
    Label6 = makeLabel(this, QStringLiteral("Label6"));
    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("正否"));
    for (QLabel *header : {Label8, Label7, Label6, Label5})
        header->setAlignment(Qt::AlignCenter);
}

void Result::buildRows()
{
    // The rows move inside a fixed viewport; the scroll bar sets how far.
    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("viewport"));
    m_viewport->installEventFilter(this);
    Picture11 = new QWidget(m_viewport);
    Picture11->setObjectName(QStringLiteral("Picture11"));

    auto *grid = new QGridLayout(Picture11);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (auto *column : {&Label1, &Label2, &Label3, &Label4})
        column->resize(m_rowCount);
    for (auto *column : {&Picture1, &Picture2, &Picture3, &Picture4})
        column->resize(m_rowCount);
    for (int i = 0; i < m_rowCount; ++i)
    {
        Label1[i] = makeLabel(Picture11, indexedName("Label1", i), QString::number(i + 1));
        Label2[i] = makeLabel(Picture11, indexedName("Label2", i));
        Label3[i] = makeLabel(Picture11, indexedName("Label3", i));
        Label4[i] = makeLabel(Picture11, indexedName("Label4", i));
        Label1[i]->setAlignment(Qt::AlignCenter);
        Label4[i]->setAlignment(Qt::AlignCenter);
        for (QLabel *text : {Label2[i], Label3[i]})
            text->setWordWrap(true);
        // Clicks and the row's context menu.
        for (QLabel *cell : {Label1[i], Label2[i], Label3[i], Label4[i]})
            cell->installEventFilter(this);
        Picture1[i] = makeCell(Picture11, "Picture1", i, Label1[i]);
        Picture2[i] = makeCell(Picture11, "Picture2", i, Label2[i]);
        Picture3[i] = makeCell(Picture11, "Picture3", i, Label3[i]);
        Picture4[i] = makeCell(Picture11, "Picture4", i, Label4[i]);
        const std::array<QFrame *, 4> cells {Picture1[i], Picture2[i], Picture3[i], Picture4[i]};
        for (int column = 0; column < 4; ++column)
        {
            grid->addWidget(cells[column], i, column);
            cells[column]->setVisible(i < m_usedRows);
        }
    }
}

// The hint under the list and the score beside it.
void Result::buildFields()
{
    Label20 = makeLabel(this, QStringLiteral("Label20"), QStringLiteral("※ 英単語をクリックすると発音を聴く事ができます"));
    Label20->setVisible(!Common::IsUserBank());

    Label13 = makeLabel(this, QStringLiteral("Label13"), QStringLiteral("【 今回の成績 】"));
    Label14 = makeLabel(this, QStringLiteral("Label14"));
    Label15 = makeLabel(this, QStringLiteral("Label15"));
    Label16 = makeLabel(this, QStringLiteral("Label16"));
    Label10 = makeLabel(this, QStringLiteral("Label10"), QStringLiteral("あなたは現在，"));
    Label11 = makeLabel(this, QStringLiteral("Label11"));
    Label12 = makeLabel(this, QStringLiteral("Label12"), QStringLiteral("です"));
    Label9 = makeLabel(this, QStringLiteral("Label9"));
    Label18 = makeLabel(this, QStringLiteral("Label18"));
    Label19 = makeLabel(this, QStringLiteral("Label19"));
    Label17 = makeLabel(this, QStringLiteral("Label17"), QStringLiteral("最速記録更新は満点が条件です"));
    enlarge(Label14, 1.6);
    enlarge(Label15, 1.6);
    enlarge(Label9, 1.2);
    enlarge(Label19, 1.2);
    // The level message is red, blue or black: it keeps a white ground.
    PaintAsSheet(Label9);
    Label9->setMargin(4);
    for (QLabel *label : {Label16, Label9, Label18, Label17})
        label->setWordWrap(true);
}

void Result::applyColumnStyles()
{
    // Widths follow the font so the columns hold the same text at any scale;
    // the English column is the narrower one.
    const int unit = fontMetrics().horizontalAdvance(QChar(0x3042));
    const bool englishAnswer = Common::IsEnglishAnswer();
    const bool standardBank = !Common::IsUserBank();
    const ColumnStyle number {2 * unit, false, false};
    const ColumnStyle japanese {10 * unit, false, false};
    const ColumnStyle english {8 * unit, true, standardBank};
    const ColumnStyle mark {3 * unit, false, false};
    const ColumnStyle &first = englishAnswer ? japanese : english;
    const ColumnStyle &second = englishAnswer ? english : japanese;

    Label7->setText(englishAnswer ? QStringLiteral("日本語") : QStringLiteral("英単語"));
    Label6->setText(englishAnswer ? QStringLiteral("英単語（正解）") : QStringLiteral("日本語（正解）"));
    Label8->setFixedWidth(number.width);
    Label7->setFixedWidth(first.width);
    Label6->setFixedWidth(second.width);
    Label5->setFixedWidth(mark.width);
    for (int i = 0; i < m_rowCount; ++i)
    {
        applyStyle(Picture1[i], Label1[i], number);
        applyStyle(Picture2[i], Label2[i], first);
        applyStyle(Picture3[i], Label3[i], second);
        applyStyle(Picture4[i], Label4[i], mark);
        if (standardBank)
            (englishAnswer ? Label3[i] : Label2[i])->setCursor(Qt::PointingHandCursor);
    }

    int width = number.width + first.width + second.width + mark.width;
    if (!m_noteHeader->isHidden())
    {
        const ColumnStyle note {7 * unit, false, false};
        m_noteHeader->setFixedWidth(note.width);
        for (int i = 0; i < m_rowCount; ++i)
            applyStyle(m_noteCells[i], m_notes[i], note);
        width += note.width;
    }
    m_viewport->setFixedWidth(width);
}

// Tall enough for every row of the test, as far as the screen allows.
void Result::fitListHeight()
{
    const int rows = rowsHeight();
    int limit = rows;
    if (const QScreen *screen = this->screen())
        limit = int(screen->availableGeometry().height() * MaxListShare);
    m_viewport->setMinimumHeight(std::min(rows, limit));
}

int Result::rowsHeight() const
{
    const int height = Picture11->heightForWidth(m_viewport->width());
    return height < 0 ? Picture11->sizeHint().height() : height;
}

void Result::layOut()
{
    auto *headers = new QHBoxLayout;
    headers->setSpacing(0);
    for (QLabel *header : {Label8, Label7, Label6, Label5, m_noteHeader})
        headers->addWidget(header);
    headers->addStretch();

    auto *list = new QHBoxLayout;
    list->setSpacing(0);
    list->addWidget(m_viewport);
    list->addWidget(VScroll1);
    list->addStretch();

    auto *questions = new QVBoxLayout;
    questions->setSpacing(0);
    questions->addLayout(headers);
    questions->addLayout(list, 1);
    questions->addSpacing(6);
    questions->addWidget(Label20);
    questions->addWidget(m_weakAdded);

    auto *levelLine = new QHBoxLayout;
    levelLine->setSpacing(0);
    levelLine->addWidget(Label10);
    levelLine->addWidget(Label11);
    levelLine->addWidget(Label12);
    levelLine->addStretch();

    auto *scoreColumn = new QWidget(this);
    scoreColumn->setFixedWidth(ScoreColumnUnits * fontMetrics().horizontalAdvance(QChar(0x3042)));
    auto *score = new QVBoxLayout(scoreColumn);
    score->setContentsMargins(0, 0, 0, 0);
    score->addWidget(Label13);
    score->addWidget(Label14);
    score->addWidget(Label15);
    score->addWidget(Label16);
    score->addSpacing(8);
    score->addLayout(levelLine);
    score->addWidget(Label9);
    score->addSpacing(8);
    score->addWidget(Label18);
    score->addWidget(Label19);
    score->addWidget(Label17);
    score->addStretch();

    auto *body = new QHBoxLayout;
    body->addLayout(questions);
    body->addSpacing(16);
    body->addWidget(scoreColumn);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

void Result::fillRows()
{
    const int asked = std::clamp(Common::TestQuestionIndex, 0, m_usedRows);
    for (int i = 0; i < m_usedRows; ++i)
    {
        const bool filled = i < asked;
        const Common::QuestionEntry entry = filled ? questionOf(i + 1) : Common::QuestionEntry {};
        Label2[i]->setText(entry.Prompt);
        Label3[i]->setText(entry.Answer);
        Label4[i]->setText(filled ? Common::TestMarks[i + 1] : QString());
    }
}

void Result::fillScore(const TestOutcome &outcome)
{
    Label14->setText(QString::number(outcome.score) + QStringLiteral("点"));
    Label16->setText(QStringLiteral("1問10点で%1点以上が合格です").arg(outcome.passMark));
    Label15->setText(outcome.passed ? QStringLiteral("合格") : QStringLiteral("不合格"));
    Label9->setText(outcome.levelMessage);
    SetTextColor(Label9, outcome.levelMessageColor);
    Label11->setText(QStringLiteral("LEVEL") + QString::number(outcome.level));
    Label18->setText(QString::number(outcome.shownSeconds, 'f', 3) + QStringLiteral("秒"));
    Label19->setText(outcome.newBestTime ? QStringLiteral("最速記録！") : QString());
}

// The scroll value runs from 0 to 120 whatever the height of the rows, so it
// is turned into the share of the distance that hides the first rows.
void Result::placeRows()
{
    const int width = m_viewport->width();
    const int height = rowsHeight();
    const int hidden = std::max(0, height - m_viewport->height());
    VScroll1->setEnabled(hidden > 0);
    // One step of the bar, and one notch of the wheel, moves about one row.
    const int rowHeight = std::max(1, height / m_usedRows);
    VScroll1->setSingleStep(hidden > 0 ? std::max(1, int(std::lround(qreal(ScrollMaximum) * rowHeight / hidden))) : 1);
    const int top = -hidden * VScroll1->value() / ScrollMaximum;
    Picture11->setGeometry(0, top, width, height);
}

bool Result::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && (watched == m_viewport || watched == VScroll1))
    {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        const int notches = delta / WheelNotch != 0 ? delta / WheelNotch : (delta > 0) - (delta < 0);
        VScroll1->setValue(VScroll1->value() - notches * VScroll1->singleStep());
        return true;
    }
    if (watched == m_viewport)
    {
        if (event->type() == QEvent::Resize)
            placeRows();
        return false;
    }
    if (watched == VScroll1)
        return false;
    if (event->type() == QEvent::ContextMenu)
    {
        for (const auto *column : {&Label1, &Label2, &Label3, &Label4, &m_notes})
        {
            const auto cell = std::find(column->begin(), column->end(), watched);
            if (cell != column->end())
            {
                showRowMenu(int(cell - column->begin()), static_cast<QContextMenuEvent *>(event)->globalPos());
                return true;
            }
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonRelease || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    for (const auto *column : {&Label2, &Label3})
    {
        const auto cell = std::find(column->begin(), column->end(), watched);
        if (cell == column->end())
            continue;
        Word_Click(column == &Label3, int(cell - column->begin()));
        return true;
    }
    return false;
}

// A click on a word of either column: only the English column of the
// standard bank pronounces, by the settings at the moment of the click.
void Result::Word_Click(bool secondColumn, int index)
{
    if (Common::IsUserBank() || secondColumn != Common::IsEnglishAnswer())
        return;
    playRow(index);
}

void Result::playRow(int index)
{
    const int bankIndex = bankIndexOfRow(index);
    if (bankIndex >= 0)
        SoundPlayer::play(Common::SoundFilePath(bankIndex));
}

int Result::bankIndexOfRow(int index) const
{
    // A row after the last question holds no question of this test.
    if (index >= std::min(Common::TestQuestionIndex, m_usedRows))
        return -1;
    const QString &number = Common::TestQuestionNumbers[index + 1];
    bool ok = false;
    const int bankIndex = number.toInt(&ok);
    if (!Common::IsDigitsOnly(number) || !ok)
        return -1;
    return bankIndex;
}

// Where each word of a practice now stands, in a column of its own after the marks.
void Result::buildNotes(const QStringList &notes)
{
    auto *grid = static_cast<QGridLayout *>(Picture11->layout());
    m_noteHeader = makeLabel(this, QStringLiteral("noteHeader"), QStringLiteral("復習の段階"));
    m_noteHeader->setAlignment(Qt::AlignCenter);
    m_noteHeader->setVisible(!notes.isEmpty());
    m_notes.resize(m_rowCount);
    m_noteCells.resize(m_rowCount);
    for (int i = 0; i < m_rowCount; ++i)
    {
        m_notes[i] = makeLabel(Picture11, indexedName("note", i), i < m_usedRows ? notes.value(i) : QString());
        m_noteCells[i] = makeCell(Picture11, "noteCell", i, m_notes[i]);
        grid->addWidget(m_noteCells[i], i, 4);
        m_noteCells[i]->setVisible(!notes.isEmpty() && i < m_usedRows);
        m_notes[i]->installEventFilter(this);
    }

    m_weakAdded = makeLabel(this, QStringLiteral("weakAdded"));
    m_weakAdded->setWordWrap(true);
    m_weakAdded->hide();
    m_rowMenu = new QMenu(this);
    m_rowMenu->setObjectName(QStringLiteral("rowMenu"));
    QAction *add = m_rowMenu->addAction(QStringLiteral("苦手に追加(&W)"));
    add->setObjectName(QStringLiteral("addWeakAction"));
    connect(add, &QAction::triggered, this, &Result::addRowToWeak);
}

void Result::showRowMenu(int index, const QPoint &globalPos)
{
    if (!m_addWeakWord || bankIndexOfRow(index) < 0)
        return;
    m_menuRow = index;
    m_rowMenu->popup(globalPos);
}

// The word is due today, at the first step, whatever the test said of it.
void Result::addRowToWeak()
{
    const int bankIndex = bankIndexOfRow(m_menuRow);
    if (bankIndex < 0 || !m_addWeakWord)
        return;
    const QString word = (Common::IsEnglishAnswer() ? Label3 : Label2)[m_menuRow]->text();
    m_weakAdded->setText(m_addWeakWord(bankIndex)
                             ? QStringLiteral("「%1」を苦手単語に追加しました。今日の練習に出ます。").arg(word)
                             : QStringLiteral("「%1」を苦手単語に追加できませんでした（学習履歴に書き込めません）。").arg(word));
    m_weakAdded->show();
}
