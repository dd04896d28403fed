#include "syutudai.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "bank/questions.h"
#include "core/common.h"
#include "core/inifile.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "core/settings.h"
#include "records/recordsstore.h"
#include "syutudairules.h"

namespace
{
    template <typename Widget, typename... Args>
    Widget *named(const char *name, Args &&...args)
    {
        auto *widget = new Widget(std::forward<Args>(args)...);
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    QComboBox *listBox(const char *name, const QStringList &entries = {})
    {
        auto *combo = named<QComboBox>(name);
        combo->addItems(entries);
        combo->setCurrentIndex(-1);
        return combo;
    }

    void selectText(QComboBox *combo, const QString &text)
    {
        if (text.isEmpty())
            return;
        const int index = combo->findText(text);
        if (index >= 0)
            combo->setCurrentIndex(index);
    }

    // A field shown for information is disabled, but its value stays as
    // legible as an editable one's, on the window's own ground.
    void readableWhenDisabled(QWidget *field)
    {
        QPalette palette = field->palette();
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
        palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Window));
        field->setPalette(palette);
    }

    void writeCommon(const QString &key, const QString &value)
    {
        Common::WriteIniValue(Common::CommonIni, Common::SectionSyutudai, key, value);
    }

    QString readCommon(const QString &key)
    {
        return Common::ReadIniValue(Common::CommonIni, Common::SectionSyutudai, key);
    }
}

Syutudai::Syutudai(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Syutudai"));
    setWindowTitle(QStringLiteral("出題設定"));

    buildSourceFrame();
    buildDirectionFrame();
    buildParameterFrame();

    Command1 = named<QPushButton>("Command1", QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = named<QPushButton>("Command2", QStringLiteral("ｷｬﾝｾﾙ"));
    connect(Command1, &QPushButton::clicked, this, &Syutudai::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Syutudai::reject);

    auto *left = new QVBoxLayout;
    left->addWidget(Frame3);
    left->addWidget(Frame1);
    left->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    // The choices on the left and the parameters on the right are of a
    // height; the long help on the parameters runs under both, and scrolls
    // rather than push OK off a small screen.
    auto *help = new QScrollArea;
    help->setWidget(Label3);
    help->setWidgetResizable(true);
    help->setFrameShape(QFrame::NoFrame);
    help->setFocusPolicy(Qt::NoFocus);
    help->setMinimumHeight(4 * fontMetrics().height());
    auto *layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addWidget(Frame4, 0, 1, Qt::AlignTop);
    layout->addWidget(help, 1, 0, 1, 2);
    layout->addLayout(buttons, 2, 0, 1, 2);

    ShowSourceChoice();
    ShowBankParameters();
    OpenedTextKind = readCommon(Common::KeyTextKind);
    OpenedTextName = readCommon(Common::KeyTextName);
    OpenedTransMode = readCommon(Common::KeyTransMode);
}

QString Syutudai::standardBankName()
{
    return QStringLiteral("Vocamira標準1700語");
}

void Syutudai::buildSourceFrame()
{
    Frame3 = named<QGroupBox>("Frame3", QStringLiteral("問題文選択"));
    Option1 = named<QRadioButton>("Option1", QStringLiteral("標準(&H)"));
    Option2 = named<QRadioButton>("Option2", QStringLiteral("ユーザー(&U)"));
    Combo1 = listBox("Combo1", {standardBankName()});
    Combo1->setEnabled(false);
    Combo2 = listBox("Combo2");
    Combo2->setMinimumContentsLength(16);
    Label2 = named<QLabel>("Label2", QStringList{QStringLiteral("「標準(H)」：選択された標準テキストから出題"),
                                                 QStringLiteral("「ユーザー(U)」：選択されたユーザーテキストから出題"),
                                                 QString(),
                                                 QStringLiteral("※ユーザーテキストは事前にユーザーフォルダに用意して"),
                                                 QStringLiteral("　ください。")}
                                         .join(u'\n'));
    userFolderHint = named<QLabel>("userFolderHint",
                                   QStringLiteral("　ユーザーフォルダ：%1")
                                       .arg(QDir::toNativeSeparators(ProgramFolder::filePath(ProgramFolder::UserWordDir))));
    userFolderHint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long folder name wraps rather than widen the dialog past a small screen.
    userFolderHint->setWordWrap(true);

    auto *grid = new QGridLayout(Frame3);
    grid->addWidget(Option1, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Option2, 1, 0);
    grid->addWidget(Combo2, 1, 1);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(userFolderHint, 3, 0, 1, 2);

    connect(Option1, &QRadioButton::clicked, this, &Syutudai::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Syutudai::Option2_Click);
    connect(Combo2, &QComboBox::activated, this, &Syutudai::Combo2_Click);
}

void Syutudai::buildDirectionFrame()
{
    Frame1 = named<QGroupBox>("Frame1", QStringLiteral("和訳／英訳選択"));
    Label4 = named<QLabel>("Label4", QStringLiteral("和訳／英訳"));
    Combo5 = listBox("Combo5", {Common::TransModeJapanese, Common::TransModeEnglish});
    auto *row = new QHBoxLayout(Frame1);
    row->addWidget(Label4);
    row->addWidget(Combo5);
    connect(Combo5, &QComboBox::activated, this, &Syutudai::Combo5_Click);
}

void Syutudai::buildParameterFrame()
{
    Frame4 = named<QGroupBox>("Frame4", QStringLiteral("出題設定パラメータ"));
    Label1 = named<QLabel>("Label1", QStringLiteral("全問題数"));
    Text1 = named<QLineEdit>("Text1");
    Label6 = named<QLabel>("Label6", QStringLiteral("(問)"));
    Label7 = named<QLabel>("Label7", QStringLiteral("１LEVEL当たりの問題数"));
    Text2 = named<QLineEdit>("Text2");
    Label8 = named<QLabel>("Label8", QStringLiteral("(問)"));
    Label9 = named<QLabel>("Label9", QStringLiteral("最高LEVEL"));
    Text3 = named<QLineEdit>("Text3");
    Label10 = named<QLabel>("Label10", QStringLiteral("制限時間（レベル上げ）"));
    Text4 = named<QLineEdit>("Text4");
    Label11 = named<QLabel>("Label11", QStringLiteral("(秒)"));
    Label12 = named<QLabel>("Label12", QStringLiteral("制限時間（予習/復習）"));
    Text5 = named<QLineEdit>("Text5");
    Label13 = named<QLabel>("Label13", QStringLiteral("(秒)"));
    Label14 = named<QLabel>("Label14", QStringLiteral("合格点"));
    Combo3 = listBox("Combo3", {QStringLiteral("100"), QStringLiteral("90"), QStringLiteral("80"), QStringLiteral("70"),
                                QStringLiteral("60"), QStringLiteral("50"), QStringLiteral("40"), QStringLiteral("30"),
                                QStringLiteral("20"), QStringLiteral("10")});
    Label15 = named<QLabel>("Label15", QStringLiteral("(点)"));
    Label16 = named<QLabel>("Label16", QStringLiteral("強制復習モード有無"));
    Combo4 = listBox("Combo4", {Common::ForcedReviewOn, Common::ForcedReviewOff});
    Label3 = named<QLabel>("Label3", QStringList{QStringLiteral("「全問題数」：選択した問題文の内容より自動表示"),
                                                 QString(),
                                                 QStringLiteral("「１LEVEL当たりの問題数」："),
                                                 QStringLiteral("10以上の整数を入力、この中から10問ランダムに出題"),
                                                 QString(),
                                                 QStringLiteral("「最高LEVEL」：全問題数÷１LEVEL当たりの問題数で自動表示"),
                                                 QString(),
                                                 QStringLiteral("「制限時間（レベル上げ）」：10～300の整数を入力"),
                                                 QString(),
                                                 QStringLiteral("「制限時間（予習/復習）」：10～300の整数を入力"),
                                                 QString(),
                                                 QStringLiteral("「合格点」：10～100を選択して入力　※1問10点で100点満点"),
                                                 QString(),
                                                 QStringLiteral("「強制復習モード有無」：有り／無しを選択して入力")}
                                         .join(u'\n'));

    const struct
    {
        QLabel *caption;
        QWidget *field;
        QLabel *unit;
    } rows[] = {{Label1, Text1, Label6},   {Label7, Text2, Label8},   {Label9, Text3, nullptr},
                {Label10, Text4, Label11}, {Label12, Text5, Label13}, {Label14, Combo3, Label15},
                {Label16, Combo4, nullptr}};
    auto *grid = new QGridLayout(Frame4);
    // A clear gap between each caption and its field.
    grid->setHorizontalSpacing(2 * grid->horizontalSpacing() + 4);
    int line = 0;
    for (const auto &row : rows)
    {
        grid->addWidget(row.caption, line, 0);
        grid->addWidget(row.field, line, 1);
        if (row.unit)
            grid->addWidget(row.unit, line, 2);
        ++line;
    }
    for (QWidget *field : {static_cast<QWidget *>(Combo1), static_cast<QWidget *>(Text1),
                           static_cast<QWidget *>(Text2), static_cast<QWidget *>(Text3),
                           static_cast<QWidget *>(Text4), static_cast<QWidget *>(Text5), static_cast<QWidget *>(Combo3),
                           static_cast<QWidget *>(Combo4)})
        readableWhenDisabled(field);

    connect(Text2, &QLineEdit::textChanged, this, &Syutudai::Text2_Change);
}

// Each choice below runs the same handler as the learner's own click, so the
// settings file and the loaded bank follow what the dialog shows.
void Syutudai::ShowSourceChoice()
{
    if (!Common::IsUserBank())
    {
        Option1->setChecked(true);
        Option1_Click();
    }
    else
    {
        const QString textName = readCommon(Common::KeyTextName);
        Option2->setChecked(true);
        Option2_Click();
        Combo1->setCurrentIndex(-1);
        const int index = textName.isEmpty() ? -1 : Combo2->findText(textName);
        if (index >= 0)
        {
            Combo2->setCurrentIndex(index);
            Combo2_Click();
        }
    }
    Combo5->setCurrentIndex(Common::IsEnglishAnswer() ? 1 : 0);
    Combo5_Click();
}

void Syutudai::ShowBankParameters()
{
    Text1->setText(QString::number(Common::QuestionCount));
    if (!Common::IsUserBank())
    {
        // The standard bank's parameters are fixed; they are shown for information.
        Text2->setText(QStringLiteral("17"));
        // Set here: an unchanged Text2 sends no change that would set it.
        Text2_Change();
        Text4->setText(QStringLiteral("50"));
        Text5->setText(QStringLiteral("200"));
        Combo3->setCurrentIndex(Combo3->findText(QStringLiteral("80")));
        Combo4->setCurrentIndex(Combo4->findText(Common::ForcedReviewOn));
        setParametersEnabled(false);
        return;
    }

    const auto perBank = [](const QString &key) {
        return Common::ReadIniValue(Common::UserTextIni, Common::SectionSyutudai, key);
    };
    const QString numberLevel = perBank(Common::KeyNumberLevel);
    if (!numberLevel.isEmpty())
        Text2->setText(numberLevel);
    Text2_Change();
    const QString timeLimit1 = perBank(Common::KeyTimeLimit1);
    const QString timeLimit2 = perBank(Common::KeyTimeLimit2);
    Text4->setText(timeLimit1.isEmpty() ? QStringLiteral("50") : timeLimit1);
    Text5->setText(timeLimit2.isEmpty() ? QStringLiteral("200") : timeLimit2);
    selectText(Combo3, perBank(Common::KeyPointPass));
    selectText(Combo4, perBank(Common::KeyKyosei));
    setParametersEnabled(true);
}

void Syutudai::ListUserTexts()
{
    Combo2->clear();
    Combo2->addItems(Common::UserTextNames(ProgramFolder::filePath(ProgramFolder::UserWordDir)));
}

void Syutudai::setParametersEnabled(bool enabled)
{
    for (QWidget *field : {static_cast<QWidget *>(Text2), static_cast<QWidget *>(Text4),
                           static_cast<QWidget *>(Text5), static_cast<QWidget *>(Combo3),
                           static_cast<QWidget *>(Combo4)})
        field->setEnabled(enabled);
    Text1->setEnabled(false);
    Text3->setEnabled(false);
}

void Syutudai::clearParameters()
{
    for (QLineEdit *text : {Text1, Text2, Text3, Text4, Text5})
        text->clear();
    Combo3->setCurrentIndex(-1);
    Combo4->setCurrentIndex(-1);
}

void Syutudai::Option1_Click()
{
    Option1->setChecked(true);
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(-1);
    Combo2->setEnabled(false);
    writeCommon(Common::KeyTextKind, Common::TextKindStandard);
    Common::LoadQuestions();
    ShowBankParameters();
}

// Nothing is written or loaded until a user bank is chosen from the list.
void Syutudai::Option2_Click()
{
    Option2->setChecked(true);
    Combo1->setCurrentIndex(-1);
    Combo1->setEnabled(false);
    ListUserTexts();
    Combo2->setCurrentIndex(-1);
    Combo2->setEnabled(true);
    clearParameters();
}

void Syutudai::Combo2_Click()
{
    if (Combo2->currentIndex() < 0 || !Option2->isChecked())
        return;
    // A name the settings file gives back changed ("mine " as "mine") would
    // name another bank, with its questions, settings and records; a line
    // break would add a line of its own to the file.
    const QString name = Combo2->currentText();
    if (!IniFile::readsBackUnchanged(name))
    {
        Message::show(QStringLiteral("「%1」は設定ファイルにそのまま保存できない名前のため選択できません"
                                     "（前後の空白、改行などの制御文字、保存できない文字）。\n"
                                     "ファイル名を変えてから選択してください。")
                          .arg(name),
                      Message::Kind::Warning);
        Combo2->setCurrentIndex(-1);
        return;
    }
    Combo1->setCurrentIndex(-1);
    writeCommon(Common::KeyTextKind, Common::TextKindUser);
    writeCommon(Common::KeyTextName, name);
    Common::LoadQuestions();
    ShowBankParameters();
}

void Syutudai::Combo5_Click()
{
    writeCommon(Common::KeyTransMode, Combo5->currentText());
    Common::LoadQuestions();
    ShowBankParameters();
}

// Anything but a positive whole number leaves the LEVEL count empty.
void Syutudai::Text2_Change()
{
    Text3->setText(Common::LevelCountText(Text1->text(), Text2->text()));
}

void Syutudai::Command1_Click()
{
    Common::SyutudaiFields fields;
    fields.standardChosen = Option1->isChecked();
    fields.standardName = Combo1->currentText();
    fields.userChosen = Option2->isChecked();
    fields.userName = Combo2->currentText();
    fields.questionCount = Text1->text();
    fields.questionsPerLevel = Text2->text();
    fields.timeLimitChallenge = Text4->text();
    fields.timeLimitStudy = Text5->text();
    fields.passPointChosen = Combo3->currentIndex() >= 0;
    fields.forcedReviewChosen = Combo4->currentIndex() >= 0;
    const QString failed = Common::FirstFailedCheck(fields);
    if (!failed.isEmpty())
    {
        Message::show(failed, Message::Kind::Warning);
        return;
    }
    if (!saveSettings())
        return;
    emit saved();
    Message::show(QStringLiteral("設定を保存しました"));
    accept();
}

bool Syutudai::saveSettings()
{
    const bool user = Option2->isChecked();
    struct Setting
    {
        int kind;
        QString key;
        QString value;
    };
    QList<Setting> settings {
        {Common::CommonIni, Common::KeyTextKind, user ? Common::TextKindUser : Common::TextKindStandard},
        {Common::CommonIni, Common::KeyTextName, user ? Combo2->currentText() : Combo1->currentText()},
        {Common::CommonIni, Common::KeyTransMode, Combo5->currentText()},
    };
    // Stored exactly as typed: "0050" stays "0050".
    if (user)
        settings += {{Common::UserTextIni, Common::KeyNumberLevel, Text2->text()},
                     {Common::UserTextIni, Common::KeyTimeLimit1, Text4->text()},
                     {Common::UserTextIni, Common::KeyTimeLimit2, Text5->text()},
                     {Common::UserTextIni, Common::KeyPointPass, Combo3->currentText()},
                     {Common::UserTextIni, Common::KeyKyosei, Combo4->currentText()}};
    // The first failure stops the save: one message, and the dialog stays
    // open with what the learner chose.
    for (const Setting &setting : std::as_const(settings))
    {
        if (!Common::StoreIniValue(setting.kind, Common::SectionSyutudai, setting.key, setting.value))
        {
            const QString path = setting.kind == Common::CommonIni ? Common::CommonIniPath() : Common::UserTextIniPath();
            Message::show(QStringLiteral("設定ファイルに書き込めなかったため、設定を保存できませんでした。\n%1")
                              .arg(QDir::toNativeSeparators(path)));
            return false;
        }
    }
    Common::LoadTestSettings();
    Common::LoadRecords();
    return true;
}

void Syutudai::reject()
{
    writeCommon(Common::KeyTextKind, OpenedTextKind);
    writeCommon(Common::KeyTextName, OpenedTextName);
    writeCommon(Common::KeyTransMode, OpenedTransMode);
    Common::LoadQuestions();
    QDialog::reject();
}
