#include "controls/RowStep.h"

int NextShownRow(int from, int count, bool forward, const std::function<bool(int)>& shown)
{
    for (int step = 1; step <= count; ++step) {
        const int row = ((from + (forward ? step : -step)) % count + count) % count;
        if (shown(row))
            return row;
    }
    return -1;
}
