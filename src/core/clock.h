#pragma once

#include <QDateTime>

#include <functional>

// The millisecond clock that times a test. Monotonic; tests replace it.
namespace Clock
{
    double nowMs();
    // An empty function restores the real clock.
    void setSource(std::function<double()> source);

    // The date and time of day that stamp the study history; tests move it.
    QDateTime currentDateTime();
    // An empty function restores the system clock.
    void setDateTimeSource(std::function<QDateTime()> source);
}
