#include "record.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/settings.h"
#include "gui_shared/modal.h"
#include "gui_shared/sheet.h"
#include "records/max.h"
#include "records/recordrank.h"

namespace
{
    // The cells of a row from left to right: frame group, label group.
    struct CellColumn
    {
        Record::CellFrames Record::*picture;
        const char *pictureName;
        Record::CellLabels Record::*label;
        const char *labelName;
        int width; // wide enough for the longest text of the column
    };

    const CellColumn CellColumns[] = {
        {&Record::Picture5, "Picture5", &Record::Label5, "Label5", 32},
        {&Record::Picture6, "Picture6", &Record::Label6, "Label6", 90},
        {&Record::Picture18, "Picture18", &Record::Label19, "Label19", 30},
        {&Record::Picture19, "Picture19", &Record::Label20, "Label20", 30},
        {&Record::Picture20, "Picture20", &Record::Label21, "Label21", 30},
        {&Record::Picture21, "Picture21", &Record::Label22, "Label22", 30},
        {&Record::Picture22, "Picture22", &Record::Label23, "Label23", 30},
        {&Record::Picture23, "Picture23", &Record::Label24, "Label24", 30},
        {&Record::Picture9, "Picture9", &Record::Label7, "Label7", 56},
        {&Record::Picture10, "Picture10", &Record::Label8, "Label8", 90},
        {&Record::Picture7, "Picture7", &Record::Label9, "Label9", 80},
        {&Record::Picture14, "Picture14", &Record::Label16, "Label16", 34},
        {&Record::Picture8, "Picture8", &Record::Label10, "Label10", 90},
    };

    // Grid rows above the cells: the two header lines.
    constexpr int HeaderRows = 2;

    const QString NoValue = QStringLiteral("-");

    QLabel *namedLabel(const char *name, const QString &text)
    {
        auto *label = new QLabel(text);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        return label;
    }

    QPushButton *namedButton(const char *name, const QString &text)
    {
        auto *button = new QPushButton(text);
        button->setObjectName(QLatin1String(name));
        return button;
    }

    // As a Japanese desktop shows a short date, whatever the system's locale:
    // the rest of the window is Japanese too.
    QString dateText(const QDate &date)
    {
        return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : NoValue;
    }
}

Record::Record(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Record"));

    Label1 = namedLabel("Label1", QStringLiteral("現在"));
    Label2 = namedLabel("Label2", QString());
    Label3 = namedLabel("Label3", QStringLiteral("最高"));
    Label4 = namedLabel("Label4", QString());
    Label14 = namedLabel("Label14", QStringLiteral("【 レベル別記録 】"));
    auto *status = new QHBoxLayout;
    for (QLabel *label : {Label1, Label2, Label3, Label4})
        status->addWidget(label);
    status->addStretch();

    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    buildHeader();
    grid->addWidget(Label11, 0, 0, 2, 1);
    grid->addWidget(Label12, 0, 1, 2, 1);
    grid->addWidget(Label18, 0, 2, 1, 6);
    grid->addWidget(Label17, 1, 2, 1, 3);
    grid->addWidget(Label25, 1, 5, 1, 3);
    grid->addWidget(Label15, 0, 8, 2, 2);
    grid->addWidget(Label13, 0, 10, 2, 3);
    buildCells();
    for (int row = 0; row < Rows; ++row)
    {
        int column = 0;
        for (const CellColumn &cell : CellColumns)
            grid->addWidget((this->*cell.picture)[row], HeaderRows + row, column++);
    }

    Command1 = namedButton("Command1", QStringLiteral("▲"));
    Command2 = namedButton("Command2", QStringLiteral("▼"));
    Command3 = namedButton("Command3", QStringLiteral("賞状表示"));
    OKButton = namedButton("OKButton", QStringLiteral("OK"));
    OKButton->setDefault(true);
    // A hidden paging button keeps its place, so the other never moves and
    // clicking the same spot keeps paging the same way.
    for (QPushButton *paging : {Command1, Command2})
    {
        QSizePolicy policy = paging->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        paging->setSizePolicy(policy);
    }
    connect(Command1, &QPushButton::clicked, this, &Record::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Record::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Record::Command3_Click);
    connect(OKButton, &QPushButton::clicked, this, &Record::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(status);
    layout->addWidget(Label14);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    Form_Load();
}

void Record::buildHeader()
{
    Label11 = namedLabel("Label11", QStringLiteral("LV"));
    Label12 = namedLabel("Label12", QStringLiteral("到達日"));
    Label15 = namedLabel("Label15", QStringLiteral("最高得点"));
    Label13 = namedLabel("Label13", QStringLiteral("最速記録"));
    Label18 = namedLabel("Label18", QStringLiteral("テスト回数(全・合・否)"));
    Label17 = namedLabel("Label17", QStringLiteral("ﾚﾍﾞﾙ上げ"));
    Label25 = namedLabel("Label25", QStringLiteral("予習/復習"));
}

void Record::buildCells()
{
    for (const CellColumn &cell : CellColumns)
    {
        for (int row = 0; row < Rows; ++row)
        {
            auto *frame = new QFrame;
            frame->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(cell.pictureName)).arg(row));
            frame->setFrameShape(QFrame::StyledPanel);
            PaintAsSheet(frame);
            frame->setMinimumWidth(cell.width);
            // Every cell shows what the records file holds, never markup.
            auto *label = new QLabel(frame);
            label->setTextFormat(Qt::PlainText);
            label->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(cell.labelName)).arg(row));
            label->setAlignment(Qt::AlignCenter);
            auto *inside = new QHBoxLayout(frame);
            inside->setContentsMargins(4, 1, 4, 1);
            inside->addWidget(label);
            (this->*cell.picture)[row] = frame;
            (this->*cell.label)[row] = label;
        }
    }
}

void Record::Form_Load()
{
    setWindowTitle(QStringLiteral("成績一覧") + Common::BankDescription());
    Label2->setText(QStringLiteral("LEVEL %1").arg(Common::CurrentLevel));
    Label4->setText(QStringLiteral("LEVEL %1").arg(Common::HighestLevel));

    ListedLevels = Common::ListedLevelCount(Common::HighestLevel, Common::LevelCount);
    PageCount = Common::RecordPageCount(ListedLevels);
    CurrentPage = 1;
    ShowPage();

    Command3->setVisible(!Common::IsUserBank() && Common::LevelCount > 0
                         && Common::CurrentLevel == Common::LevelCount);
}

void Record::ShowPage()
{
    int level = Common::TopLevelOfPage(ListedLevels, CurrentPage);
    for (int row = 0; row < Rows; ++row, --level)
    {
        setRowVisible(row, level >= 1);
        if (level >= 1)
            fillRow(row, level);
    }
    Command1->setVisible(CurrentPage > 1);
    Command2->setVisible(CurrentPage < PageCount);
}

void Record::setRowVisible(int row, bool visible)
{
    for (const CellColumn &cell : CellColumns)
        (this->*cell.picture)[row]->setVisible(visible);
}

void Record::fillRow(int row, int level)
{
    const Common::LevelRecord record =
        level < Common::LevelRecords.size() ? Common::LevelRecords.at(level) : Common::LevelRecord();

    Label5[row]->setText(QString::number(level));
    Label6[row]->setText(level > Common::HighestLevel ? NoValue : dateText(record.ReachedDate));
    Label19[row]->setText(QString::number(record.ChallengePassCount + record.ChallengeFailCount));
    Label20[row]->setText(QString::number(record.ChallengePassCount));
    Label21[row]->setText(QString::number(record.ChallengeFailCount));
    Label22[row]->setText(QString::number(record.PracticePassCount + record.PracticeFailCount));
    Label23[row]->setText(QString::number(record.PracticePassCount));
    Label24[row]->setText(QString::number(record.PracticeFailCount));

    const bool tested = record.ChallengePassCount + record.ChallengeFailCount + record.PracticePassCount
                            + record.PracticeFailCount
                        > 0;
    Label7[row]->setText(tested ? QStringLiteral("%1点").arg(record.BestScore) : NoValue);
    Label8[row]->setText(tested ? dateText(record.BestScoreDate) : NoValue);
    SetTextColor(Label7[row], tested && record.BestScore == 100 ? EmphasisColor::Red : EmphasisColor::Black);

    if (record.BestTime == 0)
    {
        for (QLabel *label : {Label9[row], Label16[row], Label10[row]})
            label->setText(NoValue);
        SetTextColor(Label16[row], EmphasisColor::Black);
        return;
    }
    const double seconds = record.BestTime / 1000;
    const Common::TimeRank rank = Common::RankOfTime(seconds);
    Label9[row]->setText(QString::number(seconds, 'f', 3) + QStringLiteral("秒"));
    Label16[row]->setText(rank.letter);
    SetTextColor(Label16[row], rank.colour);
    Label10[row]->setText(dateText(record.BestTimeDate));
}

void Record::Command1_Click()
{
    --CurrentPage;
    ShowPage();
}

void Record::Command2_Click()
{
    ++CurrentPage;
    ShowPage();
}

void Record::Command3_Click()
{
    Max certificate(this);
    Modal::exec(certificate);
}
