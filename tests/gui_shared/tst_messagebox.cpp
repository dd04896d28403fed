#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/message.h"
#include "gui_shared/messagebox.h"

namespace
{
    struct SeenBox
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QStringList buttons;
        bool anyButtonIcon = false;
        QString defaultButton;
    };

    // Reads the box once it is open and clicks the button with the text given.
    SeenBox answerNextBox(const QString &click, const std::function<void()> &open)
    {
        SeenBox seen;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen.icon = box->icon();
            seen.title = box->windowTitle();
            for (QAbstractButton *button : box->buttons())
            {
                seen.buttons << button->text();
                seen.anyButtonIcon = seen.anyButtonIcon || !button->icon().isNull();
                if (button->text() == click)
                    QTimer::singleShot(0, button, &QAbstractButton::click);
            }
            if (box->defaultButton())
                seen.defaultButton = box->defaultButton()->text();
        });
        open();
        return seen;
    }
}

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MessageBox::install(); }
    void cleanupTestCase()
    {
        Message::setHandler({});
        Message::setQuestionHandler({});
    }
    void boxes_data();
    void boxes();
    void questions_data();
    void questions();
};

void MessageBoxTest::boxes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");

    QTest::newRow("notice") << int(Message::Kind::Notice) << int(QMessageBox::Information);
    QTest::newRow("warning") << int(Message::Kind::Warning) << int(QMessageBox::Warning);
}

// Every box has the program's title and one plain OK, like the windows' own.
void MessageBoxTest::boxes()
{
    QFETCH(int, kind);
    const SeenBox seen = answerNextBox(QStringLiteral("OK"), [&] {
        Message::show(QStringLiteral("合格点を選択してください"), Message::Kind(kind));
    });
    QTEST(int(seen.icon), "icon");
    QCOMPARE(seen.title, QStringLiteral("Vocamira"));
    QCOMPARE(seen.buttons, QStringList{"OK"});
    QCOMPARE(seen.defaultButton, QStringLiteral("OK"));
    QVERIFY(!seen.anyButtonIcon);
}

void MessageBoxTest::questions_data()
{
    QTest::addColumn<QString>("click");
    QTest::addColumn<bool>("answer");

    QTest::newRow("はい") << "はい" << true;
    QTest::newRow("いいえ") << "いいえ" << false;
}

void MessageBoxTest::questions()
{
    QFETCH(QString, click);
    bool answer = false;
    const SeenBox seen = answerNextBox(click, [&] { answer = Message::ask(QStringLiteral("テストを中断して出題設定を開きますか？")); });
    QTEST(answer, "answer");
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons.size(), 2);
    QVERIFY(seen.buttons.contains(QStringLiteral("はい")) && seen.buttons.contains(QStringLiteral("いいえ")));
    QVERIFY(!seen.anyButtonIcon);
}

QTEST_MAIN(MessageBoxTest)
#include "tst_messagebox.moc"
