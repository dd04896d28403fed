#pragma once

#include <functional>

// The millisecond clock that times a test. Monotonic; tests replace it.
namespace Clock
{
    double nowMs();
    // An empty function restores the real clock.
    void setSource(std::function<double()> source);
}
