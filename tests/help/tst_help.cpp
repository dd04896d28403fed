#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "help/bookguide.h"
#include "help/clicklabel.h"
#include "help/links.h"
#include "help/openurl.h"
#include "help/pageopener.h"
#include "help/readme.h"
#include "help/readmeviewer.h"
#include "help/versioninfo.h"
#include "core/cp932.h"
#include "help/bookcover.h"
#include "testsupport.h"

#include <QApplication>
#include <QPlainTextEdit>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openUrl_data();
    void openUrl();
    void failingBrowserIsTold();
    void readMeOpensTheProgramFoldersFile();
    void readMeProblemsAreTold();
    void readMeWithoutAnEditor_data();
    void readMeWithoutAnEditor();
    void bookGuide();
    void versionInfo();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
    QList<QUrl> m_opened;
    bool m_openerWorks = true;
    bool m_hasEditor = true;
};

void TestHelp::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_opened.clear();
    m_openerWorks = true;
    m_hasEditor = true;
    PageOpener::setHandler([this](const QUrl &url) {
        m_opened.append(url);
        return m_openerWorks;
    });
    PageOpener::setEditorCheck([this] { return m_hasEditor; });
}

void TestHelp::cleanup()
{
    // A viewer left open by a test must not outlive its folder.
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == u"ReadMeViewer")
            delete window;
    PageOpener::setHandler({});
    PageOpener::setEditorCheck({});
    m_folder.reset();
}

void TestHelp::openUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("message");

    QTest::newRow("url alone") << "https://example.org/a?b=1" << "" << "https://example.org/a?b=1" << "";
    QTest::newRow("url and suffix") << "https://example.org/" << "item/42" << "https://example.org/item/42" << "";
    QTest::newRow("nothing") << "" << "" << "" << "ＵＲＬが設定されていません";
    QTest::newRow("suffix only") << "" << "item/42" << "" << "パスが設定されていません";
}

void TestHelp::openUrl()
{
    QFETCH(QString, url);
    QFETCH(QString, suffix);
    QFETCH(QString, opened);
    QFETCH(QString, message);

    OpenUrl(url, suffix);
    QCOMPARE(m_opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
    QCOMPARE(m_folder->messages(), message.isEmpty() ? QStringList() : QStringList{message});
}

void TestHelp::failingBrowserIsTold()
{
    m_openerWorks = false;
    OpenUrl(QStringLiteral("https://example.org/"), QString());
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("https://example.org/")));
}

void TestHelp::readMeOpensTheProgramFoldersFile()
{
    // A folder with blanks in its path still reaches the editor whole.
    QTemporaryDir parent;
    const QString folder = parent.path() + QStringLiteral("/My Programs/Vocamira");
    QVERIFY(QDir().mkpath(folder));
    ProgramFolderFixture::writeFile(folder + QStringLiteral("/readme.txt"), "Vocamira\r\n");
    ProgramFolder::setPath(folder);

    OpenReadMe();
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_opened.first().isLocalFile());
    QCOMPARE(m_opened.first().toLocalFile(), folder + QStringLiteral("/readme.txt"));
    QVERIFY(m_folder->messages().isEmpty());
}

void TestHelp::readMeProblemsAreTold()
{
    OpenReadMe();
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("readme.txt")));
}

void TestHelp::readMeWithoutAnEditor_data()
{
    QTest::addColumn<bool>("hasEditor");
    QTest::addColumn<bool>("openerWorks");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tries");

    const QByteArray utf8 = QStringLiteral("Vocamira 説明書\r\nEnter：スタート\r\n").toUtf8();
    const QByteArray cp932 = Cp932::encode(QStringLiteral("Vocamira 説明書\r\nEnter：スタート\r\n"));
    QTest::newRow("no editor registered, UTF-8") << false << true << utf8 << 0;
    QTest::newRow("no editor registered, code page 932") << false << true << cp932 << 0;
    QTest::newRow("the editor does not start") << true << false << utf8 << 1;
}

// Without an editor the read-me is shown in the program, readable and unchanged.
void TestHelp::readMeWithoutAnEditor()
{
    QFETCH(bool, hasEditor);
    QFETCH(bool, openerWorks);
    QFETCH(QByteArray, file);
    m_hasEditor = hasEditor;
    m_openerWorks = openerWorks;
    const QString path = m_folder->path() + QStringLiteral("/readme.txt");
    ProgramFolderFixture::writeFile(path, file);

    OpenReadMe();
    QTEST(int(m_opened.size()), "tries");
    QVERIFY(m_folder->messages().isEmpty());
    ReadMeViewer *viewer = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<ReadMeViewer *>(window))
            viewer = found;
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->isModal());
    QVERIFY(viewer->Text->isReadOnly());
    QCOMPARE(viewer->Text->toPlainText(), QStringLiteral("Vocamira 説明書\nEnter：スタート\n"));

    QTest::keyClick(viewer->Text, Qt::Key_A);
    QTest::keyClick(viewer->Text, Qt::Key_Delete);
    QCOMPARE(viewer->Text->toPlainText(), QStringLiteral("Vocamira 説明書\nEnter：スタート\n"));
    QTest::mouseClick(viewer->OKButton, Qt::LeftButton);
    QVERIFY(!viewer->isVisible());
    QFile unchanged(path);
    QVERIFY(unchanged.open(QIODevice::ReadOnly));
    QCOMPARE(unchanged.readAll(), file);
}

void TestHelp::bookGuide()
{
    BookGuide guide;
    guide.show();
    QCOMPARE(guide.windowTitle(), QStringLiteral("書籍案内"));
    QVERIFY(guide.findChild<QLabel *>(QStringLiteral("Label5"))->text().startsWith(u'★'));

    for (int book = 0; book < 3; ++book)
    {
        for (const QString &name : {QStringLiteral("Image%1").arg(book + 1), QStringLiteral("Label%1").arg(book + 2)})
        {
            auto *control = guide.findChild<ClickLabel *>(name);
            QVERIFY2(control && control->isVisible(), qPrintable(name));
            m_opened.clear();
            QTest::mouseClick(control, Qt::LeftButton);
            QCOMPARE(m_opened, QList<QUrl>{QUrl(Links::Books[book].page)});
        }
        QCOMPARE(guide.findChild<QLabel *>(QStringLiteral("Label%1").arg(book + 2))->text(), Links::Books[book].title);
        // Covers of one size, sharp at the screen's pixel ratio, their titles on one line.
        const QPixmap cover = guide.findChild<QLabel *>(QStringLiteral("Image%1").arg(book + 1))->pixmap();
        QCOMPARE(cover.deviceIndependentSize().toSize(), BookCover::Size);
        QCOMPARE(cover.devicePixelRatio(), guide.devicePixelRatioF());
        const auto *title = guide.findChild<QLabel *>(QStringLiteral("Label%1").arg(book + 2));
        QCOMPARE(title->mapTo(&guide, QPoint()).y(), guide.Label2->mapTo(&guide, QPoint()).y());
    }
    QVERIFY(m_folder->messages().isEmpty());

    auto *ok = guide.findChild<QPushButton *>(QStringLiteral("OKButton"));
    QCOMPARE(ok->text(), QStringLiteral("閉じる"));
    QSignalSpy closed(&guide, &QDialog::finished);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!guide.isVisible());
}

void TestHelp::versionInfo()
{
    VersionInfo info;
    info.show();
    QCOMPARE(info.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    const auto text = [&](const char *name) { return info.findChild<QLabel *>(QLatin1String(name))->text(); };
    QCOMPARE(text("Label1"), QStringLiteral("Vocamira V1.0.6"));
    QCOMPARE(text("Label2"), QString());
    QCOMPARE(text("Label3"), QStringLiteral("作者ホームページはこちら"));
    for (const char *licence : {"CC BY-SA 3.0", "MeCab", "NAIST", "Hunspell", "SCOWL"})
        QVERIFY(text("dictionaryLicences").contains(QLatin1String(licence)));
    // The link names and opens the program's own read-me, not anyone's home page.
    const QString readMe = m_folder->path() + QStringLiteral("/readme.txt");
    QCOMPARE(text("Label4"), QDir::toNativeSeparators(readMe));
    ProgramFolderFixture::writeFile(readMe, "Vocamira\r\n");
    QTest::mouseClick(info.findChild<ClickLabel *>(QStringLiteral("Label4")), Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(readMe)});

    QTest::mouseClick(info.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(!info.isVisible());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
