#include "random.h"

#include <QDateTime>

#include <cmath>
#include <random>

namespace
{
    std::mt19937_64 &engine()
    {
        static std::mt19937_64 e(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()));
        return e;
    }

    std::function<double()> &script()
    {
        static std::function<double()> fn;
        return fn;
    }

    // Keeps scripted values inside [0, 1) whatever a test feeds in.
    double clampUnit(double value)
    {
        if (!(value >= 0.0))
            return 0.0;
        return value < 1.0 ? value : std::nextafter(1.0, 0.0);
    }
}

void Random::reseedFromClock()
{
    engine().seed(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()));
}

void Random::seed(quint64 value)
{
    engine().seed(value);
}

double Random::next()
{
    if (script())
        return clampUnit(script()());
    return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
}

float Random::nextSingle()
{
    // 24 bits: every value is a float, and the largest is 1 - 2^-24 < 1.
    const double r = next();
    return static_cast<float>(std::floor(r * 0x1.0p24) * 0x1.0p-24);
}

int Random::index(int n)
{
    return static_cast<int>(next() * n);
}

void Random::setSource(std::function<double()> source)
{
    script() = std::move(source);
}
