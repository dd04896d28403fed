#include "clock.h"

#include <QElapsedTimer>

namespace
{
    std::function<double()> &source()
    {
        static std::function<double()> fn;
        return fn;
    }

    double realNow()
    {
        static QElapsedTimer timer;
        if (!timer.isValid())
            timer.start();
        return static_cast<double>(timer.elapsed());
    }

    std::function<QDateTime()> &dateTimeSource()
    {
        static std::function<QDateTime()> fn;
        return fn;
    }
}

double Clock::nowMs()
{
    return source() ? source()() : realNow();
}

void Clock::setSource(std::function<double()> source)
{
    ::source() = std::move(source);
}

QDateTime Clock::currentDateTime()
{
    return dateTimeSource() ? dateTimeSource()() : QDateTime::currentDateTime();
}

void Clock::setDateTimeSource(std::function<QDateTime()> source)
{
    ::dateTimeSource() = std::move(source);
}
