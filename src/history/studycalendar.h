#pragma once

#include <QWidget>

#include "studydays.h"

// The days of the last year as a contribution calendar draws them: a column
// a week, Sunday at the top, each day shaded by its number of tests, the
// months above; under each week a bar of the words that left the weak list
// in it. Hovering a day or a bar tells its numbers.
class StudyCalendar : public QWidget
{
    Q_OBJECT

public:
    explicit StudyCalendar(QWidget *parent = nullptr);

    void setDays(const StudyDays &days);
    const StudyDays &days() const { return m_days; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // What hovering at `at` tells; "" off the days and bars.
    QString toolTipAt(const QPoint &at) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Geometry
    {
        int cell = 0;  // side of a day's square, its gap included
        int left = 0;  // of the first column
        int top = 0;   // of Sunday's row
        int barsTop = 0;
        int barsHeight = 0;
    };
    Geometry geometry() const;
    QDate dayAt(const QPoint &at, const Geometry &g) const;
    int weekAt(const QPoint &at, const Geometry &g) const;

    StudyDays m_days;
    int m_mostLeft = 0; // the most words that left the list in one week
};
