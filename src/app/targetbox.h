#pragma once

#include <QStringList>
#include <QWidget>

// One target box of the main window: the answer line and, below it with the
// same left margin, the guide of the keys still to type. Each line is drawn
// in three parts: typed (blue), the next character (red), the rest (black).
class TargetBox : public QWidget
{
    Q_OBJECT

public:
    explicit TargetBox(QWidget *parent = nullptr);

    // Three parts each; the guide line is drawn only when showGuide is set.
    void draw(const QStringList &answer, const QStringList &guide, bool showGuide);
    void clear();

    QStringList answerParts() const { return m_answer; }
    QStringList guideParts() const { return m_guide; }
    bool guideShown() const { return m_showGuide; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawLine(QPainter &painter, const QStringList &parts, int baseline) const;
    QFont fittedFont(const QStringList &parts) const;

    QStringList m_answer;
    QStringList m_guide;
    bool m_showGuide = false;
};
