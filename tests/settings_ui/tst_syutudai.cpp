#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "bank/questions.h"
#include "records/recordsstore.h"
#include "settings_ui/syutudai.h"
#include "testsupport.h"

namespace
{
    const QString Saved = QStringLiteral("設定を保存しました");

    QStringList userBankLines(int count)
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("prompt%1").arg(i) << QStringLiteral("answer%1").arg(i)
                  << QStringLiteral("keys%1").arg(i);
        return lines;
    }

    template <typename Widget>
    Widget *child(QDialog &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    // Chooses an entry as the learner does, with the keyboard.
    void choose(QComboBox *combo, const QString &text)
    {
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), index);
    }

    void type(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        for (QChar c : text)
        {
            if (c.unicode() < 0x80)
                QTest::keyClick(field, c.toLatin1());
            else // full-width characters have no key of their own
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    QString perBank(const QString &key)
    {
        return Common::ReadIniValue(Common::UserTextIni, Common::SectionSyutudai, key);
    }

    QString common(const QString &key)
    {
        return Common::ReadIniValue(Common::CommonIni, Common::SectionSyutudai, key);
    }
}

class TestSyutudai : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void standardBankShowsItsFixedParameters();
    void userBankListAndDefaults();
    void questionsPerLevel_data();
    void questionsPerLevel();
    void checksReportInFieldOrder();
    void okStoresTextsAsTypedAndReloads();
    void cancelRestoresTheBank();
    void closeBoxIsCancel();
    void directionChoiceReloadsTheBank();
    void nameTheSettingsCannotHoldIsRefused_data();
    void nameTheSettingsCannotHoldIsRefused();
    void standardBankShowsItsOwnLevelCount();
    void failedWriteIsNoSuccess_data();
    void failedWriteIsNoSuccess();

private:
    // Opens on the standard bank (34 questions) with a user bank "mine" of 25.
    std::unique_ptr<Syutudai> openWithUserBank();

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestSyutudai::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_folder->writeStandardBank(34);
    ProgramFolderFixture::writeFile(m_folder->filePath(ProgramFolder::UserWordDir, QStringLiteral("mine.txt")),
                                    userBankLines(25).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    ProgramFolderFixture::writeFile(m_folder->filePath(ProgramFolder::UserWordDir, QStringLiteral("big.txt")),
                                    userBankLines(60).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
}

void TestSyutudai::cleanup()
{
    m_folder.reset();
}

std::unique_ptr<Syutudai> TestSyutudai::openWithUserBank()
{
    auto dialog = std::make_unique<Syutudai>();
    dialog->show();
    QTest::keyClick(dialog->Option2, Qt::Key_Space);
    choose(dialog->Combo2, QStringLiteral("mine"));
    return dialog;
}

void TestSyutudai::standardBankShowsItsFixedParameters()
{
    Syutudai dialog;
    QVERIFY(child<QRadioButton>(dialog, "Option1")->isChecked());
    auto *combo1 = child<QComboBox>(dialog, "Combo1");
    QCOMPARE(combo1->currentText(), Syutudai::standardBankName());
    QVERIFY(!combo1->isEnabled());
    QVERIFY(!child<QComboBox>(dialog, "Combo2")->isEnabled());
    QCOMPARE(child<QComboBox>(dialog, "Combo5")->currentText(), QStringLiteral("和訳"));

    const QStringList names{"Text1", "Text2", "Text3", "Text4", "Text5"};
    const QStringList values{"34", "17", "2", "50", "200"};
    for (qsizetype i = 0; i < names.size(); ++i)
    {
        auto *field = child<QLineEdit>(dialog, qPrintable(names[i]));
        QCOMPARE(field->text(), values[i]);
        QVERIFY(!field->isEnabled());
        // Not editable, yet drawn in the ink of an editable field.
        QCOMPARE(field->palette().color(QPalette::Disabled, QPalette::Text),
                 field->palette().color(QPalette::Active, QPalette::Text));
    }
    QCOMPARE(dialog.Combo3->currentText(), QStringLiteral("80"));
    QCOMPARE(dialog.Combo4->currentText(), QStringLiteral("有り"));
    QVERIFY(!dialog.Combo3->isEnabled() && !dialog.Combo4->isEnabled());

    dialog.show();
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(m_folder->messages(), QStringList{Saved});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindStandard);
    QCOMPARE(common(Common::KeyTextName), Syutudai::standardBankName());
    QCOMPARE(common(Common::KeyTransMode), QStringLiteral("和訳"));
    QVERIFY(!QFile::exists(m_folder->filePath(ProgramFolder::UserIniDir, Syutudai::standardBankName() + ".ini")));
}

void TestSyutudai::userBankListAndDefaults()
{
    ProgramFolderFixture::writeFile(m_folder->filePath(ProgramFolder::UserWordDir, QStringLiteral("ab")), "x");
    auto dialog = openWithUserBank();
    QCOMPARE(dialog->Combo2->count(), 2);
    QCOMPARE(dialog->Combo2->itemText(0), QStringLiteral("big"));
    QVERIFY(dialog->Combo2->isEnabled());
    QCOMPARE(dialog->Combo1->currentIndex(), -1);
    QVERIFY(dialog->Label2->text().endsWith(QStringLiteral("ユーザーフォルダに用意して\n　ください。")));
    QVERIFY(child<QLabel>(*dialog, "userFolderHint")
                ->text()
                .endsWith(QDir::toNativeSeparators(m_folder->filePath(ProgramFolder::UserWordDir, {})).chopped(1)));
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindUser);
    QCOMPARE(common(Common::KeyTextName), QStringLiteral("mine"));
    QCOMPARE(Common::QuestionCount, 25);

    QCOMPARE(dialog->Text1->text(), QStringLiteral("25"));
    QCOMPARE(dialog->Text2->text(), QString());
    QCOMPARE(dialog->Text3->text(), QString());
    QCOMPARE(dialog->Text4->text(), QStringLiteral("50"));
    QCOMPARE(dialog->Text5->text(), QStringLiteral("200"));
    QCOMPARE(dialog->Combo3->currentIndex(), -1);
    QCOMPARE(dialog->Combo4->currentIndex(), -1);
    QVERIFY(dialog->Text2->isEnabled() && !dialog->Text1->isEnabled() && !dialog->Text3->isEnabled());

    type(dialog->Text2, QStringLiteral("12"));
    QCOMPARE(dialog->Text3->text(), QStringLiteral("2"));
    type(dialog->Text2, QStringLiteral("1x"));
    QCOMPARE(dialog->Text3->text(), QString());
    type(dialog->Text2, QStringLiteral("0"));
    QCOMPARE(dialog->Text3->text(), QString());
    QVERIFY(m_folder->messages().isEmpty());
}

void TestSyutudai::questionsPerLevel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("１LEVEL当たりの問題数には10～全問題数の間の整数を入力してください");
    QTest::newRow("10") << "10" << Saved;
    QTest::newRow("25") << "25" << Saved;
    QTest::newRow("9") << "9" << range;
    QTest::newRow("26") << "26" << range;
    QTest::newRow("blank inside") << "1 0" << range;
    QTest::newRow("full-width") << "１０" << range;
    QTest::newRow("eight digits") << "12345678" << range;
    QTest::newRow("empty") << "" << QStringLiteral("１LEVEL当たりの問題数を入力してください");
}

void TestSyutudai::questionsPerLevel()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);

    auto dialog = openWithUserBank();
    type(dialog->Text2, typed);
    choose(dialog->Combo3, QStringLiteral("80"));
    choose(dialog->Combo4, QStringLiteral("無し"));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QCOMPARE(m_folder->messages(), QStringList{message});
    const bool saved = message == Saved;
    // A refused entry is a warning; the saved settings are a notice.
    QCOMPARE(m_folder->warnings(), saved ? QStringList() : QStringList{message});
    QCOMPARE(dialog->isVisible(), !saved);
    QCOMPARE(perBank(Common::KeyNumberLevel), saved ? typed : QString());
    QCOMPARE(dialog->Text2->text(), typed);
}

void TestSyutudai::checksReportInFieldOrder()
{
    auto dialog = openWithUserBank();
    type(dialog->Text4, QStringLiteral("301"));
    type(dialog->Text5, QString());

    const auto pressOk = [&] {
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        return m_folder->takeMessages();
    };
    QCOMPARE(pressOk(), QStringList{"１LEVEL当たりの問題数を入力してください"});
    type(dialog->Text2, QStringLiteral("10"));
    QCOMPARE(pressOk(), QStringList{"制限時間（レベル上げ）には10～300の間の整数を入力してください"});
    type(dialog->Text4, QStringLiteral("300"));
    QCOMPARE(pressOk(), QStringList{"制限時間（予習/復習）を入力してください"});
    type(dialog->Text5, QStringLiteral("10"));
    QCOMPARE(pressOk(), QStringList{"合格点を選択してください"});
    choose(dialog->Combo3, QStringLiteral("100"));
    QCOMPARE(pressOk(), QStringList{"強制モード有無を選択してください"});
    QVERIFY(!QFile::exists(Common::UserTextIniPath()));
    choose(dialog->Combo4, QStringLiteral("有り"));
    QCOMPARE(pressOk(), QStringList{Saved});

    // With Option2 on and no bank chosen yet.
    Syutudai again;
    again.show();
    QTest::keyClick(again.Option2, Qt::Key_Space);
    QTest::mouseClick(again.Command1, Qt::LeftButton);
    QCOMPARE(m_folder->takeMessages(), QStringList{"問題文（ユーザー）を選択してください"});
}

void TestSyutudai::okStoresTextsAsTypedAndReloads()
{
    // Records of "big" from an earlier session: LEVEL 2 held.
    m_folder->setCommon(Common::KeyTextKind, Common::TextKindUser);
    m_folder->setCommon(Common::KeyTextName, QStringLiteral("big"));
    Common::LevelCount = 6;
    Common::LevelRecords = QList<Common::LevelRecord>(7);
    Common::CurrentLevel = 2;
    Common::HighestLevel = 2;
    QVERIFY(Common::SaveRecords());
    m_folder->setCommon(Common::KeyTextKind, Common::TextKindStandard);
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
    QCOMPARE(Common::CurrentLevel, 0);

    auto dialog = std::make_unique<Syutudai>();
    dialog->show();
    QTest::keyClick(dialog->Option2, Qt::Key_Space);
    choose(dialog->Combo2, QStringLiteral("big"));
    type(dialog->Text2, QStringLiteral("0020"));
    type(dialog->Text4, QStringLiteral("0050"));
    type(dialog->Text5, QStringLiteral("120"));
    choose(dialog->Combo3, QStringLiteral("70"));
    choose(dialog->Combo4, QStringLiteral("無し"));
    // Not reloaded before OK: the parameters still belong to the standard bank.
    QCOMPARE(Common::QuestionsPerLevel, 17);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QCOMPARE(m_folder->messages(), QStringList{Saved});
    QCOMPARE(perBank(Common::KeyNumberLevel), QStringLiteral("0020"));
    QCOMPARE(perBank(Common::KeyTimeLimit1), QStringLiteral("0050"));
    QCOMPARE(perBank(Common::KeyTimeLimit2), QStringLiteral("120"));
    QCOMPARE(perBank(Common::KeyPointPass), QStringLiteral("70"));
    QCOMPARE(perBank(Common::KeyKyosei), QStringLiteral("無し"));
    QCOMPARE(Common::QuestionsPerLevel, 20);
    QCOMPARE(Common::LevelCount, 3);
    QCOMPARE(Common::TimeLimitChallenge, 50);
    QCOMPARE(Common::TimeLimitStudy, 120);
    QCOMPARE(Common::PassPoint, 70);
    QCOMPARE(Common::ForcedReview, QStringLiteral("無し"));
    QCOMPARE(Common::CurrentLevel, 2);

    // Opening again shows what was saved.
    m_folder->takeMessages();
    Syutudai again;
    QVERIFY(again.Option2->isChecked());
    QCOMPARE(again.Combo2->currentText(), QStringLiteral("big"));
    QCOMPARE(again.Text2->text(), QStringLiteral("0020"));
    QCOMPARE(again.Text3->text(), QStringLiteral("3"));
    QCOMPARE(again.Text4->text(), QStringLiteral("0050"));
    QCOMPARE(again.Combo3->currentText(), QStringLiteral("70"));
    QCOMPARE(again.Combo4->currentText(), QStringLiteral("無し"));
}

void TestSyutudai::cancelRestoresTheBank()
{
    m_folder->setCommon(Common::KeyTextName, Syutudai::standardBankName());
    auto dialog = std::make_unique<Syutudai>();
    const QByteArray settings = ProgramFolderFixture::readFile(Common::CommonIniPath());
    dialog->show();
    QTest::keyClick(dialog->Option2, Qt::Key_Space);
    choose(dialog->Combo2, QStringLiteral("mine"));
    choose(dialog->Combo5, QStringLiteral("英訳"));
    QCOMPARE(Common::QuestionCount, 25);
    QCOMPARE(common(Common::KeyTransMode), QStringLiteral("英訳"));

    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(ProgramFolderFixture::readFile(Common::CommonIniPath()), settings);
    QCOMPARE(Common::QuestionCount, 34);
    QCOMPARE(Common::QuestionBank.first().Prompt, QStringLiteral("word0"));
    QCOMPARE(Common::QuestionsPerLevel, 17);
    QVERIFY(m_folder->messages().isEmpty());
}

void TestSyutudai::closeBoxIsCancel()
{
    m_folder->setCommon(Common::KeyTextKind, Common::TextKindUser);
    m_folder->setCommon(Common::KeyTextName, QStringLiteral("mine"));
    Common::LoadQuestions();
    auto dialog = std::make_unique<Syutudai>();
    QVERIFY(dialog->Option2->isChecked());
    QCOMPARE(dialog->Combo2->currentText(), QStringLiteral("mine"));
    const QByteArray settings = ProgramFolderFixture::readFile(Common::CommonIniPath());

    dialog->show();
    QTest::keyClick(dialog->Option1, Qt::Key_Space);
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindStandard);
    QCOMPARE(Common::QuestionCount, 34);
    QVERIFY(dialog->close());

    QCOMPARE(ProgramFolderFixture::readFile(Common::CommonIniPath()), settings);
    QCOMPARE(Common::QuestionCount, 25);
}

void TestSyutudai::directionChoiceReloadsTheBank()
{
    Syutudai dialog;
    dialog.show();
    choose(dialog.Combo5, QStringLiteral("英訳"));
    QCOMPARE(common(Common::KeyTransMode), QStringLiteral("英訳"));
    QCOMPARE(Common::QuestionBank.first().Prompt, QStringLiteral("意味0"));
    choose(dialog.Combo5, QStringLiteral("和訳"));
    QCOMPARE(Common::QuestionBank.first().Prompt, QStringLiteral("word0"));
}

void TestSyutudai::nameTheSettingsCannotHoldIsRefused_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("not in code page 932") << QStringLiteral("😀");
    QTest::newRow("blank at the end") << QStringLiteral("mine ");
    QTest::newRow("blank at the start") << QStringLiteral(" mine");
    QTest::newRow("tab") << QStringLiteral("mine\t");
    QTest::newRow("line break") << QStringLiteral("z\n[SYUTUDAI]");
}

// A name that the settings file would give back changed is refused at once:
// "mine " would come back as "mine", another bank with its own records.
void TestSyutudai::nameTheSettingsCannotHoldIsRefused()
{
    QFETCH(QString, name);
    // The only bank of the list, so choosing it passes no other.
    QDir(m_folder->filePath(ProgramFolder::UserWordDir, {})).removeRecursively();
    QVERIFY(QDir().mkpath(m_folder->filePath(ProgramFolder::UserWordDir, {})));
    ProgramFolderFixture::writeFile(m_folder->filePath(ProgramFolder::UserWordDir, name + QStringLiteral(".txt")),
                                    userBankLines(25).join(QStringLiteral("\r\n")).toUtf8());
    Syutudai dialog;
    dialog.show();
    QTest::keyClick(dialog.Option2, Qt::Key_Space);
    QCOMPARE(dialog.Combo2->itemText(0), name);
    QTest::keyClick(dialog.Combo2, Qt::Key_Home);

    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("「%1」").arg(name)));
    QCOMPARE(dialog.Combo2->currentIndex(), -1);
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindStandard);
    QCOMPARE(Common::QuestionCount, 34);
}

// From a user bank of 17 questions per LEVEL to the standard bank: Text2
// reads "17" before and after, and 最高LEVEL must still follow the bank.
void TestSyutudai::standardBankShowsItsOwnLevelCount()
{
    auto dialog = openWithUserBank();
    type(dialog->Text2, QStringLiteral("17"));
    QCOMPARE(dialog->Text3->text(), QStringLiteral("1"));

    QTest::keyClick(dialog->Option1, Qt::Key_Space);

    QCOMPARE(dialog->Text2->text(), QStringLiteral("17"));
    QCOMPARE(dialog->Text3->text(), QStringLiteral("2"));
}

void TestSyutudai::failedWriteIsNoSuccess_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("blocked");

    QTest::newRow("standard bank, common file") << false << QStringLiteral("ini/tst.ini");
    QTest::newRow("user bank, common file") << true << QStringLiteral("ini/tst.ini");
    QTest::newRow("user bank, its own file") << true << QStringLiteral("ini/ユーザーテキスト/mine.ini");
}

// A settings file that cannot be written (a folder stands in its place) gets
// one message, and the dialog stays open without claiming success.
void TestSyutudai::failedWriteIsNoSuccess()
{
    QFETCH(bool, user);
    QFETCH(QString, blocked);
    std::unique_ptr<Syutudai> dialog = user ? openWithUserBank() : std::make_unique<Syutudai>();
    dialog->show();
    if (user)
    {
        type(dialog->Text2, QStringLiteral("10"));
        choose(dialog->Combo3, QStringLiteral("70"));
        choose(dialog->Combo4, QStringLiteral("無し"));
    }
    const QString path = m_folder->path() + u'/' + blocked;
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    m_folder->takeMessages();

    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QDir::toNativeSeparators(path)));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), 0);
}

QTEST_MAIN(TestSyutudai)
#include "tst_syutudai.moc"
