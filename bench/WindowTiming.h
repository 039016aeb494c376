#pragma once

#include <functional>

/// How the benchmarks of the window time what the user sees.
namespace WindowTiming {

/// Lets the window system lay out and paint what changed.
void Settle();
/// The milliseconds `work` takes.
double Timed(const std::function<void()>& work);
/// The best of three rounds of `once`, each giving its milliseconds.
double Best(const std::function<double()>& once);

} // namespace WindowTiming
