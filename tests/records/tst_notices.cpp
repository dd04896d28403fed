#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "records/endmessage.h"
#include "records/entryname.h"
#include "records/kyosei.h"
#include "records/max.h"
#include "records/max2.h"
#include "records/recordsstore.h"
#include "testsupport.h"
#include "testsupport_ui.h"

namespace
{
    QString textOf(QWidget &window, const QString &name)
    {
        if (auto *label = window.findChild<QLabel *>(name))
            return label->text();
        if (auto *button = window.findChild<QPushButton *>(name))
            return button->text();
        qFatal("no control %s", qPrintable(name));
    }

    void clickOk(QDialog &dialog)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    }
}

class TestNotices : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fixedTexts_data();
    void fixedTexts();
    void endMessageOpensTheResultView_data();
    void endMessageOpensTheResultView();
    void emptyNameIsAskedAgain();
    void nameTheRecordsCannotHoldIsRefused_data();
    void nameTheRecordsCannotHoldIsRefused();
    void nameIsStoredAsTypedAndTheCertificateFollows_data();
    void nameIsStoredAsTypedAndTheCertificateFollows();
    void failedSaveKeepsTheNameForTheNextSave();
    void closeBoxStoresNothingButShowsTheCertificate();
    void certificate_data();
    void certificate();
    void certificateShowsTheNameAsTyped();

private:
    // Opens the name entry, puts `name` in the field and presses OK; true
    // when the entry closed.
    bool enterName(const QString &name);
    QString recordsFile() const { return Common::RecordDataPath(); }

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<ModalRecorder> m_modal;
    QWidget m_owner;
};

void TestNotices::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_modal = std::make_unique<ModalRecorder>();
    m_folder->setCommon(Common::KeyTextKind, Common::TextKindStandard);
    m_folder->setCommon(Common::KeyTransMode, Common::TransModeJapanese);
    Common::LevelCount = 3;
    Common::CurrentLevel = 3;
    Common::HighestLevel = 3;
    Common::LevelRecords = QList<Common::LevelRecord>(4);
}

void TestNotices::cleanup()
{
    m_modal.reset();
    m_folder.reset();
}

void TestNotices::fixedTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");

    QTest::newRow("EndMessage") << "EndMessage" << "Label1" << QStringLiteral("テスト終了！");
    QTest::newRow("Kyosei, trailing full-width blank")
        << "Kyosei" << "Label4" << QStringLiteral("あっ，ちなみに合格しないとレベル下がりますんで・・・　");
    QTest::newRow("Kyosei, trailing blank") << "Kyosei" << "Label6" << QStringLiteral("がんばってね～　ヾ(^_^) ");
    QTest::newRow("Kyosei, button") << "Kyosei" << "OKButton" << QStringLiteral("OK以外に道は無いのだ");
    QTest::newRow("EntryName") << "EntryName" << "Label3" << QStringLiteral("氏名を入力→");
    QTest::newRow("Max") << "Max" << "Label6" << QStringLiteral("「Vocamira」制作者");
    QTest::newRow("Max2, line break and empty line")
        << "Max2" << "Label2" << QStringLiteral("せっかく獲得した記憶です\n\n完全定着まで復習を続けましょう！");
}

void TestNotices::fixedTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);

    std::unique_ptr<QDialog> dialog;
    if (window == QStringLiteral("EndMessage"))
        dialog = std::make_unique<EndMessage>(TestOutcome {}, &m_owner);
    else if (window == QStringLiteral("Kyosei"))
        dialog = std::make_unique<Kyosei>(&m_owner);
    else if (window == QStringLiteral("Max2"))
        dialog = std::make_unique<Max2>(&m_owner);
    else if (window == QStringLiteral("Max"))
        dialog = std::make_unique<Max>(&m_owner);
    else
        dialog = std::make_unique<EntryName>(&m_owner);

    QCOMPARE(dialog->windowTitle(), QStringLiteral("Vocamira"));
    QCOMPARE(dialog->parentWidget(), &m_owner);
    QCOMPARE(textOf(*dialog, control), text);
}

void TestNotices::endMessageOpensTheResultView_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("OK") << false;
    QTest::newRow("close box") << true;
}

// The result view opens from the notice's own close, after the notice is
// hidden and before the caller's wait ends, owned by the same window.
void TestNotices::endMessageOpensTheResultView()
{
    QFETCH(bool, closeBox);
    TestOutcome outcome;
    outcome.score = 70;
    EndMessage notice(outcome, &m_owner);
    bool checked = false;
    m_modal->answer(QStringLiteral("EndMessage"), [closeBox](QDialog &dialog) {
        if (closeBox)
            dialog.close();
        else
            clickOk(dialog);
    });
    m_modal->answer(QStringLiteral("Result"), [&](QDialog &view) {
        QVERIFY(!notice.isVisible());
        QCOMPARE(view.parentWidget(), &m_owner);
        QCOMPARE(textOf(view, QStringLiteral("Label14")), QStringLiteral("70点"));
        checked = true;
        view.close();
    });

    Modal::exec(notice);

    QCOMPARE(m_modal->shown(), (QStringList {"EndMessage", "Result"}));
    QVERIFY(checked);
}

bool TestNotices::enterName(const QString &name)
{
    EntryName entry(&m_owner);
    entry.show();
    auto *field = entry.findChild<QLineEdit *>(QStringLiteral("Text1"));
    field->setText(name);
    clickOk(entry);
    return !entry.isVisible();
}

void TestNotices::emptyNameIsAskedAgain()
{
    Common::CertificateName = QStringLiteral("前の名前");
    EntryName entry(&m_owner);
    entry.show();
    auto *field = entry.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QCOMPARE(entry.focusWidget(), field);
    entry.findChild<QPushButton *>(QStringLiteral("OKButton"))->setFocus();

    clickOk(entry);

    QCOMPARE(m_folder->messages(), QStringList {QStringLiteral("氏名を入力して下さい")});
    QVERIFY(entry.isVisible());
    QCOMPARE(entry.focusWidget(), field);
    QCOMPARE(Common::CertificateName, QStringLiteral("前の名前"));
    QVERIFY(!QFile::exists(recordsFile()));
    QVERIFY(m_modal->shown().isEmpty());
}

void TestNotices::nameTheRecordsCannotHoldIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refused");

    QTest::newRow("double quote") << QStringLiteral("山田\"太郎") << QStringLiteral("\"");
    QTest::newRow("emoji") << QStringLiteral("たろう😀") << QStringLiteral("😀");
    QTest::newRow("accented letter") << QStringLiteral("Zoé") << QStringLiteral("é");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("U+0009");
}

// A name the records file would give back changed is refused at entry,
// naming the character; nothing is stored and the entry stays open.
void TestNotices::nameTheRecordsCannotHoldIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, refused);
    Common::CertificateName = QStringLiteral("前の名前");

    QVERIFY(!enterName(name));

    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY2(m_folder->messages().first().contains(u'「' + refused + u'」'), qPrintable(m_folder->messages().first()));
    QCOMPARE(Common::CertificateName, QStringLiteral("前の名前"));
    QVERIFY(!Common::CertificateDate.isValid());
    QVERIFY(!QFile::exists(recordsFile()));
    QVERIFY(m_modal->shown().isEmpty());
}

void TestNotices::nameIsStoredAsTypedAndTheCertificateFollows_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("with blanks") << QStringLiteral(" 山田 太郎 ");
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("full-width blank") << QStringLiteral("　");
    QTest::newRow("comma and apostrophe") << QStringLiteral("O'Brien, Jr.");
    QTest::newRow("wave dash and half-width kana") << QStringLiteral("ﾔﾏﾀﾞ～花子");
}

void TestNotices::nameIsStoredAsTypedAndTheCertificateFollows()
{
    QFETCH(QString, name);
    QString certificateName;
    m_modal->answer(QStringLiteral("Max"), [&](QDialog &certificate) {
        QCOMPARE(certificate.parentWidget(), &m_owner);
        certificateName = textOf(certificate, QStringLiteral("Label5"));
        clickOk(certificate);
    });
    EntryName entry(&m_owner);
    entry.show();
    auto *field = entry.findChild<QLineEdit *>(QStringLiteral("Text1"));

    field->setText(name);
    QTest::keyClick(field, Qt::Key_Return);

    QVERIFY(!entry.isVisible());
    QVERIFY(m_folder->messages().isEmpty());
    QCOMPARE(Common::CertificateName, name);
    QCOMPARE(Common::CertificateDate, QDate::currentDate());
    QCOMPARE(m_modal->shown(), QStringList {QStringLiteral("Max")});
    QCOMPARE(certificateName, name + QStringLiteral(" 殿"));

    // What was saved reads back the same.
    Common::CertificateName.clear();
    Common::CertificateDate = {};
    Common::LoadRecords();
    QVERIFY(m_folder->messages().isEmpty());
    QCOMPARE(Common::CertificateName, name);
    QCOMPARE(Common::CertificateDate, QDate::currentDate());
    QCOMPARE(Common::CurrentLevel, 3);
}

// The learner has been told by the records store; the name stays in memory,
// goes out with the next save, and the certificate is still shown.
void TestNotices::failedSaveKeepsTheNameForTheNextSave()
{
    QVERIFY(QDir(m_folder->path()).rmdir(ProgramFolder::StandardRecordDir));

    QVERIFY(enterName(QStringLiteral("山田 太郎")));

    QCOMPARE(m_folder->messages().size(), 1);
    QCOMPARE(Common::CertificateName, QStringLiteral("山田 太郎"));
    QCOMPARE(m_modal->shown(), QStringList {QStringLiteral("Max")});
}

void TestNotices::closeBoxStoresNothingButShowsTheCertificate()
{
    Common::CertificateName = QStringLiteral("前の名前");
    Common::CertificateDate = QDate(2004, 11, 1);
    QString certificateDay;
    m_modal->answer(QStringLiteral("Max"), [&](QDialog &certificate) {
        certificateDay = textOf(certificate, QStringLiteral("Label3"));
        certificate.close();
    });
    EntryName entry(&m_owner);
    entry.show();
    entry.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("新しい名前"));

    entry.close();

    QCOMPARE(m_modal->shown(), QStringList {QStringLiteral("Max")});
    QCOMPARE(certificateDay, QStringLiteral("2004年11月1日"));
    QCOMPARE(Common::CertificateName, QStringLiteral("前の名前"));
    QVERIFY(!QFile::exists(recordsFile()));
    QVERIFY(m_folder->messages().isEmpty());
}

void TestNotices::certificate_data()
{
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("wording");

    const QString wayaku = QStringLiteral("あなたは「Vocamira」の和訳部門において最高レベルに到達なさいました。");
    const QString eiyaku = QStringLiteral("あなたは「Vocamira」の英訳部門において最高レベルに到達なさいました。");
    QTest::newRow("和訳, no leading zeros") << "和訳" << QDate(2004, 11, 1) << "2004年11月1日" << wayaku;
    QTest::newRow("英訳") << "英訳" << QDate(2023, 1, 9) << "2023年1月9日" << eiyaku;
    QTest::newRow("any other direction reads 和訳") << "" << QDate(2024, 12, 31) << "2024年12月31日" << wayaku;
    QTest::newRow("never awarded: no day") << "和訳" << QDate() << "" << wayaku;
}

void TestNotices::certificate()
{
    QFETCH(QString, transMode);
    QFETCH(QDate, date);
    QFETCH(QString, day);
    QFETCH(QString, wording);
    m_folder->setCommon(Common::KeyTransMode, transMode);
    Common::CertificateName = QStringLiteral("山田 太郎");
    Common::CertificateDate = date;

    Max certificate(&m_owner);

    QCOMPARE(textOf(certificate, QStringLiteral("Label5")), QStringLiteral("山田 太郎 殿"));
    QCOMPARE(textOf(certificate, QStringLiteral("Label3")), day);
    QCOMPARE(textOf(certificate, QStringLiteral("Label2")), wording);
    QCOMPARE(textOf(certificate, QStringLiteral("OKButton")), QStringLiteral("閉じる"));
}

void TestNotices::certificateShowsTheNameAsTyped()
{
    Common::CertificateName = QStringLiteral("<b>山田</b>");
    Max certificate(&m_owner);
    QCOMPARE(textOf(certificate, QStringLiteral("Label5")), QStringLiteral("<b>山田</b> 殿"));
    QCOMPARE(labelsShowingMarkup(certificate), QStringList());
}

QTEST_MAIN(TestNotices)
#include "tst_notices.moc"
