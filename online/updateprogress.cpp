#include "online/updateprogress.h"

#include <algorithm>
#include <cmath>

int progressPercent(double done, double total)
{
    const double percent = done / total * 100.0;
    if (!(total > 0) || !std::isfinite(percent))
        return 0;
    return std::clamp(static_cast<int>(std::round(percent)), 0, 100); // std::round: halves away from zero
}
