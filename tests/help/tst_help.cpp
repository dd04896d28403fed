#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "help/bookguide.h"
#include "help/clicklabel.h"
#include "help/links.h"
#include "help/openurl.h"
#include "help/pageopener.h"
#include "help/readme.h"
#include "help/versioninfo.h"
#include "testsupport.h"

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
    void bookGuide();
    void versionInfo();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
    QList<QUrl> m_opened;
    bool m_openerWorks = true;
};

void TestHelp::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_opened.clear();
    m_openerWorks = true;
    PageOpener::setHandler([this](const QUrl &url) {
        m_opened.append(url);
        return m_openerWorks;
    });
}

void TestHelp::cleanup()
{
    PageOpener::setHandler({});
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

    ProgramFolderFixture::writeFile(m_folder->path() + QStringLiteral("/readme.txt"), "Vocamira\r\n");
    m_openerWorks = false;
    m_folder->takeMessages();
    OpenReadMe();
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("readme.txt")));
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
        QVERIFY(!guide.findChild<QLabel *>(QStringLiteral("Image%1").arg(book + 1))->pixmap().isNull());
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
    QCOMPARE(text("Label4"), Links::HomePage);

    QTest::mouseClick(info.findChild<ClickLabel *>(QStringLiteral("Label4")), Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(Links::HomePage)});

    QTest::mouseClick(info.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(!info.isVisible());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
