#pragma once
#include <algorithm>
#include <chrono>

// The best of several timed runs, in milliseconds: the least disturbed run is
// the one that says most about the code on a shared, noisy machine.
template <typename Setup, typename Work>
double BestMilliseconds(int runs, Setup&& setup, Work&& work) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        setup();
        const auto start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

template <typename Work>
double BestMilliseconds(int runs, Work&& work) {
    return BestMilliseconds(
        runs, [] {}, work);
}
