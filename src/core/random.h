#pragma once

#include <QtGlobal>

#include <functional>

// The one generator of uniform values in [0, 1) that drives the choice of
// questions, answers and forced reviews. Seeded from the clock at start-up;
// tests seed it or script its values.
namespace Random
{
    void reseedFromClock();
    void seed(quint64 value);
    double next();
    // A value in [0, 1) that is exact in single precision, so that
    // Int(r * n) stays below n after the conversion to float.
    float nextSingle();
    // Index below n, drawn as Int(r * n).
    int index(int n);
    // Scripted values for tests; an empty function restores the generator.
    void setSource(std::function<double()> source);
}
