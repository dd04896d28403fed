#pragma once

#include <QLabel>

// A label whose size never follows its text, so no text of a question bank
// can move or widen the window. It holds a fixed area of a few lines; text
// that does not fit shrinks, and what still does not fit on one line ends in
// an ellipsis. Given room beyond its area the text grows with it; on a screen
// too small for the area, the area gives way as far as the text may shrink.
class FittedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FittedLabel(QWidget *parent = nullptr);

    // The area at its natural size: this many lines of text at pointSize
    // (0: the label's own font).
    void setArea(int lines, qreal pointSize = 0);
    // How far the text may shrink to fit, and grow with a larger area.
    void setScaleRange(qreal smallest, qreal largest);

    // The font and text the label draws now at its size.
    QFont shownFont() const;
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return false; }
    int heightForWidth(int) const override { return -1; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int areaHeight(qreal scale = 1.0) const;
    int textFlags() const;
    bool fits(const QFont &font) const;

    int m_lines = 1;
    qreal m_pointSize = 0;
    qreal m_smallest = 0.5;
    qreal m_largest = 1.0;
};
