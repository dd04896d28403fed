#include <QImage>
#include <QTest>

#include "app/fittedlabel.h"
#include "app/targetbox.h"

namespace
{
    using Line = TargetBox::Line;

    // A reading of n kana and a romaji guide of about twice as many letters.
    QString longReading(int n)
    {
        static const QString kana = QStringLiteral("かきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ");
        QString text;
        for (int i = 0; i < n; ++i)
            text += kana[(i * 7) % kana.size()];
        return text;
    }

    QString longGuide(int n)
    {
        static const QString letters = QStringLiteral("gyjqpkashitu");
        QString text;
        for (int i = 0; i < n; ++i)
            text += letters[i % letters.size()];
        return text;
    }

    QStringList partsAt(const QString &text, int pos)
    {
        return {text.left(pos), text.mid(pos, 1), text.mid(pos + 1)};
    }

    QImage paintedBy(QWidget &widget)
    {
        return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    bool hasColour(const QImage &image, QRgb colour)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    return true;
        return false;
    }

    // The line's text area lies in the box, and the red character in that area.
    void verifyInView(const TargetBox &box, Line line, const QString &where)
    {
        const QRectF current = box.currentRect(line);
        const QRectF visible = box.visibleRect(line);
        QVERIFY2(!current.isEmpty(), qPrintable(where));
        QVERIFY2(QRectF(box.rect()).contains(visible), qPrintable(where));
        QVERIFY2(visible.adjusted(-0.5, -0.5, 0.5, 0.5).contains(current), qPrintable(where));
    }
}

class TargetBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void nextCharacterStaysInView_data();
    void nextCharacterStaysInView();
    void shortLinesShareTheLeftMargin();
    void textGrowsWithTheBox();
    void ownGroundUnderADarkPalette();
    void hintOnlyWhileEmpty();
    void fittedLabelIgnoresItsText_data();
    void fittedLabelIgnoresItsText();
};

void TargetBoxTest::nextCharacterStaysInView_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("length");

    QTest::newRow("a short answer") << 500 << 8;
    QTest::newRow("64 kana in a narrow box") << 300 << 64;
    QTest::newRow("130 kana in a wide box") << 900 << 130;
}

// At every key of a long answer the red character of both lines can be seen.
void TargetBoxTest::nextCharacterStaysInView()
{
    QFETCH(int, width);
    QFETCH(int, length);
    TargetBox box;
    box.resize(width, box.sizeHint().height());
    const QString reading = longReading(length);
    const QString guide = longGuide(2 * length);
    for (int pos = 0; pos < length; ++pos)
    {
        box.draw(partsAt(reading, pos), partsAt(guide, 2 * pos), true);
        const QString where = QStringLiteral("at character %1").arg(pos + 1);
        verifyInView(box, Line::Answer, where);
        verifyInView(box, Line::Guide, where);
        // The guide line sits below the answer line, descenders and all.
        QVERIFY(box.visibleRect(Line::Answer).bottom() <= box.visibleRect(Line::Guide).top());
        QVERIFY(box.visibleRect(Line::Guide).bottom() <= box.height());
    }
}

void TargetBoxTest::shortLinesShareTheLeftMargin()
{
    TargetBox box;
    box.resize(600, box.sizeHint().height());
    box.draw({QStringLiteral("り"), QStringLiteral("ん"), QStringLiteral("ご")},
             {QStringLiteral("ri"), QStringLiteral("n"), QStringLiteral("go")}, true);
    QCOMPARE(box.visibleRect(Line::Answer).left(), box.visibleRect(Line::Guide).left());
    QVERIFY(box.currentRect(Line::Answer).left() > box.visibleRect(Line::Answer).left());
    QVERIFY(box.currentRect(Line::Guide).left() > box.visibleRect(Line::Guide).left());
}

// A learner who wants bigger text makes the window, and so the box, bigger.
void TargetBoxTest::textGrowsWithTheBox()
{
    TargetBox box;
    const QStringList answer{QStringLiteral("りん"), QStringLiteral("ご"), QString()};
    const QStringList guide{QStringLiteral("rin"), QStringLiteral("g"), QStringLiteral("o")};
    box.draw(answer, guide, true);
    box.resize(700, box.sizeHint().height());
    const qreal normal = box.currentRect(Line::Answer).height();
    box.resize(700, 2 * box.sizeHint().height());
    const qreal grown = box.currentRect(Line::Answer).height();
    QVERIFY2(grown > 1.5 * normal, qPrintable(QStringLiteral("%1 -> %2").arg(normal).arg(grown)));
    QVERIFY(box.visibleRect(Line::Guide).bottom() <= box.height());
}

// The box keeps its white ground and pure colours whatever the theme's colours.
void TargetBoxTest::ownGroundUnderADarkPalette()
{
    TargetBox box;
    QPalette dark;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(0x20, 0x20, 0x20));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xE0, 0xE0, 0xE0));
    box.setPalette(dark);
    box.resize(400, box.sizeHint().height());
    box.draw({QStringLiteral("あい"), QStringLiteral("う"), QStringLiteral("えお")},
             {QStringLiteral("ai"), QStringLiteral("u"), QStringLiteral("eo")}, true);
    const QImage image = paintedBy(box);
    QCOMPARE(image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF, 0xFFFFFFu);
    QVERIFY(!hasColour(image, dark.color(QPalette::Window).rgb()));
    for (QRgb colour : {qRgb(0, 0, 0xFF), qRgb(0xFF, 0, 0), qRgb(0, 0, 0)})
        QVERIFY2(hasColour(image, colour), qPrintable(QString::number(colour, 16)));
}

void TargetBoxTest::hintOnlyWhileEmpty()
{
    TargetBox box;
    box.resize(400, box.sizeHint().height());
    box.setHint(QStringLiteral("Enter キーでテストを始めます"));
    const QImage blank = paintedBy(box);
    box.setHint(QString());
    QVERIFY(paintedBy(box) != blank);

    box.setHint(QStringLiteral("Enter キーでテストを始めます"));
    box.draw({QString(), QString(), QStringLiteral("a")}, {}, false);
    const QImage drawn = paintedBy(box);
    box.setHint(QString());
    QCOMPARE(paintedBy(box), drawn);
}

void TargetBoxTest::fittedLabelIgnoresItsText_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("length");

    QTest::newRow("one line, 127 characters") << false << 127;
    QTest::newRow("wrapped, 300 characters") << true << 300;
}

// However long its text, the label asks for the same size and draws inside it.
void TargetBoxTest::fittedLabelIgnoresItsText()
{
    QFETCH(bool, wrap);
    QFETCH(int, length);
    FittedLabel label;
    label.setWordWrap(wrap);
    label.setArea(wrap ? 3 : 1);
    label.setScaleRange(0.5, 1.0);
    label.setText(QStringLiteral("x"));
    const QSize empty = label.sizeHint();
    const QSize emptyMinimum = label.minimumSizeHint();
    label.setText(longReading(length));
    QCOMPARE(label.sizeHint(), empty);
    QCOMPARE(label.minimumSizeHint(), emptyMinimum);
    QCOMPARE(label.sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);

    label.resize(400, empty.height());
    const QFontMetricsF shown(label.shownFont());
    const QRectF needed = shown.boundingRect(label.contentsRect(), int(label.alignment()) | (wrap ? Qt::TextWordWrap : 0),
                                             label.shownText());
    QVERIFY(label.shownFont().pointSizeF() < label.font().pointSizeF());
    if (!wrap)
    {
        QVERIFY(label.shownText().endsWith(QStringLiteral("…")));
        QVERIFY(needed.width() <= label.contentsRect().width() + 0.5);
    }
    QCOMPARE(label.text().size(), length);
}

QTEST_MAIN(TargetBoxTest)
#include "tst_targetbox.moc"
