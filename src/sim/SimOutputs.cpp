#include "sim/SimOutputs.h"

#include <algorithm>
#include <cmath>

namespace vexa {

double SimMotion::at(double now) const {
    if (rate <= 0)
        return target;
    if (now <= start)
        return from;
    const double travelled = rate * (now - start);
    const double distance = std::abs(target - from);
    if (travelled >= distance)
        return target;
    return from + (target > from ? travelled : -travelled);
}

void SimMotion::jump(double value) {
    from = target = value;
    rate = 0;
}

void SimMotion::moveTo(double value, double now, double unitsPerSecond) {
    from = at(now);
    target = value;
    start = now;
    rate = std::max(unitsPerSecond, 0.0);
}

} // namespace vexa
