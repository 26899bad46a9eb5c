#include "LinkFate.h"

#include <algorithm>

namespace TestSupport {

bool LinkFate::lost(const LinkShape& shape)
{
    if (burstLeft > 0) {
        --burstLeft;
        return true;
    }
    if (draw() < shape.burstChance) {
        burstLeft = std::max(0, shape.burstLength - 1);
        return true;
    }
    return draw() < shape.loss;
}

int LinkFate::arrivals(const LinkShape& shape, double now, double& last, LinkCount& count,
                       double due[2])
{
    ++count.received;
    if (lost(shape)) {
        ++count.lost;
        return 0;
    }
    const int copies = draw() < shape.duplicate ? 2 : 1;
    count.duplicated += static_cast<unsigned long>(copies - 1);
    for (int copy = 0; copy < copies; ++copy) {
        const double spread = (2.0 * draw() - 1.0) * shape.jitter;
        due[copy] = std::max(now + std::max(0.0, shape.delay + spread), last);
        if (draw() < shape.reorder) {
            ++count.reordered;
            due[copy] += shape.reorderDelay;
        } else {
            last = due[copy];
        }
    }
    return copies;
}

} // namespace TestSupport
