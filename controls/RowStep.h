#pragma once

#include <functional>

/// The first row after `from` (before it, when not `forward`) among `count` rows that `shown`
/// accepts, going round at the end; -1 when none is. `from` may be -1 or `count`, the places
/// before the first row and after the last.
int NextShownRow(int from, int count, bool forward, const std::function<bool(int)>& shown);
