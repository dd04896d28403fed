#pragma once

#include <QLabel>

// A label that opens something when clicked, as the pictures and titles of
// the help windows do.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
