#include "bench/WindowTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>

namespace WindowTiming {

namespace {

constexpr int kRounds = 3;

} // namespace

void Settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

double Timed(const std::function<void()>& work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double Best(const std::function<double()>& once)
{
    double best = -1;
    for (int round = 0; round < kRounds; ++round) {
        const double ms = once();
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

} // namespace WindowTiming
