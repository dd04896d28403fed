#include "romansetting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/message.h"
#include "judge/judgetable.h"
#include "judge/romansettings.h"

namespace
{
    constexpr int GridColumns = 4;

    const QString AutoNEntry = QStringLiteral("n");
    const QString DoubleEntry = QStringLiteral("子音重ね");

    // The markers of the automatic rules are shown as words the learner knows.
    QString entryForSpelling(const QString &spelling)
    {
        if (spelling == JudgeTableSet::NMarker)
            return AutoNEntry;
        if (spelling == JudgeTableSet::DoubleMarker)
            return DoubleEntry;
        return spelling;
    }

    QString spellingForEntry(const QString &entry)
    {
        if (entry == AutoNEntry)
            return JudgeTableSet::NMarker;
        if (entry == DoubleEntry)
            return JudgeTableSet::DoubleMarker;
        return entry;
    }
}

RomanSetting::RomanSetting(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("RomanSetting"));
    setWindowTitle(QStringLiteral("ローマ字表示設定"));

    Label1 = new QLabel(QStringLiteral("表示するローマ字の設定を行って下さい。"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("　※表示にかかわらず大抵の入力は可能となっております。"));
    Label2->setObjectName(QStringLiteral("Label2"));

    // Column by column, so the units read down in the table's order.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const int rows = (UnitSlots - 1 + GridColumns - 1) / GridColumns;
    for (int i = 0; i < UnitSlots; ++i)
    {
        Label3[i] = new QLabel;
        Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        Label3[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Combo1[i] = new QComboBox;
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        Combo1[i]->setEditable(false);
        grid->addWidget(Label3[i], i % rows, (i / rows) * 2);
        grid->addWidget(Combo1[i], i % rows, (i / rows) * 2 + 1);
    }

    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &RomanSetting::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &RomanSetting::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    Form_Load();
}

void RomanSetting::Form_Load()
{
    int k = 0;
    for (const JudgeTableSet::JudgeRow &row : JudgeTableSet::JudgeTable)
    {
        if (row.Selectable != u"1" || k >= UnitSlots)
            continue;
        Label3[k]->setText(row.Unit);
        Combo1[k]->clear();
        for (const QString &spelling : row.Spellings)
        {
            if (spelling.isEmpty())
                break;
            Combo1[k]->addItem(entryForSpelling(spelling));
        }
        // Column 0 is the spelling shown now.
        Combo1[k]->setCurrentIndex(0);
        ++k;
    }
    for (; k < UnitSlots; ++k)
    {
        Label3[k]->clear();
        Label3[k]->setVisible(false);
        Combo1[k]->setVisible(false);
    }
}

void RomanSetting::OKButton_Click()
{
    QList<JudgeTableSet::RomanChoice> choices;
    for (int a = 0; a < UnitSlots; ++a)
    {
        if (!Label3[a]->text().isEmpty())
            choices.append({Label3[a]->text(), spellingForEntry(Combo1[a]->currentText())});
    }
    // On failure the learner has been told and the old file stays; the
    // dialog stays open so the choices are not lost.
    if (!JudgeTableSet::WriteRomanSettings(choices))
        return;
    JudgeTableSet::ApplyRomanSettings();
    Message::show(QStringLiteral("設定を保存しました"));
    accept();
}
