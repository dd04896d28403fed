#pragma once

#include <QFont>
#include <QStringList>
#include <QWidget>

#include <array>

// One target box of the main window: the answer line and, below it with the
// same left margin, the guide of the keys still to type. Each line is drawn
// in three parts: typed (blue), the next character (red), the rest (black).
// The box paints its own white ground, so the three colours read the same
// under any desktop theme. Its text grows with the box; a line too long for
// the box scrolls so that the next character stays in view.
class TargetBox : public QWidget
{
    Q_OBJECT

public:
    enum class Line
    {
        Answer,
        Guide
    };

    explicit TargetBox(QWidget *parent = nullptr);

    // Three parts each; the guide line is drawn only when showGuide is set.
    void draw(const QStringList &answer, const QStringList &guide, bool showGuide);
    void clear();
    // A quiet note drawn while the box has nothing to show.
    void setHint(const QString &hint);

    QStringList answerParts() const { return m_answer; }
    QStringList guideParts() const { return m_guide; }
    bool guideShown() const { return m_showGuide; }
    QString hint() const { return m_hint; }

    // Where the line's next (red) character is drawn, in the box's own
    // coordinates; empty when the line has none.
    QRectF currentRect(Line line) const;
    // The part of the box the line's text is drawn in; the rest of a long
    // line lies outside it, beyond an ellipsis.
    QRectF visibleRect(Line line) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct LineLayout
    {
        QFont font;
        qreal top = 0;
        qreal baseline = 0;
        qreal height = 0;
        qreal left = 0;  // where the visible text starts
        qreal width = 0; // how much of it is visible
        qreal offset = 0; // how far the text is scrolled to the left
        bool cutLeft = false;
        bool cutRight = false;
        std::array<qreal, 3> partX {}; // start of each part, scrolled
        qreal currentWidth = 0;
    };

    const QStringList &partsOf(Line line) const;
    QFont grownFont() const;
    LineLayout layOut(Line line) const;
    void drawLine(QPainter &painter, Line line) const;
    void drawHint(QPainter &painter) const;

    QStringList m_answer;
    QStringList m_guide;
    bool m_showGuide = false;
    QString m_hint;
};
