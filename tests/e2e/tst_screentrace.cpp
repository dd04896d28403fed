#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "app/screentrace.h"

// The end-to-end test knows what to type only from this trace, so it must
// follow the question on screen exactly and stay silent unless asked for.
class TestScreenTrace : public QObject
{
    Q_OBJECT

private:
    struct Window
    {
        QWidget widget;
        QLabel *number = label("Label15");
        QLabel *prompt = label("Label1");
        QLabel *boxes[3] = {label("Label2_0"), label("Label2_1"), label("Label2_2")};

        QLabel *label(const char *name)
        {
            if (!widget.layout())
                new QVBoxLayout(&widget);
            auto *created = new QLabel(&widget);
            created->setObjectName(QString::fromLatin1(name));
            widget.layout()->addWidget(created);
            return created;
        }

        void showQuestion(const QString &number, const QString &promptText)
        {
            this->number->setText(number);
            prompt->setText(promptText);
            for (int box = 0; box < 3; ++box)
                boxes[box]->setText(promptText + QString::number(box));
            prompt->repaint();
        }
    };

    static QStringList lines(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void writesOneLinePerQuestionShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("VOCAMIRA_TRACE_FILE", path.toLocal8Bit());
        Window window;
        ScreenTrace::installFromEnvironment(&window.widget);
        qunsetenv("VOCAMIRA_TRACE_FILE");
        window.widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.widget));

        window.showQuestion(QStringLiteral("第1問"), QStringLiteral("りんご"));
        window.prompt->repaint(); // a repaint alone is no new question
        window.showQuestion(QStringLiteral("第2問"), QStringLiteral("がっこう"));

        // Lines before the first question show the empty window.
        const QStringList questions = lines(path).filter(QRegularExpression(QStringLiteral("^第")));
        QCOMPARE(questions,
                 QStringList({QStringLiteral("第1問\tりんご\tりんご0\tりんご1\tりんご2"),
                              QStringLiteral("第2問\tがっこう\tがっこう0\tがっこう1\tがっこう2")}));

        // Sounds are written in place of playing, in the order asked, and
        // the missing device stands in the way of nothing.
        SoundPlayer::play(QStringLiteral("sound1/0007.wma"));
        SoundPlayer::speak(QStringLiteral("school"));
        QCOMPARE(SoundPlayer::readiness(true), SoundPlayer::Readiness::Ready);
        SoundPlayer::setHandler({});
        QCOMPARE(lines(path).filter(QRegularExpression(QStringLiteral("^♪"))),
                 QStringList({QStringLiteral("♪\t\tsound1/0007.wma"), QStringLiteral("♪\t\tspeak:school")}));
    }

    void watchesNothingWhenUnset()
    {
        Window window;
        const int children = window.widget.children().size();
        ScreenTrace::installFromEnvironment(&window.widget);
        QCOMPARE(window.widget.children().size(), children);
    }
};

QTEST_MAIN(TestScreenTrace)
#include "tst_screentrace.moc"
